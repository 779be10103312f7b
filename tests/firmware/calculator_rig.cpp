#include "tests/firmware/calculator_rig.h"

#include <fstream>
#include <iterator>

std::vector<uint16_t> LoadFirmwareImage(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    std::vector<uint16_t> words(bytes.size() / 2);
    for (size_t i = 0; i < words.size(); ++i)
        words[i] = uint16_t(bytes[2 * i] | bytes[2 * i + 1] << 8);
    return words;
}

const std::vector<uint16_t>& ProductFirmware() {
    static const std::vector<uint16_t> image = LoadFirmwareImage(ORVANE_FIRMWARE_IMAGE);
    return image;
}

const std::vector<uint16_t>& ShortPowerOffFirmware() {
    static const std::vector<uint16_t> image = LoadFirmwareImage(ORVANE_FIRMWARE_TEST_IMAGE);
    return image;
}

CalculatorRig::CalculatorRig(const std::vector<uint16_t>& image) : m_ice(std::make_unique<CIce>()) {
    m_ice->SetBankCount(CIce::kDefaultBankCount);
    m_ice->SetVariant();
    m_ice->Init();
    m_ice->LoadImage(image.data(), image.size());
    m_ice->Reset();
    RunUntilIdle();
}

bool CalculatorRig::Idle() const {
    int32_t state = m_ice->Cpu().RunState();
    return (state == CCpu::kHalted || state == CCpu::kStandby) &&
           m_ice->Cpu().Keys().HeldCount() == 0;
}

bool CalculatorRig::RunUntilIdle(uint64_t limit) {
    for (uint64_t i = 0; i < limit && !m_stopped; ++i) {
        if (Idle()) return true;
        if (m_ice->StepPass() != 1) m_stopped = true;
    }
    return Idle();
}

void CalculatorRig::RunPasses(uint64_t n) {
    for (uint64_t i = 0; i < n && !m_stopped; ++i)
        if (m_ice->StepPass() != 1) m_stopped = true;
}

bool CalculatorRig::RunUntilState(int32_t state, uint64_t n) {
    for (uint64_t i = 0; i < n && !m_stopped; ++i) {
        if (RunState() == state) return true;
        if (m_ice->StepPass() != 1) m_stopped = true;
    }
    return RunState() == state;
}

void CalculatorRig::Press(std::string_view name) {
    std::optional<KeyPosition> key = KeyByName(name);
    if (!key) return;
    if (key->row < 0)
        m_ice->Keys().PressKey(0x3107, 0x3700);
    else
        m_ice->Keys().PressKey(0x3100 + (6 - key->row), 0x3700 + key->col);
}

void CalculatorRig::Release(std::string_view name) {
    std::optional<KeyPosition> key = KeyByName(name);
    if (!key) return;
    if (key->row < 0)
        m_ice->Keys().ReleaseKey(7, 0);
    else
        m_ice->Keys().ReleaseKey(6 - key->row, key->col);
}

bool CalculatorRig::Tap(std::string_view name, uint64_t hold) {
    if (!KeyByName(name)) return false;
    RunUntilIdle();
    Press(name);
    RunPasses(hold);
    Release(name);
    RunUntilIdle();
    return true;
}

bool CalculatorRig::Keys(std::string_view names) {
    for (const std::string& name : SplitKeys(names))
        if (!Tap(name)) return false;
    return true;
}

LcdReading CalculatorRig::Display() const {
    uint32_t page0[98] = {}, page1[98] = {};
    m_ice->GetLcdRow(0, page0);
    m_ice->GetLcdRow(1, page1);
    return DecodeLcd(page0, page1);
}

bool CalculatorRig::DisplayBlank() const {
    uint32_t page0[98] = {}, page1[98] = {};
    m_ice->GetLcdRow(0, page0);
    m_ice->GetLcdRow(1, page1);
    return LcdBlank(page0, page1, 98);
}
