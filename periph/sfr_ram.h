// CSFRRam: the special-function register file of the emulated microcontroller.
//
// It is the one store of every register: the CPU's own registers (PC, accumulator, status,
// stack pointer, bank registers, pointers, table pointer), the I/O ports, and the timer,
// interrupt, key-matrix and LCD control registers. Bank 0 holds registers 0x00-0x3F; bank 1
// holds a second copy of 0x25-0x3F, selected by SFR 0x20 bit 7. Registers 0x42 and 0x43 (the
// 16-line key strobe outputs) live beside bank 0 and are reached only by the port logic and
// the key matrix.
//
// How to drive it:
//   - The CPU calls Attach once with what the side effects need (its bank count, the three
//     timers), then ResetRegisters at setup and ApplyEmulatorReset at every emulator reset.
//   - Read/Write are the register accesses with bank selection; Write applies the side
//     effects of the register (bank clamp, forced pointer bit 7, timer start).
//   - OperandWrite is the CPU's operand write of a plain register: the port logic of ports A,
//     B and C and of SFR 0x2E/0x30 around a Write.
//   - Get/Store, Bank0/StoreBank0 are plain slot accesses without side effects.
//   - The views (Pc, A, Status, TablePointer, ...) read and store fixed registers by role.
//
// Threads: every slot is a relaxed atomic, so the display side may read SFR 0x2E/0x2F (and a
// debugger any register) while the emulation thread runs without a data race; on x86 such
// loads and stores are plain moves. Read-modify-write sequences are not atomic as a whole:
// every store comes from the emulation thread.
//
// Register numbers are masked to 7 bits, so no number reaches outside the file.
#pragma once

#include <atomic>
#include <cstdint>

class CTimer;

class CSFRRam {
public:
    static constexpr int kSlots = 0x80;
    static constexpr int kFirstBanked = 0x25;
    static constexpr int kLastBanked = 0x3F;

    // Register numbers of the roles used by more than one part of the machine.
    static constexpr int kPointer0 = 0x01, kBank = 0x02, kPointer1 = 0x04, kBank1 = 0x05;
    static constexpr int kSp = 0x06, kPcLow = 0x07, kPcHigh = 0x08, kPcUpper = 0x09;
    static constexpr int kAcc = 0x0A, kTableLow = 0x0B, kTableHigh = 0x0C, kTableUpper = 0x0D;
    static constexpr int kLcdData = 0x0E, kStatus = 0x0F, kPointer2 = 0x11, kBank2 = 0x12;
    static constexpr int kControl = 0x20, kStepControl = 0x21, kLcdAddress = 0x22;
    static constexpr int kLcdPage = 0x23, kTimerFlags = 0x24;
    static constexpr int kDisplayControl = 0x2E, kDisplayMode = 0x2F, kStrobeControl = 0x30;
    static constexpr int kPortAPins = 0x31, kPortALatch = 0x32, kPortADir = 0x33;
    static constexpr int kKeyWakeEnable = 0x34, kKeyIntArm = 0x35, kKeyIntFlags = 0x36;
    static constexpr int kPortBPins = 0x37, kPortBLatch = 0x38, kPortBDir = 0x39;
    static constexpr int kPortCPins = 0x3A, kPortCLatch = 0x3B, kPortCDir = 0x3C;
    static constexpr int kStrobeLow = 0x42, kStrobeHigh = 0x43;

    // SFR 0x20 bits.
    static constexpr uint32_t kClockSelect = 0x01, kStandbySelect = 0x02;
    static constexpr uint32_t kInterruptEnable = 0x04, kBankSelect = 0x80;

    CSFRRam();
    CSFRRam(const CSFRRam&) = delete;
    CSFRRam& operator=(const CSFRRam&) = delete;

    // bankCount: the CPU's bank count (read at every bank-register write). The timers are
    // reloaded when their run bit is set; any of them may be nullptr.
    void Attach(const int32_t* bankCount, CTimer* timer0, CTimer* timer1, CTimer* timer2);

