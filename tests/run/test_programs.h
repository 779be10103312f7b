// Small hand-assembled programs shared by the runner's tests.
#pragma once

#include <cstdint>
#include <vector>

#include "tests/run/run_test_support.h"

// Sets the key matrix up so that a held key pulls its strobe and input pins low (SFR 0x30
// bit 6, port B as input) and a release restores the strobe pin to 1 (latch 0xFF).
inline std::vector<uint16_t> KeyMatrixSetup() {
    return Seq({I("ldi", {0x60}), I("sta", {0x30}), I("ldi", {0x00}), I("sta", {0x39}),
                I("ldi", {0xFF}), I("sta", {0x32})});
}

// Halts; a held key on any strobe line wakes it; every wake-up adds 1 to common RAM 0
// (operand 0x40) before it halts again.
inline std::vector<uint16_t> WakeCounterProgram() {
    std::vector<uint16_t> p = Seq({KeyMatrixSetup(), I("ldi", {0xFF}), I("sta", {0x34})});
    uint32_t loop = uint32_t(p.size());
    return Seq({p, I("stby"), I("incm", {0x40}), I("pjmp", {loop})});
}

// Never halts.
inline std::vector<uint16_t> BusyLoopProgram() {
    return Seq({I("incm", {0x40}), I("pjmp", {0})});
}
