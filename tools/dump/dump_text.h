// The text that orvane-dump prints for a file, built without printing so that it stays
// testable: the section index and every tag buffer of a container file, or the headers of
// a BMP file.
#pragma once

#include <string>
#include <vector>

class CGenFile;

struct SDumpOptions {
    // Units shown per tag buffer; the rest are counted in one line. < 0: all.
    int maxUnits = 16;
};

// Lines for a BMP file, or false when the file does not start with "BM".
bool DumpBmp(CGenFile& file, std::vector<std::string>& lines);
// Lines for a container file, or false when it holds no section.
bool DumpContainer(CGenFile& file, const SDumpOptions& options, std::vector<std::string>& lines);
