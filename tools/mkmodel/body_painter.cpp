#include "tools/mkmodel/body_painter.h"

#include <QLinearGradient>
#include <algorithm>

#include "tools/mkmodel/paint_colours.h"

void PaintBody(QPainter& painter, const SBodyDesc& body, const SPixelRect& area, double scale) {
    const QRectF outer(area.left, area.top, area.Width(), area.Height());
    const double radius = body.cornerRadius * scale;
    const double bevel = std::max(1.0, body.bevel * scale);
    painter.setPen(Qt::NoPen);

    // The rim: lit from the top left, in shade at the bottom right.
    QLinearGradient rim(outer.topLeft(), outer.bottomRight());
    rim.setColorAt(0, ToQColor(body.edgeLight));
    rim.setColorAt(1, ToQColor(body.edgeDark));
    painter.setBrush(rim);
    painter.drawRoundedRect(outer, radius, radius);

    // The face: a slight top-to-bottom fall-off, as a matt plastic case has under a lamp.
    const QRectF face = outer.adjusted(bevel, bevel, -bevel, -bevel);
    const double faceRadius = std::max(0.0, radius - bevel);
    QLinearGradient fall(face.topLeft(), face.bottomLeft());
    fall.setColorAt(0, ToQColor(body.color).lighter(112));
    fall.setColorAt(1, ToQColor(body.color).darker(108));
    painter.setBrush(fall);
    painter.drawRoundedRect(face, faceRadius, faceRadius);

    // A dark hairline around the case keeps its edge crisp on a light window.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(ToQColor(body.edgeDark).darker(140), 1));
    painter.drawRoundedRect(outer.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

QImage FlattenOnto(const QImage& art, HexColour edgeBlend, HexColour transparent) {
    QImage premultiplied = art.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage out(art.size(), QImage::Format_RGB32);
    const QRgb key = 0xFF000000u | transparent;
    const int br = int((edgeBlend >> 16) & 0xFF), bg = int((edgeBlend >> 8) & 0xFF),
              bb = int(edgeBlend & 0xFF);
    for (int y = 0; y < art.height(); ++y) {
        const QRgb* from = reinterpret_cast<const QRgb*>(premultiplied.constScanLine(y));
        QRgb* to = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < art.width(); ++x) {
            const int a = qAlpha(from[x]);
            if (a == 0) {
                to[x] = key;
                continue;
            }
            const int rest = 255 - a;
            QRgb blended = qRgb(qRed(from[x]) + (br * rest + 127) / 255,
                                qGreen(from[x]) + (bg * rest + 127) / 255,
                                qBlue(from[x]) + (bb * rest + 127) / 255);
            if (blended == key) blended ^= 1;  // one step of blue nobody sees
            to[x] = blended;
        }
    }
    return out;
}
