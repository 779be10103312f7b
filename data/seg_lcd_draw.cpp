// Drawing lit segments.
#include <algorithm>

#include "data/lit_segments.h"
#include "data/seg_lcd.h"

namespace {

// The record of a lit segment, or false when the layout has none for it.
bool RecordOf(const CSegLcdDat& layout, const SLitSegment& lit, SSegRecord* record) {
    int64_t k = int64_t(lit.column) + int64_t(lit.row) * layout.SegDevCnt();
    if (k < 0 || k >= layout.RecordCount()) return false;
    return layout.Record(int(k), record);
}

void DrawSegment(const CSegLcdDat& layout, const SSegRecord& r, CPixBuf& target,
                 const SLcdViewParams& view) {
    const CPixBuf& picture = layout.Picture();
    uint32_t key = picture.StoredForm(r.keyColour);
    // Outside the segment picture nothing carries a key colour worth drawing.
    int x0 = std::max(r.left, 0), y0 = std::max(r.top, 0);
    int x1 = std::min(r.right, picture.Width()), y1 = std::min(r.bottom, picture.Height());
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (picture.GetRaw(x, y) == key)
                target.SetRaw(int(int64_t(x) + view.xOffset), int(int64_t(y) + view.yOffset), 0);
}

}  // namespace

int CSegLcdDatSet::Draw(CPixBuf& target, const SLcdViewParams& view, const CBuf& litSegments) {
    const CSegLcdDat* layout = view.layout;
    if (!layout || litSegments.ElementSize() != int(sizeof(SLitSegment))) return 0;
    const CPixBuf& picture = layout->Picture();
    // Every lit segment is checked before the picture is touched: a failed drawing leaves
    // the view's previous picture in place.
    bool drawable = !picture.IsEmpty() && picture.IsConsistent() && layout->RecordCount() > 0;
    SSegRecord record;
    for (int i = 0; i < litSegments.Count(); ++i)
        if (!drawable || !RecordOf(*layout, LitSegmentAt(litSegments, i), &record)) return 0;

    if (picture.Width() == target.Width() && picture.Height() == target.Height() &&
        view.xOffset == 0 && view.yOffset == 0)
        target.FillAll(view.bkColor);
    else
        target.FillRect(view.xOffset, view.yOffset, int(int64_t(view.xOffset) + picture.Width()),
                        int(int64_t(view.yOffset) + picture.Height()), view.bkColor);
    for (int i = 0; i < litSegments.Count(); ++i) {
        RecordOf(*layout, LitSegmentAt(litSegments, i), &record);
        DrawSegment(*layout, record, target, view);
    }
    return 1;
}
