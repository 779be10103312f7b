#include "tools/run/trace_disassembly.h"

#include "tools/isa/disassembler.h"

std::string DisassembleForTrace(uint16_t w, uint16_t w2, uint32_t pc) {
    return isa::Disassemble(w, w2, pc, nullptr);
}
