// CSegLcdWnd: a window that shows one LCD layout (segment LCD data) at its natural size.
//
// AttachLayout makes the window's picture the size of the layout's segment picture, white;
// DrawLitSegments draws a lit-segment list into it (CSegLcdDatSet::Draw) and repaints on
// success. A list that cannot be drawn (a segment without a record) leaves the picture, and
// so the screen, exactly as it was.
#pragma once

#include <QWidget>

#include "data/pix_buf.h"
#include "data/seg_lcd.h"

class CBuf;

class CSegLcdWnd : public QWidget {
    Q_OBJECT
public:
    explicit CSegLcdWnd(QWidget* parent = nullptr, Qt::WindowFlags flags = {});

    // The layout is not owned. nullptr detaches: no picture.
    void AttachLayout(const CSegLcdDat* layout);
    const CSegLcdDat* Layout() const { return m_view.layout; }
    // 1 when drawn (and a paint is scheduled), 0 when nothing changed.
    int DrawLitSegments(const CBuf& litSegments);

    // 32 bits (type 0), what the window shows.
    const CPixBuf& Picture() const { return m_picture; }
    const SLcdViewParams& View() const { return m_view; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CPixBuf m_picture;
    SLcdViewParams m_view;
};
