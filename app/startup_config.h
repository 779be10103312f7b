// The configuration read at start-up ("Novaro.ini" in the program's folder).
//
// ReadStartupConfig runs the checks and reads the four sections in their order:
//   [PanelBmp]  SmallNormalPanelBmp, SmallPressPanelBmp, SmallHighlightPanelBmp,
//               LargeNormalPanelBmp, LargePressPanelBmp, LargeHighlightPanelBmp:
//               BMP pictures that replace the panels' pictures;
//   [TitleBar]  TitleStr: the main window's title;
//   [ICEBin]    BinPathName: a raw firmware image that replaces the container's image;
//   [Test]      ExtraLcd: numbers of LCD layouts to show in extra LCD windows.
// It does not act on windows: pictures go to the caller's loader as they are read, and the
// rest comes back in StartupConfig. Messages ("Failed to open '%s'", the value checks) go
// through the platform in the order the sections are read.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/ini.h"
#include "util/cbuf.h"

inline constexpr const char* kConfigFileName = "Novaro.ini";

enum class PanelSize { Small = 0, Large = 1 };
enum class PanelPicture { Normal = 0, Pressed = 1, Highlight = 2 };

struct StartupConfig {
    bool panelSection = false;  // [PanelBmp] was there: the panels refresh their pictures
    std::optional<std::string> title;
    bool imageReplaced = false;
    std::string imagePath;       // as written in the file
    std::vector<int> extraLcds;  // in file order; the caller stops at the first that fails
};

// Reads the BMP at path into the panel's picture; false when the file cannot be read as one.
using PanelPictureLoader =
    std::function<bool(PanelSize panel, PanelPicture which, const std::string& path)>;

// folder: where relative paths are taken from (empty: the current directory). image: the
// firmware image buffer, refilled by [ICEBin] when its file can be read.
StartupConfig ReadStartupConfig(CIni& ini, const std::string& folder, CBuf& image,
                                const PanelPictureLoader& loadPicture);

// Joins a relative path onto folder; absolute paths and an empty folder leave it as it is.
std::string ResolveConfigPath(const std::string& folder, const std::string& path);
