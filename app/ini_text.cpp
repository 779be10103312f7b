#include "app/ini_text.h"

#include <climits>
#include <cmath>
#include <cstdlib>

namespace ini_text {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && IsSpace(s[b]))
        ++b;
    while (e > b && IsSpace(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

std::string_view TrimRight(std::string_view s) {
    size_t e = s.size();
    while (e > 0 && IsSpace(s[e - 1]))
        --e;
    return s.substr(0, e);
}

static char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

std::string Upper(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return out;
}

std::string_view StripComment(std::string_view line) {
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == ';') return line.substr(0, i);
        if (line[i] == '/' && i + 1 < line.size() && line[i + 1] == '/') return line.substr(0, i);
    }
    return line;
}

std::vector<std::string_view> SplitValues(std::string_view text) {
    std::vector<std::string_view> out;
    if (text.empty()) return out;
    bool quoted = false;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '"') quoted = !quoted;
        if (text[i] == ',' && !quoted) {
            out.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    out.push_back(text.substr(start));
    return out;
}

std::vector<std::string_view> Words(std::string_view s) {
    std::vector<std::string_view> out;
    size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
            ++i;
        size_t b = i;
        while (i < s.size() && s[i] != ' ' && s[i] != '\t')
            ++i;
        if (i > b) out.push_back(s.substr(b, i - b));
    }
    return out;
}

double ToNumber(std::string_view s) {
    std::string text(Trim(s));
    const char* p = text.c_str();
    char* end = nullptr;
    double v = std::strtod(p, &end);
    return end == p ? 0.0 : v;
}

int TruncToInt(double v) {
    if (std::isnan(v)) return 0;
    if (v >= double(INT_MAX)) return INT_MAX;
    if (v <= double(INT_MIN)) return INT_MIN;
    return int(std::trunc(v));
}

}  // namespace ini_text
