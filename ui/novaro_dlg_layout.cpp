// The main dialog's layout: when it runs and how its record is applied to the windows.
#include <QEvent>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include "ui/calc_panel.h"
#include "ui/novaro_dlg.h"
#include "ui/seg_lcd_wnd.h"

namespace {

ShowState ShowStateOf(Qt::WindowStates states) {
    if (states & Qt::WindowMinimized) return ShowState::Minimised;
    if (states & Qt::WindowFullScreen) return ShowState::Other;
    if (states & Qt::WindowMaximized) return ShowState::Maximised;
    return ShowState::Normal;
}

QRect ToQRect(const LayoutRect& r) {
    return QRect(r.left, r.top, r.Width(), r.Height());
}

}  // namespace

LayoutInput CNovaroDlg::CurrentLayoutInput() const {
    LayoutInput in;
    in.state = ShowStateOf(windowState());
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen)
        in.workArea = {screen->availableGeometry().width(), screen->availableGeometry().height()};
    for (int i = 0; i < 2; ++i) {
        const CPixBuf& picture = m_panels[i]->PanelModel().Display();
        in.panels[i] = {picture.Width(), picture.Height()};
    }
    for (int n = 0; n < m_segLcd.LayoutCount(); ++n) {
        const CPixBuf& picture = m_segLcd.Layout(n)->Picture();
        in.lcdLayouts.push_back({picture.Width(), picture.Height()});
    }
    return in;
}

void CNovaroDlg::RunLayout() {
    if (!m_layoutEnabled) return;
    if (std::optional<DialogLayout> layout = ComputeDialogLayout(CurrentLayoutInput()))
        ApplyLayout(*layout);
}

void CNovaroDlg::ApplyLayout(const DialogLayout& layout) {
    CCalcPanel* shown = m_panels[layout.panel];
    CCalcPanel* hidden = m_panels[1 - layout.panel];
    hidden->SetLcdLayout(nullptr);
    hidden->hide();
    shown->SetLcdLayout(m_segLcd.Layout(layout.overlayLayout));
    shown->SetLitSegments(m_litSegments);
    shown->Redraw(false);
    shown->setGeometry(ToQRect(layout.panelRect));
    shown->show();

    m_lcdWindow->setGeometry(ToQRect(layout.lcdRect));
    if (const CSegLcdDat* lcd = m_segLcd.Layout(layout.lcdWindowLayout)) {
        // A new layout starts white; draw the present LCD into it at once.
        if (m_lcdWindow->Layout() != lcd) m_lcdWindow->AttachLayout(lcd);
        m_lcdWindow->DrawLitSegments(m_litSegments);
        m_lcdWindow->update();
    }

    m_captureButton->setGeometry(ToQRect(layout.captureRect));
    m_openFolderButton->setGeometry(ToQRect(layout.openFolderRect));
    m_openFolderButton->setEnabled(true);
    m_openFolderButton->show();
    m_resetButton->setGeometry(ToQRect(layout.resetRect));
    m_layout = layout;
    update();
}

void CNovaroDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (QWindow* window = windowHandle())
        connect(window, &QWindow::screenChanged, this, &CNovaroDlg::WatchScreen,
                Qt::UniqueConnection);
    WatchScreen(screen());
}

void CNovaroDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    RunLayout();
}

void CNovaroDlg::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    switch (event->type()) {
        case QEvent::WindowStateChange:
            RunLayout();  // restoring a minimised window lays it out again
            break;
        case QEvent::PaletteChange:
        case QEvent::ThemeChange:
        case QEvent::StyleChange:
            m_colourWatch = true;
            ReplacePanelTransparency();
            RunLayout();
            break;
        default:
            break;
    }
}

void CNovaroDlg::WatchScreen(QScreen* screen) {
    if (screen == m_watchedScreen) return;
    if (m_watchedScreen) disconnect(m_watchedScreen, nullptr, this, nullptr);
    m_watchedScreen = screen;
    if (!screen) return;
    connect(screen, &QScreen::availableGeometryChanged, this, &CNovaroDlg::RunLayout);
    connect(screen, &QScreen::geometryChanged, this, &CNovaroDlg::RunLayout);
}

void CNovaroDlg::ReplacePanelTransparency() {
    for (CCalcPanel* panel : m_panels)
        panel->ReplaceTransparency();
}

void CNovaroDlg::CheckButtonColour() {
    if (!m_colourWatch) return;
    CCalcPanel* small = m_panels[0];
    if (small->ButtonFaceColour() == small->PanelModel().ButtonFace()) return;
    ReplacePanelTransparency();
    RunLayout();
    m_colourWatch = false;
}
