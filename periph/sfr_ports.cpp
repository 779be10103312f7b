// The port logic of the CPU's operand writes: ports A (key strobe), B (key input) and C,
// the strobe control SFR 0x30 and the display control SFR 0x2E. While SFR 0x20 bit 7 selects
// bank 1 the pins are left alone.
#include "periph/sfr_ram.h"

void CSFRRam::WriteLatch(int pins, int latch, int dir, uint32_t v) {
    Write(latch, v);
    if (Banked()) return;
    uint32_t d = Read(dir);
    Store(pins, (Read(pins) & ~d) | (v & d));
}

void CSFRRam::WriteDirection(int pins, int latch, int dir, uint32_t v) {
    Write(dir, v);
    if (Banked()) return;
    Store(pins, (Read(pins) & ~v) | (Read(latch) & v));
}

void CSFRRam::OperandWrite(int r, uint32_t value) {
    uint32_t v = value & 0xFF;
    switch (r & 0x7F) {
        case kPortALatch: {
            // With all strobe lines forced (SFR 0x30 bit 6) a latch write also raises every
            // pin and arms every key interrupt line, unless line 0 was already armed.
            bool forced = (Read(kStrobeControl) & 0x40) != 0;
            WriteLatch(kPortAPins, kPortALatch, kPortADir, v);
            if (!(Read(kKeyIntArm) & 0x01) && forced) {
                Write(kPortAPins, 0xFF);
                Write(kKeyIntArm, 0xFF);
            }
            break;
        }
        case kPortBLatch:
            WriteLatch(kPortBPins, kPortBLatch, kPortBDir, v);
            break;
        case kPortCLatch:
            WriteLatch(kPortCPins, kPortCLatch, kPortCDir, v);
            break;
        case kPortADir:
            WriteDirection(kPortAPins, kPortALatch, kPortADir, v);
            break;
        case kPortBDir:
            WriteDirection(kPortBPins, kPortBLatch, kPortBDir, v);
            break;
        case kPortCDir:
            WriteDirection(kPortCPins, kPortCLatch, kPortCDir, v);
            break;
        case kStrobeControl:
            if (!Banked() && (v & 0x40)) {
                Write(kPortAPins, 0xFF);
                Write(kKeyIntArm, 0xFF);
            }
            Write(kStrobeControl, v);
            break;
        case kDisplayControl:
            if (!Banked() && !(v & 0x20)) {
                StoreBank0(kStrobeLow, 0);
                StoreBank0(kStrobeHigh, 0);
            }
            Write(kDisplayControl, v);
            break;
        default:
            Write(r, v);
            break;
    }
}
