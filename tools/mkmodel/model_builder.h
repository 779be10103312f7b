// From a read description to the model's files: the segment LCD file and the two panel
// files, written only once everything has been painted and built (so a mistake found while
// painting leaves the files that were there), and on request PNG pictures of them
// (png_export.h). Each file is written through a temporary file, so none is left half
// written.
#pragma once

#include <string>
#include <vector>

#include "tools/mkmodel/model_description.h"

struct SBuildTargets {
    std::string outFolder;   // where the model files go
    std::string pngFolder;   // empty: no pictures
    std::string fontFolder;  // where the description's font files are
};

// 1 on success, with one line per written file in written; 0 with the reason in error.
int BuildModelFiles(const SModelDescription& d, const SBuildTargets& targets,
                    std::vector<std::string>& written, std::string& error);
