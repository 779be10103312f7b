// SymbolTable: the labels and constants of an assembled program, and the symbol file.
//
// The assembler fills one and writes it with --symbols; the disassembler and the runner's
// trace read it back to name program addresses. Symbol file, one symbol per line:
//
//   ; comment
//   0x00010 label main
//   0x00012 label main.loop
//   0x0000a equ   DIGITS
//
// Labels are program word addresses; equ values are any 64-bit number (negative ones as
// -0x...). Blank lines and lines starting with ';' are skipped.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

namespace isa {

enum class SymbolKind : uint8_t { Label, Equ };

struct Symbol {
    std::string name;
    int64_t value;
    SymbolKind kind;
};

class SymbolTable {
public:
    // Adds a symbol. Returns false (and changes nothing) when the name is already there.
    bool Add(const std::string& name, int64_t value, SymbolKind kind);
    const Symbol* Find(const std::string& name) const;
    // The name to show for a program address: a label at that address, preferring a global
    // name to a local one (main over main.loop) and the first added; nullptr when none.
    const std::string* LabelAt(uint32_t address) const;
    // Every label at an address, in the order added.
    std::vector<const Symbol*> LabelsAt(uint32_t address) const;
    const std::vector<Symbol>& All() const { return m_symbols; }
    bool Empty() const { return m_symbols.empty(); }

    // The symbol file, sorted by value then name.
    std::string ToText() const;
    // Reads a symbol file. On a fault returns false with "file:line: reason" in error;
    // out then holds the symbols before the fault.
    static bool Parse(const std::string& text, const std::string& fileName, SymbolTable& out,
                      std::string& error);
    // Reads and parses a symbol file; error says why not ("cannot read 'x'" or a line).
    static bool Load(const std::string& path, SymbolTable& out, std::string& error);

private:
    std::vector<Symbol> m_symbols;
    std::unordered_map<std::string, size_t> m_byName;
    std::map<uint32_t, std::vector<size_t>> m_labelsByAddress;
};

// True for a name the assembler accepts as a symbol (global, local or qualified).
bool IsSymbolName(const std::string& name);

}  // namespace isa
