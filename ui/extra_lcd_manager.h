// CExtraLcdManager: the extra LCD windows, top-level windows owned by the main dialog, each
// showing another layout of the segment LCD data ("Extra LCD [n]").
//
//   CExtraLcdManager extra(dialog, &segLcdSet);
//   for (int n : config.extraLcds) if (!extra.Open(n)) break;
//   every refresh: extra.Refresh(litSegments);
//   extra.Clear();                     // also done by the destructor
//
// Open fails without a message when the manager has no parent or no data set, or the layout
// number is not one of the set's. A window whose outer size (extra_lcd_size.h) exceeds the
// screen opens anyway, and the message "the window (Extra LCD [n]) size is limited in
// desktop size. ..." is shown through the platform. Everything runs on the GUI thread.
#pragma once

#include <QPointer>
#include <vector>

#include "ui/extra_lcd_size.h"
#include "ui/seg_lcd_wnd.h"

class CBuf;
class CSegLcdDatSet;
class QWidget;

class CExtraLcdManager {
public:
    // Frame metrics from the parent's style when none are given.
    CExtraLcdManager(QWidget* parent, const CSegLcdDatSet* set);
    CExtraLcdManager(QWidget* parent, const CSegLcdDatSet* set, const SFrameMetrics& metrics);
    ~CExtraLcdManager();
    CExtraLcdManager(const CExtraLcdManager&) = delete;
    CExtraLcdManager& operator=(const CExtraLcdManager&) = delete;

    // Opens a window for layout n and appends it; 1 when opened.
    int Open(int layoutNumber);
    // Draws the list into every window, in order; each repaints when its drawing succeeded.
    void Refresh(const CBuf& litSegments);
    // Closes and destroys every window.
    void Clear();

    // Windows open (those the parent has destroyed already are not counted).
    int Count() const;
    // The i-th open window, in opening order; nullptr out of range.
    CSegLcdWnd* Window(int i) const;

private:
    QWidget* m_parent;
    const CSegLcdDatSet* m_set;
    SFrameMetrics m_metrics;
    // The parent owns the windows as Qt children too; QPointer notices when it went first.
    std::vector<QPointer<CSegLcdWnd>> m_windows;
};
