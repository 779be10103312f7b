// The real emulation thread: start, stop, restart, the key tap and display reads while the
// firmware runs. These tests also run under ThreadSanitizer.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "core/key_tap.h"
#include "tests/core/test_machine.h"
#include "tests/support/recording_platform.h"

namespace {

using Clock = std::chrono::steady_clock;

// Polls cond every millisecond for up to 5 s of real time.
template <class Cond>
bool WaitFor(Cond cond) {
    auto deadline = Clock::now() + std::chrono::seconds(5);
    while (!cond()) {
        if (Clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

const std::vector<uint16_t> kCountingLoop = BuildImage({{0, {0x1D40, 0xC000}}});
const std::vector<uint16_t> kHaltThenCount = BuildImage({{0, {0x0002, 0x1D40, 0xC001}}});

TEST(EmulationThread, StartRunsTheFirmwareAndStopJoinsTheThread) {
    TestMachine m(kCountingLoop);
    CIce& ice = m.Ice();
    ASSERT_EQ(ice.Start(), 1);
    EXPECT_EQ(ice.RunFlag(), 1);
    EXPECT_EQ(ice.StepPass(), -1);  // no stepping beside the thread
    ASSERT_TRUE(WaitFor([&] { return ice.Passes() > 1000; }));
    EXPECT_EQ(ice.Start(), 0);  // a second start starts no second thread
    ice.Stop();
    EXPECT_FALSE(ice.ThreadActive());
    EXPECT_EQ(ice.RunFlag(), 0);
    EXPECT_EQ(ice.Initialised(), 0);
    uint64_t passes = ice.Passes();
    EXPECT_GT(m.Cpu().CommonRam(0), 0u);
    EXPECT_EQ(m.Cpu().Instructions(), passes);
    ice.Stop();  // stopping a stopped emulator is harmless
    EXPECT_EQ(ice.StepPass(), 1);
}

TEST(EmulationThread, RestartWhileHaltedEndsTheWaitAtOnce) {
    TestMachine m(kHaltThenCount);
    CIce& ice = m.Ice();
    ASSERT_EQ(ice.Start(), 1);
    ASSERT_TRUE(WaitFor([&] { return m.Cpu().RunState() == CCpu::kHalted; }));
    auto start = Clock::now();
    EXPECT_EQ(ice.Restart(kHaltThenCount.data(), kHaltThenCount.size()), 1);
    // The halt wait lasts 5 s unless the wake signal of the stop ends it.
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(4));
    EXPECT_EQ(ice.Initialised(), 1);
    ASSERT_TRUE(WaitFor([&] { return m.Cpu().RunState() == CCpu::kHalted && ice.Passes() >= 1; }));
    ice.Stop();
    EXPECT_FALSE(ice.ThreadActive());
}

TEST(EmulationThread, UnknownInstructionEndsTheThreadUntilTheNextRestart) {
    const std::vector<uint16_t> image = BuildImage({{0, {0x0000, 0x0003}}});
    TestMachine m(image);
    CIce& ice = m.Ice();
    ASSERT_EQ(ice.Start(), 1);
    ASSERT_TRUE(WaitFor([&] { return !ice.ThreadActive(); }));
    EXPECT_EQ(ice.RunFlag(), 1);  // the flag stays set: Start starts nothing
    EXPECT_EQ(ice.Start(), 0);
    EXPECT_EQ(TestPlatform().Texts(), std::vector<std::string>{"unknown instruction"});
    EXPECT_EQ(ice.Restart(image.data(), image.size()), 1);
    ASSERT_TRUE(WaitFor([&] { return !ice.ThreadActive(); }));
    ice.Stop();
    EXPECT_EQ(TestPlatform().Texts().size(), 2u);
    EXPECT_EQ(m.Sfr().Pc(), 1u);
}

TEST(EmulationThread, DeletingARunningEmulatorStopsItFirst) {
    auto ice = std::make_unique<CIce>();
    ice->Init();
    ice->LoadImage(kCountingLoop.data(), kCountingLoop.size());
    ice->Reset();
    ASSERT_EQ(ice->Start(), 1);
    ASSERT_TRUE(WaitFor([&] { return ice->Passes() > 100; }));
    ice.reset();
}

TEST(EmulationThread, DisplayReadsWhileTheFirmwareWritesTheLcd) {
    // A loop that writes a rising value through the LCD data port, address stepping up.
    const std::vector<uint16_t> image = BuildImage({{0, {0x1C0A, 0x210E, 0xC000}}});
    TestMachine m(image);
    m.Sfr().Write(0x2E, 0x21);
    m.Sfr().Write(0x21, 0x44);
    CIce& ice = m.Ice();
    ASSERT_EQ(ice.Start(), 1);
    uint32_t row[CLCDRam::kColumns];
    bool lit = false;
    ASSERT_TRUE(WaitFor([&] {
        for (int page = 0; page < 4; ++page) {
            ice.GetLcdRow(page, row);
            for (uint32_t v : row)
                lit = lit || v != 0;
        }
        return lit && ice.Passes() > 10000;
    }));
    ice.Stop();
}

TEST(EmulationThread, KeyTapWakesAHaltedFirmwareAndHoldsTheKeyUntilSeen) {
    TestMachine m(kHaltThenCount);
    m.Sfr().Write(0x32, 0xFF);  // strobe latch high
    m.Sfr().Write(0x34, 0xFF);  // every strobe line may wake
    m.Sfr().Write(0x39, 0x00);  // input lines are inputs, all low
    m.Sfr().Write(0x37, 0x00);
    CIce& ice = m.Ice();
    ASSERT_EQ(ice.Start(), 1);
    ASSERT_TRUE(WaitFor([&] { return m.Cpu().RunState() == CCpu::kHalted; }));
    EXPECT_EQ(KeyTap(ice, 3, 2), 1);  // strobe line 3, input line 2
    EXPECT_NE(m.Cpu().RunState(), CCpu::kHalted);
    EXPECT_GE(ice.Keys().ScanCount(), kKeyTapMinScans);
    EXPECT_EQ(ice.Keys().HeldCount(), 0);
    ASSERT_TRUE(WaitFor([&] { return ice.Keys().PendingRestores() == 0; }));
    ice.Stop();
    EXPECT_GT(m.Cpu().CommonRam(0), 0u);
    EXPECT_EQ(m.Sfr().Read(0x31), 0xFFu);  // the strobe pin is back at its latch value
}

TEST(KeyTap, PositionsOfTheKeyMatrix) {
    struct Case {
        int row, col;
        int ok;
        int32_t strobe, input;
    };
    const Case cases[] = {
        {0, 0, 1, 0x3106, 0x3700},  {6, 7, 1, 0x3100, 0x3707}, {-1, -1, 1, 0x3107, 0x3700},
        {-1, 3, 1, 0x3107, 0x3703}, {7, 0, 0, 0, 0},           {0, 8, 0, 0, 0},
        {2, -1, 0, 0, 0},
    };
    for (const Case& c : cases) {
        KeyTapCodes codes{};
        EXPECT_EQ(KeyCodesForPosition(c.row, c.col, &codes), c.ok) << c.row << "," << c.col;
        if (!c.ok) continue;
        EXPECT_EQ(codes.strobeCode, c.strobe);
        EXPECT_EQ(codes.inputCode, c.input);
        EXPECT_EQ(codes.strobeCode, 0x3100 + codes.strobeBit);
        EXPECT_EQ(codes.inputCode, 0x3700 + codes.inputBit);
    }
}

TEST(KeyTap, WithoutTheThreadPressesHoldsAndReleases) {
    TestMachine m;
    uint32_t before = TestPlatform().SleptMs();
    EXPECT_EQ(KeyTap(m.Ice(), 1, 4), 1);
    EXPECT_EQ(TestPlatform().SleptMs() - before, kKeyTapHoldMs + kKeyTapGapMs);
    EXPECT_EQ(m.Ice().Keys().HeldCount(), 0);
    EXPECT_EQ(m.Ice().Keys().HeldDuration(), kKeyTapHoldMs);
    EXPECT_EQ(m.Ice().Keys().PendingRestores(), 1u << 5);
    EXPECT_EQ(KeyTap(m.Ice(), 9, 9), 0);
}

}  // namespace
