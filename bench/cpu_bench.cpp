// Emulated instructions per second through the deterministic stepping (one StepPass per
// instruction: key scan, run slice, clock and timer ticks, interrupt scan, execute).
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "core/ice.h"

namespace {

std::unique_ptr<CIce> MachineWith(const std::vector<uint16_t>& program) {
    auto ice = std::make_unique<CIce>();
    ice->Init();
    ice->LoadImage(program.data(), program.size());
    ice->Reset();
    return ice;
}

void RunPasses(benchmark::State& state, CIce& ice) {
    for (auto _ : state)
        for (int i = 0; i < 1000; ++i)
            ice.StepPass();
    state.SetItemsProcessed(int64_t(state.iterations()) * 1000);
    state.counters["instr/s"] =
        benchmark::Counter(double(state.iterations()) * 1000, benchmark::Counter::kIsRate);
}

// A tight ALU loop: add, xor, increment memory, decimal add, then a page jump back.
void BM_AluLoop(benchmark::State& state) {
    auto ice = MachineWith({0x1040, 0x0641, 0x1D42, 0x1443, 0x1744, 0xC000});
    RunPasses(state, *ice);
}
BENCHMARK(BM_AluLoop);

// The same loop with a timer running and interrupts enabled (no request pending).
void BM_AluLoopTimersOn(benchmark::State& state) {
    auto ice = MachineWith({0x1040, 0x0641, 0x1D42, 0x1443, 0x1744, 0xC000});
    CSFRRam& sfr = ice->Cpu().Sfr();
    sfr.Write(0x26, 0xFF);
    sfr.Write(0x27, 0xFF);
    sfr.Write(0x25, 0x08);
    sfr.StoreBank0(0x20, sfr.Control() | 0x04);
    RunPasses(state, *ice);
}
BENCHMARK(BM_AluLoopTimersOn);

// Pointer-port and LCD-port traffic with auto-step, and a key held on the matrix (the scan
// then takes the key list's lock once per instruction).
void BM_PortsWithKeyHeld(benchmark::State& state) {
    auto ice = MachineWith({0x2000, 0x2103, 0x210E, 0xC000});
    CSFRRam& sfr = ice->Cpu().Sfr();
    sfr.Write(0x21, 0xF7);
    ice->Keys().PressKey(0x3103, 0x3702);
    RunPasses(state, *ice);
}
BENCHMARK(BM_PortsWithKeyHeld);

}  // namespace
