// Evaluation of assembler expressions.
//
// Grammar, loosest binding first (as in C):  |   ^   &   << >>   + -   * / %   unary - ~ +
// Primaries: numbers, character constants, $ (the address of the current statement),
// symbols, (expr), and the helper functions:
//   lo(x)  x & 0xFF            hi(x)  (x >> 8) & 0xFF       up(x)  (x >> 16) & 0xFF
//   baddr(x)  2 * x: the table pointer's byte address of the word address x
//   ram(b, f) b * 128 + f: the linear address of banked RAM cell f (0x80-0xFF) of bank b
//   bank(x)   the bank of a linear banked RAM address (x >= 0x80)
//   off(x)    the operand address of a RAM address: x below 0x80 as is, else 0x80 + x % 128
// Arithmetic is 64-bit two's complement; a division by zero and a negative or oversized
// shift are errors.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "tools/isa/lexer.h"

namespace isa {

struct EvalEnv {
    // The value of a symbol by its full name, or nullopt when it is not (yet) defined.
    std::function<std::optional<int64_t>(const std::string&)> lookup;
    std::string scope;  // the enclosing global label: ".x" means scope + ".x"
    int64_t here = 0;   // $
};

struct EvalResult {
    enum Status { Ok, Undefined, Error } status = Ok;
    int64_t value = 0;
    std::string message;  // Error: the reason; Undefined: the first undefined symbol
};

// Evaluates the tokens [begin, end) as one expression.
EvalResult Evaluate(const Token* begin, const Token* end, const EvalEnv& env);

// The full name of a symbol written as name in the given scope.
std::string QualifyName(const std::string& name, const std::string& scope);

}  // namespace isa
