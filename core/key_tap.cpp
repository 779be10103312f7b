#include "core/key_tap.h"

#include "core/ice.h"
#include "util/platform.h"

int KeyCodesForPosition(int row, int col, KeyTapCodes* out) {
    int strobeLine, inputLine;
    if (row == -1 && col == -1) {
        strobeLine = 7;
        inputLine = 0;
    } else if (row >= -1 && row <= 6 && col >= 0 && col <= 7) {
        strobeLine = 6 - row;
        inputLine = col;
    } else {
        return 0;
    }
    if (out)
        *out = {CSFRRam::kPortAPins * 256 + strobeLine, CSFRRam::kPortBPins * 256 + inputLine,
                strobeLine, inputLine};
    return 1;
}

int KeyTap(CIce& ice, int row, int col) {
    KeyTapCodes codes;
    if (!KeyCodesForPosition(row, col, &codes)) return 0;
    CKeyStatus& keys = ice.Keys();
    // The count starts before the press, so that no scan of the held key goes uncounted.
    keys.ResetScanCount();
    keys.SetPressTime(Platform().TickCount());
    keys.PressKey(codes.strobeCode, codes.inputCode);
    // After the press, so that the woken CPU's first scan already sees the key.
    ice.Wake();
    Platform().Sleep(kKeyTapHoldMs);
    if (ice.ThreadActive()) keys.WaitForScans(kKeyTapMinScans, kKeyTapMaxHoldMs - kKeyTapHoldMs);
    keys.ReleaseKey(codes.strobeBit, codes.inputBit);
    Platform().Sleep(kKeyTapGapMs);
    return 1;
}
