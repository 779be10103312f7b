#include "data/palette.h"

#include <algorithm>

#include "data/colour.h"

namespace {

SPaletteEntry MakeEntry(int r, int g, int b) {
    return {uint8_t(r), uint8_t(g), uint8_t(b), 0};
}

}  // namespace

CPalette CPalette::Default(int bitsPerPixel) {
    CPalette p;
    if (bitsPerPixel == 8) {
        p.m_entries.clear();
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b)
                    p.m_entries.push_back(MakeEntry(r * 51, g * 51, b * 51));
        for (int i = 1; i <= 40; ++i) {
            int level = i * 255 / 41;
            p.m_entries.push_back(MakeEntry(level, level, level));
        }
    } else if (bitsPerPixel == 4) {
        static const uint8_t kColours[16][3] = {
            {0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
            {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
            {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
            {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
        p.m_entries.clear();
        for (const auto& c : kColours)
            p.m_entries.push_back(MakeEntry(c[0], c[1], c[2]));
    } else if (bitsPerPixel == 1) {
        p.m_entries = {MakeEntry(0, 0, 0), MakeEntry(255, 255, 255)};
    }
    return p;
}

const SPaletteEntry* CPalette::Entry(int i) const {
    return i >= 0 && i < Count() ? &m_entries[size_t(i)] : nullptr;
}

void CPalette::SetEntry(int i, const SPaletteEntry& e) {
    if (i >= 0 && i < Count()) m_entries[size_t(i)] = e;
}

void CPalette::Resize(int n) {
    m_entries.resize(size_t(std::clamp(n, 0, kMaxEntries)));
}

uint32_t CPalette::Colour(int i) const {
    const SPaletteEntry* e = Entry(i);
    return e ? Rgb(e->red, e->green, e->blue) : 0;
}

int CPalette::NearestIndex(uint32_t colour) const {
    int best = 0;
    int64_t bestDistance = INT64_MAX;
    int r = int(RedOf(colour)), g = int(GreenOf(colour)), b = int(BlueOf(colour));
    for (int i = 0; i < Count(); ++i) {
        const SPaletteEntry& e = m_entries[size_t(i)];
        int dr = e.red - r, dg = e.green - g, db = e.blue - b;
        int64_t d = int64_t(dr) * dr + int64_t(dg) * dg + int64_t(db) * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
            if (d == 0) break;
        }
    }
    return best;
}
