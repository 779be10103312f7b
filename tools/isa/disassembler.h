// Disassembly of one instruction, driven by the instruction table (core/isa_table.h).
//
// The text is orvane-asm source: the mnemonic and its operands in assembly order, with
//   - operand addresses below 0x40 written as register names where they have one (ACC,
//     STATUS, ...), other operands and constants in hex (0x41), bit numbers in decimal (or
//     a flag name for bits of STATUS: jbs STATUS, Z, ...);
//   - jump and call targets as absolute word addresses (0x00123), or the name of a label
//     from the symbol table at that address. A near target is (address of the next
//     instruction & 0x10000) + the second word, a page target (address & ~0x1FFF) + a; both
//     are always plain addresses. A long jump or call whose segment number is 2 or more
//     (its target lies beyond the 17-bit program counter) is written raw(0x31234), the
//     field value as encoded;
//   - an unknown word as dw 0x0003.
// Reassembling the text at the same address gives back the same words.
//
// The runner's trace calls Disassemble once per executed instruction.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "core/isa_table.h"
#include "tools/isa/symbol_table.h"

namespace isa {

// Words taken by the instruction whose first word is w: its form's length, 1 when unknown.
int InstrLength(uint16_t w);

// The instruction (w, w2) at word address pc; w2 is ignored by one-word forms. syms may be
// null. length, when given, receives the instruction's length in words.
std::string Disassemble(uint16_t w, uint16_t w2, uint32_t pc, const SymbolTable* syms,
                        int* length = nullptr);

// The target address of a jump or call field of the instruction at pc, or -1 when the
// field is no target or the target lies beyond the program counter's reach (raw form).
int64_t TargetOf(const InstrDesc& d, const FieldDesc& field, uint16_t w, uint16_t w2, uint32_t pc);

// Names a target address ("" for none); used by the image disassembler for its labels.
using TargetNamer = std::function<std::string(uint32_t)>;

// Disassemble with a caller-chosen naming of targets; names of registers and flags are
// avoided where syms defines the same name.
std::string DisassembleWith(uint16_t w, uint16_t w2, uint32_t pc, const SymbolTable* syms,
                            const TargetNamer& namer, int* length = nullptr);

}  // namespace isa
