#include "tools/mkmodel/panel_painter.h"

#include <QPainter>
#include <vector>

#include "tools/mkmodel/body_painter.h"
#include "tools/mkmodel/decoration_painter.h"
#include "tools/mkmodel/json_fields.h"
#include "tools/mkmodel/key_painter.h"
#include "tools/mkmodel/lcd_window_painter.h"
#include "tools/mkmodel/paint_colours.h"
#include "tools/mkmodel/text_outline.h"
#include "util/strfmt.h"

namespace {

// A label fills at most this share of the cap's width, and by default its font size is
// this share of the cap's height.
constexpr double kLabelWidthShare = 0.72;
constexpr double kDefaultLabelShare = 0.56;

int PrepareKey(const SModelDescription& d, const SKeyDesc& k, const SPixelRect& rect,
               const SFontSet& fonts, double scale, SKeyPaint& out, std::string& error) {
    const SKeyStyle& style = d.keyStyles[size_t(k.style)];
    const QString text = QString::fromStdString(k.label);
    if (std::string missing = MissingGlyphs(fonts.label, text); !missing.empty()) {
        error = StrFormat("%s: the label font has no glyph for %s",
                          FieldPlace(k.place, "label").c_str(), missing.c_str());
        return 0;
    }
    const QRectF cap = KeyCapRect(rect, scale);
    const double size = k.labelSize > 0       ? k.labelSize * scale
                        : style.labelSize > 0 ? style.labelSize * scale
                                              : cap.height() * kDefaultLabelShare;
    QPainterPath outline = TextOutline(fonts.label, text, size);
    const double inkWidth = outline.boundingRect().width();
    const double room = cap.width() * kLabelWidthShare;
    if (inkWidth > room) outline = TextOutline(fonts.label, text, size * room / inkWidth);
    out.face = ToQColor(style.face);
    out.label = ToQColor(style.label);
    out.labelOutline = CentredOn(outline, QPointF(0, 0));
    return 1;
}

QImage PaintKeys(const QImage& base, const SPanelGeometry& g, const std::vector<SKeyPaint>& keys,
                 EKeyLook look) {
    QImage picture = base.copy();
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (size_t i = 0; i < keys.size(); ++i) {
        // Nothing of a key may reach outside its rectangle (see key_painter.h).
        painter.setClipRect(
            QRect(g.keys[i].left, g.keys[i].top, g.keys[i].Width(), g.keys[i].Height()));
        PaintKey(painter, g.keys[i], keys[i], look, g.scale);
    }
    return picture;
}

}  // namespace

int PaintPanel(const SModelDescription& d, const SPanelGeometry& g, const SFontSet& fonts,
               SPanelPictures& out, std::string& error) {
    std::vector<SKeyPaint> keys(d.keys.size());
    for (size_t i = 0; i < d.keys.size(); ++i)
        if (!PrepareKey(d, d.keys[i], g.keys[i], fonts, g.scale, keys[i], error)) return 0;

    QImage art(g.width, g.height, QImage::Format_ARGB32_Premultiplied);
    art.fill(Qt::transparent);
    {
        QPainter painter(&art);
        painter.setRenderHint(QPainter::Antialiasing, true);
        PaintBody(painter, d.body, g.body, g.scale);
        if (!PaintDecorations(painter, d, fonts, g.scale, error)) return 0;
        PaintLcdBezel(painter, d.lcd, g);
    }
    QImage base = FlattenOnto(art, d.edgeBlend, d.transparent);
    PaintLcdGlass(base, g);

    out.normal = PaintKeys(base, g, keys, EKeyLook::Normal);
    out.pressed = PaintKeys(base, g, keys, EKeyLook::Pressed);
    out.highlight = PaintKeys(base, g, keys, EKeyLook::Highlight);
    return 1;
}
