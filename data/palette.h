// CPalette: the colour table of palette pictures, and the nearest-colour match.
//
// Default palettes:
//   8 bits  the 216 colours of the cube of the levels 0, 51, 102, 153, 204, 255 (index
//           36 r + 6 g + b), then 40 greys between black and white;
//   4 bits  the 16 colours of the classic 16-colour display palette;
//   1 bit   black and white;
//   other   one black entry.
#pragma once

#include <cstdint>
#include <vector>

struct SPaletteEntry {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t flags = 0;
    bool operator==(const SPaletteEntry&) const = default;
};

class CPalette {
public:
    // Indexes of pixels are bytes, so a palette never needs more entries.
    static constexpr int kMaxEntries = 256;

    CPalette() : m_entries(1) {}
    static CPalette Default(int bitsPerPixel);

    int Count() const { return int(m_entries.size()); }
    // nullptr out of range.
    const SPaletteEntry* Entry(int i) const;
    void SetEntry(int i, const SPaletteEntry& e);
    // At most kMaxEntries; new entries are black.
    void Resize(int n);
    // Colour (red low) of entry i.
    uint32_t Colour(int i) const;
    // Index of the entry nearest to the colour (smallest squared distance, first on ties).
    int NearestIndex(uint32_t colour) const;

    bool operator==(const CPalette&) const = default;

private:
    std::vector<SPaletteEntry> m_entries;
};
