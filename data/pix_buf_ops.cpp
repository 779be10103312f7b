// Whole-picture operations of CPixBuf: replace value, resize, change type, copy region.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <unordered_map>

#include "data/colour.h"
#include "data/pix_buf.h"

namespace {

uint32_t ValueAt(const uint8_t* data, int unit, int64_t index) {
    uint32_t v = 0;
    std::memcpy(&v, data + index * unit, size_t(std::min(unit, 4)));
    return v;
}

void PutAt(uint8_t* data, int unit, int64_t index, uint32_t v) {
    std::memcpy(data + index * unit, &v, size_t(std::min(unit, 4)));
}

uint32_t Blend(uint32_t over, uint32_t under, double opacity) {
    auto mix = [&](uint32_t a, uint32_t b) {
        return uint32_t(std::lround(a * opacity + b * (1.0 - opacity)));
    };
    return Rgb(mix(RedOf(over), RedOf(under)), mix(GreenOf(over), GreenOf(under)),
               mix(BlueOf(over), BlueOf(under)));
}

// The stored form of many colours: palette matches are remembered.
class CStoredForms {
public:
    explicit CStoredForms(const CPixBuf& pic) : m_pic(pic) {}
    uint32_t operator()(uint32_t colour) {
        if (m_pic.Type() == 0) return SwapRedBlue(colour);
        if (m_pic.Type() == 1) return colour & 0xFFFF;
        auto it = m_cache.find(colour);
        if (it != m_cache.end()) return it->second;
        return m_cache[colour] = m_pic.StoredForm(colour);
    }

private:
    const CPixBuf& m_pic;
    std::unordered_map<uint32_t, uint32_t> m_cache;
};

}  // namespace

int CPixBuf::ReplaceValue(uint32_t oldColour, uint32_t newColour, CPixBuf& target) const {
    if (!IsConsistent() || !target.IsConsistent() || target.Width() != Width() ||
        target.Height() != Height() || target.UnitSize() != UnitSize())
        return 0;
    uint32_t from = StoredForm(oldColour), to = target.StoredForm(newColour);
    int unit = UnitSize();
    for (int64_t i = 0; i < m_pixels.Count(); ++i)
        if (ValueAt(Data(), unit, i) == from) PutAt(target.Data(), unit, i, to);
    return 1;
}

int CPixBuf::Resize(int width, int height) {
    if (width == Width() && height == Height()) return 1;
    if (width < 0 || height < 0 || !IsConsistent()) return 0;
    int unit = UnitSize();
    if (int64_t(width) * height * unit > INT32_MAX) return 0;
    CBuf pixels(width * height, unit, nullptr, 0, 0);
    if (pixels.Count() != width * height) return 0;
    int keepW = std::min(width, Width()), keepH = std::min(height, Height());
    for (int y = 0; y < keepH && keepW > 0; ++y)
        std::memcpy(pixels.Data() + int64_t(y) * width * unit, Data() + int64_t(y) * Width() * unit,
                    size_t(keepW) * unit);
    m_pixels = std::move(pixels);
    m_dms.width = width;
    m_dms.height = height;
    return 1;
}

int CPixBuf::ChangeType(int type) {
    if (type == Type()) return 1;
    if (!IsConsistent()) return 0;
    CPixBuf converted;
    if (!converted.Create(Width(), Height(), type)) return 0;
    converted.m_dms.dpi = m_dms.dpi;
    CStoredForms stored(converted);
    converted.m_dms.bkColor = stored(ColourOfValue(m_dms.bkColor));
    int fromUnit = UnitSize(), toUnit = converted.UnitSize();
    for (int64_t i = 0; i < m_pixels.Count(); ++i)
        PutAt(converted.Data(), toUnit, i, stored(ColourOfValue(ValueAt(Data(), fromUnit, i))));
    converted.m_originX = m_originX;
    converted.m_originY = m_originY;
    *this = std::move(converted);
    return 1;
}

int CPixBuf::CopyRegion(int sx, int sy, int width, int height, CPixBuf& target, int tx, int ty,
                        double opacity) const {
    if (!IsConsistent() || !target.IsConsistent()) return 0;
    int64_t x0 = sx, y0 = sy, w = width, h = height, dx = tx, dy = ty;
    if (w < 0) x0 += w, w = -w;
    if (h < 0) y0 += h, h = -h;
    // Clip to the source, then to the target, moving the other side along.
    if (x0 < 0) dx -= x0, w += x0, x0 = 0;
    if (y0 < 0) dy -= y0, h += y0, y0 = 0;
    w = std::min(w, Width() - x0);
    h = std::min(h, Height() - y0);
    if (dx >= target.Width() || dy >= target.Height()) return 0;
    if (dx < 0) x0 -= dx, w += dx, dx = 0;
    if (dy < 0) y0 -= dy, h += dy, dy = 0;
    w = std::min(w, target.Width() - dx);
    h = std::min(h, target.Height() - dy);
    if (w <= 0 || h <= 0) return 1;
    if (std::isnan(opacity)) opacity = 0.0;
    opacity = std::clamp(opacity, 0.0, 1.0);

    int unit = UnitSize(), targetUnit = target.UnitSize();
    bool samePalette = Type() < 2 || m_palette == target.m_palette;
    if (Type() == target.Type() && samePalette && opacity == 1.0) {
        for (int64_t y = 0; y < h; ++y)
            std::memcpy(target.Data() + ((dy + y) * target.Width() + dx) * unit,
                        Data() + ((y0 + y) * Width() + x0) * unit, size_t(w * unit));
        return 1;
    }
    if (target.Type() == 1) return 1;  // no colour conversion into 16-bit pictures
    CStoredForms stored(target);
    for (int64_t y = 0; y < h; ++y) {
        for (int64_t x = 0; x < w; ++x) {
            int64_t from = (y0 + y) * Width() + x0 + x;
            int64_t to = (dy + y) * target.Width() + dx + x;
            uint32_t over = ColourOfValue(ValueAt(Data(), unit, from));
            uint32_t under = target.ColourOfValue(ValueAt(target.Data(), targetUnit, to));
            PutAt(target.Data(), targetUnit, to, stored(Blend(over, under, opacity)));
        }
    }
    return 1;
}
