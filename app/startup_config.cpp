#include "app/startup_config.h"

#include <filesystem>

#include "util/file_bytes.h"
#include "util/platform.h"
#include "util/strfmt.h"

namespace {

// The first value of a one-string key, checked; nullopt when the key or value is missing.
std::optional<std::string> CheckedString(CIni& ini, int section, const char* key) {
    int k = ini.FindKey(section, key);
    if (k < 0) return std::nullopt;
    ini.CheckValues(section, k, 1, -1, "s");
    std::string value;
    if (!ini.GetString(section, k, 0, value)) return std::nullopt;
    return value;
}

void ReadPanelPictures(CIni& ini, const std::string& folder, StartupConfig& out,
                       const PanelPictureLoader& loadPicture) {
    int s = ini.FindSection("PanelBmp");
    if (s < 0) return;
    out.panelSection = true;
    static const char* const kKeys[2][3] = {
        {"SmallNormalPanelBmp", "SmallPressPanelBmp", "SmallHighlightPanelBmp"},
        {"LargeNormalPanelBmp", "LargePressPanelBmp", "LargeHighlightPanelBmp"}};
    for (int panel = 0; panel < 2; ++panel)
        for (int which = 0; which < 3; ++which) {
            auto path = CheckedString(ini, s, kKeys[panel][which]);
            if (!path) continue;
            bool loaded = loadPicture && loadPicture(PanelSize(panel), PanelPicture(which),
                                                     ResolveConfigPath(folder, *path));
            if (!loaded) ShowError(StrFormat("Failed to open '%s'", path->c_str()));
        }
}

void ReadImage(CIni& ini, const std::string& folder, CBuf& image, StartupConfig& out) {
    int s = ini.FindSection("ICEBin");
    if (s < 0) return;
    auto path = CheckedString(ini, s, "BinPathName");
    if (!path) return;
    CBuf bytes;
    if (ReadFileBytes(ResolveConfigPath(folder, *path), bytes) != FileRead::Ok) {
        ShowError(StrFormat("Failed to open '%s'", path->c_str()));
        return;
    }
    image.Assign(0, 1, nullptr, 0, 10);
    image.Append(bytes.Data(), bytes.TotalBytes());
    image.SetGrowStep(10);
    out.imageReplaced = true;
    out.imagePath = *path;
}

void ReadExtraLcds(CIni& ini, StartupConfig& out) {
    int s = ini.FindSection("Test");
    int k = s < 0 ? -1 : ini.FindKey(s, "ExtraLcd");
    if (k < 0) return;
    ini.CheckValues(s, k, -1, -1, "0~");
    int layout = 0;
    for (int i = 0; ini.GetInt(s, k, i, layout); ++i)
        out.extraLcds.push_back(layout);
}

}  // namespace

std::string ResolveConfigPath(const std::string& folder, const std::string& path) {
    if (folder.empty() || path.empty()) return path;
    std::filesystem::path p(path);
    if (p.is_absolute()) return path;
    return (std::filesystem::path(folder) / p).string();
}

StartupConfig ReadStartupConfig(CIni& ini, const std::string& folder, CBuf& image,
                                const PanelPictureLoader& loadPicture) {
    StartupConfig out;
    ReadPanelPictures(ini, folder, out, loadPicture);
    int title = ini.FindSection("TitleBar");
    if (title >= 0) out.title = CheckedString(ini, title, "TitleStr");
    ReadImage(ini, folder, image, out);
    ReadExtraLcds(ini, out);
    return out;
}
