// Operand routing: RAM windows, the bank clamp, the pointer ports and the LCD data port.
#include <gtest/gtest.h>

#include "tests/core/test_machine.h"

namespace {

constexpr int kPort0 = 0x00, kPort1 = 0x03, kPort2 = 0x10, kLcdPort = 0x0E;

TEST(Memory, BankedWindowCommonRamAndTheStackArea) {
    TestMachine m;
    CCpu& cpu = m.Cpu();
    m.Sfr().Write(0x02, 0);
    cpu.WriteOperand(0x80, 0x11);
    EXPECT_EQ(cpu.BankedCell(128), 0x11u);
    m.Sfr().Write(0x02, 64);  // the bank count itself: the stack area's upper half
    cpu.WriteOperand(0xFF, 0x22);
    EXPECT_EQ(cpu.BankedCell(8447), 0x22u);
    EXPECT_EQ(cpu.StackCell(0xFF), 0x22u);
    m.Sfr().Write(0x02, 63);  // bank N - 1 is the stack's lower half
    cpu.WriteOperand(0x80, 0x33);
    EXPECT_EQ(cpu.StackCell(0x00), 0x33u);
    // Common RAM is the same whatever the bank.
    cpu.WriteOperand(0x40, 0x44);
    m.Sfr().Write(0x02, 5);
    EXPECT_EQ(cpu.ReadOperand(0x40), 0x44u);
    cpu.WriteOperand(0x7F, 0x300);  // cells hold bytes
    EXPECT_EQ(cpu.CommonRam(0x3F), 0x00u);
}

TEST(Memory, BankRegisterClampOnOperandWrites) {
    TestMachine m;
    const uint32_t cases[][2] = {{64, 64}, {65, 1}, {0x50, 0x10}, {63, 63}, {0xFF, 63}};
    for (const auto& c : cases) {
        m.Cpu().WriteOperand(0x02, c[0]);
        EXPECT_EQ(m.Sfr().Read(0x02), c[1]) << c[0];
    }
    TestMachine small({}, 20);  // below 32: 16 banks
    EXPECT_EQ(small.Cpu().BankCount(), 16);
    small.Cpu().WriteOperand(0x05, 17);
    EXPECT_EQ(small.Sfr().Read(0x05), 1u);
}

TEST(Memory, PointerPort1CarriesIntoItsBank) {
    struct Case {
        uint32_t pointer, bank, control;
        uint32_t cellBank;  // the cell accessed is (cellBank, pointer)
        uint32_t pointerAfter, bankAfter;
    };
    const Case cases[] = {
        {0xFF, 63, 0x22, 63, 0x80, 0},  // increment across the top of the window
        {0x80, 0, 0x02, 0, 0xFF, 63},   // decrement across the bottom
        {0x90, 7, 0x22, 7, 0x91, 7},    // plain steps
        {0x90, 7, 0x02, 7, 0x8F, 7},   {0x90, 7, 0x20, 7, 0x90, 7},  // stepping off
    };
    for (const Case& c : cases) {
        TestMachine m;
        m.Sfr().Write(0x04, c.pointer);
        m.Sfr().Write(0x05, c.bank);
        m.Sfr().Write(0x21, c.control);
        m.Cpu().WriteOperand(kPort1, 0x5A);
        EXPECT_EQ(m.Cpu().BankedCell(int(c.cellBank * 128 + c.pointer)), 0x5Au);
        EXPECT_EQ(m.Sfr().Read(0x04), c.pointerAfter) << std::hex << c.pointer;
        EXPECT_EQ(m.Sfr().Read(0x05), c.bankAfter) << std::hex << c.pointer;
    }
}

TEST(Memory, PointerPort2UsesItsOwnEnableAndDirection) {
    TestMachine m;
    m.Sfr().Write(0x11, 0xFF);
    m.Sfr().Write(0x12, 3);
    m.Sfr().Write(0x21, 0x88);  // bit 3 enable, bit 7 increment
    m.Sfr().Write(0x02, 9);     // the bank register plays no part
    m.Cpu().WriteOperand(0x80 + 0x7F, 0);
    m.Sfr().Write(0x02, 3);
    m.Cpu().WriteOperand(0xFF, 0x77);
    EXPECT_EQ(m.Cpu().ReadOperand(kPort2), 0x77u);
    EXPECT_EQ(m.Sfr().Read(0x11), 0x80u);
    EXPECT_EQ(m.Sfr().Read(0x12), 4u);
}

TEST(Memory, PointerPort0PeekLeavesThePointerReadSteps) {
    TestMachine m;
    m.Sfr().Write(0x02, 2);
    m.Cpu().WriteOperand(0x85, 0x66);
    m.Sfr().Write(0x01, 0x85);
    m.Sfr().Write(0x21, 0x11);  // pointer 0: step on, increment
    EXPECT_EQ(m.Cpu().PeekOperand(kPort0), 0x66u);
    EXPECT_EQ(m.Sfr().Read(0x01), 0x85u);
    EXPECT_EQ(m.Cpu().ReadOperand(kPort0), 0x66u);
    EXPECT_EQ(m.Sfr().Read(0x01), 0x86u);
    m.Sfr().Write(0x21, 0x01);  // decrement
    m.Sfr().Write(0x01, 0x00);
    m.Cpu().ReadOperand(kPort0);
    EXPECT_EQ(m.Sfr().Read(0x01), 0xFFu);  // modulo 256, the bank stays
    EXPECT_EQ(m.Sfr().Read(0x02), 2u);
}

TEST(Memory, PointerBelow0x40ReachesTheRegisterWithoutPortBehaviour) {
    TestMachine m;
    m.Sfr().Write(0x21, 0x00);
    m.Sfr().Write(0x22, 5);
    m.Sfr().Write(0x01, kLcdPort);  // pointer 0 at the LCD data port's number
    m.Cpu().WriteOperand(kPort0, 0x3C);
    EXPECT_EQ(m.Sfr().Read(0x0E), 0x3Cu);
    EXPECT_EQ(m.Cpu().Lcd().ReadCell(0, 5), 0u);
    m.Sfr().Write(0x01, 0x0A);  // the accumulator
    m.Sfr().SetA(0x99);
    EXPECT_EQ(m.Cpu().ReadOperand(kPort0), 0x99u);
    m.Sfr().Write(0x01, 0x50);  // common RAM
    m.Cpu().WriteOperand(kPort0, 0x12);
    EXPECT_EQ(m.Cpu().CommonRam(0x10), 0x12u);
}

TEST(Memory, LcdDataPort) {
    TestMachine m;
    CCpu& cpu = m.Cpu();
    m.Sfr().Write(0x23, 1);
    m.Sfr().Write(0x22, 5);
    m.Sfr().Write(0x21, 0x44);  // step on, increment
    cpu.WriteOperand(kLcdPort, 0xA5);
    EXPECT_EQ(cpu.Lcd().ReadCell(1, 5), 0xA5u);
    EXPECT_EQ(m.Sfr().Read(0x0E), 0xA5u);
    EXPECT_EQ(m.Sfr().Read(0x22), 6u);
    m.Sfr().Write(0x22, 5);
    EXPECT_EQ(cpu.PeekOperand(kLcdPort), 0xA5u);
    EXPECT_EQ(m.Sfr().Read(0x22), 5u);  // a peek does not step
    EXPECT_EQ(cpu.ReadOperand(kLcdPort), 0xA5u);
    EXPECT_EQ(m.Sfr().Read(0x22), 6u);

    // Address 98: reads 0, stores nothing, still steps (here down).
    m.Sfr().Write(0x21, 0x04);
    m.Sfr().Write(0x22, 98);
    EXPECT_EQ(cpu.ReadOperand(kLcdPort), 0u);
    EXPECT_EQ(m.Sfr().Read(0x22), 97u);
    m.Sfr().Write(0x22, 98);
    cpu.WriteOperand(kLcdPort, 0xFF);
    for (int p = 0; p < 4; ++p)
        EXPECT_EQ(cpu.Lcd().ReadCell(p, 97), 0u);
    // Address 0 stepping down wraps to 255; page 4 is page 0.
    m.Sfr().Write(0x22, 0);
    m.Sfr().Write(0x23, 4);
    cpu.WriteOperand(kLcdPort, 0x12);
    EXPECT_EQ(cpu.Lcd().ReadCell(0, 0), 0x12u);
    EXPECT_EQ(m.Sfr().Read(0x22), 0xFFu);
}

TEST(Memory, BankedAccessRestoresTheBankRegister) {
    TestMachine m;
    m.Sfr().Write(0x02, 7);
    m.Cpu().WriteBanked(64, 0xF0, 0x31);
    EXPECT_EQ(m.Cpu().StackCell(0xF0), 0x31u);
    EXPECT_EQ(m.Cpu().ReadBanked(64, 0xF0), 0x31u);
    EXPECT_EQ(m.Sfr().Read(0x02), 7u);
}

TEST(Memory, LoadImageTruncatesAndResetReadsWord12) {
    std::vector<uint16_t> image(CCpu::kProgramWords + 5, 0x1234);
    image[12] = 0x0200;
    TestMachine m(image);
    EXPECT_EQ(m.Cpu().ProgramWord(CCpu::kProgramWords - 1), 0x1234u);
    EXPECT_EQ(m.Sfr().Read(0x20), 0x11u);
    EXPECT_EQ(m.Cpu().ProgramByte(25), 0x02u);  // odd byte address: the high byte
    EXPECT_EQ(m.Cpu().ProgramByte(24), 0x00u);
}

}  // namespace
