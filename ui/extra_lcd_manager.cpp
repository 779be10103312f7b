#include "ui/extra_lcd_manager.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "data/seg_lcd.h"
#include "ui/frame_metrics.h"
#include "util/platform.h"

namespace {

LayoutSize ScreenSizeOf(const QWidget& window) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen) return {};
    return {screen->geometry().width(), screen->geometry().height()};
}

}  // namespace

CExtraLcdManager::CExtraLcdManager(QWidget* parent, const CSegLcdDatSet* set)
    : CExtraLcdManager(parent, set, parent ? FrameMetricsOf(*parent->style()) : SFrameMetrics{}) {}

CExtraLcdManager::CExtraLcdManager(QWidget* parent, const CSegLcdDatSet* set,
                                   const SFrameMetrics& metrics)
    : m_parent(parent), m_set(set), m_metrics(metrics) {}

CExtraLcdManager::~CExtraLcdManager() {
    Clear();
}

int CExtraLcdManager::Open(int layoutNumber) {
    const CSegLcdDat* layout = m_parent && m_set ? m_set->Layout(layoutNumber) : nullptr;
    if (!layout) return 0;
    // A top-level window of its own, owned by (and destroyed with) the parent.
    auto* window = new CSegLcdWnd(m_parent, Qt::Window);
    window->setObjectName("SegLcdWnd");
    window->AttachLayout(layout);
    // The picture at 1:1 fills the window; the frame is the window system's.
    LayoutSize picture{layout->Picture().Width(), layout->Picture().Height()};
    window->resize(picture.width, picture.height);
    window->move(0, 0);
    window->show();
    window->setWindowTitle(QString::fromStdString(ExtraLcdTitle(layoutNumber)));
    m_windows.emplace_back(window);
    if (ExceedsScreen(ExtraLcdWindowSize(picture, m_metrics), ScreenSizeOf(*window)))
        ShowWarning(ExtraLcdTooLargeMessage(layoutNumber));
    return 1;
}

void CExtraLcdManager::Refresh(const CBuf& litSegments) {
    for (const QPointer<CSegLcdWnd>& window : m_windows)
        if (window) window->DrawLitSegments(litSegments);
}

void CExtraLcdManager::Clear() {
    for (QPointer<CSegLcdWnd>& window : m_windows)
        delete window.data();
    m_windows.clear();
}

int CExtraLcdManager::Count() const {
    int n = 0;
    for (const QPointer<CSegLcdWnd>& window : m_windows)
        if (window) ++n;
    return n;
}

CSegLcdWnd* CExtraLcdManager::Window(int i) const {
    for (const QPointer<CSegLcdWnd>& window : m_windows)
        if (window && i-- == 0) return window.data();
    return nullptr;
}
