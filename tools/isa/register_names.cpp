#include "tools/isa/register_names.h"

#include <array>

namespace isa {

namespace {

// clang-format off
constexpr BuiltinName kRegisters[] = {
    {"IND0",     0x00, "pointer port 0: the RAM cell PTR0 addresses in bank BSR"},
    {"PTR0",     0x01, "pointer 0"},
    {"BSR",      0x02, "bank register: bank of direct operands 0x80-0xFF and of pointer 0"},
    {"IND1",     0x03, "pointer port 1: the RAM cell PTR1 addresses in bank BANK1"},
    {"PTR1",     0x04, "pointer 1 (bit 7 always set)"},
    {"BANK1",    0x05, "bank of pointer 1"},
    {"SP",       0x06, "stack pointer"},
    {"PCL",      0x07, "program counter bits 0-7 (a write jumps)"},
    {"PCH",      0x08, "program counter bits 8-15 (a write jumps)"},
    {"PCU",      0x09, "program counter bit 16 (bit 0)"},
    {"ACC",      0x0A, "accumulator A"},
    {"TBLL",     0x0B, "table pointer bits 0-7"},
    {"TBLH",     0x0C, "table pointer bits 8-15"},
    {"TBLU",     0x0D, "table pointer bits 16-23"},
    {"LCDDAT",   0x0E, "LCD data port: the LCD cell at LCDPAGE, LCDADR"},
    {"STATUS",   0x0F, "status flags"},
    {"IND2",     0x10, "pointer port 2: the RAM cell PTR2 addresses in bank BANK2"},
    {"PTR2",     0x11, "pointer 2 (bit 7 always set)"},
    {"BANK2",    0x12, "bank of pointer 2"},
    {"SYSCON",   0x20, "system control: bit 0 clock, bit 1 standby type, bit 2 interrupts, bit 7 register window"},
    {"STEPCON",  0x21, "pointer and LCD address auto-step control"},
    {"LCDADR",   0x22, "LCD address (0-97)"},
    {"LCDPAGE",  0x23, "LCD page (bits 0-1)"},
    {"TMRFLG",   0x24, "timer interrupt flags (bit n: timer n)"},
    {"T0CON",    0x25, "timer 0 control"},
    {"T0RLL",    0x26, "timer 0 reload, low byte"},
    {"T0RLH",    0x27, "timer 0 reload, high byte"},
    {"T1CON",    0x2A, "timer 1 control"},
    {"T1RL",     0x2B, "timer 1 reload"},
    {"T2CON",    0x2C, "timer 2 control"},
    {"T2RL",     0x2D, "timer 2 reload"},
    {"DISPCON",  0x2E, "display and key control"},
    {"DISPMODE", 0x2F, "display mode: column window and row groups"},
    {"KEYCON",   0x30, "key strobe control"},
    {"PAPIN",    0x31, "port A pins (key strobe lines)"},
    {"PALAT",    0x32, "port A latch"},
    {"PADIR",    0x33, "port A direction (bit set = output)"},
    {"KEYWAKE",  0x34, "key wake-up enable lines"},
    {"KEYARM",   0x35, "key interrupt arm bits"},
    {"KEYFLG",   0x36, "key interrupt flags"},
    {"PBPIN",    0x37, "port B pins (key input lines)"},
    {"PBLAT",    0x38, "port B latch"},
    {"PBDIR",    0x39, "port B direction (bit set = output)"},
    {"PCPIN",    0x3A, "port C pins"},
    {"PCLAT",    0x3B, "port C latch"},
    {"PCDIR",    0x3C, "port C direction (bit set = output)"},
};

constexpr BuiltinName kFlagBits[] = {
    {"C",  0, "carry (after a subtraction: 1 = no borrow)"},
    {"DC", 1, "digit carry out of bit 3 (after a subtraction: 1 = no nibble borrow)"},
    {"Z",  2, "zero"},
    {"OV", 3, "signed overflow"},
    {"LE", 4, "signed less or equal"},
    {"GE", 5, "signed greater or equal"},
};
// clang-format on

const std::array<const char*, 0x40>& RegisterNameBySfr() {
    static const auto table = [] {
        std::array<const char*, 0x40> t{};
        for (const BuiltinName& r : kRegisters)
            t[r.value] = r.name;
        return t;
    }();
    return table;
}

}  // namespace

std::span<const BuiltinName> RegisterNames() {
    return kRegisters;
}

std::span<const BuiltinName> FlagBitNames() {
    return kFlagBits;
}

std::optional<int64_t> BuiltinValue(const std::string& name) {
    for (const BuiltinName& r : kRegisters)
        if (name == r.name) return r.value;
    for (const BuiltinName& b : kFlagBits)
        if (name == b.name) return b.value;
    return std::nullopt;
}

const char* RegisterName(uint32_t f) {
    return f < 0x40 ? RegisterNameBySfr()[f] : nullptr;
}

const char* FlagBitName(uint32_t b) {
    return b < std::size(kFlagBits) ? kFlagBits[b].name : nullptr;
}

}  // namespace isa
