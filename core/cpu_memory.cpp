// Operand routing: RAM, registers, the pointer ports with their auto-step, the LCD port.
#include "core/cpu.h"

namespace {
// SFR 0x21 bits: step enables and directions.
constexpr uint32_t kStep0 = 0x01, kStep1 = 0x02, kStepLcd = 0x04, kStep2 = 0x08;
constexpr uint32_t kUp0 = 0x10, kUp1 = 0x20, kUpLcd = 0x40, kUp2 = 0x80;
constexpr int kPort0 = 0x00, kPort1 = 0x03, kPort2 = 0x10;
}  // namespace

uint32_t* CCpu::RamCell(uint32_t bank, uint32_t address) {
    if (address >= 0x80) return &m_banked[(bank & 0xFF) * 128 + address];
    return &m_common[address - 0x40];
}

uint32_t CCpu::ReadPointerTarget(uint32_t pointer, uint32_t bank) const {
    // A pointer below 0x40 reaches the register itself, without port behaviour.
    if (pointer < 0x40) return m_sfr.Read(int(pointer));
    return *const_cast<CCpu*>(this)->RamCell(bank, pointer) & 0xFF;
}

void CCpu::WritePointerTarget(uint32_t pointer, uint32_t bank, uint32_t value) {
    if (pointer < 0x40)
        m_sfr.Write(int(pointer), value);
    else
        *RamCell(bank, pointer) = value & 0xFF;
}

uint32_t CCpu::LcdPortRead() const {
    return m_lcd.ReadCell(int(m_sfr.Bank0(CSFRRam::kLcdPage) & 3),
                          int(m_sfr.Bank0(CSFRRam::kLcdAddress)));
}

void CCpu::StepPointer0() {
    if (!(m_sfr.Bank0(CSFRRam::kStepControl) & kStep0)) return;
    int delta = (m_sfr.Bank0(CSFRRam::kStepControl) & kUp0) ? 1 : -1;
    m_sfr.Write(CSFRRam::kPointer0, (m_sfr.Bank0(CSFRRam::kPointer0) + delta) & 0xFF);
}

void CCpu::StepPointer(int pointerReg, int bankReg, uint32_t enableBit, uint32_t upBit) {
    uint32_t control = m_sfr.Bank0(CSFRRam::kStepControl);
    if (!(control & enableBit)) return;
    uint32_t p = m_sfr.Bank0(pointerReg), bank = m_sfr.Bank0(bankReg);
    uint32_t banks = uint32_t(m_bankCount) - 1;
    // The pointer stays in the banked window 0x80-0xFF and carries into its bank.
    if (control & upBit) {
        if (p == 0xFF) {
            m_sfr.Write(pointerReg, 0x80);
            m_sfr.Write(bankReg, (bank + 1) & banks);
        } else {
            m_sfr.Write(pointerReg, p + 1);
        }
    } else {
        if (p == 0x80) {
            m_sfr.Write(pointerReg, 0xFF);
            m_sfr.Write(bankReg, (bank - 1) & banks);
        } else {
            m_sfr.Write(pointerReg, (p - 1) & 0xFF);
        }
    }
}

void CCpu::StepLcdAddress() {
    uint32_t control = m_sfr.Bank0(CSFRRam::kStepControl);
    if (!(control & kStepLcd)) return;
    int delta = (control & kUpLcd) ? 1 : -1;
    m_sfr.StoreBank0(CSFRRam::kLcdAddress, (m_sfr.Bank0(CSFRRam::kLcdAddress) + delta) & 0xFF);
}

uint32_t CCpu::PeekOperand(int f) const {
    f &= 0xFF;
    if (f >= 0x40) return *const_cast<CCpu*>(this)->RamCell(m_sfr.Bank0(CSFRRam::kBank), f) & 0xFF;
    switch (f) {
        case kPort0:
            return ReadPointerTarget(m_sfr.Bank0(CSFRRam::kPointer0), m_sfr.Bank0(CSFRRam::kBank));
        case kPort1:
            return ReadPointerTarget(m_sfr.Bank0(CSFRRam::kPointer1), m_sfr.Bank0(CSFRRam::kBank1));
        case kPort2:
            return ReadPointerTarget(m_sfr.Bank0(CSFRRam::kPointer2), m_sfr.Bank0(CSFRRam::kBank2));
        case CSFRRam::kLcdData:
            return LcdPortRead();
        default:
            return m_sfr.Read(f);
    }
}

uint32_t CCpu::ReadOperand(int f) {
    f &= 0xFF;
    uint32_t v = PeekOperand(f);
    switch (f) {
        case kPort0:
            StepPointer0();
            break;
        case kPort1:
            StepPointer(CSFRRam::kPointer1, CSFRRam::kBank1, kStep1, kUp1);
            break;
        case kPort2:
            StepPointer(CSFRRam::kPointer2, CSFRRam::kBank2, kStep2, kUp2);
            break;
        case CSFRRam::kLcdData:
            StepLcdAddress();
            break;
        default:
            break;
    }
    return v;
}

void CCpu::WriteOperand(int f, uint32_t value) {
    f &= 0xFF;
    uint32_t v = value & 0xFF;
    if (f >= 0x40) {
        *RamCell(m_sfr.Bank0(CSFRRam::kBank), f) = v;
        return;
    }
    switch (f) {
        case kPort0:
            WritePointerTarget(m_sfr.Bank0(CSFRRam::kPointer0), m_sfr.Bank0(CSFRRam::kBank), v);
            StepPointer0();
            break;
        case kPort1:
            WritePointerTarget(m_sfr.Bank0(CSFRRam::kPointer1), m_sfr.Bank0(CSFRRam::kBank1), v);
            StepPointer(CSFRRam::kPointer1, CSFRRam::kBank1, kStep1, kUp1);
            break;
        case kPort2:
            WritePointerTarget(m_sfr.Bank0(CSFRRam::kPointer2), m_sfr.Bank0(CSFRRam::kBank2), v);
            StepPointer(CSFRRam::kPointer2, CSFRRam::kBank2, kStep2, kUp2);
            break;
        case CSFRRam::kLcdData:
            m_sfr.Write(CSFRRam::kLcdData, v);
            m_lcd.WriteCell(int(m_sfr.Bank0(CSFRRam::kLcdPage) & 3),
                            int(m_sfr.Bank0(CSFRRam::kLcdAddress)), v);
            StepLcdAddress();
            break;
        default:
            m_sfr.OperandWrite(f, v);
            break;
    }
}

uint32_t CCpu::ReadBanked(int bank, int offset) {
    uint32_t saved = m_sfr.Bank0(CSFRRam::kBank);
    m_sfr.Write(CSFRRam::kBank, uint32_t(bank));
    uint32_t v = ReadOperand(offset);
    m_sfr.Write(CSFRRam::kBank, saved);
    return v;
}

void CCpu::WriteBanked(int bank, int offset, uint32_t value) {
    uint32_t saved = m_sfr.Bank0(CSFRRam::kBank);
    m_sfr.Write(CSFRRam::kBank, uint32_t(bank));
    WriteOperand(offset, value);
    m_sfr.Write(CSFRRam::kBank, saved);
}
