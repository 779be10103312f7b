// The display refresh's read of LCD memory: which segments are lit (data/lit_segments.h),
// read from the emulator.
#pragma once

#include "data/lit_segments.h"

class CIce;

// From the emulator's display read (GetLcdRow), which never blocks the emulation.
void BuildLitSegments(const CIce& ice, CBuf& list);
