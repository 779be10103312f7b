// Palette access and the tag form of CPixBuf.
#include <cstring>

#include "data/dms.h"
#include "data/pix_buf.h"
#include "data/tag_buf_list.h"

namespace {
constexpr const char* kPixelTag = "PIXELBUF";
constexpr const char* kPaletteTag = "PALETTE";
}  // namespace

int CPixBuf::GetPalette(CBuf& out) const {
    if (out.IsBorrowed()) return 0;
    out.Assign(m_palette.Count(), 4, nullptr, 0, 0);
    for (int i = 0; i < m_palette.Count() && i < out.Count(); ++i)
        out.SetElement(i, m_palette.Entry(i));
    return out.Count();
}

int CPixBuf::SetPalette(const CBuf& entries) {
    if (entries.ElementSize() != 4) return 0;
    m_palette.Resize(entries.Count());
    for (int i = 0; i < m_palette.Count(); ++i) {
        SPaletteEntry e;
        std::memcpy(&e, entries.ElementPointer(i), 4);
        m_palette.SetEntry(i, e);
    }
    return 1;
}

std::unique_ptr<CTagBufLst> CPixBuf::BuildTagList() const {
    auto list = std::make_unique<CTagBufLst>();
    list->Add(NewDmsTag(m_dms));
    list->Add(std::make_unique<CTagBuf>(kPixelTag, m_pixels));
    CBuf palette;
    GetPalette(palette);
    list->Add(std::make_unique<CTagBuf>(kPaletteTag, palette));
    return list;
}

int CPixBuf::LoadFromTagList(const CTagBufLst& list) {
    ReadDms(list, m_dms);
    if (const CTagBuf* pixels = list.FindTag(kPixelTag)) pixels->CopyUnitsTo(m_pixels);
    if (const CTagBuf* palette = list.FindTag(kPaletteTag)) SetPalette(*palette);
    if (IsConsistent()) return 1;
    // Settings that do not describe the pixels would read past them: refuse the picture.
    Reset();
    return 0;
}
