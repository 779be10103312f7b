#include "tools/isa/isa_reference.h"

#include "tools/isa/operand_encoder.h"
#include "tools/isa/register_names.h"
#include "util/strfmt.h"

namespace isa {

namespace {

char BitLetter(const InstrDesc& d, int bit) {
    if (d.mask & (1u << bit)) return (d.match >> bit) & 1 ? '1' : '0';
    for (int i = 0; i < d.fieldCount; ++i) {
        const FieldDesc& f = d.fields[i];
        if (f.kind == FieldKind::Near || bit < f.shift || bit >= f.shift + f.width) continue;
        if (f.kind == FieldKind::Long) return 'n';
        return IsTargetField(f) ? 't' : f.role;
    }
    return '?';
}

std::string Flags(uint8_t flags) {
    static const char* const kNames[] = {"C", "DC", "Z", "OV", "LE", "GE", "S6", "S7"};
    std::string s;
    for (int b = 0; b < 8; ++b) {
        if (!(flags & (1u << b))) continue;
        if (!s.empty()) s += ' ';
        s += kNames[b];
    }
    return s.empty() ? "–" : s;
}

std::string Notes(const InstrDesc& d) {
    if (d.attrs & kAttrCarryUp) return "◆▲";
    if (d.attrs & kAttrBorrowDown) return "◆▼";
    return "";
}

std::string Escape(const char* text) {
    std::string s;
    for (const char* p = text; *p; ++p) {
        if (*p == '|') s += '\\';
        s += *p;
    }
    return s;
}

}  // namespace

std::string EncodingPattern(const InstrDesc& d) {
    std::string s;
    for (int bit = 15; bit >= 0; --bit) {
        s += BitLetter(d, bit);
        if (bit % 4 == 0 && bit) s += ' ';
    }
    if (d.length == 2) s += " + tttt tttt tttt tttt";
    return s;
}

std::string IsaReference() {
    std::string out;
    out += "### Instructions\n\n";
    out +=
        "In encoding order. Operands in assembly order; `t` is a jump or call target, `n` the "
        "bits 16-19 of a long target. Flags: the status bits the instruction may change. "
        "◆▲ and ◆▼: composite pointer arithmetic with carry or borrow into the next byte "
        "(see Addressing).\n\n";
    out += "| Mnemonic | Operands | Encoding | Words | Cycles | Flags | Operation |\n";
    out += "|---|---|---|---|---|---|---|\n";
    for (const InstrDesc& d : InstructionTable()) {
        std::string ops = OperandLetters(d);
        std::string notes = Notes(d);
        out += StrFormat("| `%s` | %s | `%s` | %d | %d | %s | %s%s |\n", d.mnemonic,
                         ops.empty() ? "–" : ("`" + ops + "`").c_str(), EncodingPattern(d).c_str(),
                         d.length, d.cycles, Flags(d.flags).c_str(), Escape(d.description).c_str(),
                         notes.empty() ? "" : (" " + notes).c_str());
    }
    out += "\n### Register names\n\n";
    out +=
        "Names the assembler knows for the special-function registers (a symbol of the same "
        "name in the source takes precedence); the disassembler writes operands with them.\n\n";
    out += "| Name | SFR | Role |\n|---|---|---|\n";
    for (const BuiltinName& r : RegisterNames())
        out += StrFormat("| `%s` | 0x%02X | %s |\n", r.name, r.value, r.role);
    out += "\n### Status flag bits\n\n";
    out +=
        "Bit numbers of `STATUS` (SFR 0x0F), usable as the bit operand (`jbs STATUS, Z, t`).\n\n";
    out += "| Name | Bit | Meaning |\n|---|---|---|\n";
    for (const BuiltinName& b : FlagBitNames())
        out += StrFormat("| `%s` | %d | %s |\n", b.name, b.value, b.role);
    out += "| – | 6, 7 | status bits 6 and 7, cleared by `clrsb` |\n";
    return out;
}

std::optional<std::string> GeneratedBlock(const std::string& doc) {
    size_t b = doc.find(kReferenceBegin);
    if (b == std::string::npos) return std::nullopt;
    b = doc.find('\n', b);
    size_t e = doc.find(kReferenceEnd);
    if (b == std::string::npos || e == std::string::npos || e < b) return std::nullopt;
    std::string block = doc.substr(b + 1, e - b - 1);
    // One blank line separates the markers from the block.
    if (block.size() >= 2 && block.front() == '\n' && block.back() == '\n') {
        block = block.substr(1, block.size() - 2);
    }
    return block;
}

bool ReplaceGeneratedBlock(std::string& doc, const std::string& block) {
    size_t b = doc.find(kReferenceBegin);
    size_t e = doc.find(kReferenceEnd);
    if (b == std::string::npos || e == std::string::npos || e < b) return false;
    b = doc.find('\n', b);
    if (b == std::string::npos || b > e) return false;
    doc = doc.substr(0, b + 1) + "\n" + block + "\n" + doc.substr(e);
    return true;
}

}  // namespace isa
