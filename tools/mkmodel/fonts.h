// The fonts of a description, loaded straight from their files so that the pictures look
// the same whatever fonts the build machine has configured. Needs a QGuiApplication (the
// offscreen platform is enough).
#pragma once

#include <QRawFont>
#include <QString>
#include <string>

#include "tools/mkmodel/model_description.h"

struct SFontSet {
    QRawFont label, brand;
};

// The folder the tool looks in unless it is told another (Debian's fonts-dejavu-core).
constexpr const char* kDefaultFontFolder = "/usr/share/fonts/truetype/dejavu";

// 1 on success; 0 with the reason in error.
int LoadFonts(const SModelDescription& d, const std::string& folder, SFontSet& out,
              std::string& error);

// The characters of text that the font has no glyph for, as "U+221A" items; empty when it
// can draw them all.
std::string MissingGlyphs(const QRawFont& font, const QString& text);
