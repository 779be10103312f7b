// What the demo calculator's firmware costs: emulated instructions per key tap, for the
// sequences "1 / 3 =" and "2 SQRT", per timer-1 wake-up while idle, and the host CPU an idle
// emulation thread takes.
//
// The firmware comes from the build tree (model/firmware: raw image and symbols, beside this
// program's bin/ folder). Counters:
//   instr/tap   instructions from the press to the return to standby, the key held as the
//               runner's tap holds it (20,000 passes, during which the firmware polls for the
//               release);
//   work/key    instructions from the press until the firmware starts waiting for the release:
//               wake-up, key interrupt, reading and debouncing, the calculation and the
//               display.
#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "core/ice.h"

namespace {

namespace fs = std::filesystem;

constexpr uint64_t kHoldPasses = 20'000;
constexpr uint64_t kIdleLimit = 2'000'000;

struct Firmware {
    std::vector<uint16_t> image;
    uint32_t releaseWait = 0;  // address of kbd_wait_release
    bool ok = false;
};

fs::path FirmwareFolder() {
    // This program is bin/bench/<name>; the firmware is built in model/firmware beside bin/.
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return exe.parent_path().parent_path().parent_path() / "model" / "firmware";
}

const Firmware& LoadFirmware() {
    static const Firmware fw = [] {
        Firmware f;
        fs::path dir = FirmwareFolder();
        std::ifstream img(dir / "ZT_K318V.bin", std::ios::binary);
        std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(img), {}};
        for (size_t i = 0; i + 1 < bytes.size(); i += 2)
            f.image.push_back(uint16_t(bytes[i] | bytes[i + 1] << 8));
        std::ifstream sym(dir / "ZT_K318V.sym");
        std::string line;
        while (std::getline(sym, line)) {
            std::istringstream fields(line);
            std::string value, kind, name;
            if (fields >> value >> kind >> name && kind == "label" && name == "kbd_wait_release")
                f.releaseWait = uint32_t(std::stoul(value, nullptr, 16));
        }
        f.ok = !f.image.empty() && f.releaseWait != 0;
        return f;
    }();
    return fw;
}

struct KeyAt {
    const char* name;
    int strobe;  // strobe line (6 - row; 7 for ON)
    int input;
};

constexpr KeyAt kKeys[] = {
    {"1", 1, 0}, {"2", 1, 1}, {"3", 1, 2}, {"5", 2, 1}, {"/", 4, 2}, {"=", 1, 3}, {"SQRT", 6, 3},
};

const KeyAt* FindKey(const std::string& name) {
    for (const KeyAt& k : kKeys)
        if (name == k.name) return &k;
    return nullptr;
}

class Calculator {
public:
    explicit Calculator(const Firmware& fw) : m_fw(fw), m_ice(std::make_unique<CIce>()) {
        m_ice->SetBankCount(CIce::kDefaultBankCount);
        m_ice->SetVariant();
        m_ice->Init();
        m_ice->LoadImage(fw.image.data(), fw.image.size());
        m_ice->Reset();
        RunUntilIdle();
    }

    // One tap as the runner does it; adds to the two counts.
    void Tap(const KeyAt& key, uint64_t& tapInstructions, uint64_t& workInstructions) {
        RunUntilIdle();
        CCpu& cpu = m_ice->Cpu();
        uint64_t start = cpu.Instructions();
        cpu.Keys().PressKey(0x3100 + key.strobe, 0x3700 + key.input);
        bool working = true;
        for (uint64_t i = 0; i < kHoldPasses; ++i) {
            m_ice->StepPass();
            if (working && cpu.Sfr().Pc() == m_fw.releaseWait) {
                workInstructions += cpu.Instructions() - start;
                working = false;
            }
        }
        cpu.Keys().ReleaseKey(key.strobe, key.input);
        RunUntilIdle();
        tapInstructions += cpu.Instructions() - start;
    }

