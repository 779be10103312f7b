#include "tools/mkmodel/decoration_painter.h"

#include <QLinearGradient>
#include <algorithm>

#include "tools/mkmodel/json_fields.h"
#include "tools/mkmodel/paint_colours.h"
#include "tools/mkmodel/text_outline.h"
#include "util/strfmt.h"

namespace {

// A strip of amorphous silicon behind glass: dark brown cells with fine separations.
void PaintSolarCell(QPainter& painter, const SDesignRect& design, double scale) {
    const QRectF r(design.x * scale, design.y * scale, design.w * scale, design.h * scale);
    const double radius = std::max(1.0, 1.5 * scale);
    painter.setPen(QPen(QColor(0x16, 0x10, 0x0d), 1));
    QLinearGradient shine(r.topLeft(), r.bottomLeft());
    shine.setColorAt(0, QColor(0x5a, 0x40, 0x33));
    shine.setColorAt(0.5, QColor(0x3b, 0x29, 0x20));
    shine.setColorAt(1, QColor(0x2a, 0x1c, 0x16));
    painter.setBrush(shine);
    painter.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);

    constexpr int kCells = 4;
    painter.setPen(QPen(QColor(0x7a, 0x66, 0x58, 160), std::max(1.0, 0.8 * scale)));
    for (int i = 1; i < kCells; ++i) {
        const double x = r.left() + r.width() * i / kCells;
        painter.drawLine(QPointF(x, r.top() + 2), QPointF(x, r.bottom() - 2));
    }
}

}  // namespace

int PaintDecorations(QPainter& painter, const SModelDescription& d, const SFontSet& fonts,
                     double scale, std::string& error) {
    for (size_t i = 0; i < d.decorations.size(); ++i) {
        const SDecorationDesc& deco = d.decorations[i];
        if (deco.kind == EDecoration::SolarCell) {
            PaintSolarCell(painter, deco.rect, scale);
            continue;
        }
        const QRawFont& font = deco.font == "label" ? fonts.label : fonts.brand;
        const QString text = QString::fromStdString(deco.text);
        if (std::string missing = MissingGlyphs(font, text); !missing.empty()) {
            error = StrFormat("%s: the font has no glyph for %s",
                              FieldPlace(ElementPlace("decorations", i), "text").c_str(),
                              missing.c_str());
            return 0;
        }
        painter.setPen(Qt::NoPen);
        painter.setBrush(ToQColor(deco.color));
        painter.drawPath(
            TextOutline(font, text, deco.size * scale).translated(deco.x * scale, deco.y * scale));
    }
    return 1;
}
