#include "ui/startup_sequence.h"

#include <filesystem>
#include <system_error>

#include "app/firmware_container.h"
#include "app/ini_file.h"
#include "ui/capture_folder.h"
#include "util/cbuf.h"
#include "util/platform.h"
#include "util/strfmt.h"

namespace {

int FailedToOpen(const std::string& path) {
    ShowError(StrFormat("Failed to open '%s'", path.c_str()));
    return kStartupFailedExitCode;
}

}  // namespace

SStartupFiles StartupFilesIn(const std::string& folder) {
    const std::string base = WithTrailingSeparator(folder) + kModelCode;
    return {base + "_SP.CalPnl", base + "_LP.CalPnl", base + ".SegLcd", base + kContainerSuffix,
            WithTrailingSeparator(folder) + kConfigFileName};
}

int RunStartup(IStartupHost& host, const std::string& folder, CBuf& image, CIni& ini) {
    std::error_code ignored;  // the files are named by full path either way
    std::filesystem::current_path(folder, ignored);
    const SStartupFiles files = StartupFilesIn(folder);

    if (!host.LoadPanel(0, files.smallPanel)) return FailedToOpen(files.smallPanel);
    if (!host.LoadPanel(1, files.largePanel)) return FailedToOpen(files.largePanel);
    if (!host.LoadSegLcd(files.segLcd)) return FailedToOpen(files.segLcd);
    host.EnableLayout();

    if (LoadFirmwareContainer(files.container, image) != FirmwareLoad::Ok)
        return kStartupFailedExitCode;
    if (CIniFile::Load(files.config, ini)) {
        StartupConfig config = ReadStartupConfig(
            ini, folder, image,
            [&host](PanelSize panel, PanelPicture which, const std::string& path) {
                return host.LoadPanelPicture(panel, which, path);
            });
        host.ApplyConfig(config);
    }
    if (image.TotalBytes() == 0) {
        ShowError("ICE Bin not loaded");
        return kStartupFailedExitCode;
    }

    host.StartEmulator(image);
    host.SetUpCapture();
    host.StartRefresh();
    return kStartupRuns;
}
