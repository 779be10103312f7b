// The command line of orvane-run, parsed into RunOptions.
//
//   orvane-run (--image RAW | --model DIR) [--passes N] [--key ROW,COL,FROM,TO]...
//              [--tap ROW,COL]... [--keys "NAME NAME ..."] [--dump-state OUT.json]
//              [--trace OUT.txt] [--lcd-bmp OUT.bmp [--layout N]] [--quiet]
//
// ParseRunOptions checks everything that can be checked without opening a file: flags and
// their values, key positions, the pass numbers of a held key, flags that need another
// flag, and outputs named twice.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

inline constexpr uint64_t kDefaultPassBudget = 1000000;
inline constexpr int kDefaultLcdLayout = 2;

// --key: the key at (row, col) held from before pass `from` to before pass `to`.
struct KeyHold {
    int row = 0;
    int col = 0;
    uint64_t from = 0;
    uint64_t to = 0;
};

// --tap ROW,COL or one name of --keys, in command-line order. A named tap gets its
// position from the panel's key map before the run.
struct KeyTapStep {
    int row = 0;
    int col = 0;
    std::string name;  // empty for --tap
};

struct RunOptions {
    std::string imagePath;  // --image
    std::string modelDir;   // --model
    uint64_t passBudget = kDefaultPassBudget;
    std::vector<KeyHold> holds;
    std::vector<KeyTapStep> taps;
    std::string dumpPath;
    std::string tracePath;
    std::string bmpPath;
    int layout = kDefaultLcdLayout;
    bool quiet = false;
};

enum class ParseResult { Run, Help, Error };

// args: the arguments after the program name. On Error, error says what is wrong.
ParseResult ParseRunOptions(const std::vector<std::string>& args, RunOptions& out,
                            std::string& error);

extern const char* const kRunUsage;
