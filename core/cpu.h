// CCpu: the emulated calculator microcontroller.
//
// It holds program memory (2M 16-bit words), data memory (64 common RAM cells, the banked
// RAM store of 257 x 128 cells with the stack area inside it), the ALU, and every peripheral
// by value: register file, LCD memory, timers, system clock, key matrix and the wake event.
// Nothing allocates after construction (program memory is allocated once, by the
// constructor).
//
// Memory map of an 8-bit operand address f:
//   0x80-0xFF  banked RAM cell (bank register SFR 0x02) * 128 + f
//   0x40-0x7F  common RAM cell f - 0x40, whatever the bank
//   0x00-0x3F  special-function registers, except the indirect ports:
//              0x00 pointer port 0 (SFR 0x01, bank SFR 0x02), 0x03 pointer port 1 (SFR 0x04,
//              bank SFR 0x05), 0x10 pointer port 2 (SFR 0x11, bank SFR 0x12), 0x0E LCD data
//              port (page SFR 0x23 & 3, address SFR 0x22). Ports step their pointer or
//              address after a read or write when SFR 0x21 says so.
// Stack area: the 256 cells N * 128 + s of the banked store (N = bank count); the stack
// grows down, two cells per entry, and wraps inside those 256 cells.
//
// How to drive it (normally through CIce, which owns one):
//   Setup(variant, bankCount) at every Init; LoadImage; ResetMachine; then one RunSlice per
//   pass of the run loop, after a key scan. RunSlice ticks the peripherals machine cycle by
//   machine cycle until an instruction completes (or one halt/standby wait is over).
//   SetRealWaits(false) (the default) makes every wait end at once as if timed out and skips
//   the standby instruction's 200 ms sleep: the deterministic mode of tests and tools.
//
// Threads: everything here runs on one thread at a time (the emulation thread, or the caller
// of the deterministic stepping). The exceptions, safe from any thread: the key matrix's
// front-end operations (Keys()), WakeEvent().Signal(), RunState(), and reads of the LCD
// cells and registers, which are relaxed atomics. The other const accessors are for a
// stopped machine.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "core/alu.h"
#include "core/isa_table.h"
#include "periph/key_status.h"
#include "periph/lcd_ram.h"
#include "periph/sfr_ram.h"
#include "periph/system_clock.h"
#include "periph/timers.h"
#include "periph/wake_event.h"

class CCpu {
public:
    static constexpr uint32_t kProgramWords = 0x200000;
    static constexpr uint32_t kProgramMask = kProgramWords - 1;
    static constexpr uint32_t kPcMask = 0x1FFFF;
    static constexpr int kCommonCells = 64;
    static constexpr int kBankedCells = 257 * 128;
    static constexpr int kMaxBankCount = 255;  // the stack area of bank count N must fit

    // Run states.
    static constexpr int32_t kRunMain = 1, kRunSub = 2, kHalted = 3, kStandby = 4;
    // Result of Step / TickPeripherals.
    static constexpr int kCycleRan = 0, kStopEmulation = 1, kSliceDone = 2;
    // Interrupt vectors.
    static constexpr uint32_t kKeyVector = 2, kTimerVector = 8;
    // Host waits of the halt and standby states, and the standby instruction's sleep.
    static constexpr uint32_t kHaltWaitMs = 5000, kStandbyWaitMs = 20, kStandbySleepMs = 200;

    CCpu();
    CCpu(const CCpu&) = delete;
    CCpu& operator=(const CCpu&) = delete;

    // --- cpu_setup.cpp ---
    // Variant 4 register layout and power-on registers; repeat count 0, run state 1, bank
    // count (16 when below 32, at most 255), program memory cleared, cycle count/position 1,
    // peripherals wired and timers cleared. The repeat target is left alone.
    void Setup(int variant, int bankCount);
    // Copies min(count, 2M) words to program word 0 on; returns the number copied.
    size_t LoadImage(const uint16_t* words, size_t count);
    // The emulator reset: register reset values (SFR 0x20 from bit 9 of program word 12),
    // then the held-key list emptied.
    void ResetMachine();

