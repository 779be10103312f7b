// The main dialog's buttons (Capture, Open Image Folder, Reset) and its display refresh.
#include <QApplication>
#include <QPushButton>
#include <QStandardPaths>
#include <ctime>

#include "ui/calc_panel.h"
#include "ui/capture_folder.h"
#include "ui/novaro_dlg.h"
#include "ui/seg_lcd_wnd.h"
#include "ui/wait_cursor.h"
#include "util/platform.h"
#include "util/strfmt.h"

namespace {

std::tm LocalTimeNow() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

}  // namespace

void CNovaroDlg::RefreshLcd() {
    if (m_emulator.ReadLitSegments(m_litSegments) && m_lcdWindow->isVisible()) {
        m_lcdWindow->DrawLitSegments(m_litSegments);
        CCalcPanel* shown = m_panels[m_layout.panel];
        shown->SetLitSegments(m_litSegments);
        shown->Redraw(true);
        m_extraLcds.Refresh(m_litSegments);
    }
    CheckButtonColour();
}

std::string CNovaroDlg::SetUpCaptureFolderNow() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return SetUpCaptureFolder(documents.toStdString(), m_programFolder);
}

void CNovaroDlg::SetUpCapture() {
    m_captureFolder = SetUpCaptureFolderNow();
    m_captureButton->setEnabled(!m_captureFolder.empty());
}

void CNovaroDlg::Capture() {
    m_lastCapture = CaptureLcdPicture(
        m_captureFolder, [this] { return SetUpCaptureFolderNow(); }, m_lcdWindow->Picture(),
        LocalTimeNow(),
        [](bool busy) {
            if (busy)
                QApplication::setOverrideCursor(Qt::WaitCursor);
            else
                QApplication::restoreOverrideCursor();
        });
    m_captureButton->setEnabled(!m_captureFolder.empty());
}

void CNovaroDlg::SetFolderOpener(std::function<bool(const std::string& folder)> opener) {
    m_openFolder = std::move(opener);
}

void CNovaroDlg::OpenImageFolder() {
    bool opened = false;
    {
        CWaitCursor wait;
        opened = m_openFolder && m_openFolder(m_captureFolder);
    }
    if (!opened) ShowPlain(StrFormat("Failed to open folder '%s'", m_captureFolder.c_str()));
}

void CNovaroDlg::ResetEmulator() {
    CWaitCursor wait;
    m_emulator.Restart(m_image);
}
