#include "tools/mkmodel/fonts.h"

#include <QFontDatabase>
#include <QFileInfo>
#include <QStringList>

#include "util/strfmt.h"

namespace {

int LoadOne(const std::string& folder, const std::string& file, QFont& out, std::string& error) {
    QString path = QString::fromStdString(folder) + "/" + QString::fromStdString(file);
    if (!QFileInfo::exists(path)) {
        error = StrFormat("font '%s' not found in '%s' (install fonts-dejavu-core, or give "
                          "the folder with --font-dir)",
                          file.c_str(), folder.c_str());
        return 0;
    }
    int id = QFontDatabase::addApplicationFont(path);
    QStringList families = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) {
        error = StrFormat("'%s' is not a font file this tool can read", path.toUtf8().constData());
        return 0;
    }
    // Qt picks the face of a family by weight and slant: ask for the ones this file has.
    QString name = QString::fromStdString(file).toLower();
    out = QFont(families.first());
    out.setBold(name.contains("bold"));
    out.setItalic(name.contains("oblique") || name.contains("italic"));
    out.setHintingPreference(QFont::PreferNoHinting);
    return 1;
}

}  // namespace

int LoadFonts(const SModelDescription& d, const std::string& folder, SFontSet& out,
              std::string& error) {
    return LoadOne(folder, d.labelFont, out.label, error) &&
           LoadOne(folder, d.brandFont, out.brand, error);
}
