// Tokens of one line of assembly source.
//
// A line is split into identifiers, numbers, strings and punctuation; a ';' outside a string
// ends the line. Identifiers start with a letter, '_', '.' (local labels) or '@' (names
// private to a macro expansion) and go on with letters, digits, '_', '.' and '@', so that a
// qualified local name such as main.loop is one token. Numbers are decimal, 0x hex or 0b
// binary (with optional '_' separators) or a character in single quotes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace isa {

enum class Tok : uint8_t { Ident, Number, String, Punct };

struct Token {
    Tok kind;
    std::string text;   // the identifier, the decoded string bytes, the punctuation, the number
    int64_t value = 0;  // numbers and characters
    size_t pos = 0;     // offset of the token's first character in the line
};

// Appends the tokens of line to out. Returns an empty string, or the reason the line cannot
// be read (out then holds the tokens before the fault).
std::string Tokenize(std::string_view line, std::vector<Token>& out);

// True when the token is the punctuation p, or the identifier p compared without case.
bool IsPunct(const Token& t, std::string_view p);
bool IsWord(const Token& t, std::string_view word);

std::string Lower(std::string_view s);

}  // namespace isa
