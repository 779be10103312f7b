// The command line of orvane-mkmodel.
//
//   orvane-mkmodel DESCRIPTION.json --out-dir DIR [--png-dir DIR] [--font-dir DIR] [--quiet]
#pragma once

#include <string>
#include <vector>

struct SMkModelOptions {
    std::string description;
    std::string outFolder;
    std::string pngFolder;
    std::string fontFolder;
    bool quiet = false;
    bool help = false;
};

extern const char* const kMkModelUsage;

// 1 on success; 0 with the reason in error.
int ParseMkModelOptions(const std::vector<std::string>& args, SMkModelOptions& out,
                        std::string& error);
