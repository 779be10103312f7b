// CPixBuf: the in-memory picture (panel pictures, segment pictures, the LCD picture, masks).
//
// One unit per pixel in a contiguous CBuf, row-major, row 0 at the top (index y * Width +
// x). Pixel formats ("Type"):
//
//   Type  BitsPerPixel  unit     stored value
//   0     32            4 bytes  blue, green, red, 0 in memory (0x00RRGGBB as a value)
//   1     16            2 bytes  raw 16-bit value, no colour conversion
//   2     8             1 byte   index into a 256-entry palette
//   3     4             1 byte   index into a 16-entry palette
//   4     1             1 byte   index into a 2-entry palette
//
// Colours passed in and out have red in the low byte (colour.h); type 0 swaps red and blue
// on the way. Reads outside the picture return BkColor (a stored value); writes outside are
// ignored. The origin is added to the coordinates of GetRaw/SetRaw/GetColour/SetColour (a
// view offset); the region operations work in picture coordinates.
//
// Raw access for the front end: a type-0 picture's Data() is Height rows of BytesPerRow()
// bytes each, B, G, R, 0 per pixel, which a 32-bit RGB image can wrap without copying.
//
// Tag form: "PIXBUFDMS" (the six settings), "PIXELBUF" (the pixel units as in memory) and
// "PALETTE" (4-byte entries red, green, blue, flags). Reading leaves missing parts as they
// were, and refuses (empties the picture) when the pixels do not match the settings.
#pragma once

#include <cstdint>
#include <memory>

#include "data/palette.h"
#include "data/tag_field.h"
#include "util/cbuf.h"

class CTagBufLst;

struct SPixBufDms {
    static constexpr const char* kLabel = "PIXBUFDMS";
    static constexpr STagField kFields[] = {
        {"Type", kTagInt32, 1},         {"Width", kTagInt32, 1}, {"Height", kTagInt32, 1},
        {"BitsPerPixel", kTagInt32, 1}, {"Dpi", kTagDouble, 1},  {"BkColor", kTagUInt32, 1}};

    int32_t type = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t bitsPerPixel = 32;
    double dpi = 72.0;
    uint32_t bkColor = 0xFFFFFF;

    template <class Self, class Io>
    static void Fields(Self& s, Io& io) {
        io(s.type);
        io(s.width);
        io(s.height);
        io(s.bitsPerPixel);
        io(s.dpi);
        io(s.bkColor);
    }
};

class CPixBuf {
public:
    static constexpr int kTypeCount = 5;
    // Bits per pixel of a type, 0 for an unknown type.
    static int BitsForType(int type);

    CPixBuf();

    // Every setting to its default, no pixels, a one-entry black palette, origin 0, 0.
    void Reset();
    // A zeroed width x height picture of the type, with the type's default palette.
    // Refuses negative sizes, unknown types and pictures of 2 GiB or more.
    int Create(int width, int height, int type);

    int Type() const { return m_dms.type; }
    int Width() const { return m_dms.width; }
    int Height() const { return m_dms.height; }
    int BitsPerPixel() const { return m_dms.bitsPerPixel; }
    double Dpi() const { return m_dms.dpi; }
    void SetDpi(double dpi) { m_dms.dpi = dpi; }
    uint32_t BkColor() const { return m_dms.bkColor; }
    void SetBkColor(uint32_t stored) { m_dms.bkColor = stored; }
    const SPixBufDms& Settings() const { return m_dms; }
    bool IsEmpty() const { return m_pixels.Count() == 0; }

    int UnitSize() const { return (m_dms.bitsPerPixel + 7) / 8; }
    int BytesPerRow() const { return m_dms.width * UnitSize(); }
    uint8_t* Data() { return m_pixels.Data(); }
    const uint8_t* Data() const { return m_pixels.Data(); }
    const CBuf& Pixels() const { return m_pixels; }

    void SetOrigin(int x, int y) {
        m_originX = x;
        m_originY = y;
    }
    int OriginX() const { return m_originX; }
    int OriginY() const { return m_originY; }

    bool Inside(int x, int y) const;
    uint32_t GetRaw(int x, int y) const;
    // 0 outside the picture.
    int SetRaw(int x, int y, uint32_t value);
    uint32_t GetColour(int x, int y) const;
    void SetColour(int x, int y, uint32_t colour);
    // The value that SetColour stores for the colour, and the colour of a stored value.
    // 16-bit pictures have no colour conversion: a colour there stands for the present
    // value of pixel 0, 0 (SetColour changes nothing), and a value is its own colour.
    uint32_t StoredForm(uint32_t colour) const;
    uint32_t ColourOfValue(uint32_t value) const;

    void FillAll(uint32_t colour);
    // Right and bottom exclusive; clipped to the picture.
    void FillRect(int left, int top, int right, int bottom, uint32_t colour);
    // Where this picture holds the stored form of oldColour, sets target's pixel to the
    // stored form of newColour. Both pictures must have the same size and unit size.
    int ReplaceValue(uint32_t oldColour, uint32_t newColour, CPixBuf& target) const;
    // Keeps the overlapping top-left part; the rest becomes zero.
    int Resize(int width, int height);
    // Converts every pixel's colour into a picture of the new type.
    int ChangeType(int type);
    // Copies a rectangle of this picture into target at (tx, ty). Same type, equal palettes
    // and opacity 1 copy raw rows; otherwise colours are blended source * opacity +
    // target * (1 - opacity) and stored with colour conversion.
    int CopyRegion(int sx, int sy, int width, int height, CPixBuf& target, int tx, int ty,
                   double opacity = 1.0) const;

    const CPalette& Palette() const { return m_palette; }
    // Entries as 4-byte units red, green, blue, flags; returns the count.
    int GetPalette(CBuf& out) const;
    // Only from 4-byte units; the palette takes their count (at most 256).
    int SetPalette(const CBuf& entries);
    void CopyPalette(const CPixBuf& other) { m_palette = other.m_palette; }

    std::unique_ptr<CTagBufLst> BuildTagList() const;
    int LoadFromTagList(const CTagBufLst& list);
    // The pixels match the settings (type, bits, width x height units of the right size).
    bool IsConsistent() const;

private:
    int64_t IndexOf(int x, int y) const;
    void PutValue(int64_t index, uint32_t value);

    SPixBufDms m_dms;
    CBuf m_pixels;
    CPalette m_palette;
    int m_originX = 0;
    int m_originY = 0;
};
