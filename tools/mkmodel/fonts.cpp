#include "tools/mkmodel/fonts.h"

#include <QFileInfo>
#include <QList>

#include "util/strfmt.h"

namespace {

// The size the fonts are loaded at; painters ask for the size they need.
constexpr double kLoadPixelSize = 32;

int LoadOne(const std::string& folder, const std::string& file, QRawFont& out, std::string& error) {
    QString path = QString::fromStdString(folder) + "/" + QString::fromStdString(file);
    if (!QFileInfo::exists(path)) {
        error = StrFormat(
            "font '%s' not found in '%s' (install fonts-dejavu-core, or give the folder with "
            "--font-dir)",
            file.c_str(), folder.c_str());
        return 0;
    }
    QRawFont font(path, kLoadPixelSize, QFont::PreferNoHinting);
    if (!font.isValid()) {
        error = StrFormat("'%s' is not a font file this tool can read", path.toUtf8().constData());
        return 0;
    }
    out = font;
    return 1;
}

}  // namespace

int LoadFonts(const SModelDescription& d, const std::string& folder, SFontSet& out,
              std::string& error) {
    return LoadOne(folder, d.labelFont, out.label, error) &&
           LoadOne(folder, d.brandFont, out.brand, error);
}

std::string MissingGlyphs(const QRawFont& font, const QString& text) {
    std::string missing;
    for (char32_t c : text.toUcs4()) {
        if (c == ' ' || font.supportsCharacter(c)) continue;
        missing += StrFormat("%sU+%04X", missing.empty() ? "" : ", ", unsigned(c));
    }
    return missing;
}
