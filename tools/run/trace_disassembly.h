// The disassembly column of the trace: the one place where the trace turns an instruction
// into text, so the disassembler behind it can be exchanged without touching the trace.
#pragma once

#include <cstdint>
#include <string>

// w: the instruction word, w2: the word after it (used by two-word forms), pc: its address.
// Operands are the instruction table's fields in assembly order, in hex: registers 0xNN,
// constants #0xNN, bit numbers in decimal, jump and call targets as encoded.
std::string DisassembleForTrace(uint16_t w, uint16_t w2, uint32_t pc);
