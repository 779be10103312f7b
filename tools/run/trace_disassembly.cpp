#include "tools/run/trace_disassembly.h"

#include "core/isa_table.h"
#include "util/strfmt.h"

namespace {

std::string Operand(const FieldDesc& field, uint32_t value) {
    switch (field.kind) {
        case FieldKind::Reg:
            return StrFormat("0x%02X", value);
        case FieldKind::Imm:
            return StrFormat("#0x%02X", value);
        case FieldKind::Bit:
            return StrFormat("%u", value);
        case FieldKind::Abs12:
            return StrFormat("0x%03X", value);
        case FieldKind::Page13:
        case FieldKind::Near:
            return StrFormat("0x%04X", value);
        case FieldKind::Long:
            return StrFormat("0x%05X", value);
    }
    return "?";
}

}  // namespace

std::string DisassembleForTrace(uint16_t w, uint16_t w2, uint32_t /*pc*/) {
    const InstrDesc* desc = DecodeInstr(w);
    if (!desc) return StrFormat(".word 0x%04X", w);
    std::string text = desc->mnemonic;
    for (int i = 0; i < desc->fieldCount; ++i) {
        text += i == 0 ? " " : ", ";
        text += Operand(desc->fields[i], ExtractField(desc->fields[i], w, w2));
    }
    return text;
}
