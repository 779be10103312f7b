#include "ui/emulator_control.h"

#include "core/ice.h"
#include "core/key_tap.h"
#include "ui/lcd_refresh.h"

CEmulatorControl::CEmulatorControl() = default;

CEmulatorControl::~CEmulatorControl() {
    Destroy();
}

void CEmulatorControl::Create() {
    if (m_ice) return;
    m_ice = std::make_unique<CIce>();
    m_ice->SetLcdType(0);
    m_ice->SetBankCount(CIce::kDefaultBankCount);
    m_ice->SetVariant();
}

int CEmulatorControl::Restart(const CBuf& image) {
    if (!m_ice) return 0;
    std::vector<uint16_t> words = ImageWords(image);
    return m_ice->Restart(words.data(), words.size());
}

void CEmulatorControl::Tap(int row, int column) {
    if (m_ice) KeyTap(*m_ice, row, column);
}

bool CEmulatorControl::ReadLitSegments(CBuf& list) const {
    if (!m_ice) return false;
    BuildLitSegments(*m_ice, list);
    return true;
}

void CEmulatorControl::Destroy() {
    if (!m_ice) return;
    m_ice->Stop();
    m_ice.reset();
}

std::vector<uint16_t> ImageWords(const CBuf& image) {
    const size_t bytes = size_t(image.TotalBytes());
    const uint8_t* data = image.Data();
    std::vector<uint16_t> words(bytes / 2);
    for (size_t i = 0; i < words.size(); ++i)
        words[i] = uint16_t(data[2 * i] | data[2 * i + 1] << 8);
    return words;
}
