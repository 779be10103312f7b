#include "tools/isa/lexer.h"

#include <cctype>

#include "util/strfmt.h"

namespace isa {

namespace {

bool IdentStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_' || c == '.' || c == '@';
}
bool IdentChar(char c) {
    return IdentStart(c) || std::isdigit(static_cast<unsigned char>(c));
}

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 99;
}

// Reads a number at s[i]; advances i past it.
std::string ReadNumber(std::string_view s, size_t& i, int64_t& value) {
    size_t start = i;
    int base = 10;
    if (s[i] == '0' && i + 1 < s.size() && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        i += 2;
    } else if (s[i] == '0' && i + 1 < s.size() && (s[i + 1] == 'b' || s[i + 1] == 'B')) {
        base = 2;
        i += 2;
    }
    size_t end = i;
    while (end < s.size() && IdentChar(s[end]) && s[end] != '.' && s[end] != '@')
        ++end;
    std::string_view text = s.substr(start, end - start);
    uint64_t v = 0;
    int digits = 0;
    for (size_t k = i; k < end; ++k) {
        if (s[k] == '_') continue;
        int d = DigitValue(s[k]);
        if (d >= base) return StrFormat("bad number '%.*s'", int(text.size()), text.data());
        if (v > (UINT64_MAX - uint64_t(d)) / uint64_t(base) || v * base + d > uint64_t(INT64_MAX))
            return StrFormat("number '%.*s' is too large", int(text.size()), text.data());
        v = v * base + d;
        ++digits;
    }
    if (digits == 0) return StrFormat("bad number '%.*s'", int(text.size()), text.data());
    i = end;
    value = int64_t(v);
    return "";
}

// Reads one possibly escaped character of a string or character literal at s[i].
std::string ReadChar(std::string_view s, size_t& i, char& c) {
    if (s[i] != '\\') {
        c = s[i++];
        return "";
    }
    if (i + 1 >= s.size()) return "unfinished escape at the end of the line";
    char e = s[i + 1];
    i += 2;
    switch (e) {
        case 'n':
            c = '\n';
            return "";
        case 't':
            c = '\t';
            return "";
        case 'r':
            c = '\r';
            return "";
        case '0':
            c = '\0';
            return "";
        case '\\':
            c = '\\';
            return "";
        case '\'':
            c = '\'';
            return "";
        case '"':
            c = '"';
            return "";
        case 'x': {
            if (i + 1 >= s.size() || DigitValue(s[i]) > 15 || DigitValue(s[i + 1]) > 15)
                return "\\x needs two hex digits";
            c = char(DigitValue(s[i]) * 16 + DigitValue(s[i + 1]));
            i += 2;
            return "";
        }
        default:
            return StrFormat("unknown escape '\\%c'", e);
    }
}

}  // namespace

std::string Tokenize(std::string_view line, std::vector<Token>& out) {
    size_t i = 0;
    while (i < line.size()) {
        const size_t start = i;
        const char c = line[i];
        if (c == ';') break;
        if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
            ++i;
            continue;
        }
        Token t{Tok::Punct, "", 0, start};
        if (std::isdigit(static_cast<unsigned char>(c))) {
            t.kind = Tok::Number;
            if (std::string why = ReadNumber(line, i, t.value); !why.empty()) return why;
            t.text = std::string(line.substr(start, i - start));
        } else if (IdentStart(c)) {
            while (i < line.size() && IdentChar(line[i]))
                ++i;
            t.kind = Tok::Ident;
            t.text = std::string(line.substr(start, i - start));
        } else if (c == '"') {
            t.kind = Tok::String;
            ++i;
            while (true) {
                if (i >= line.size()) return "string without its closing quote";
                if (line[i] == '"') break;
                char ch;
                if (std::string why = ReadChar(line, i, ch); !why.empty()) return why;
                t.text.push_back(ch);
            }
            ++i;
        } else if (c == '\'') {
            ++i;
            if (i >= line.size() || line[i] == '\'') return "empty character constant";
            char ch;
            if (std::string why = ReadChar(line, i, ch); !why.empty()) return why;
            if (i >= line.size() || line[i] != '\'')
                return "character constant without its closing quote";
            ++i;
            t.kind = Tok::Number;
            t.text = std::string(line.substr(start, i - start));
            t.value = int64_t(uint8_t(ch));
        } else if ((c == '<' || c == '>') && i + 1 < line.size() && line[i + 1] == c) {
            t.text = std::string(2, c);
            i += 2;
        } else if (std::string_view("(),:+-*/%&|^~$").find(c) != std::string_view::npos) {
            t.text = std::string(1, c);
            ++i;
        } else if (std::isprint(static_cast<unsigned char>(c))) {
            return StrFormat("unexpected '%c'", c);
        } else {
            return StrFormat("unexpected byte 0x%02x", unsigned(static_cast<unsigned char>(c)));
        }
        out.push_back(std::move(t));
    }
    return "";
}

bool IsPunct(const Token& t, std::string_view p) {
    return t.kind == Tok::Punct && t.text == p;
}

bool IsWord(const Token& t, std::string_view word) {
    if (t.kind != Tok::Ident || t.text.size() != word.size()) return false;
    for (size_t i = 0; i < word.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(t.text[i])) != word[i]) return false;
    return true;
}

std::string Lower(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return r;
}

}  // namespace isa
