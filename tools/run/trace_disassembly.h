// The disassembly column of the trace: the one place where the trace turns an instruction
// into text, so the disassembler behind it can be exchanged without touching the trace.
#pragma once

#include <cstdint>
#include <string>

// w: the instruction word, w2: the word after it (used by two-word forms), pc: its address.
// The text is orvane-asm source as orvane-disasm writes it, without labels: register names
// where operands have one, other operands and constants in hex, jump and call targets as
// absolute word addresses, an unknown word as dw 0xNNNN.
std::string DisassembleForTrace(uint16_t w, uint16_t w2, uint32_t pc);
