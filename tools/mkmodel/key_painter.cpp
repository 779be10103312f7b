#include "tools/mkmodel/key_painter.h"

#include <QLinearGradient>
#include <algorithm>
#include <cmath>

#include "tools/mkmodel/paint_colours.h"

namespace {

// How far the cap stands above the case, and the rounding of its corners, at scale 1.
constexpr double kTravel = 2.5;
constexpr double kCornerRadius = 4.5;

double Travel(double scale) {
    return std::max(2.0, std::round(kTravel * scale));
}

double Radius(double scale) {
    return std::max(2.5, kCornerRadius * scale);
}

QColor CapColour(const QColor& face, EKeyLook look) {
    switch (look) {
        case EKeyLook::Pressed:
            return face.darker(122);
        case EKeyLook::Highlight:
            return TowardWhite(face, 0.28);
        case EKeyLook::Normal:
            break;
    }
    return face;
}

}  // namespace

QRectF KeyCapRect(const SPixelRect& key, double scale) {
    // One column is kept free on the right for the pressed cap to move into.
    return QRectF(key.left, key.top, key.Width() - 1, key.Height() - Travel(scale));
}

void PaintKey(QPainter& painter, const SPixelRect& key, const SKeyPaint& paint, EKeyLook look,
              double scale) {
    const double travel = Travel(scale), radius = Radius(scale);
    const double shift = look == EKeyLook::Pressed ? 1 : 0;
    const QRectF cap = KeyCapRect(key, scale).translated(shift, shift);
    const QColor capColour = CapColour(paint.face, look);
    painter.setPen(Qt::NoPen);

    // The side wall below the cap; its bottom stays on the case when the cap goes down.
    const QRectF wall(cap.left(), key.top + travel, cap.width(), key.Height() - travel);
    painter.setBrush(paint.face.darker(190));
    painter.drawRoundedRect(wall, radius, radius);

    QLinearGradient curve(cap.topLeft(), cap.bottomLeft());
    curve.setColorAt(0, capColour.lighter(108));
    curve.setColorAt(1, capColour.darker(106));
    painter.setBrush(curve);
    painter.drawRoundedRect(cap, radius, radius);

    // A glint along the upper edge of the cap.
    QLinearGradient glint(cap.topLeft(), cap.bottomLeft());
    glint.setColorAt(0, QColor(255, 255, 255, look == EKeyLook::Pressed ? 40 : 110));
    glint.setColorAt(0.5, QColor(255, 255, 255, 0));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QBrush(glint), 1));
    painter.drawRoundedRect(cap.adjusted(0.5, 0.5, -0.5, -0.5), radius - 0.5, radius - 0.5);

    painter.setPen(Qt::NoPen);
    painter.setBrush(paint.label);
    painter.drawPath(paint.labelOutline.translated(cap.center()));
}
