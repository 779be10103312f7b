// CNovaroDlg: the simulator's main dialog. It owns everything of the running program: the
// small and the large calculator panel, the main LCD window, the extra LCD windows, the
// segment LCD data, the configuration, the firmware image and the emulator.
//
//   CNovaroDlg dialog(programFolder);
//   if (int code = dialog.Start()) return code;   // start-up failed, its message was shown
//   dialog.exec();                                 // until Cancel, Escape or the close box
//
// Start runs the start-up sequence (startup_sequence.h). From then on a 100 ms timer reads
// the LCD memory into the lit-segment list and draws it into the LCD window, the shown
// panel's LCD and every extra LCD window. Key presses on the panel tap the emulated key
// matrix. The buttons: Capture (the LCD picture as a BMP file, enabled only when the
// capture folder is known), Open Image Folder (the folder in the desktop's file manager)
// and Reset (restarts the firmware). F1 opens the about box; there is no context menu.
//
// Layout (dialog_layout.h): a normal window shows the small panel, a maximised one the
// large panel when the work area is tall enough, and the widest LCD layout that fits beside
// it; a minimised window is left alone. It runs on every resize and show-state change,
// when the screen's work area changes, after the configuration replaced panel pictures, and
// when the palette's button colour changes (the panels' transparent colour follows it).
//
// The emulation thread never reaches this dialog: the dialog reads LCD memory through the
// display read and talks to the emulator only through CEmulatorControl.
#pragma once

#include <QDialog>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "app/ini.h"
#include "data/seg_lcd.h"
#include "ui/dialog_layout.h"
#include "ui/emulator_control.h"
#include "ui/extra_lcd_manager.h"
#include "ui/lcd_capture.h"
#include "ui/startup_sequence.h"
#include "util/cbuf.h"

class CCalcPanel;
class CSegLcdWnd;
class QPushButton;
class QScreen;

class CNovaroDlg : public QDialog, private IStartupHost {
    Q_OBJECT
public:
    static constexpr int kRefreshRate = 10;  // LCD refreshes per second
    static constexpr const char* kDefaultTitle = "orvane";

    // programFolder: the folder the model's files are read from, the program's own.
    explicit CNovaroDlg(const std::string& programFolder, QWidget* parent = nullptr);
    ~CNovaroDlg() override;

    // The start-up sequence; 0 when the dialog runs, else the program's exit code (1).
    int Start();

    // The commands of the buttons, and one tick of the display refresh.
    void Capture();
    void OpenImageFolder();
    void ResetEmulator();
    void RefreshLcd();
    // Lays the dialog out for its show state (nothing while layout is not yet enabled).
    void RunLayout();

    // Replaces the way a folder is opened in the file manager (tests); true when it opened.
    void SetFolderOpener(std::function<bool(const std::string& folder)> opener);

    // For tests and diagnostics.
    CCalcPanel* Panel(int index) const { return m_panels[index]; }
    CSegLcdWnd* LcdWindow() const { return m_lcdWindow; }
    QPushButton* CaptureButton() const { return m_captureButton; }
    QPushButton* OpenFolderButton() const { return m_openFolderButton; }
    QPushButton* ResetButton() const { return m_resetButton; }
    const DialogLayout& CurrentLayout() const { return m_layout; }
    const std::string& CaptureFolder() const { return m_captureFolder; }
    const SCaptureResult& LastCapture() const { return m_lastCapture; }
    const CSegLcdDatSet& SegLcd() const { return m_segLcd; }
    CEmulatorControl& Emulator() { return m_emulator; }
    CExtraLcdManager& ExtraLcds() { return m_extraLcds; }
    const CBuf& LitSegments() const { return m_litSegments; }
    bool RefreshRunning() const { return m_refreshTimer.isActive(); }

public slots:
    // The close sequence (Cancel, Escape and the close box): the refresh stops, the extra
    // LCD windows close, the emulator stops and is deleted.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // IStartupHost
    bool LoadPanel(int panel, const std::string& path) override;
    bool LoadSegLcd(const std::string& path) override;
    void EnableLayout() override;
    bool LoadPanelPicture(PanelSize panel, PanelPicture which, const std::string& path) override;
    void ApplyConfig(const StartupConfig& config) override;
    void StartEmulator(const CBuf& image) override;
    void SetUpCapture() override;
    void StartRefresh() override;

    void CreateChildren();
    void ApplyLayout(const DialogLayout& layout);
    LayoutInput CurrentLayoutInput() const;
    void WatchScreen(QScreen* screen);
    void ReplacePanelTransparency();
    void CheckButtonColour();
    std::string SetUpCaptureFolderNow();
    void CloseDown();

    std::string m_programFolder;
    bool m_layoutEnabled = false;
    DialogLayout m_layout;
    bool m_colourWatch = false;
    CCalcPanel* m_panels[2] = {nullptr, nullptr};
    CSegLcdWnd* m_lcdWindow = nullptr;
    QPushButton* m_captureButton = nullptr;
    QPushButton* m_openFolderButton = nullptr;
    QPushButton* m_resetButton = nullptr;
    CSegLcdDatSet m_segLcd;
    CExtraLcdManager m_extraLcds;
    CIni m_ini;
    CBuf m_image;
    CEmulatorControl m_emulator;
    CBuf m_litSegments;
    QTimer m_refreshTimer;
    std::string m_captureFolder;
    SCaptureResult m_lastCapture;
    std::function<bool(const std::string&)> m_openFolder;
    QScreen* m_watchedScreen = nullptr;
};
