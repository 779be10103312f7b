// orvane-dump: shows what a data file holds, for people who author model files.
//
//   orvane-dump [--units N | --all] FILE
//
// For a container file (.SegLcd, .Sbk, .CalPnl): its file-kind header, the section index
// and every tag buffer of every section's list, 16 units per tag buffer unless told
// otherwise. For a BMP file: its headers.
//
// Exit codes: 0 shown, 1 the file cannot be read or is neither a BMP nor a container file,
// 2 wrong usage.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "data/gen_file.h"
#include "tools/dump/dump_text.h"
#include "util/platform.h"

namespace {

constexpr const char* kUsage =
    "usage: orvane-dump [--units N | --all] FILE\n"
    "  shows the sections and tag buffers of a data file, or the headers of a BMP file\n"
    "  --units N   units shown per tag buffer (default 16)\n"
    "  --all       every unit\n";

int Usage() {
    std::fputs(kUsage, stderr);
    return 2;
}

bool ParseCount(const char* text, int* out) {
    char* end = nullptr;
    long v = std::strtol(text, &end, 10);
    if (!*text || *end || v < 0 || v > 1000000000) return false;
    *out = int(v);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    CConsolePlatform console;
    SetPlatform(&console);
    SDumpOptions options;
    std::string path;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (a == "--all") {
            options.maxUnits = -1;
        } else if (a == "--units") {
            if (++i == argc || !ParseCount(argv[i], &options.maxUnits)) return Usage();
        } else if (a.starts_with("-") || !path.empty()) {
            return Usage();
        } else {
            path = a;
        }
    }
    if (path.empty()) return Usage();

    CGenFile file;
    if (!file.OpenRead(path, 0, 0) || !file.LoadWholeFile()) {
        std::fprintf(stderr, "orvane-dump: cannot read '%s'\n", path.c_str());
        return 1;
    }
    std::vector<std::string> lines;
    if (!DumpBmp(file, lines) && !DumpContainer(file, options, lines)) {
        std::fprintf(stderr, "orvane-dump: '%s' is neither a BMP file nor a container file\n",
                     path.c_str());
        return 1;
    }
    for (const std::string& line : lines)
        std::printf("%s\n", line.c_str());
    return 0;
}
