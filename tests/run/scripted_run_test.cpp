#include "tools/run/scripted_run.h"

#include <gtest/gtest.h>

#include "core/isa_table.h"
#include "tests/run/test_programs.h"

namespace {

KeyTapCodes Codes(int row, int col) {
    KeyTapCodes c{};
    EXPECT_TRUE(KeyCodesForPosition(row, col, &c));
    return c;
}

RunOutcome RunScriptOn(TestMachine& m, const RunScript& script) {
    return CScriptedRun(m.Ice(), script).Run();
}

bool Idle(TestMachine& m) {
    int32_t s = m.Cpu().RunState();
    return (s == CCpu::kHalted || s == CCpu::kStandby) && m.Ice().Keys().HeldCount() == 0;
}

TEST(ScriptedRun, WithoutTapsTheWholeBudgetRunsEvenWhenIdle) {
    TestMachine m(WakeCounterProgram());
    RunOutcome out = RunScriptOn(m, {1234, {}, {}});
    EXPECT_EQ(out.passes, 1234u);
    EXPECT_FALSE(out.stopped);
    EXPECT_TRUE(Idle(m));
    EXPECT_EQ(m.Cpu().CommonRam(0), 0u);
}

TEST(ScriptedRun, HeldKeyIsPressedBeforeFromAndReleasedBeforeTo) {
    // Key (4, 2): strobe line 2. The event at pass N happens only when pass N runs.
    struct Case {
        uint64_t budget;
        int held;
    } cases[] = {{50, 0}, {51, 1}, {100, 1}, {101, 0}};
    for (const Case& c : cases) {
        TestMachine m(WakeCounterProgram());
        RunOutcome out = RunScriptOn(m, {c.budget, {{Codes(4, 2), 50, 100}}, {}});
        EXPECT_EQ(out.passes, c.budget);
        EXPECT_EQ(m.Ice().Keys().HeldCount(), c.held) << c.budget;
    }
    // While held the key keeps waking the halted firmware; once released it stays asleep.
    TestMachine m(WakeCounterProgram());
    RunScriptOn(m, {1000, {{Codes(4, 2), 50, 100}}, {}});
    EXPECT_GT(m.Cpu().CommonRam(0), 5u);
    EXPECT_EQ(m.Sfr().Bank0(0x31), 0xFFu) << "strobe pin restored from the latch";
    EXPECT_TRUE(Idle(m));
}

TEST(ScriptedRun, ReleaseComesBeforePressAtTheSamePass) {
    TestMachine m(WakeCounterProgram());
    RunScript script{60, {{Codes(4, 2), 50, 55}, {Codes(4, 2), 55, 70}}, {}};
    RunScriptOn(m, script);
    ASSERT_EQ(m.Ice().Keys().HeldCount(), 1);
    KeyPair held{};
    m.Ice().Keys().HeldKeys(&held, 1);
    EXPECT_EQ(held.strobeCode, 0x3102);
    EXPECT_EQ(held.inputCode, 0x3702);
}

TEST(ScriptedRun, TapWaitsForIdlePressesHoldsReleasesAndEndsIdle) {
    TestMachine m(WakeCounterProgram());
    RunScript script{kTapIdleLimit * 4, {}, {{Codes(-1, -1), "ON"}, {Codes(4, 2), "4,2"}}};
    RunOutcome out = RunScriptOn(m, script);
    EXPECT_TRUE(out.notices.empty());
    EXPECT_FALSE(out.stopped);
    EXPECT_TRUE(Idle(m));
    // Two holds of kTapHoldPasses each, plus the short set-up and wake-ups around them.
    EXPECT_GE(out.passes, 2 * kTapHoldPasses);
    EXPECT_LT(out.passes, 2 * kTapHoldPasses + 100);
    EXPECT_GT(m.Cpu().Instructions(), kTapHoldPasses) << "the held keys woke the firmware";
}

TEST(ScriptedRun, TapsStartAfterTheLastHeldKeyEvent) {
    TestMachine m(WakeCounterProgram());
    RunScript script{kTapIdleLimit, {{Codes(4, 2), 10, 3000}}, {{Codes(4, 2), "4,2"}}};
    RunOutcome out = RunScriptOn(m, script);
    EXPECT_GE(out.passes, 3000 + kTapHoldPasses);
    EXPECT_LT(out.passes, 3000 + kTapHoldPasses + 100);
}

TEST(ScriptedRun, BudgetCutsATapShort) {
    TestMachine m(WakeCounterProgram());
    RunOutcome out = RunScriptOn(m, {500, {}, {{Codes(4, 2), "4,2"}}});
    EXPECT_EQ(out.passes, 500u);
    EXPECT_EQ(m.Ice().Keys().HeldCount(), 1) << "the run ended while the key was down";
}

TEST(ScriptedRun, BusyMachineIsTappedAnywayWithNotices) {
    TestMachine m(BusyLoopProgram());
    RunOutcome out = RunScriptOn(m, {kTapIdleLimit * 4, {}, {{Codes(2, 3), "x"}}});
    EXPECT_EQ(out.passes, 2 * kTapIdleLimit + kTapHoldPasses);
    ASSERT_EQ(out.notices.size(), 2u);
    EXPECT_NE(out.notices[0].find("tap x"), std::string::npos) << out.notices[0];
    EXPECT_NE(out.notices[0].find("busy after 2000000 passes; pressing anyway"), std::string::npos);
    EXPECT_NE(out.notices[1].find("after the release"), std::string::npos);
    EXPECT_EQ(m.Ice().Keys().HeldCount(), 0);
}

TEST(ScriptedRun, UnknownInstructionEndsTheRunAtOnce) {
    constexpr uint16_t kUnknown = 0x0003;
    ASSERT_EQ(DecodeInstr(kUnknown), nullptr);
    for (bool withTap : {false, true}) {
        TestMachine m(Seq({I("nop"), I("nop"), {kUnknown}}));
        RunScript script{1000, {}, {}};
        if (withTap) script.taps.push_back({Codes(0, 0), "0,0"});
        RunOutcome out = RunScriptOn(m, script);
        EXPECT_TRUE(out.stopped);
        EXPECT_EQ(out.passes, 3u) << "the stopping pass counts";
        EXPECT_EQ(m.Sfr().Pc(), 2u);
        EXPECT_EQ(m.Cpu().Instructions(), 2u);
    }
}

TEST(ScriptedRun, ZeroBudgetRunsNothing) {
    TestMachine m(BusyLoopProgram());
    RunOutcome out = RunScriptOn(m, {0, {{Codes(1, 1), 0, 5}}, {{Codes(1, 1), "1,1"}}});
    EXPECT_EQ(out.passes, 0u);
    EXPECT_EQ(m.Cpu().Instructions(), 0u);
    EXPECT_EQ(m.Ice().Keys().HeldCount(), 0);
}

}  // namespace
