#include "data/gen_file.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "util/le.h"
#include "util/platform.h"
#include "util/strfmt.h"

namespace {

constexpr int64_t kMaxMemoryBytes = INT32_MAX;

bool IsDirectory(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_directory(path, ec);
}

}  // namespace

CGenFile::~CGenFile() {
    Close();
}

void CGenFile::Reset() {
    m_kind = Kind::Closed;
    m_writing = false;
    m_writeFailed = false;
    m_path.clear();
    m_tempPath.clear();
    m_file = nullptr;
    m_diskAt = -1;
    m_diskWriting = false;
    m_position = 0;
    m_length = 0;
    m_open.clear();
    m_index.clear();
    m_indexBuilt = false;
}

int CGenFile::OpenRead(const std::string& path, int /*modeFlags*/, int report) {
    Close();
    std::FILE* f = IsDirectory(path) ? nullptr : std::fopen(path.c_str(), "rb");
    int64_t length = -1;
    if (f && std::fseek(f, 0, SEEK_END) == 0) length = std::ftell(f);
    if (!f || length < 0 || std::fseek(f, 0, SEEK_SET) != 0) {
        if (f) std::fclose(f);
        if (report) ShowError(StrFormat("Failed to open '%s' !", path.c_str()));
        return 0;
    }
    Reset();
    m_memory.Clear();
    m_kind = Kind::Disk;
    m_file = f;
    m_path = path;
    m_length = length;
    return 1;
}

int CGenFile::OpenWrite(const std::string& path, int /*modeFlags*/, int report) {
    Close();
    std::string temp = path + ".part";
    std::FILE* f = IsDirectory(path) ? nullptr : std::fopen(temp.c_str(), "w+b");
    if (!f) {
        if (report) ShowError(StrFormat("Failed to create '%s' !", path.c_str()));
        return 0;
    }
    Reset();
    m_memory.Clear();
    m_kind = Kind::Disk;
    m_writing = true;
    m_file = f;
    m_path = path;
    m_tempPath = temp;
    return 1;
}

int CGenFile::OpenMemory(const void* bytes, int64_t length) {
    Close();
    if (length < 0 || length > kMaxMemoryBytes || (length > 0 && !bytes)) return 0;
    CBuf copy(int(length), 1, bytes, 1, 0);
    if (copy.Count() != int(length)) return 0;
    Reset();
    m_memory = std::move(copy);
    m_kind = Kind::Memory;
    m_length = length;
    return 1;
}

int CGenFile::CreateMemory() {
    Close();
    Reset();
    m_memory.Assign(0, 1, nullptr, 0, 4096);
    m_kind = Kind::Memory;
    m_writing = true;
    return 1;
}

int CGenFile::LoadWholeFile() {
    if (m_kind == Kind::Memory) return 1;
    if (m_kind != Kind::Disk || m_writing || m_length > kMaxMemoryBytes) return 0;
    CBuf bytes(int(m_length), 1, nullptr, 0, 0);
    if (bytes.Count() != int(m_length)) return 0;
    if (std::fseek(m_file, 0, SEEK_SET) != 0) return 0;
    if (m_length > 0 && std::fread(bytes.Data(), 1, size_t(m_length), m_file) != size_t(m_length))
        return 0;
    std::fclose(m_file);
    m_file = nullptr;
    m_memory = std::move(bytes);
    m_kind = Kind::Memory;
    return 1;
}

int CGenFile::Close() {
    if (m_kind == Kind::Closed) return 1;
    int ok = 1;
    if (m_writing && !m_open.empty()) ok = EndSectionsFrom(0);
    if (m_kind == Kind::Disk) {
        if (m_writing) {
            ok = ok && !m_writeFailed && std::fflush(m_file) == 0 && !std::ferror(m_file);
            ok = (std::fclose(m_file) == 0) && ok;
            std::error_code ec;
            if (ok) std::filesystem::rename(m_tempPath, m_path, ec);
            if (!ok || ec) {
                std::filesystem::remove(m_tempPath, ec);
                ok = 0;
            }
        } else {
            std::fclose(m_file);
        }
    } else if (m_writeFailed) {
        ok = 0;
    }
    CBuf keep = std::move(m_memory);
    Reset();
    m_memory = std::move(keep);
    return ok;
}

void CGenFile::Abandon() {
    if (m_kind == Kind::Disk && m_writing) {
        std::fclose(m_file);
        std::error_code ec;
        std::filesystem::remove(m_tempPath, ec);
        m_file = nullptr;
        Reset();
        return;
    }
    m_open.clear();
    Close();
}

int64_t CGenFile::BytesLeft() {
    if (m_kind == Kind::Closed) return 0;
    return std::max<int64_t>(0, m_length - m_position);
}

