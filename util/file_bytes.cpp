#include "util/file_bytes.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <system_error>

FileRead ReadFileBytes(const std::string& path, CBuf& out) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return FileRead::OpenFailed;
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        std::fclose(f);
        return FileRead::ReadFailed;
    }
    CBuf bytes(0, 1, nullptr, 0, 10);
    uint8_t chunk[65536];
    bool failed = false;
    for (;;) {
        size_t n = std::fread(chunk, 1, sizeof chunk, f);
        if (n > 0) {
            if (int64_t(bytes.Count()) + int64_t(n) > INT32_MAX - 1024) {
                std::fclose(f);
                return FileRead::TooLarge;
            }
            int old = bytes.Count();
            bytes.Append(chunk, int(n));
            if (bytes.Count() != old + int(n)) failed = true;
        }
        if (n < sizeof chunk) {
            if (std::ferror(f)) failed = true;
            break;
        }
        if (failed) break;
    }
    std::fclose(f);
    if (failed) return FileRead::ReadFailed;
    bytes.SetGrowStep(10);
    out = std::move(bytes);
    return FileRead::Ok;
}

int WriteFileAtomically(const std::string& path, const void* bytes, size_t length) {
    std::string temp = path + ".part";
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) return 0;
    bool ok = length == 0 || std::fwrite(bytes, 1, length, f) == length;
    ok = std::fclose(f) == 0 && ok;
    std::error_code ec;
    if (ok) std::filesystem::rename(temp, path, ec);
    if (!ok || ec) {
        std::filesystem::remove(temp, ec);
        return 0;
    }
    return 1;
}
