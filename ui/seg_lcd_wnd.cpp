#include "ui/seg_lcd_wnd.h"

#include <QPainter>

#include "data/colour.h"
#include "ui/pix_buf_image.h"

CSegLcdWnd::CSegLcdWnd(QWidget* parent, Qt::WindowFlags flags) : QWidget(parent, flags) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CSegLcdWnd::AttachLayout(const CSegLcdDat* layout) {
    m_view = SLcdViewParams{};
    m_view.layout = layout;
    m_picture.Reset();
    if (layout && m_picture.Create(layout->Picture().Width(), layout->Picture().Height(), 0))
        m_picture.FillAll(kWhite);
    updateGeometry();
    update();
}

int CSegLcdWnd::DrawLitSegments(const CBuf& litSegments) {
    if (!CSegLcdDatSet::Draw(m_picture, m_view, litSegments)) return 0;
    update();
    return 1;
}

QSize CSegLcdWnd::sizeHint() const {
    return {m_picture.Width(), m_picture.Height()};
}

void CSegLcdWnd::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Beyond the picture (a window larger than its layout) the LCD's white goes on.
    painter.fillRect(rect(), Qt::white);
    QImage image = ImageOf(m_picture);
    if (!image.isNull()) painter.drawImage(0, 0, image);
}
