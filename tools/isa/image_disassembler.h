// Disassembly of a whole program image (or a range of it) into orvane-asm source.
//
// Every word of the range appears in the output: instructions, unknown words as dw, a
// two-word instruction cut off by the end of the image as dw, and runs of zero words as
// ds. Jump and call targets inside the range that start an instruction get a label (the
// symbol table's name, else L_<address>); targets elsewhere that the symbol table names are
// declared with equ at the top. Each line carries its address and raw words as a comment:
//
//           org     0x00000
//   main:
//           ldi     0x05                    ; 00000: 4e05
//
// Assembling the output gives back the range's words exactly, at the same addresses.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "tools/isa/symbol_table.h"

namespace isa {

struct ImageDisasmOptions {
    uint32_t from = 0;         // first word
    uint32_t to = UINT32_MAX;  // the word after the last (clipped to the image)
    const SymbolTable* syms = nullptr;
    bool autoLabels = true;  // make L_<address> labels for unnamed targets
    std::string title;       // shown in the header comment (the image's file name)
};

std::string DisassembleImage(std::span<const uint16_t> words, const ImageDisasmOptions& options);

}  // namespace isa
