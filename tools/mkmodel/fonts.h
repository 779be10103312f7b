// The fonts of a description, loaded from font files so that the pictures do not depend on
// what the build machine happens to have configured. Needs a QGuiApplication.
#pragma once

#include <QFont>
#include <string>

#include "tools/mkmodel/model_description.h"

// Family, weight and slant of each font; the painters set the pixel size.
struct SFontSet {
    QFont label, brand;
};

// The folder the tool looks in unless it is told another (Debian's fonts-dejavu-core).
constexpr const char* kDefaultFontFolder = "/usr/share/fonts/truetype/dejavu";

// 1 on success; 0 with the reason in error.
int LoadFonts(const SModelDescription& d, const std::string& folder, SFontSet& out,
              std::string& error);
