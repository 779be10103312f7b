#include "tools/mkmodel/lcd_window_painter.h"

#include <QLinearGradient>
#include <algorithm>

#include "tools/mkmodel/paint_colours.h"
#include "tools/mkmodel/segment_picture.h"

namespace {

QRectF ToRectF(const SPixelRect& r) {
    return QRectF(r.left, r.top, r.Width(), r.Height());
}

}  // namespace

void PaintLcdBezel(QPainter& painter, const SLcdDesc& lcd, const SPanelGeometry& g) {
    const QColor bezel = ToQColor(lcd.bezelColor);
    const double radius = lcd.bezelRadius * g.scale;
    const QRectF outer = ToRectF(g.lcdBezel);
    painter.setPen(Qt::NoPen);

    // The bezel stands a little proud of the case: light upper edge, dark lower edge.
    QLinearGradient edge(outer.topLeft(), outer.bottomLeft());
    edge.setColorAt(0, bezel.lighter(150));
    edge.setColorAt(1, bezel.darker(150));
    painter.setBrush(edge);
    painter.drawRoundedRect(outer, radius, radius);
    painter.setBrush(bezel);
    painter.drawRoundedRect(outer.adjusted(1, 1, -1, -1), std::max(0.0, radius - 1),
                            std::max(0.0, radius - 1));

    // The glass sits in a recess: shaded at the top, catching light at the bottom.
    const double lip = std::max(1.5, 2.0 * g.scale);
    const QRectF recess = ToRectF(g.lcdGlass).adjusted(-lip, -lip, lip, lip);
    QLinearGradient sunk(recess.topLeft(), recess.bottomLeft());
    sunk.setColorAt(0, bezel.darker(220));
    sunk.setColorAt(1, bezel.lighter(170));
    painter.setBrush(sunk);
    painter.drawRoundedRect(recess, lip, lip);
}

void PaintLcdGlass(QImage& picture, const SPanelGeometry& g) {
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(
        QRect(g.lcdGlass.left, g.lcdGlass.top, g.lcdGlass.Width(), g.lcdGlass.Height()),
        ToQColor(kSegmentBackground));
}
