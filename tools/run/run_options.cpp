#include "tools/run/run_options.h"

#include <charconv>
#include <set>
#include <sstream>

#include "core/key_tap.h"

const char* const kRunUsage =
    "usage: orvane-run (--image RAW | --model DIR) [--passes N]\n"
    "                  [--key ROW,COL,FROM,TO]... [--tap ROW,COL]... [--keys \"NAME ...\"]\n"
    "                  [--dump-state OUT.json] [--trace OUT.txt]\n"
    "                  [--lcd-bmp OUT.bmp [--layout N]] [--quiet]\n"
    "\n"
    "  --image RAW        raw firmware image (little-endian 16-bit words)\n"
    "  --model DIR        model folder: ZT_K318V.eepm, then Novaro.ini when present\n"
    "  --passes N         passes of the run loop to run at most (default 1000000)\n"
    "  --key R,C,F,T      hold the key at row R, column C from pass F to pass T\n"
    "  --tap R,C          tap the key at row R, column C once the machine is idle\n"
    "  --keys \"A B ...\"   tap keys by their names in the model's panel key map\n"
    "  --dump-state FILE  write the final machine state as JSON\n"
    "  --trace FILE       write one line per executed instruction\n"
    "  --lcd-bmp FILE     write the final LCD picture (layout --layout, default 2)\n"
    "  --quiet            do not print the configuration's messages\n"
    "\n"
    "Exit codes: 0 done, 2 bad usage or an unusable file, 3 stopped by an unknown "
    "instruction.\n";

namespace {

template <class T>
bool ParseNumber(const std::string& text, T& out) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, out);
    return !text.empty() && ec == std::errc() && ptr == end;
}

std::vector<std::string> SplitCommas(const std::string& text) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, ','))
        parts.push_back(part);
    if (!text.empty() && text.back() == ',') parts.push_back("");
    return parts;
}

bool ParsePosition(const std::string& rowText, const std::string& colText, int& row, int& col,
                   std::string& error) {
    if (!ParseNumber(rowText, row) || !ParseNumber(colText, col)) {
        error = "a key position is two integers ROW,COL";
        return false;
    }
    if (!KeyCodesForPosition(row, col, nullptr)) {
        error = "key position " + rowText + "," + colText +
                " is outside the key matrix (rows -1..6, columns 0..7)";
        return false;
    }
    return true;
}

bool ParseHold(const std::string& text, KeyHold& hold, std::string& error) {
    auto parts = SplitCommas(text);
    if (parts.size() != 4) {
        error = "--key takes ROW,COL,FROM,TO, not '" + text + "'";
        return false;
    }
    if (!ParsePosition(parts[0], parts[1], hold.row, hold.col, error)) return false;
    if (!ParseNumber(parts[2], hold.from) || !ParseNumber(parts[3], hold.to)) {
        error = "--key '" + text + "': FROM and TO are pass numbers (0 or more)";
        return false;
    }
    if (hold.to <= hold.from) {
        error = "--key '" + text + "': the release (TO) must come after the press (FROM)";
        return false;
    }
    return true;
}

bool ParseTap(const std::string& text, KeyTapStep& tap, std::string& error) {
    auto parts = SplitCommas(text);
    if (parts.size() != 2) {
        error = "--tap takes ROW,COL, not '" + text + "'";
        return false;
    }
    return ParsePosition(parts[0], parts[1], tap.row, tap.col, error);
}

bool ParseKeyNames(const std::string& text, std::vector<KeyTapStep>& taps, std::string& error) {
    std::istringstream in(text);
    std::string name;
    bool any = false;
    while (in >> name) {
        taps.push_back({0, 0, name});
        any = true;
    }
    if (!any) error = "--keys needs at least one key name";
    return any;
}

// Outputs that name the same file would overwrite each other.
bool DistinctOutputs(const RunOptions& o, std::string& error) {
    std::set<std::string> seen;
    for (const std::string* path : {&o.dumpPath, &o.tracePath, &o.bmpPath}) {
        if (path->empty()) continue;
        if (!seen.insert(*path).second) {
            error = "'" + *path + "' is named for two outputs";
            return false;
        }
    }
    return true;
}

// Stores the value of one flag; false (and why) when the value is not usable.
bool TakeValue(const std::string& flag, const std::string& value, RunOptions& out,
               std::string& error) {
    if (flag == "--image") {
        out.imagePath = value;
    } else if (flag == "--model") {
        out.modelDir = value;
    } else if (flag == "--passes") {
        if (!ParseNumber(value, out.passBudget)) {
            error = "--passes takes a number of passes (0 or more), not '" + value + "'";
            return false;
        }
    } else if (flag == "--key") {
        out.holds.emplace_back();
        return ParseHold(value, out.holds.back(), error);
    } else if (flag == "--tap") {
        out.taps.emplace_back();
        return ParseTap(value, out.taps.back(), error);
    } else if (flag == "--keys") {
        return ParseKeyNames(value, out.taps, error);
    } else if (flag == "--dump-state") {
        out.dumpPath = value;
    } else if (flag == "--trace") {
        out.tracePath = value;
    } else if (flag == "--lcd-bmp") {
        out.bmpPath = value;
    } else if (flag == "--layout") {
        if (!ParseNumber(value, out.layout) || out.layout < 0) {
            error = "--layout takes a layout number (0 or more), not '" + value + "'";
            return false;
        }
    }
    return true;
}

// The combinations of flags that cannot work.
bool Consistent(const RunOptions& o, const std::set<std::string>& given, std::string& error) {
    if (o.imagePath.empty() == o.modelDir.empty()) {
        error = "give exactly one of --image RAW and --model DIR";
    } else if (given.count("--layout") && o.bmpPath.empty()) {
        error = "--layout chooses the layout of --lcd-bmp, which is missing";
    } else if (o.modelDir.empty() && !o.bmpPath.empty()) {
        error = "--lcd-bmp needs --model (the LCD layouts are in the model's ZT_K318V.SegLcd)";
    } else if (o.modelDir.empty() && given.count("--keys")) {
        error = "--keys needs --model (the key names are in the model's panel file)";
    } else {
        return DistinctOutputs(o, error);
    }
    return false;
}

}  // namespace

ParseResult ParseRunOptions(const std::vector<std::string>& args, RunOptions& out,
                            std::string& error) {
    static const std::set<std::string> kValueFlags = {
        "--image", "--model",      "--passes", "--key",     "--tap",
        "--keys",  "--dump-state", "--trace",  "--lcd-bmp", "--layout"};
    static const std::set<std::string> kRepeatable = {"--key", "--tap", "--keys"};
    out = RunOptions{};
    std::set<std::string> given;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& flag = args[i];
        if (flag == "--help" || flag == "-h") return ParseResult::Help;
        if (flag == "--quiet") {
            out.quiet = true;
            continue;
        }
        if (!kValueFlags.count(flag)) {
            error = "unknown option '" + flag + "'";
            return ParseResult::Error;
        }
        if (i + 1 >= args.size() || args[i + 1].empty()) {
            error = flag + " needs a value";
            return ParseResult::Error;
        }
        if (!given.insert(flag).second && !kRepeatable.count(flag)) {
            error = flag + " is given twice";
            return ParseResult::Error;
        }
        if (!TakeValue(flag, args[++i], out, error)) return ParseResult::Error;
    }
    return Consistent(out, given, error) ? ParseResult::Run : ParseResult::Error;
}
