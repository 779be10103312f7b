// A heap-allocated emulator loaded with a small hand-assembled program, driven by the
// deterministic stepping (CIce::StepPass: one pass = one instruction or one wait).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <vector>

#include "core/ice.h"

// Instruction words placed at a word address.
struct CodeBlock {
    uint32_t address;
    std::vector<uint16_t> words;
};

// A program image: every block at its address, zero (no operation) elsewhere.
inline std::vector<uint16_t> BuildImage(std::initializer_list<CodeBlock> blocks) {
    std::vector<uint16_t> image;
    for (const CodeBlock& b : blocks) {
        if (image.size() < b.address + b.words.size()) image.resize(b.address + b.words.size());
        for (size_t i = 0; i < b.words.size(); ++i)
            image[b.address + i] = b.words[i];
    }
    return image;
}

class TestMachine {
public:
    // Init, LoadImage and the emulator reset, as a restart does (without the thread).
    explicit TestMachine(const std::vector<uint16_t>& image = {}, int bankCount = 64)
        : m_ice(std::make_unique<CIce>()) {
        m_ice->SetBankCount(bankCount);
        m_ice->SetVariant();
        m_ice->Init();
        m_ice->LoadImage(image.data(), image.size());
        m_ice->Reset();
    }
    TestMachine(std::initializer_list<CodeBlock> blocks, int bankCount = 64)
        : TestMachine(BuildImage(blocks), bankCount) {}

    CIce& Ice() { return *m_ice; }
    CCpu& Cpu() { return m_ice->Cpu(); }
    CSFRRam& Sfr() { return m_ice->Cpu().Sfr(); }

    // n passes of the run loop; the result of the last one (0: stopped).
    int Pass(int n = 1) {
        int result = 1;
        for (int i = 0; i < n && result == 1; ++i)
            result = m_ice->StepPass();
        return result;
    }

private:
    std::unique_ptr<CIce> m_ice;
};
