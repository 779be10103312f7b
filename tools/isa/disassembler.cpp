#include "tools/isa/disassembler.h"

#include "tools/isa/register_names.h"
#include "util/strfmt.h"

namespace isa {

namespace {

constexpr uint32_t kPcReach = 0x1FFFF;

// A built-in name, unless the symbol table gives that name a meaning of its own.
const char* Unshadowed(const char* name, const SymbolTable* syms) {
    if (name && syms && syms->Find(name)) return nullptr;
    return name;
}

bool IsTarget(FieldKind k) {
    return k == FieldKind::Near || k == FieldKind::Page13 || k == FieldKind::Abs12 ||
           k == FieldKind::Long;
}

}  // namespace

int InstrLength(uint16_t w) {
    const InstrDesc* d = DecodeInstr(w);
    return d ? d->length : 1;
}

int64_t TargetOf(const InstrDesc& d, const FieldDesc& field, uint16_t w, uint16_t w2, uint32_t pc) {
    uint32_t v = ExtractField(field, w, w2);
    switch (field.kind) {
        case FieldKind::Near:
            return int64_t(((pc + d.length) & 0x10000) | v);
        case FieldKind::Page13:
            return int64_t((pc & ~0x1FFFu) | v);
        case FieldKind::Abs12:
            return v;
        case FieldKind::Long:
            return v <= kPcReach ? int64_t(v) : -1;
        default:
            return -1;
    }
}

std::string DisassembleWith(uint16_t w, uint16_t w2, uint32_t pc, const SymbolTable* syms,
                            const TargetNamer& namer, int* length) {
    const InstrDesc* d = DecodeInstr(w);
    if (length) *length = d ? d->length : 1;
    if (!d) return StrFormat("dw 0x%04x", w);
    std::string text = d->mnemonic;
    bool statusOperand = false;
    for (int i = 0; i < d->fieldCount; ++i) {
        const FieldDesc& f = d->fields[i];
        uint32_t v = ExtractField(f, w, w2);
        text += i == 0 ? " " : ", ";
        if (IsTarget(f.kind)) {
            int64_t target = TargetOf(*d, f, w, w2, pc);
            if (target < 0) {
                text += StrFormat("raw(0x%05x)", v);
                continue;
            }
            std::string name = namer ? namer(uint32_t(target)) : "";
            text += name.empty() ? StrFormat("0x%05llx", static_cast<unsigned long long>(target))
                                 : name;
            continue;
        }
        switch (f.kind) {
            case FieldKind::Reg: {
                const char* name = Unshadowed(RegisterName(v), syms);
                text += name ? std::string(name) : StrFormat("0x%02x", v);
                statusOperand = v == kStatusSfr && name;
                break;
            }
            case FieldKind::Bit: {
                const char* name = statusOperand ? Unshadowed(FlagBitName(v), syms) : nullptr;
                text += name ? std::string(name) : StrFormat("%u", v);
                break;
            }
            default:
                text += StrFormat("0x%02x", v);
                break;
        }
    }
    return text;
}

std::string Disassemble(uint16_t w, uint16_t w2, uint32_t pc, const SymbolTable* syms,
                        int* length) {
    TargetNamer namer;
    if (syms && !syms->Empty()) {
        namer = [syms](uint32_t a) {
            const std::string* n = syms->LabelAt(a);
            return n ? *n : std::string();
        };
    }
    return DisassembleWith(w, w2, pc, syms, namer, length);
}

}  // namespace isa
