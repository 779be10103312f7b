// The lit-segment list: which LCD segments are on.
//
// An element buffer of 8-byte elements, each two int32: the LCD memory column and the row
// (page * bits per page + bit). The front end builds it from LCD memory on every display
// refresh; every LCD view draws it with CSegLcdDatSet::Draw.
#pragma once

#include <cstdint>

#include "util/cbuf.h"

struct SLitSegment {
    int32_t column;
    int32_t row;
};
static_assert(sizeof(SLitSegment) == 8);

inline CBuf NewLitSegmentList() {
    return CBuf(0, sizeof(SLitSegment), nullptr, 0, 10);
}

inline void AddLitSegment(CBuf& list, int32_t column, int32_t row) {
    SLitSegment s{column, row};
    list.Append(&s, 1);
}

inline SLitSegment LitSegmentAt(const CBuf& list, int i) {
    SLitSegment s{0, 0};
    list.GetElement(i, &s);
    return s;
}
