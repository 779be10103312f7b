// The two-pass assembler of orvane-asm.
//
// Input: a source file (docs/assembler.md describes the language). After the source reader
// has inserted include files and expanded macros, the first pass lays out every statement
// (instruction lengths come from the instruction table, so addresses never depend on
// operand values) and defines the labels; constants whose values use later labels are
// resolved once all labels are known; the second pass evaluates the operands and encodes
// the words, checking that each fits its field and that each target is within reach.
//
// Output: the image (word 0 first; words between the placed ones are 0), the symbols, and
// on request a listing. Faults are collected as "file:line: reason" messages, up to 100;
// any fault leaves ok false.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "tools/isa/symbol_table.h"

namespace isa {

inline constexpr uint32_t kProgramWords = 0x200000;

struct AsmOptions {
    std::vector<std::string> includeDirs;                  // searched after the file's folder
    std::vector<std::pair<std::string, int64_t>> defines;  // constants set before the source
    bool listing = false;
};

struct AsmResult {
    bool ok = false;
    std::vector<uint16_t> image;
    SymbolTable symbols;
    std::string listing;
    std::vector<std::string> errors;
};

AsmResult AssembleFile(const std::string& path, const AsmOptions& options = {});
// text stands for a file of that name (include paths are taken relative to its folder).
AsmResult AssembleText(const std::string& text, const std::string& name,
                       const AsmOptions& options = {});

}  // namespace isa