int64_t CGenFile::ReadAt(int64_t position, void* dst, int64_t n) {
    if (n <= 0 || position < 0 || position >= m_length) return 0;
    n = std::min(n, m_length - position);
    if (m_kind == Kind::Memory) {
        std::memcpy(dst, m_memory.Data() + position, size_t(n));
        return n;
    }
    if (m_kind != Kind::Disk || !DiskSeek(position, false)) return 0;
    int64_t got = int64_t(std::fread(dst, 1, size_t(n), m_file));
    m_diskAt = got == n ? position + n : -1;
    return got;
}

bool CGenFile::DiskSeek(int64_t position, bool writing) {
    // Seeking drops the stream's buffer, so sequential reads and writes do without it; a
    // switch between reading and writing always seeks, as the stream requires.
    if (m_diskAt == position && m_diskWriting == writing) return true;
    m_diskWriting = writing;
    m_diskAt = std::fseek(m_file, long(position), SEEK_SET) == 0 ? position : -1;
    return m_diskAt == position;
}

int64_t CGenFile::Read(void* dst, int64_t n) {
    if (!dst) return 0;
    int64_t got = ReadAt(m_position, dst, n);
    m_position += got;
    return got;
}

int64_t CGenFile::Write(const void* src, int64_t n) {
    if (!m_writing || n <= 0 || !src) return 0;
    int64_t end = m_position + n;
    if (m_kind == Kind::Memory) {
        if (end > kMaxMemoryBytes) {
            m_writeFailed = true;
            return 0;
        }
        if (end > m_memory.Count()) {
            // Grow geometrically: Resize alone would add only the grow step each time.
            if (end > m_memory.Capacity())
                m_memory.SetGrowStep(int(std::min<int64_t>(end, kMaxMemoryBytes - end)));
            m_memory.Resize(int(end));
            if (m_memory.Count() != int(end)) {
                m_writeFailed = true;
                return 0;
            }
        }
        std::memcpy(m_memory.Data() + m_position, src, size_t(n));
    } else {
        if (!DiskSeek(m_position, true) || std::fwrite(src, 1, size_t(n), m_file) != size_t(n)) {
            m_diskAt = -1;
            m_writeFailed = true;
            return 0;
        }
        m_diskAt = end;
    }
    m_position = end;
    m_length = std::max(m_length, end);
    m_indexBuilt = false;
    return n;
}

int CGenFile::Seek(int64_t offset, Origin origin) {
    if (m_kind == Kind::Closed) return 0;
    int64_t base = origin == Origin::Begin ? 0 : origin == Origin::Current ? m_position : m_length;
    int64_t to = base + offset;
    if (to < 0 || to > LONG_MAX) return 0;
    m_position = to;
    return 1;
}

int CGenFile::ReadU16(uint16_t* v) {
    uint8_t b[2];
    if (Read(b, 2) != 2) return 0;
    *v = GetLe16(b);
    return 1;
}

int CGenFile::ReadU32(uint32_t* v) {
    uint8_t b[4];
    if (Read(b, 4) != 4) return 0;
    *v = uint32_t(GetLe32(b));
    return 1;
}

int CGenFile::ReadU64(uint64_t* v) {
    uint8_t b[8];
    if (Read(b, 8) != 8) return 0;
    *v = uint64_t(uint32_t(GetLe32(b))) | uint64_t(uint32_t(GetLe32(b + 4))) << 32;
    return 1;
}

int CGenFile::WriteU16(uint16_t v) {
    uint8_t b[2];
    PutLe16(b, v);
    return Write(b, 2) == 2;
}

int CGenFile::WriteU32(uint32_t v) {
    uint8_t b[4];
    PutLe32(b, int32_t(v));
    return Write(b, 4) == 4;
}

int CGenFile::WriteU64(uint64_t v) {
    uint8_t b[8];
    PutLe32(b, int32_t(uint32_t(v)));
    PutLe32(b + 4, int32_t(uint32_t(v >> 32)));
    return Write(b, 8) == 8;
}

int CGenFile::ReadString(std::string* s) {
    uint32_t length = 0;
    if (!ReadU32(&length) || int32_t(length) < 0 || int64_t(length) > BytesLeft()) return 0;
    std::string text(size_t(length), '\0');
    if (Read(text.data(), length) != int64_t(length)) return 0;
    *s = std::move(text);
    return 1;
}

int CGenFile::WriteString(const std::string& s) {
    if (s.size() > size_t(INT32_MAX)) return 0;
    return WriteU32(uint32_t(s.size())) && (s.empty() || Write(s.data(), int64_t(s.size())));
}

int CGenFile::ReadLine(std::string* line) {
    line->clear();
    if (BytesLeft() <= 0) return 0;
    char c;
    while (Read(&c, 1) == 1 && c != '\n')
        if (c != '\r') line->push_back(c);
    return 1;
}

int CGenFile::WriteLine(const std::string& line) {
    static const char kEnd[2] = {13, 10};
    return (line.empty() || Write(line.data(), int64_t(line.size())) == int64_t(line.size())) &&
           Write(kEnd, 2) == 2;
}
