#include "tools/isa/operand_encoder.h"

#include "util/strfmt.h"

namespace isa {

namespace {

std::string Hex(int64_t v, int digits) {
    if (v < 0) return std::to_string(v);
    return StrFormat("0x%0*llx", digits, static_cast<unsigned long long>(v));
}

char Letter(const FieldDesc& f) {
    return IsTargetField(f) ? 't' : f.role;
}

std::string CheckTarget(const InstrDesc& d, const FieldDesc& f, int64_t t, uint32_t address) {
    if (t < 0) return StrFormat("target %lld is not a program address", static_cast<long long>(t));
    switch (f.kind) {
        case FieldKind::Abs12:
            if (t > 0xFFF)
                return StrFormat("%s reaches 0x00000-0x00fff only, not %s (use pcall or lcall)",
                                 d.mnemonic, Hex(t, 5).c_str());
            return "";
        case FieldKind::Page13: {
            uint32_t page = address & ~0x1FFFu;
            if ((t & ~int64_t(0x1FFF)) != int64_t(page))
                return StrFormat(
                    "%s target %s is outside the 8K-word page of this instruction (%s-%s); "
                    "use %s",
                    d.mnemonic, Hex(t, 5).c_str(), Hex(page, 5).c_str(),
                    Hex(page + 0x1FFF, 5).c_str(), d.op == Op::Pcall ? "lcall" : "ljmp");
            return "";
        }
        case FieldKind::Long:
            if (t > 0x1FFFF)
                return StrFormat(
                    "%s target %s is beyond the 17-bit program counter "
                    "(0x00000-0x1ffff)",
                    d.mnemonic, Hex(t, 5).c_str());
            return "";
        case FieldKind::Near: {
            uint32_t segment = (address + d.length) & 0x10000;
            if ((t & ~int64_t(0xFFFF)) != int64_t(segment))
                return StrFormat(
                    "%s target %s is outside the 64K-word segment of this jump (%s-%s)", d.mnemonic,
                    Hex(t, 5).c_str(), Hex(segment, 5).c_str(), Hex(segment + 0xFFFF, 5).c_str());
            return "";
        }
        default:
            return "";
    }
}

// The field value of a checked target.
uint32_t TargetFieldValue(const FieldDesc& f, int64_t t) {
    switch (f.kind) {
        case FieldKind::Page13:
            return uint32_t(t) & 0x1FFF;
        case FieldKind::Near:
            return uint32_t(t) & 0xFFFF;
        default:
            return uint32_t(t);
    }
}

}  // namespace

bool IsTargetField(const FieldDesc& f) {
    return f.kind == FieldKind::Near || f.kind == FieldKind::Page13 || f.kind == FieldKind::Abs12 ||
           f.kind == FieldKind::Long;
}

std::string OperandLetters(const InstrDesc& d) {
    std::string s;
    for (int i = 0; i < d.fieldCount; ++i) {
        if (i) s += ", ";
        s += Letter(d.fields[i]);
    }
    return s;
}

std::string EncodeField(const InstrDesc& d, int i, const OperandValue& v, uint32_t address,
                        uint16_t& w, uint16_t& w2) {
    const FieldDesc& f = d.fields[i];
    const uint32_t limit = FieldLimit(f);
    uint32_t field = 0;
    if (v.raw) {
        if (!IsTargetField(f)) return "raw() is only for jump and call targets";
        if (v.value < 0 || v.value > int64_t(limit))
            return StrFormat("raw(%s) does not fit the field (0x00000-%s)", Hex(v.value, 5).c_str(),
                             Hex(limit, 5).c_str());
        field = uint32_t(v.value);
    } else if (IsTargetField(f)) {
        if (std::string why = CheckTarget(d, f, v.value, address); !why.empty()) return why;
        field = TargetFieldValue(f, v.value);
    } else {
        switch (f.kind) {
            case FieldKind::Reg:
                if (v.value < 0 || v.value > int64_t(limit)) {
                    std::string why = StrFormat("operand %c = %s is out of range 0x00-%s", f.role,
                                                Hex(v.value, 2).c_str(), Hex(limit, 2).c_str());
                    if (limit == 0xFF && v.value > 0xFF)
                        why += "; for banked RAM write off(x) and select its bank with bank(x)";
                    if (limit == 0x1F)
                        why += StrFormat(
                            " (%s takes %c in 0x00-0x1f only; mov picks the form "
                            "that fits)",
                            d.mnemonic, f.role);
                    return why;
                }
                field = uint32_t(v.value);
                break;
            case FieldKind::Imm:
                if (v.value < -128 || v.value > 255)
                    return StrFormat("constant k = %lld is out of range -128..255",
                                     static_cast<long long>(v.value));
                field = uint32_t(v.value) & 0xFF;
                break;
            case FieldKind::Bit:
                if (v.value < 0 || v.value > 7)
                    return StrFormat("bit number %lld is out of range 0..7",
                                     static_cast<long long>(v.value));
                field = uint32_t(v.value);
                break;
            default:
                return "unsupported field";
        }
    }
    InsertField(f, field, w, w2);
    return "";
}

}  // namespace isa
