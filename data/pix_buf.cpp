#include "data/pix_buf.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "data/colour.h"

int CPixBuf::BitsForType(int type) {
    static const int kBits[kTypeCount] = {32, 16, 8, 4, 1};
    return type >= 0 && type < kTypeCount ? kBits[type] : 0;
}

CPixBuf::CPixBuf() {
    Reset();
}

void CPixBuf::Reset() {
    m_dms = SPixBufDms{};
    m_pixels.Assign(0, 4, nullptr, 0, 0);
    m_palette = CPalette();
    m_originX = m_originY = 0;
}

int CPixBuf::Create(int width, int height, int type) {
    int bits = BitsForType(type);
    if (bits == 0 || width < 0 || height < 0) return 0;
    int unit = (bits + 7) / 8;
    int64_t count = int64_t(width) * height;
    if (count * unit > INT32_MAX) return 0;
    Reset();
    m_dms.type = type;
    m_dms.bitsPerPixel = bits;
    m_palette = CPalette::Default(bits);
    m_pixels.Assign(int(count), unit, nullptr, 0, 0);
    if (m_pixels.Count() != count) {
        Reset();
        return 0;
    }
    m_dms.width = width;
    m_dms.height = height;
    return 1;
}

bool CPixBuf::Inside(int x, int y) const {
    return x >= 0 && y >= 0 && x < m_dms.width && y < m_dms.height;
}

int64_t CPixBuf::IndexOf(int x, int y) const {
    int64_t px = int64_t(x) + m_originX, py = int64_t(y) + m_originY;
    if (px < 0 || py < 0 || px >= m_dms.width || py >= m_dms.height) return -1;
    int64_t index = py * m_dms.width + px;
    // Guards pictures whose settings and pixels disagree.
    return index < m_pixels.Count() ? index : -1;
}

uint32_t CPixBuf::GetRaw(int x, int y) const {
    int64_t index = IndexOf(x, y);
    if (index < 0) return m_dms.bkColor;
    const uint8_t* p = m_pixels.Data() + index * m_pixels.ElementSize();
    uint32_t v = 0;
    std::memcpy(&v, p, size_t(std::min(4, m_pixels.ElementSize())));
    return v;
}

void CPixBuf::PutValue(int64_t index, uint32_t value) {
    uint8_t* p = m_pixels.Data() + index * m_pixels.ElementSize();
    std::memcpy(p, &value, size_t(std::min(4, m_pixels.ElementSize())));
}

int CPixBuf::SetRaw(int x, int y, uint32_t value) {
    int64_t index = IndexOf(x, y);
    if (index < 0) return 0;
    PutValue(index, value);
    return 1;
}

uint32_t CPixBuf::ColourOfValue(uint32_t value) const {
    switch (m_dms.type) {
        case 0:
            return SwapRedBlue(value);
        case 2:
        case 3:
        case 4: {
            if (const SPaletteEntry* e = m_palette.Entry(int(value)))
                return Rgb(e->red, e->green, e->blue);
            uint32_t grey = value & 0xFF;
            return Rgb(grey, grey, grey);
        }
    }
    return value;
}

uint32_t CPixBuf::StoredForm(uint32_t colour) const {
    switch (m_dms.type) {
        case 0:
            return SwapRedBlue(colour);
        case 2:
        case 3:
        case 4:
            return uint32_t(m_palette.NearestIndex(colour));
    }
    return m_pixels.Count() > 0 ? GetRaw(-m_originX, -m_originY) : m_dms.bkColor;
}

uint32_t CPixBuf::GetColour(int x, int y) const {
    return ColourOfValue(GetRaw(x, y));
}

void CPixBuf::SetColour(int x, int y, uint32_t colour) {
    if (m_dms.type == 1) return;
    SetRaw(x, y, StoredForm(colour));
}

void CPixBuf::FillAll(uint32_t colour) {
    uint32_t value = StoredForm(colour);
    int n = m_pixels.Count();
    uint8_t* p = m_pixels.Data();
    switch (m_pixels.ElementSize()) {
        case 1:
            if (n > 0) std::memset(p, int(value & 0xFF), size_t(n));
            break;
        case 2: {
            uint16_t v = uint16_t(value);
            for (int i = 0; i < n; ++i)
                std::memcpy(p + 2 * int64_t(i), &v, 2);
            break;
        }
        default:
            for (int64_t i = 0; i < n; ++i)
                PutValue(i, value);
    }
}

void CPixBuf::FillRect(int left, int top, int right, int bottom, uint32_t colour) {
    int x0 = std::max(left, 0), y0 = std::max(top, 0);
    int x1 = std::min(right, m_dms.width), y1 = std::min(bottom, m_dms.height);
    if (x0 >= x1 || y0 >= y1 || !IsConsistent()) return;
    uint32_t value = StoredForm(colour);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            PutValue(int64_t(y) * m_dms.width + x, value);
}

bool CPixBuf::IsConsistent() const {
    int bits = BitsForType(m_dms.type);
    return bits != 0 && bits == m_dms.bitsPerPixel && m_dms.width >= 0 && m_dms.height >= 0 &&
           m_pixels.ElementSize() == (bits + 7) / 8 &&
           int64_t(m_pixels.Count()) == int64_t(m_dms.width) * m_dms.height;
}
