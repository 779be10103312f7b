#include "tools/mkmodel/mkmodel_options.h"

#include "tools/mkmodel/fonts.h"

const char* const kMkModelUsage =
    "usage: orvane-mkmodel DESCRIPTION.json --out-dir DIR [--png-dir DIR] [--font-dir DIR]\n"
    "                      [--quiet]\n"
    "  builds a calculator model's segment LCD file (<model>.SegLcd) and panel files\n"
    "  (<model>_SP.CalPnl, <model>_LP.CalPnl) from its description (docs/model-format.md)\n"
    "  --out-dir DIR    where the model files are written\n"
    "  --png-dir DIR    also write the panel and LCD pictures as PNG files there\n"
    "  --font-dir DIR   where the description's font files are\n"
    "                   (default /usr/share/fonts/truetype/dejavu)\n"
    "  --quiet          say nothing on success\n";

int ParseMkModelOptions(const std::vector<std::string>& args, SMkModelOptions& out,
                        std::string& error) {
    SMkModelOptions o;
    o.fontFolder = kDefaultFontFolder;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::string* value = a == "--out-dir"    ? &o.outFolder
                             : a == "--png-dir"  ? &o.pngFolder
                             : a == "--font-dir" ? &o.fontFolder
                                                 : nullptr;
        if (value) {
            if (i + 1 == args.size() || args[i + 1].empty()) {
                error = a + " needs a folder";
                return 0;
            }
            *value = args[++i];
        } else if (a == "--quiet") {
            o.quiet = true;
        } else if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a.starts_with("-")) {
            error = "unknown option " + a;
            return 0;
        } else if (!o.description.empty()) {
            error = "give one description file";
            return 0;
        } else {
            o.description = a;
        }
    }
    if (!o.help && o.description.empty()) {
        error = "no description file given";
        return 0;
    }
    if (!o.help && o.outFolder.empty()) {
        error = "--out-dir is missing";
        return 0;
    }
    out = o;
    return 1;
}
