// The return stack: 256 cells at linear index N * 128 + s of the banked store (N = bank
// count), growing down two cells per entry. SP points at the high part of the newest entry.
// Both halves of an entry are addressed modulo 256, so an entry split across the wrap of SP
// comes back whole.
#include "core/cpu.h"

namespace {
// Stack cell s as (bank, offset) of a banked access: the lower half is the window of bank
// N - 1, the upper half that of bank N.
struct BankedAddress {
    int bank;
    int offset;
};
BankedAddress StackBankedAddress(int bankCount, uint32_t s) {
    if (s >= 0x80) return {bankCount, int(s)};
    return {bankCount - 1, int(s + 0x80)};
}
}  // namespace

void CCpu::Push(uint32_t address) {
    uint32_t s = (m_sfr.Sp() - 1) & 0xFF;
    BankedAddress low = StackBankedAddress(m_bankCount, s);
    WriteBanked(low.bank, low.offset, address & 0xFF);
    uint32_t high = (s - 1) & 0xFF;
    m_banked[m_bankCount * 128 + high] = address >> 8;  // PC bit 16 included
    m_sfr.SetSp(high);
}

uint32_t CCpu::Pop() {
    uint32_t sp = m_sfr.Sp();
    uint32_t high = m_banked[m_bankCount * 128 + sp];
    BankedAddress low = StackBankedAddress(m_bankCount, (sp + 1) & 0xFF);
    uint32_t lowByte = ReadBanked(low.bank, low.offset);
    m_sfr.SetSp((sp + 2) & 0xFF);
    return high * 256 + lowByte;
}
