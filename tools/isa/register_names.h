// Built-in names of the assembler: the special-function registers by role and the bit
// numbers of the status flags. Source may define a symbol of the same name; its own
// definition then wins. The disassembler writes operands in the SFR range with these names.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace isa {

struct BuiltinName {
    const char* name;
    uint8_t value;
    const char* role;
};

// Registers, in SFR order.
std::span<const BuiltinName> RegisterNames();
// Status flag bit numbers (for the bit instructions on STATUS).
std::span<const BuiltinName> FlagBitNames();

// The value of a built-in name (registers and flag bits), nullopt when there is none.
std::optional<int64_t> BuiltinValue(const std::string& name);
// The name of SFR f, nullptr when it has none.
const char* RegisterName(uint32_t f);
// The name of status bit b (0-5), nullptr for bits 6 and 7.
const char* FlagBitName(uint32_t b);

inline constexpr uint8_t kStatusSfr = 0x0F;

}  // namespace isa
