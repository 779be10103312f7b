#include "ui/program_icon.h"

#include <QPainter>
#include <QPixmap>

namespace {

QPixmap PaintIcon(int side) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal u = side / 16.0;  // drawn on a 16 x 16 grid
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2c, 0x2f, 0x35));
    p.drawRoundedRect(QRectF(2 * u, 0.5 * u, 12 * u, 15 * u), 1.5 * u, 1.5 * u);
    p.setBrush(QColor(0xc8, 0xd0, 0xc0));
    p.drawRect(QRectF(3.5 * u, 2 * u, 9 * u, 3.5 * u));
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 3; ++col) {
            p.setBrush(row == 0 && col == 0 ? QColor(0xdd, 0x62, 0x36) : QColor(0xec, 0xea, 0xe4));
            p.drawRect(QRectF((3.5 + 3.2 * col) * u, (7 + 2.1 * row) * u, 2.4 * u, 1.4 * u));
        }
    return pixmap;
}

}  // namespace

QIcon ProgramIcon() {
    QIcon icon;
    for (int side : {16, 32, 48, 64})
        icon.addPixmap(PaintIcon(side));
    return icon;
}
