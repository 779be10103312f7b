// Power management of the firmware: standby while idle, the timer-1 wake-ups, the auto
// power-off and ON switching the calculator back on.
#include <gtest/gtest.h>

#include "tests/firmware/calculator_rig.h"

namespace {

// In standby each pass is one 20 ms timer-1 tick; timer 1 overflows every 256 of them.
constexpr uint64_t kTicksPerWake = 256;
constexpr uint64_t kMsPerTick = 20;

TEST(Power, DisplayIsSwitchedOnAtStart) {
    CalculatorRig rig(ProductFirmware());
    CSFRRam& sfr = rig.Ice().Cpu().Sfr();
    uint32_t dispcon = sfr.Read(0x2E);
    EXPECT_TRUE(dispcon & 0x20);
    EXPECT_FALSE(dispcon & 0x40);
    EXPECT_NE(dispcon & 0x03, 0u);
    EXPECT_EQ(sfr.Read(0x2F), 0u);
}

TEST(Power, IdleCalculatorStandsByWithTimer1) {
    CalculatorRig rig(ProductFirmware());
    ASSERT_TRUE(rig.Keys("1 + 2 ="));
    EXPECT_EQ(rig.RunState(), CCpu::kStandby);
    EXPECT_TRUE(rig.Ice().Cpu().Sfr().Control() & 0x02);  // stby with timer 1
    // The timer-1 wake-ups run a few instructions each and leave the display alone.
    uint64_t before = rig.Instructions();
    rig.RunPasses(10 * kTicksPerWake);
    EXPECT_EQ(rig.RunState(), CCpu::kStandby);
    EXPECT_GT(rig.Instructions(), before);
    EXPECT_LT(rig.Instructions() - before, 10 * 40u);
    EXPECT_EQ(rig.Display().text, "3.");
}

TEST(Power, ProductSwitchesOffAfterAboutSevenMinutes) {
    CalculatorRig rig(ProductFirmware());
    ASSERT_TRUE(rig.Tap("5"));
    constexpr uint64_t kSixMinutes = 6 * 60 * 1000 / kMsPerTick;
    rig.RunPasses(kSixMinutes);
    EXPECT_EQ(rig.RunState(), CCpu::kStandby);
    EXPECT_EQ(rig.Display().text, "5.");
    constexpr uint64_t kTwoMinutes = 2 * 60 * 1000 / kMsPerTick;
    ASSERT_TRUE(rig.RunUntilState(CCpu::kHalted, kTwoMinutes));
    EXPECT_TRUE(rig.DisplayBlank());
}

TEST(Power, SwitchesOffAndOnWithTheShortTestTime) {
    CalculatorRig rig(ShortPowerOffFirmware());
    ASSERT_TRUE(rig.Keys("4 2 M+"));
    ASSERT_TRUE(rig.RunUntilState(CCpu::kHalted, 5 * kTicksPerWake));
    EXPECT_TRUE(rig.DisplayBlank());
    EXPECT_FALSE(rig.Ice().Cpu().Sfr().Control() & 0x02);  // a halt, not a standby

    // Keys other than ON leave it off.
    ASSERT_TRUE(rig.Tap("5"));
    EXPECT_EQ(rig.RunState(), CCpu::kHalted);
    EXPECT_TRUE(rig.DisplayBlank());

    ASSERT_TRUE(rig.Tap("ON"));
    EXPECT_EQ(rig.RunState(), CCpu::kStandby);
    EXPECT_EQ(rig.Display().text, "0.");
    EXPECT_EQ(rig.Display().annunciators, "M") << "the memory survives the power-off";
    ASSERT_TRUE(rig.Keys("MR"));
    EXPECT_EQ(rig.Display().text, "42.");
    ASSERT_TRUE(rig.Keys("6 x 7 ="));
    EXPECT_EQ(rig.Display().text, "42.");
}

TEST(Power, AKeyStartsTheCountdownAgain) {
    CalculatorRig rig(ShortPowerOffFirmware());
    // The test image switches off after two wake-ups without a key.
    rig.RunPasses(kTicksPerWake + kTicksPerWake / 2);
    ASSERT_EQ(rig.RunState(), CCpu::kStandby);
    ASSERT_TRUE(rig.Tap("1"));
    rig.RunPasses(kTicksPerWake + kTicksPerWake / 2);
    EXPECT_EQ(rig.RunState(), CCpu::kStandby);
    EXPECT_EQ(rig.Display().text, "1.");
    EXPECT_TRUE(rig.RunUntilState(CCpu::kHalted, 2 * kTicksPerWake));
}

}  // namespace
