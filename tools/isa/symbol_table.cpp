#include "tools/isa/symbol_table.h"

#include <algorithm>
#include <cctype>
#include <sstream>

#include "util/file_bytes.h"
#include "util/strfmt.h"

namespace isa {

namespace {

bool IsGlobal(const std::string& name) {
    return name.find('.') == std::string::npos;
}

std::string FormatValue(int64_t v) {
    if (v < 0) return StrFormat("-0x%05llx", static_cast<unsigned long long>(0 - uint64_t(v)));
    return StrFormat("0x%05llx", static_cast<unsigned long long>(v));
}

bool ParseValue(const std::string& s, int64_t& v) {
    bool negative = !s.empty() && s[0] == '-';
    std::string digits = s.substr(negative ? 1 : 0);
    if (digits.size() < 3 || digits[0] != '0' || (digits[1] != 'x' && digits[1] != 'X') ||
        digits.size() > 18)
        return false;
    uint64_t u = 0;
    for (size_t i = 2; i < digits.size(); ++i) {
        if (!std::isxdigit(static_cast<unsigned char>(digits[i]))) return false;
        u = u * 16 + uint64_t(std::isdigit(static_cast<unsigned char>(digits[i]))
                                  ? digits[i] - '0'
                                  : std::tolower(static_cast<unsigned char>(digits[i])) - 'a' + 10);
    }
    if (u > uint64_t(INT64_MAX) + (negative ? 1 : 0)) return false;
    v = negative ? int64_t(0 - u) : int64_t(u);
    return true;
}

}  // namespace

bool IsSymbolName(const std::string& name) {
    if (name.empty()) return false;
    auto start = [](char c) {
        return std::isalpha(static_cast<unsigned char>(c)) || c == '_' || c == '.' || c == '@';
    };
    if (!start(name[0])) return false;
    for (char c : name)
        if (!start(c) && !std::isdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

bool SymbolTable::Add(const std::string& name, int64_t value, SymbolKind kind) {
    if (m_byName.count(name)) return false;
    m_byName[name] = m_symbols.size();
    m_symbols.push_back({name, value, kind});
    if (kind == SymbolKind::Label && value >= 0 && value <= int64_t(UINT32_MAX))
        m_labelsByAddress[uint32_t(value)].push_back(m_symbols.size() - 1);
    return true;
}

const Symbol* SymbolTable::Find(const std::string& name) const {
    auto it = m_byName.find(name);
    return it == m_byName.end() ? nullptr : &m_symbols[it->second];
}

const std::string* SymbolTable::LabelAt(uint32_t address) const {
    auto it = m_labelsByAddress.find(address);
    if (it == m_labelsByAddress.end()) return nullptr;
    for (size_t i : it->second)
        if (IsGlobal(m_symbols[i].name)) return &m_symbols[i].name;
    return &m_symbols[it->second.front()].name;
}

std::vector<const Symbol*> SymbolTable::LabelsAt(uint32_t address) const {
    std::vector<const Symbol*> out;
    auto it = m_labelsByAddress.find(address);
    if (it != m_labelsByAddress.end())
        for (size_t i : it->second)
            out.push_back(&m_symbols[i]);
    return out;
}

std::string SymbolTable::ToText() const {
    std::vector<const Symbol*> sorted;
    for (const Symbol& s : m_symbols)
        sorted.push_back(&s);
    std::stable_sort(sorted.begin(), sorted.end(), [](const Symbol* a, const Symbol* b) {
        return a->value != b->value ? a->value < b->value : a->name < b->name;
    });
    std::string out = "; orvane-asm symbols: value kind name\n";
    for (const Symbol* s : sorted)
        out += FormatValue(s->value) + (s->kind == SymbolKind::Label ? " label " : " equ   ") +
               s->name + "\n";
    return out;
}

bool SymbolTable::Parse(const std::string& text, const std::string& fileName, SymbolTable& out,
                        std::string& error) {
    std::istringstream in(text);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        auto fail = [&](const std::string& why) {
            error = StrFormat("%s:%d: %s", fileName.c_str(), number, why.c_str());
            return false;
        };
        std::istringstream fields(line);
        std::string value, kind, name, extra;
        if (!(fields >> value) || value[0] == ';') continue;
        if (!(fields >> kind >> name)) return fail("expected: value kind name");
        if (fields >> extra && extra[0] != ';')
            return fail("unexpected '" + extra + "' after the name");
        int64_t v = 0;
        if (!ParseValue(value, v)) return fail("bad value '" + value + "' (expected 0x...)");
        SymbolKind k;
        if (kind == "label") {
            k = SymbolKind::Label;
            if (v < 0 || v > 0x1FFFFF) return fail("label address " + value + " out of range");
        } else if (kind == "equ") {
            k = SymbolKind::Equ;
        } else {
            return fail("unknown kind '" + kind + "' (expected label or equ)");
        }
        if (!IsSymbolName(name)) return fail("'" + name + "' is not a symbol name");
        if (!out.Add(name, v, k)) return fail("'" + name + "' is listed twice");
    }
    return true;
}

bool SymbolTable::Load(const std::string& path, SymbolTable& out, std::string& error) {
    CBuf bytes;
    if (ReadFileBytes(path, bytes) != FileRead::Ok) {
        error = "cannot read '" + path + "'";
        return false;
    }
    std::string text(reinterpret_cast<const char*>(bytes.Data()), size_t(bytes.TotalBytes()));
    return Parse(text, path, out, error);
}

}  // namespace isa
