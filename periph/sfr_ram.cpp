#include "periph/sfr_ram.h"

#include "periph/timers.h"

namespace {
// Used until the CPU attaches its own bank count.
constexpr int32_t kDefaultBankCount = 16;
}  // namespace

CSFRRam::CSFRRam() : m_bankCount(&kDefaultBankCount) {}

void CSFRRam::Attach(const int32_t* bankCount, CTimer* timer0, CTimer* timer1, CTimer* timer2) {
    m_bankCount = bankCount ? bankCount : &kDefaultBankCount;
    m_timers[0] = timer0;
    m_timers[1] = timer1;
    m_timers[2] = timer2;
}

void CSFRRam::Write(int r, uint32_t value) {
    r &= 0x7F;
    uint32_t v = value & 0xFF;
    switch (r) {
        case kBank:
        case kBank1:
        case kBank2: {
            // A bank above the count wraps into it; the count itself selects the stack's
            // upper half.
            uint32_t n = uint32_t(*m_bankCount);
            if (v > n) v &= n - 1;
            break;
        }
        case kPointer1:
        case kPointer2:
            v |= 0x80;
            break;
        case 0x25:
        case 0x2A:
        case 0x2C: {
            // Setting the run bit (bit 3) of a stopped timer loads its counter. The old bit is
            // the bank-0 one, whichever bank the store goes to.
            CTimer* timer = m_timers[r == 0x25 ? 0 : r == 0x2A ? 1 : 2];
            if (timer && !(Bank0(r) & 0x08) && (v & 0x08)) timer->Reload();
            break;
        }
        default:
            break;
    }
    Store(r, v);
}

void CSFRRam::SetBit(int r, int bit, uint32_t value) {
    uint32_t mask = 1u << (bit & 7);
    Write(r, Read(r) & ~mask);
    Write(r, (Read(r) & ~mask) | ((value & 1) ? mask : 0));
}

void CSFRRam::ResetRegisters() {
    for (int r = 0; r <= 0x3F; ++r)
        StoreBank0(r, 0);
    static constexpr uint8_t kValues[][2] = {{0x06, 0x00}, {0x09, 0x00}, {0x04, 0x80}, {0x11, 0x80},
                                             {0x20, 0x00}, {0x21, 0xF0}, {0x32, 0x00}, {0x33, 0xFF},
                                             {0x38, 0x00}, {0x39, 0xFF}, {0x3B, 0x00}, {0x3C, 0xFF},
                                             {0x3F, 0x33}, {0x2E, 0x00}};
    for (const auto& rv : kValues)
        StoreBank0(rv[0], rv[1]);
}

void CSFRRam::ApplyEmulatorReset(uint16_t programWord12) {
    SetPc(0);
    static constexpr uint8_t kValues[][2] = {
        {0x01, 0x00}, {0x02, 0x00}, {0x06, 0x00}, {0x05, 0x00}, {0x04, 0x80}, {0x12, 0x00},
        {0x11, 0x80}, {0x0B, 0x00}, {0x0C, 0x00}, {0x0D, 0x00}, {0x0F, 0xC0}, {0x21, 0xF0},
        {0x31, 0xFF}, {0x32, 0x00}, {0x33, 0xFF}, {0x37, 0xFF}, {0x38, 0x00}, {0x39, 0xFF},
        {0x3A, 0xFF}, {0x3B, 0x00}, {0x3C, 0xFF}, {0x30, 0x20}, {0x34, 0x00}, {0x22, 0x00},
        {0x25, 0x00}, {0x2A, 0x00}, {0x2C, 0x00}, {0x36, 0x00}, {0x35, 0x00}, {0x24, 0x00},
        {0x3F, 0x33}};
    for (const auto& rv : kValues)
        Write(rv[0], rv[1]);
    // Written last: until now registers 0x25-0x3F went to whichever bank was selected.
    Write(kControl, (programWord12 & 0x0200) ? 0x11 : 0x10);
}
