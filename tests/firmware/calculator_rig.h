// CalculatorRig: the demo calculator's firmware running on the emulator, stepped pass by pass
// on the test's thread, with keys tapped the way the headless runner taps them:
//   run until idle (run state 3 or 4 with no key held, or 2,000,000 passes), press the key,
//   run 20,000 passes, release it, run until idle.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/ice.h"
#include "tests/firmware/demo_panel.h"

// Raw firmware images built by model/firmware (little-endian 16-bit words).
std::vector<uint16_t> LoadFirmwareImage(const std::string& path);
// The product image and the test image with the auto power-off after a few seconds.
const std::vector<uint16_t>& ProductFirmware();
const std::vector<uint16_t>& ShortPowerOffFirmware();

class CalculatorRig {
public:
    static constexpr uint64_t kIdleLimit = 2'000'000;
    static constexpr uint64_t kHoldPasses = 20'000;

    // Loads the image, resets the machine and runs it until it is idle.
    explicit CalculatorRig(const std::vector<uint16_t>& image);

    // Passes run until idle (or the limit); false when the limit was hit.
    bool RunUntilIdle(uint64_t limit = kIdleLimit);
    // Runs exactly n passes (stops early only when the emulation stops).
    void RunPasses(uint64_t n);
    // Runs until the run state is `state` or n passes have run; true when reached.
    bool RunUntilState(int32_t state, uint64_t n);

    // One tap of a key held for `hold` passes; false for an unknown key name.
    bool Tap(std::string_view name, uint64_t hold = kHoldPasses);
    // Taps every key of "1 / 3 =" in turn; false at the first unknown name.
    bool Keys(std::string_view names);
    void Press(std::string_view name);
    void Release(std::string_view name);

    LcdReading Display() const;
    bool DisplayBlank() const;
    int32_t RunState() const { return m_ice->Cpu().RunState(); }
    uint64_t Instructions() const { return m_ice->Cpu().Instructions(); }
    bool Stopped() const { return m_stopped; }
    CIce& Ice() { return *m_ice; }

private:
    bool Idle() const;

    std::unique_ptr<CIce> m_ice;
    bool m_stopped = false;
};
