#include "periph/sfr_ram.h"

#include <gtest/gtest.h>

#include "tests/periph/periph_rig.h"

namespace {

TEST(SfrRam, BankBitSelectsTheUpperCopyOfRegisters25To3F) {
    PeriphRig rig;
    CSFRRam& sfr = rig.sfr;
    sfr.Write(0x25, 0x01);
    sfr.Write(0x20, 0x80);
    sfr.Write(0x25, 0x02);
    sfr.Write(0x3F, 0x44);
    sfr.Write(0x24, 0x07);  // below the banked range
    EXPECT_EQ(sfr.Read(0x25), 0x02u);
    EXPECT_EQ(sfr.Bank0(0x25), 0x01u);
    EXPECT_EQ(sfr.Bank1(0x3F), 0x44u);
    sfr.Write(0x20, 0x00);  // SFR 0x20 itself is never banked
    EXPECT_EQ(sfr.Read(0x25), 0x01u);
    EXPECT_EQ(sfr.Read(0x3F), 0x33u);  // power-on value of bank 0
    EXPECT_EQ(sfr.Read(0x24), 0x07u);
}

TEST(SfrRam, BankRegistersClampToTheBankCount) {
    struct Case {
        int32_t bankCount;
        int reg;
        uint32_t written, stored;
    };
    const Case cases[] = {
        {64, 0x02, 0x50, 0x10},  {64, 0x02, 0x40, 0x40}, {64, 0x05, 0x41, 0x01},
        {64, 0x12, 0x3F, 0x3F},  {16, 0x02, 0x11, 0x01}, {16, 0x12, 0x10, 0x10},
        {64, 0x02, 0x1FF, 0x3F},  // only the low byte counts
    };
    for (const Case& c : cases) {
        PeriphRig rig;
        rig.bankCount = c.bankCount;
        rig.sfr.Write(c.reg, c.written);
        EXPECT_EQ(rig.sfr.Read(c.reg), c.stored) << std::hex << c.reg << " " << c.written;
    }
}

TEST(SfrRam, PointerRegistersAlwaysHoldBit7) {
    PeriphRig rig;
    rig.sfr.Write(0x04, 0x00);
    rig.sfr.Write(0x11, 0x12);
    rig.sfr.Write(0x01, 0x00);  // pointer 0 is not forced
    EXPECT_EQ(rig.sfr.Read(0x04), 0x80u);
    EXPECT_EQ(rig.sfr.Read(0x11), 0x92u);
    EXPECT_EQ(rig.sfr.Read(0x01), 0x00u);
}

TEST(SfrRam, SettingTheRunBitReloadsAStoppedTimerOnce) {
    PeriphRig rig;
    rig.sfr.Write(0x26, 0x34);
    rig.sfr.Write(0x27, 0x12);
    rig.sfr.Write(0x25, 0x08);
    EXPECT_EQ(rig.timer0.Counter(), 0x1234);
    rig.sfr.Write(0x26, 0x99);
    rig.sfr.Write(0x25, 0x08);  // already running: no reload
    EXPECT_EQ(rig.timer0.Counter(), 0x1234);
    rig.sfr.Write(0x2B, 0x05);
    rig.sfr.Write(0x2A, 0x0B);
    EXPECT_EQ(rig.timer1.Counter(), 5);
    // A store into the bank-1 copy still tests the bank-0 run bit.
    rig.sfr.Write(0x2D, 0x07);
    rig.sfr.Write(0x20, 0x80);
    rig.sfr.Write(0x2C, 0x08);
    EXPECT_EQ(rig.timer2.Counter(), 7);
    EXPECT_EQ(rig.sfr.Bank0(0x2C), 0u);
}

TEST(SfrRam, SetBitChangesOneBitThroughWrite) {
    PeriphRig rig;
    rig.sfr.Write(0x3A, 0xF0);
    rig.sfr.SetBit(0x3A, 0, 1);
    rig.sfr.SetBit(0x3A, 7, 0);
    EXPECT_EQ(rig.sfr.Read(0x3A), 0x71u);
    rig.sfr.SetBit(0x04, 7, 0);  // the forced bit stays
    EXPECT_EQ(rig.sfr.Read(0x04), 0x80u);
}

struct PortCase {
    const char* what;
    uint32_t control20, strobe30, arm35, pins, latch, dir;
    int reg;
    uint32_t value;
    uint32_t pinsAfter, arm35After;
};

TEST(SfrRam, OperandWritesOfPortRegistersDriveThePins) {
    const PortCase cases[] = {
        {"latch drives the output lines", 0, 0, 0, 0xF0, 0x00, 0x03, 0x32, 0x0F, 0xF3, 0},
        {"direction takes the latch on new outputs", 0, 0, 0, 0x0F, 0xA0, 0x00, 0x33, 0xF0, 0xAF,
         0},
        {"bank 1 selected: pins untouched", 0x80, 0, 0, 0xF0, 0x00, 0x03, 0x32, 0x0F, 0xF0, 0},
        {"forced strobes: latch raises every pin", 0, 0x40, 0, 0x00, 0x00, 0x00, 0x32, 0x00, 0xFF,
         0xFF},
        {"forced strobes, line 0 armed: no raise", 0, 0x40, 0x01, 0x00, 0x00, 0x00, 0x32, 0x00,
         0x00, 0x01},
        {"strobe control bit 6 raises every pin", 0, 0, 0, 0x00, 0x00, 0x00, 0x30, 0x40, 0xFF,
         0xFF},
        {"strobe control without bit 6", 0, 0, 0, 0x00, 0x00, 0x00, 0x30, 0xBF, 0x00, 0},
    };
    for (const PortCase& c : cases) {
        PeriphRig rig;
        CSFRRam& sfr = rig.sfr;
        sfr.Store(0x20, c.control20);
        sfr.Store(0x30, c.strobe30);
        sfr.Store(0x35, c.arm35);
        sfr.Store(0x31, c.pins);
        sfr.Store(0x32, c.latch);
        sfr.Store(0x33, c.dir);
        sfr.OperandWrite(c.reg, c.value);
        EXPECT_EQ(sfr.Read(0x31), c.pinsAfter) << c.what;
        EXPECT_EQ(sfr.Read(0x35), c.arm35After) << c.what;
        EXPECT_EQ(sfr.Read(c.reg), c.value) << c.what;
    }
}

TEST(SfrRam, PortsBAndCFollowTheirOwnLatchAndDirection) {
    PeriphRig rig;
    CSFRRam& sfr = rig.sfr;
    sfr.Store(0x37, 0x00);
    sfr.OperandWrite(0x39, 0x0F);  // low four lines output, latch 0
    sfr.OperandWrite(0x38, 0xFF);
    EXPECT_EQ(sfr.Read(0x37), 0x0Fu);
    sfr.Store(0x3A, 0xFF);
    sfr.OperandWrite(0x3C, 0xF0);
    EXPECT_EQ(sfr.Read(0x3A), 0x0Fu);  // latch 0 on the new outputs
    EXPECT_EQ(sfr.Read(0x31), 0x00u);  // port A untouched
}

TEST(SfrRam, DisplayControlWithoutBit5ClearsTheKeyStrobeOutputs) {
    PeriphRig rig;
    rig.sfr.StoreBank0(0x42, 0x12);
    rig.sfr.StoreBank0(0x43, 0x34);
    rig.sfr.OperandWrite(0x2E, 0x20);
    EXPECT_EQ(rig.sfr.Bank0(0x42), 0x12u);
    rig.sfr.OperandWrite(0x2E, 0x01);
    EXPECT_EQ(rig.sfr.Bank0(0x42), 0u);
    EXPECT_EQ(rig.sfr.Bank0(0x43), 0u);
    EXPECT_EQ(rig.sfr.Read(0x2E), 0x01u);
}

TEST(SfrRam, PowerOnValues) {
    PeriphRig rig;
    CSFRRam& sfr = rig.sfr;
    for (int r = 0; r < 0x40; ++r)
        sfr.StoreBank0(r, 0x5A);
    sfr.StoreBank0(0x42, 0x77);
    sfr.ResetRegisters();
    const uint8_t expected[][2] = {{0x04, 0x80}, {0x11, 0x80}, {0x21, 0xF0}, {0x33, 0xFF},
                                   {0x39, 0xFF}, {0x3C, 0xFF}, {0x3F, 0x33}, {0x0A, 0x00},
                                   {0x2E, 0x00}, {0x31, 0x00}};
    for (const auto& rv : expected)
        EXPECT_EQ(sfr.Bank0(rv[0]), rv[1]) << std::hex << int(rv[0]);
    EXPECT_EQ(sfr.Bank0(0x42), 0x77u);
}

TEST(SfrRam, EmulatorResetTakesClockSelectFromProgramWord12) {
    for (uint16_t word12 : {uint16_t(0x0200), uint16_t(0xFDFF)}) {
        PeriphRig rig;
        rig.sfr.SetPc(0x1ABCD);
        rig.sfr.ApplyEmulatorReset(word12);
        EXPECT_EQ(rig.sfr.Read(0x20), (word12 & 0x200) ? 0x11u : 0x10u);
        EXPECT_EQ(rig.sfr.Pc(), 0u);
        EXPECT_EQ(rig.sfr.Read(0x0F), 0xC0u);
        EXPECT_EQ(rig.sfr.Read(0x31), 0xFFu);
        EXPECT_EQ(rig.sfr.Read(0x30), 0x20u);
    }
}

TEST(SfrRam, EmulatorResetWithBankBitSetFillsBank1) {
    PeriphRig rig;
    rig.sfr.StoreBank0(0x20, 0x80);
    rig.sfr.StoreBank0(0x31, 0x00);
    rig.sfr.ApplyEmulatorReset(0);
    EXPECT_EQ(rig.sfr.Bank1(0x31), 0xFFu);
    EXPECT_EQ(rig.sfr.Bank0(0x31), 0x00u);
    EXPECT_EQ(rig.sfr.Read(0x20), 0x10u);
}

TEST(SfrRam, RegisterViews) {
    PeriphRig rig;
    CSFRRam& sfr = rig.sfr;
    sfr.SetPc(0x1FFFF);
    EXPECT_EQ(sfr.Bank0(0x09), 0x01u);
    sfr.SetPc(0x3ABCD);  // bits 16-23 are stored, only bit 16 is read back
    EXPECT_EQ(sfr.Bank0(0x09), 0x03u);
    EXPECT_EQ(sfr.Pc(), 0x1ABCDu);
    sfr.SetTablePointer(0xABCDEF);
    EXPECT_EQ(sfr.Bank0(0x0D), 0xABu);
    EXPECT_EQ(sfr.TablePointer(), 0xABCDEFu);
    sfr.StoreBank0(0x0F, 0xC0);
    sfr.SetStatusBits(0x05, 0xFF);
    EXPECT_EQ(sfr.Status(), 0xC5u);
    sfr.SetStatusBits(0x80, 0);
    EXPECT_EQ(sfr.Status(), 0x45u);
}

}  // namespace