    // --- cpu_memory.cpp ---
    // The read with side effects (pointer and LCD-address steps).
    uint32_t ReadOperand(int f);
    // The same routing without side effects.
    uint32_t PeekOperand(int f) const;
    // The write with side effects (port logic, pointer and LCD-address steps).
    void WriteOperand(int f, uint32_t value);
    // Operand access with the bank register temporarily set to bank.
    uint32_t ReadBanked(int bank, int offset);
    void WriteBanked(int bank, int offset, uint32_t value);
    // Program byte at byte address t: low byte of word t / 2 for even t, else its high byte.
    uint32_t ProgramByte(uint32_t t) const {
        uint16_t w = m_program[(t >> 1) & kProgramMask];
        return (t & 1) ? uint32_t(w >> 8) : uint32_t(w & 0xFF);
    }

    // --- cpu_stack.cpp ---
    // Pushes a return address: low byte to stack cell SP - 1 (a banked write), the high part
    // (PC bit 16 included) raw into cell SP - 2; SP <- SP - 2. Cells wrap inside the area.
    void Push(uint32_t address);
    // The reverse: high part from cell SP, low byte from cell SP + 1; SP <- SP + 2.
    uint32_t Pop();

    // --- cpu_execute.cpp ---
    // One instruction: interrupt scan, fetch, decode, operation. Returns 1 for an unknown
    // instruction (message shown, PC and cycle count unchanged), else 0.
    int Execute();
    // Repeat-aware PC advance by n words.
    void AdvancePc(int n);

    // --- interrupts.cpp ---
    void ScanInterrupts();
    void AcceptInterrupt(uint32_t vector);

    // --- run_control.cpp ---
    // One machine cycle: executes on the first cycle of an instruction. 1 = stop emulation,
    // 2 = instruction completed, 0 = a cycle ran.
    int Step();
    // One machine cycle of clock, timers and (when the clock allows) the CPU; by run state.
    int TickPeripherals();
    // Ticks until an instruction completes or one halt/standby wait is over. 0 = stop.
    int RunSlice();
    void ClockSelect();
    void SetRealWaits(bool real) { m_realWaits = real; }
    bool RealWaits() const { return m_realWaits; }

    // --- accessors ---
    CSFRRam& Sfr() { return m_sfr; }
    const CSFRRam& Sfr() const { return m_sfr; }
    CLCDRam& Lcd() { return m_lcd; }
    const CLCDRam& Lcd() const { return m_lcd; }
    CKeyStatus& Keys() { return m_keys; }
    const CKeyStatus& Keys() const { return m_keys; }
    CWakeEvent& WakeEvent() { return m_wake; }
    const CAlu& Alu() const { return m_alu; }
    const CTimer& Timer0() const { return m_timer0; }
    const CTimer& Timer1() const { return m_timer1; }
    const CTimer& Timer2() const { return m_timer2; }
    const CSystemClock& Clock() const { return m_clock; }

