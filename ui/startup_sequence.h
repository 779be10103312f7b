// The simulator's start-up, in its order, without a window.
//
// RunStartup makes the program's folder the current directory and then, from that folder:
//   1. loads the small and the large panel file (host.LoadPanel);
//   2. reads the segment LCD file (host.LoadSegLcd);
//   3. lets the host enable and run its layout at the first window size;
//   4. reads and unwraps the firmware container into the image buffer;
//   5. reads "Novaro.ini" when there is one (panel pictures through host.LoadPanelPicture)
//      and hands its window effects to host.ApplyConfig;
//   6. checks that the image buffer holds bytes;
//   7. lets the host create and start the emulator, set up the capture folder and start the
//      display refresh, in that order.
// A failure in steps 1, 2, 4 or 6 shows its message (error icon) and ends start-up with exit
// code 1 before any emulator exists: "Failed to open '%s'" with the file's path (after the
// file's own message, where it has one), the container's own messages, "ICE Bin not loaded".
#pragma once

#include <string>

#include "app/startup_config.h"

class CBuf;
class CIni;

// The files start-up reads, inside the program's folder.
struct SStartupFiles {
    std::string smallPanel;  // ZT_K318V_SP.CalPnl
    std::string largePanel;  // ZT_K318V_LP.CalPnl
    std::string segLcd;      // ZT_K318V.SegLcd
    std::string container;   // ZT_K318V.eepm
    std::string config;      // Novaro.ini
};
SStartupFiles StartupFilesIn(const std::string& folder);

// What start-up asks of the main dialog.
class IStartupHost {
public:
    virtual ~IStartupHost() = default;
    // panel 0 small, 1 large. False when the file cannot be used (its own message shown).
    virtual bool LoadPanel(int panel, const std::string& path) = 0;
    virtual bool LoadSegLcd(const std::string& path) = 0;
    virtual void EnableLayout() = 0;
    // False when the file cannot be read as a BMP picture (start-up shows the message).
    virtual bool LoadPanelPicture(PanelSize panel, PanelPicture which, const std::string& path) = 0;
    virtual void ApplyConfig(const StartupConfig& config) = 0;
    virtual void StartEmulator(const CBuf& image) = 0;
    virtual void SetUpCapture() = 0;
    virtual void StartRefresh() = 0;
};

inline constexpr int kStartupRuns = 0;
inline constexpr int kStartupFailedExitCode = 1;

// Returns kStartupRuns, or kStartupFailedExitCode after a fatal message.
int RunStartup(IStartupHost& host, const std::string& folder, CBuf& image, CIni& ini);
