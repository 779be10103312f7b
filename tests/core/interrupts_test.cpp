// Key and timer interrupts: the scan before each fetch and the acceptance sequence.
#include <gtest/gtest.h>

#include "tests/core/test_machine.h"

namespace {

constexpr uint32_t kStartPc = 0x1234;

// A machine at PC 0x1234 with the master interrupt enable set and no request pending.
struct InterruptMachine : TestMachine {
    InterruptMachine() {
        Sfr().SetPc(kStartPc);
        Sfr().StoreBank0(0x31, 0xFF);
        Sfr().StoreBank0(0x20, 0x14);
    }
    // Runs cycles until timer 1 (reload 0, threshold 4) has overflowed, with interrupts off.
    void OverflowTimer1(uint32_t control) {
        uint32_t saved = Sfr().Control();
        Sfr().StoreBank0(0x20, saved & ~0x04u);
        Sfr().Write(0x2B, 0);
        Sfr().Write(0x2A, control);
        while (!Cpu().Timer1().Overflow())
            Cpu().TickPeripherals();
        Sfr().StoreBank0(0x20, saved);
        Sfr().SetPc(kStartPc);
    }
};

TEST(Interrupts, MasterEnableOffAcceptsNothing) {
    InterruptMachine m;
    m.OverflowTimer1(0x18);
    m.Sfr().StoreBank0(0x35, 0x01);
    m.Sfr().StoreBank0(0x31, 0x00);
    m.Sfr().StoreBank0(0x20, 0x10);
    m.Cpu().ScanInterrupts();
    EXPECT_EQ(m.Sfr().Pc(), kStartPc);
    EXPECT_EQ(m.Cpu().Timer1().Overflow(), 1);
    EXPECT_EQ(m.Sfr().Read(0x36), 0u);
}

TEST(Interrupts, OnlyArmedLowLinesRequest) {
    InterruptMachine m;
    m.Sfr().StoreBank0(0x35, 0x05);
    m.Sfr().StoreBank0(0x31, 0x04);  // line 0 low (armed), line 1 low (not armed), line 2 high
    m.Cpu().ScanInterrupts();
    EXPECT_EQ(m.Sfr().Read(0x36), 0x01u);
    EXPECT_EQ(m.Sfr().Pc(), 2u);
    EXPECT_EQ(m.Sfr().Control() & 0x04, 0u);
    EXPECT_EQ(m.Cpu().Pop(), kStartPc);
}

TEST(Interrupts, EveryPendingSourceIsAcceptedInOneScan) {
    InterruptMachine m;
    m.OverflowTimer1(0x18);
    m.Sfr().StoreBank0(0x35, 0x03);
    m.Sfr().StoreBank0(0x31, 0x00);
    m.Cpu().ScanInterrupts();
    EXPECT_EQ(m.Sfr().Read(0x36), 0x03u);
    EXPECT_EQ(m.Sfr().Read(0x24), 0x02u);
    EXPECT_EQ(m.Sfr().Pc(), 8u);
    // Later acceptances push the vector the previous one loaded.
    EXPECT_EQ(m.Cpu().Pop(), 2u);
    EXPECT_EQ(m.Cpu().Pop(), 2u);
    EXPECT_EQ(m.Cpu().Pop(), kStartPc);
}

TEST(Interrupts, TimerOverflowWaitsForItsEnableBit) {
    InterruptMachine m;
    m.OverflowTimer1(0x08);  // running, interrupt enable off
    m.Cpu().ScanInterrupts();
    EXPECT_EQ(m.Sfr().Pc(), kStartPc);
    EXPECT_EQ(m.Cpu().Timer1().Overflow(), 1);
    m.Sfr().StoreBank0(0x2A, 0x18);
    m.Cpu().ScanInterrupts();
    EXPECT_EQ(m.Sfr().Pc(), 8u);
    EXPECT_EQ(m.Sfr().Read(0x24), 0x02u);
    EXPECT_EQ(m.Cpu().Timer1().Overflow(), 0);
}

TEST(Interrupts, RegistersAreReadFromBank0WhateverTheBankBit) {
    InterruptMachine m;
    m.Sfr().StoreBank0(0x35, 0x01);
    m.Sfr().StoreBank0(0x31, 0xFE);
    m.Sfr().StoreBank0(0x20, 0x94);  // bank 1 selected: its copies say nothing is armed
    m.Sfr().Write(0x35, 0x00);
    m.Sfr().Write(0x31, 0xFF);
    m.Cpu().ScanInterrupts();
    EXPECT_EQ(m.Sfr().Pc(), 2u);
    EXPECT_EQ(m.Sfr().Bank0(0x36), 0x01u);
}

TEST(Interrupts, ReturnFromInterruptReenablesAndALowLineRequestsAgain) {
    InterruptMachine m;
    std::vector<uint16_t> image(3);
    image[2] = 0x2BFF;  // the key vector returns at once
    m.Ice().LoadImage(image.data(), image.size());
    m.Sfr().StoreBank0(0x35, 0x01);
    m.Sfr().StoreBank0(0x31, 0xFE);
    m.Pass();  // accepted, then the return from interrupt runs
    EXPECT_EQ(m.Sfr().Pc(), kStartPc);
    EXPECT_EQ(m.Sfr().Control() & 0x04, 0x04u);
    m.Pass();  // the line is still low: accepted again
    EXPECT_EQ(m.Sfr().Pc(), kStartPc);
    EXPECT_EQ(m.Cpu().Instructions(), 2u);
    m.Sfr().StoreBank0(0x31, 0xFF);
    m.Pass();
    EXPECT_EQ(m.Sfr().Pc(), kStartPc + 1);
}

}  // namespace