    int32_t RunState() const { return m_runState.load(std::memory_order_relaxed); }
    void SetRunState(int32_t s) { m_runState.store(s, std::memory_order_relaxed); }
    int32_t RepeatCount() const { return m_repeatCount; }
    uint32_t RepeatTarget() const { return m_repeatTarget; }
    int32_t CyclePosition() const { return m_cyclePosition; }
    int32_t CycleCount() const { return m_cycleCount; }
    int32_t BankCount() const { return m_bankCount; }
    int32_t Variant() const { return m_variant; }
    uint32_t CommonRam(int i) const { return m_common[i & (kCommonCells - 1)]; }
    // Raw cell of the banked store (linear index; a stack high cell may exceed 0xFF).
    uint32_t BankedCell(int i) const { return unsigned(i) < kBankedCells ? m_banked[i] : 0; }
    uint32_t StackCell(int s) const { return m_banked[m_bankCount * 128 + (s & 0xFF)]; }
    uint16_t ProgramWord(uint32_t i) const { return m_program[i & kProgramMask]; }
    // Where the last executed instruction was fetched: its address, or the vector when the
    // interrupt scan before it accepted an interrupt. For traces.
    uint32_t LastFetchAddress() const { return m_lastFetch; }
    // Counters for tools: executed instructions and TickPeripherals calls since Setup.
    uint64_t Instructions() const { return m_instructions; }
    uint64_t Ticks() const { return m_ticks; }

private:
    // cpu_memory.cpp
    uint32_t* RamCell(uint32_t bank, uint32_t address);
    uint32_t ReadPointerTarget(uint32_t pointer, uint32_t bank) const;
    void WritePointerTarget(uint32_t pointer, uint32_t bank, uint32_t value);
    void StepPointer0();
    void StepPointer(int pointerReg, int bankReg, uint32_t enableBit, uint32_t upBit);
    void StepLcdAddress();
    uint32_t LcdPortRead() const;

    // cpu_execute.cpp
    void Run(Op op, uint16_t w, uint16_t w2, uint32_t pc);
    uint32_t rd(int f) { return ReadOperand(f); }
    uint32_t pk(int f) const { return PeekOperand(f); }
    // The read half of the composite-pointer arithmetic: pointer 1 or 2 with its bank's
    // bit 0 as bit 7.
    uint32_t pkComposite(int f) const;
    void wr(int f, uint32_t v) { WriteOperand(f, v); }
    uint32_t A() const { return m_sfr.A(); }
    void SetA(uint32_t v) { m_sfr.SetA(v & 0xFF); }
    void SetZ(uint32_t v) { m_sfr.SetStatusBits(kFlagZ, (v & 0xFF) == 0 ? kFlagZ : 0); }
    void SetCarry(uint32_t c) { m_sfr.SetStatusBits(kFlagC, c ? kFlagC : 0); }
    uint32_t C() const { return m_sfr.Carry(); }
    uint32_t NotC() const { return 1 - m_sfr.Carry(); }
    void CopyFlags(uint8_t mask) { m_sfr.SetStatusBits(mask, m_alu.FlagBits()); }
    uint32_t Add(uint32_t x, uint32_t y, uint32_t c);
    uint32_t Sub(uint32_t x, uint32_t y, uint32_t b);
    uint32_t Dadd(uint32_t x, uint32_t y, uint32_t c);
    uint32_t Dsub(uint32_t x, uint32_t y, uint32_t b);
    void CarryUp(int f, uint32_t result, int32_t carry);
    void BorrowDown(int f, uint32_t result, int32_t carry);
    uint32_t Near(uint16_t w2) const { return (m_sfr.Pc() & 0x10000) + w2; }
    void Jump(uint32_t target) { m_sfr.SetPc(target); }
    void Standby();
    void UnknownInstruction();

    // run_control.cpp
    CWakeEvent::Result WaitWake(uint32_t ms);
    void StandbyTick();
    void WakeUp();

    uint32_t m_common[kCommonCells] = {};
    uint32_t m_banked[kBankedCells] = {};
    std::unique_ptr<uint16_t[]> m_program;
    int32_t m_cyclePosition = 1;
    int32_t m_cycleCount = 1;
    int32_t m_repeatCount = 0;
    uint32_t m_repeatTarget = 0;
    CAlu m_alu;
    std::atomic<int32_t> m_runState{kRunMain};
    int32_t m_bankCount = 16;
    int32_t m_variant = 4;
    CKeyStatus m_keys;
    CTimer0 m_timer0;
    CTimer1 m_timer1;
    CTimer2 m_timer2;
    CSFRRam m_sfr;
    CLCDRam m_lcd;
    CWakeEvent m_wake;
    CSystemClock m_clock;
    bool m_realWaits = false;
    const Op* m_decode;
    uint32_t m_lastFetch = 0;
    uint64_t m_instructions = 0;
    uint64_t m_ticks = 0;
};
