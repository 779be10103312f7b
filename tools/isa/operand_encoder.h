// Placing assembler operands into the fields of an instruction form, with the range and
// reach checks that give the assembler's messages.
//
// Targets of jumps and calls are absolute word addresses, checked against what the form
// can reach from its own address:
//   near (two-word jumps)   the 64K-word segment of the next instruction: the target's
//                           bit 16 must equal that of (address + 2); w2 = target & 0xFFFF
//   page (pjmp, pcall)      the 8K-word page of the instruction itself
//   short (scall)           0x00000-0x00FFF
//   long (ljmp, lcall)      0x00000-0x1FFFF, the program counter's 17 bits
// raw(x) instead of a target stores x into the field as it is (any value the field holds).
#pragma once

#include <cstdint>
#include <string>

#include "core/isa_table.h"

namespace isa {

struct OperandValue {
    int64_t value = 0;
    bool raw = false;  // written raw(x)
};

bool IsTargetField(const FieldDesc& field);

// Stores the operand into field i of form d for an instruction at address. Returns "" or
// the reason it does not fit.
std::string EncodeField(const InstrDesc& d, int i, const OperandValue& v, uint32_t address,
                        uint16_t& w, uint16_t& w2);

// The operand letters of a form in assembly order, "f, b, t"; "" for none.
std::string OperandLetters(const InstrDesc& d);

}  // namespace isa
