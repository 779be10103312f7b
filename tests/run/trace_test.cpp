#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "tests/run/test_programs.h"
#include "tools/run/scripted_run.h"
#include "tools/run/staged_output.h"
#include "tools/run/state_dump.h"
#include "tools/run/trace_writer.h"

namespace {

class Trace : public RunFolderTest {
protected:
    // Runs the script on the image with a trace; returns the trace's lines.
    std::vector<std::string> TracedRun(TestMachine& m, const RunScript& script,
                                       RunOutcome* outcome = nullptr) {
        CStagedOutput file;
        EXPECT_TRUE(file.Open(Path("trace.txt")));
        CTraceWriter writer(file);
        RunOutcome out = CScriptedRun(m.Ice(), script, &writer).Run();
        EXPECT_TRUE(file.Commit());
        if (outcome) *outcome = out;
        std::vector<std::string> lines;
        std::istringstream in(ReadText("trace.txt"));
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }
};

TEST_F(Trace, OneLinePerExecutedInstructionInTheDocumentedColumns) {
    // One-word and two-word forms, a two-cycle instruction, and a halt whose waiting passes
    // execute nothing.
    TestMachine m(
        Seq({I("ldi", {0x10}), I("jeqi", {0x10, 0x0004}), I("nop"), I("tbl", {0x40}), I("stby")}));
    RunOutcome out;
    auto lines = TracedRun(m, {8, {}, {}}, &out);
    std::vector<std::string> expected = {
        "0000000000 00000 4E10      ldi 0x10                 A=10 S=C0",
        "0000000001 00001 4910 0004 jeqi 0x10, 0x00004       A=10 S=C0",
        "0000000002 00004 2C40      tbl 0x40                 A=10 S=C0",
        "0000000003 00005 0002      stby                     A=10 S=C0",
    };
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(out.passes, 8u);
}

TEST_F(Trace, PassNumbersGrowPastTenDigits) {
    std::string line;
    {
        CStagedOutput file;
        ASSERT_TRUE(file.Open(Path("t.txt")));
        TestMachine m(Seq({I("nop")}));
        m.Pass();
        CTraceWriter(file).Line(12345678901ull, 0, m.Cpu());
        ASSERT_TRUE(file.Commit());
    }
    EXPECT_EQ(ReadText("t.txt").rfind("12345678901 00000 0000      nop ", 0), 0u);
}

// Interrupts fetch from their vectors: every line must name the instruction that really ran
// there. Each handler counts its runs in RAM, so the trace's count of lines at a handler's
// address must equal the handler's own count.
TEST_F(Trace, InterruptsAreTracedAtTheirVectors) {
    std::vector<uint16_t> setup =
        Seq({KeyMatrixSetup(), I("ldi", {0x04}), I("sta", {0x35}),  // key interrupt on line 2
             I("ldi", {0x40}), I("sta", {0x2D}),                    // timer 2 reload
             I("ldi", {0x18}), I("sta", {0x2C}),                    // timer 2 on, interrupt on
             I("bset", {0x20, 2})});                                // interrupts on
    uint32_t loop = 0x10 + uint32_t(setup.size());
    TestMachine m({{0x00, I("pjmp", {0x10})},
                   {0x02, Seq({I("incm", {0x41}), I("reti")})},
                   {0x08, Seq({I("incm", {0x40}), I("reti")})},
                   {0x10, Seq({setup, I("incm", {0x42}), I("pjmp", {loop})})}});
    KeyTapCodes key{};
    ASSERT_TRUE(KeyCodesForPosition(4, 0, &key));
    auto lines = TracedRun(m, {1500, {{key, 600, 650}}, {}});

    std::map<uint32_t, uint32_t> linesAt;
    for (const std::string& line : lines)
        ++linesAt[uint32_t(std::stoul(line.substr(11, 5), nullptr, 16))];
    uint32_t timerRuns = m.Cpu().CommonRam(0), keyRuns = m.Cpu().CommonRam(1);
    ASSERT_GT(timerRuns, 5u);
    ASSERT_GT(keyRuns, 5u);
    ASSERT_LT(timerRuns + keyRuns, 200u) << "counters must not wrap";
    EXPECT_EQ(linesAt[0x08], timerRuns);
    EXPECT_EQ(linesAt[0x02], keyRuns);
    EXPECT_EQ(linesAt[0x09] + linesAt[0x03], timerRuns + keyRuns) << "one return per entry";
    EXPECT_EQ(linesAt[loop] % 256, m.Cpu().CommonRam(2)) << "this counter wraps";
    EXPECT_EQ(lines.size(), m.Cpu().Instructions());
}

TEST_F(Trace, TracingDoesNotChangeTheRun) {
    auto program = WakeCounterProgram();
    KeyTapCodes key{};
    ASSERT_TRUE(KeyCodesForPosition(2, 3, &key));
    RunScript script{kTapIdleLimit, {{key, 5, 40}}, {{key, "2,3"}}};
    TestMachine plain(program), traced(program);
    RunOutcome a = CScriptedRun(plain.Ice(), script).Run();
    RunOutcome b;
    TracedRun(traced, script, &b);
    EXPECT_EQ(StateDumpJson(plain.Ice(), a), StateDumpJson(traced.Ice(), b));
}

}  // namespace