    void RunUntilIdle() {
        CCpu& cpu = m_ice->Cpu();
        for (uint64_t i = 0; i < kIdleLimit; ++i) {
            int32_t s = cpu.RunState();
            if ((s == CCpu::kHalted || s == CCpu::kStandby) && cpu.Keys().HeldCount() == 0) return;
            m_ice->StepPass();
        }
    }

    CIce& Ice() { return *m_ice; }

private:
    const Firmware& m_fw;
    std::unique_ptr<CIce> m_ice;
};

void Keys(benchmark::State& state, const std::vector<std::string>& names) {
    const Firmware& fw = LoadFirmware();
    if (!fw.ok) {
        state.SkipWithError("firmware image or symbols not found (build the firmware target)");
        return;
    }
    uint64_t tap = 0, work = 0, lastWork = 0;
    for (auto _ : state) {
        Calculator calc(fw);
        tap = work = 0;
        for (const std::string& name : names) {
            uint64_t before = work;
            calc.Tap(*FindKey(name), tap, work);
            lastWork = work - before;
        }
    }
    state.counters["instr/tap"] = double(tap) / double(names.size());
    state.counters["work/key"] = double(work) / double(names.size());
    state.counters["work"] = double(work);
    state.counters["work last key"] = double(lastWork);
    state.counters["instr"] = double(tap);
}

void BM_TapDigit(benchmark::State& state) {
    Keys(state, {"5"});
}
BENCHMARK(BM_TapDigit)->Unit(benchmark::kMillisecond);

void BM_OneThirdEquals(benchmark::State& state) {
    Keys(state, {"1", "/", "3", "="});
}
BENCHMARK(BM_OneThirdEquals)->Unit(benchmark::kMillisecond);

void BM_SquareRootOfTwo(benchmark::State& state) {
    Keys(state, {"2", "SQRT"});
}
BENCHMARK(BM_SquareRootOfTwo)->Unit(benchmark::kMillisecond);

// Instructions the firmware runs per timer-1 wake-up while it waits for a key.
void BM_IdleWakeUp(benchmark::State& state) {
    const Firmware& fw = LoadFirmware();
    if (!fw.ok) {
        state.SkipWithError("firmware image or symbols not found (build the firmware target)");
        return;
    }
    constexpr uint64_t kWakeUps = 50, kTicksPerWake = 256;
    uint64_t instructions = 0;
    for (auto _ : state) {
        Calculator calc(fw);
        uint64_t start = calc.Ice().Cpu().Instructions();
        for (uint64_t i = 0; i < kWakeUps * kTicksPerWake; ++i)
            calc.Ice().StepPass();
        instructions = calc.Ice().Cpu().Instructions() - start;
    }
    state.counters["instr/wake"] = double(instructions) / double(kWakeUps);
}
BENCHMARK(BM_IdleWakeUp)->Unit(benchmark::kMillisecond);

// Host CPU time of the emulation thread while the calculator waits for a key, as a share of
// one core over a second of wall time.
void BM_IdleThreadCpu(benchmark::State& state) {
    const Firmware& fw = LoadFirmware();
    if (!fw.ok) {
        state.SkipWithError("firmware image or symbols not found (build the firmware target)");
        return;
    }
    double share = 0;
    for (auto _ : state) {
        auto ice = std::make_unique<CIce>();
        ice->SetBankCount(CIce::kDefaultBankCount);
        ice->SetVariant();
        ice->Restart(fw.image.data(), fw.image.size());
        std::this_thread::sleep_for(std::chrono::milliseconds(300));  // start-up done
        std::clock_t cpuStart = std::clock();
        auto wallStart = std::chrono::steady_clock::now();
        std::this_thread::sleep_for(std::chrono::seconds(1));
        double cpu = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        double wall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
        share = cpu / wall;
        ice->Stop();
    }
    state.counters["core%"] = 100.0 * share;
}
BENCHMARK(BM_IdleThreadCpu)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
