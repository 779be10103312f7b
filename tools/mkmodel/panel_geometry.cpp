#include "tools/mkmodel/panel_geometry.h"

#include <cmath>

#include "tools/mkmodel/json_fields.h"
#include "util/strfmt.h"

namespace {

// The smallest key that can still be hit and labelled.
constexpr int kMinKeySide = 8;

int Round(double v) {
    return int(std::lround(v));
}

// A rectangle grown by one pixel on every side: two keys whose grown rectangles overlap
// have no free pixel between them.
SPixelRect Grown(const SPixelRect& r) {
    return {r.left - 1, r.top - 1, r.right + 1, r.bottom + 1};
}

}  // namespace

SPixelRect ScaleRect(const SDesignRect& r, double scale) {
    return {Round(r.x * scale), Round(r.y * scale), Round(r.Right() * scale),
            Round(r.Bottom() * scale)};
}

SPanelGeometry LayOutPanel(const SModelDescription& d, int panel) {
    const SPanelDesc& p = d.panels[size_t(panel)];
    SPanelGeometry g;
    g.scale = p.scale;
    g.width = Round(d.body.width * p.scale);
    g.height = Round(d.body.height * p.scale);
    g.body = ScaleRect({d.body.margin, d.body.margin, d.body.width - 2 * d.body.margin,
                        d.body.height - 2 * d.body.margin},
                       p.scale);
    g.lcdBezel = ScaleRect(d.lcd.bezel, p.scale);
    g.lcdGlass = ScaleRect(d.lcd.glass, p.scale);
    std::string place = "panels." + p.role + ".scale";
    for (const SKeyDesc& k : d.keys) {
        SPixelRect r = ScaleRect(k.rect, p.scale);
        if (r.Width() < kMinKeySide || r.Height() < kMinKeySide)
            FailAt(place, StrFormat("key %s becomes %d x %d pixels, too small to press",
                                    k.place.c_str(), r.Width(), r.Height()));
        for (size_t j = 0; j < g.keys.size(); ++j)
            if (Grown(r).Overlaps(g.keys[j]))
                FailAt(place, StrFormat("keys %s and %s touch at this scale: leave a wider gap",
                                        d.keys[j].place.c_str(), k.place.c_str()));
        g.keys.push_back(r);
    }
    return g;
}

SPixelSize LcdLayoutSize(const SModelDescription& d, int layout) {
    const SLcdLayoutDesc& l = d.lcdLayouts[size_t(layout)];
    if (l.panel < 0) return {l.width, l.height};
    SPixelRect glass = ScaleRect(d.lcd.glass, d.panels[size_t(l.panel)].scale);
    return {glass.Width(), glass.Height()};
}
