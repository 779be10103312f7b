// The front end's key tap: one panel key pressed, held and released, as one blocking
// operation of the GUI thread.
//
// KeyTap(ice, row, col):
//   1. presses the key (KeyCodesForPosition) and sets the press time and scan count;
//   2. signals the wake event, so a halted or standby CPU wakes and finds the key held;
//   3. holds it 60 ms, and beyond that, while the emulation thread runs, until the thread
//      has scanned it kKeyTapMinScans times (one scan per executed instruction), so that
//      firmware woken by the key still finds it held when it reads the keyboard; the whole
//      hold lasts at most 1 s;
//   4. releases it and waits 20 ms.
// The 60 ms and 20 ms are platform sleeps; the "seen" wait is a real wait that the
// emulation thread ends (CKeyStatus::WaitForScans). Returns 1, or 0 (nothing pressed) for a
// position outside the key matrix.
#pragma once

#include <cstdint>

class CIce;

struct KeyTapCodes {
    int32_t strobeCode;  // SFR 0x31 * 256 + strobe line
    int32_t inputCode;   // SFR 0x37 * 256 + input line
    int strobeBit;       // the bits ReleaseKey takes
    int inputBit;
};

inline constexpr uint32_t kKeyTapHoldMs = 60;
inline constexpr uint32_t kKeyTapMaxHoldMs = 1000;
inline constexpr uint32_t kKeyTapGapMs = 20;
// About a wake-up, a keyboard scan and a debounce delay of emulated instructions.
inline constexpr uint32_t kKeyTapMinScans = 20000;

// Row r -> strobe line 6 - r, column c -> input line c, for rows -1..6 and columns 0..7;
// (-1, -1) is the special key on strobe line 7, input line 0. Returns 0 for any other
// position (out untouched).
int KeyCodesForPosition(int row, int col, KeyTapCodes* out);

int KeyTap(CIce& ice, int row, int col);
