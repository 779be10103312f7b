// orvane-run's pass loop: a million passes of a tight ALU loop, with and without the
// instruction trace, and the state dump.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

#include "core/ice.h"
#include "tools/run/firmware_source.h"
#include "tools/run/scripted_run.h"
#include "tools/run/staged_output.h"
#include "tools/run/state_dump.h"
#include "tools/run/trace_writer.h"

namespace {

constexpr uint64_t kPasses = 1000000;

// Add, xor, increment memory, decimal add, subtract from memory, then a page jump back.
const std::vector<uint16_t> kAluLoop = {0x1040, 0x0641, 0x1D42, 0x1443, 0x1744, 0xC000};

void Report(benchmark::State& state) {
    state.counters["passes/s"] = benchmark::Counter(double(state.iterations()) * double(kPasses),
                                                    benchmark::Counter::kIsRate);
}

void BM_MillionPassesAluLoop(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<CIce> ice = MakeMachine(kAluLoop);
        state.ResumeTiming();
        RunOutcome out = CScriptedRun(*ice, {kPasses, {}, {}}).Run();
        benchmark::DoNotOptimize(out.passes);
    }
    Report(state);
}
BENCHMARK(BM_MillionPassesAluLoop)->Unit(benchmark::kMillisecond);

// The same with every instruction written to a trace file (about 62 MB per million).
void BM_MillionPassesAluLoopTraced(benchmark::State& state) {
    std::string path =
        (std::filesystem::temp_directory_path() / "orvane-run-bench-trace.txt").string();
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<CIce> ice = MakeMachine(kAluLoop);
        CStagedOutput file;
        if (!file.Open(path)) {
            state.SkipWithError("cannot create the trace file");
            return;
        }
        CTraceWriter trace(file);
        state.ResumeTiming();
        RunOutcome out = CScriptedRun(*ice, {kPasses, {}, {}}, &trace).Run();
        if (!file.Commit()) state.SkipWithError("cannot write the trace file");
        benchmark::DoNotOptimize(out.passes);
    }
    std::error_code ec;
    state.SetBytesProcessed(int64_t(std::filesystem::file_size(path, ec)) *
                            int64_t(state.iterations()));
    std::filesystem::remove(path, ec);
    Report(state);
}
BENCHMARK(BM_MillionPassesAluLoopTraced)->Unit(benchmark::kMillisecond);

void BM_StateDump(benchmark::State& state) {
    std::unique_ptr<CIce> ice = MakeMachine(kAluLoop);
    RunOutcome out = CScriptedRun(*ice, {1000, {}, {}}).Run();
    for (auto _ : state)
        benchmark::DoNotOptimize(StateDumpJson(*ice, out));
}
BENCHMARK(BM_StateDump)->Unit(benchmark::kMillisecond);

}  // namespace