    // Power-on values of the CPU's setup: bank-0 registers 0x00-0x3F cleared, then the fixed
    // values stored plainly. Bank 1 and 0x42/0x43 keep their values.
    void ResetRegisters();
    // The emulator reset: PC <- 0, then the reset values written through Write, SFR 0x20 last
    // (0x11 when bit 9 of programWord12 is set, else 0x10).
    void ApplyEmulatorReset(uint16_t programWord12);

    // Low 8 bits of the register, bank 1 for 0x25-0x3F when SFR 0x20 bit 7 is set.
    uint32_t Read(int r) const { return Slot(r).load(std::memory_order_relaxed) & 0xFF; }
    // Stores the low 8 bits of value with the register's side effect (bank-selected).
    void Write(int r, uint32_t value);
    // Sets bit 'bit' of the register to value & 1 through two Writes (clear, then set).
    void SetBit(int r, int bit, uint32_t value);
    // The CPU's operand write of a register that is not an indirect port (port logic + Write).
    void OperandWrite(int r, uint32_t value);

    // Plain accesses without side effects: the bank-selected slot, or a bank's slot.
    uint32_t Get(int r) const { return Read(r); }
    void Store(int r, uint32_t value) { Slot(r).store(value & 0xFF, std::memory_order_relaxed); }
    uint32_t Bank0(int r) const { return m_bank0[r & 0x7F].load(std::memory_order_relaxed); }
    void StoreBank0(int r, uint32_t value) {
        m_bank0[r & 0x7F].store(value & 0xFF, std::memory_order_relaxed);
    }
    uint32_t Bank1(int r) const { return m_bank1[r & 0x7F].load(std::memory_order_relaxed); }
    bool Banked() const { return (Bank0(kControl) & kBankSelect) != 0; }

    // Views by role (plain stores, no side effects).
    uint32_t Pc() const {
        return Bank0(kPcLow) | Bank0(kPcHigh) << 8 | (Bank0(kPcUpper) & 1) << 16;
    }
    void SetPc(uint32_t pc) {
        StoreBank0(kPcLow, pc);
        StoreBank0(kPcHigh, pc >> 8);
        StoreBank0(kPcUpper, pc >> 16);
    }
    uint32_t A() const { return Bank0(kAcc); }
    void SetA(uint32_t v) { StoreBank0(kAcc, v); }
    uint32_t Status() const { return Bank0(kStatus); }
    uint32_t Carry() const { return Bank0(kStatus) & 1; }
    // Status bits in mask take the bits of values; the others keep theirs.
    void SetStatusBits(uint32_t mask, uint32_t values) {
        StoreBank0(kStatus, (Bank0(kStatus) & ~mask) | (values & mask));
    }
    uint32_t TablePointer() const {
        return Bank0(kTableLow) | Bank0(kTableHigh) << 8 | Bank0(kTableUpper) << 16;
    }
    // Stores upper byte first, as the table-read steps do.
    void SetTablePointer(uint32_t t) {
        StoreBank0(kTableUpper, t >> 16);
        StoreBank0(kTableHigh, t >> 8);
        StoreBank0(kTableLow, t);
    }
    uint32_t Sp() const { return Bank0(kSp); }
    void SetSp(uint32_t sp) { StoreBank0(kSp, sp); }
    uint32_t Control() const { return Bank0(kControl); }
    void SetControlBit(uint32_t bit, bool on) {
        uint32_t c = Bank0(kControl);
        StoreBank0(kControl, on ? (c | bit) : (c & ~bit));
    }

private:
    std::atomic<uint32_t>& Slot(int r) {
        r &= 0x7F;
        bool upper = r >= kFirstBanked && r <= kLastBanked && Banked();
        return upper ? m_bank1[r] : m_bank0[r];
    }
    const std::atomic<uint32_t>& Slot(int r) const { return const_cast<CSFRRam*>(this)->Slot(r); }
    // Port latch/direction writes: pins follow the latch on the output lines.
    void WriteLatch(int pins, int latch, int dir, uint32_t v);
    void WriteDirection(int pins, int latch, int dir, uint32_t v);

    std::atomic<uint32_t> m_bank0[kSlots] = {};
    std::atomic<uint32_t> m_bank1[kSlots] = {};
    const int32_t* m_bankCount;
    CTimer* m_timers[3] = {};
};
