#include "tools/mkmodel/model_builder.h"

#include <filesystem>
#include <memory>

#include "data/panel_file.h"
#include "data/seg_lcd.h"
#include "data/vkb_data.h"
#include "tools/mkmodel/fonts.h"
#include "tools/mkmodel/panel_file_builder.h"
#include "tools/mkmodel/panel_geometry.h"
#include "tools/mkmodel/panel_painter.h"
#include "tools/mkmodel/png_export.h"
#include "tools/mkmodel/seg_lcd_builder.h"
#include "util/strfmt.h"

namespace {

struct SPanelBuild {
    std::string suffix;  // of the file name: "_SP", "_LP"
    SPanelGeometry geometry;
    CVkbData data;
    CBuf keyMap;
};

std::string PanelSuffix(const SPanelDesc& panel) {
    return panel.role == "small" ? "_SP" : "_LP";
}

std::string InFolder(const std::string& folder, const std::string& name) {
    return (std::filesystem::path(folder) / name).string();
}

}  // namespace

int BuildModelFiles(const SModelDescription& d, const SBuildTargets& targets,
                    std::vector<std::string>& written, std::string& error) {
    // Mistakes found while painting are mistakes of the description: name its file.
    auto inDescription = [&d, &error]() {
        error = d.path + ": " + error;
        return 0;
    };
    SFontSet fonts;
    if (!LoadFonts(d, targets.fontFolder, fonts, error)) return inDescription();

    std::vector<SSegmentPicture> segmentPictures;
    CSegLcdDatSet lcd;
    if (!PaintSegmentPictures(d, segmentPictures, error)) return inDescription();
    if (!BuildSegLcdSet(d, segmentPictures, lcd)) {
        error = "the segment pictures cannot be stored";
        return 0;
    }

    std::vector<std::unique_ptr<SPanelBuild>> panels;
    for (size_t i = 0; i < d.panels.size(); ++i) {
        auto panel = std::make_unique<SPanelBuild>();
        panel->suffix = PanelSuffix(d.panels[i]);
        panel->geometry = LayOutPanel(d, int(i));
        SPanelPictures pictures;
        if (!PaintPanel(d, panel->geometry, fonts, pictures, error)) return inDescription();
        if (!BuildPanelData(d, panel->geometry, pictures, panel->data, panel->keyMap)) {
            error = "the panel pictures cannot be stored";
            return 0;
        }
        panels.push_back(std::move(panel));
    }

    std::error_code ec;
    std::filesystem::create_directories(targets.outFolder, ec);
    const std::string lcdPath = InFolder(targets.outFolder, d.model + ".SegLcd");
    if (!lcd.Save(lcdPath, CSegLcdDatSet::kSectionLabel, 0)) {
        error = StrFormat("cannot write '%s'", lcdPath.c_str());
        return 0;
    }
    written.push_back(StrFormat("%s: %d LCD layouts", lcdPath.c_str(), lcd.LayoutCount()));
    for (const auto& panel : panels) {
        const std::string path = InFolder(targets.outFolder, d.model + panel->suffix + ".CalPnl");
        if (!SavePanelFile(path, panel->data, panel->keyMap, 0)) {
            error = StrFormat("cannot write '%s'", path.c_str());
            return 0;
        }
        written.push_back(StrFormat("%s: %d x %d pixels, %zu keys", path.c_str(),
                                    panel->geometry.width, panel->geometry.height, d.keys.size()));
    }

    if (targets.pngFolder.empty()) return 1;
    std::vector<SBuiltPanel> shown;
    for (size_t i = 0; i < panels.size(); ++i)
        shown.push_back({panels[i]->suffix, &panels[i]->data, int(i)});
    if (!WritePngPictures(targets.pngFolder, d.model, shown, lcd, error)) return 0;
    written.push_back(StrFormat("PNG pictures in %s", targets.pngFolder.c_str()));
    return 1;
}
