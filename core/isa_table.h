// The instruction set of the emulated core, as one table.
//
// Every instruction form is one InstrDesc: its mnemonic, the match value and mask over the
// 16-bit instruction word, its operand fields, its length in words, its cycle count, the
// status flags it changes and a one-line description. The executor's decoder, the
// disassembler, the assembler and the generated instruction reference are all built from
// this table, so it is the one place where an encoding is written down.
//
// Encoding in brief: most forms put the operation in the high byte and an 8-bit operand
// address f (or an 8-bit constant k) in the low byte. Bit forms carry a bit number b in
// bits 8-10. Two-word forms take their target from the word after the instruction (w2).
// The forms' (match, mask) pairs are disjoint: a word matches at most one form, and a word
// that matches none is an unknown instruction.
//
// How to use it:
//   - InstructionTable() lists every form, in encoding order.
//   - DecodeInstr(w) gives the form of an instruction word, nullptr for an unknown one.
//     DecodeOpIds() gives the same answer as a 65,536-entry array of Op ids (Op::Unknown = 0)
//     for the executor's dispatch; it is built once, on first use, and never changes.
//   - ExtractField / InsertField read and write one operand field of an encoded instruction;
//     FieldLimit gives the largest value a field holds.
//   - FindInstr(mnemonic) finds a form by its mnemonic (each mnemonic names exactly one form).
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// One id per instruction form; the executor switches on it. Unknown must stay 0.
enum class Op : uint8_t {
    Unknown = 0,
    // exact words and the long forms
    Nop,
    ClrSb,
    Stby,
    Ret,
    Reti,
    Ljmp,
    Lcall,
    // high-byte table: results to A (…a) or to the operand f (…m)
    Rrd,
    OrA,
    OrM,
    AndA,
    AndM,
    XorA,
    XorM,
    CplA,
    CplM,
    RrcA,
    RrcM,
    RlcA,
    RlcM,
    SwpA,
    SwpM,
    AddA,
    AddM,
    AdcA,
    AdcM,
    DadA,
    DadM,
    SubA,
    SubM,
    SbcA,
    SbcM,
    DsbA,
    DsbM,
    IncA,
    IncM,
    DecA,
    DecM,
    Lda,
    Sta,
    SrcA,
    SlcA,
    Clr,
    Tst,
    StLn,
    Rep,
    StHn,
    LdLn,
    LdHn,
    TblA,
    LdTl,
    LdTh,
    LdTu,
    Bank,
    OrI,
    AndI,
    XorI,
    JgeI,
    JleI,
    JeqI,
    AddI,
    AdcI,
    SubI,
    SbcI,
    Ldi,
    Rld,
    DjnzA,
    Djnz,
    XchL,
    XchH,
    Xch,
    Jge,
    Jle,
    Jeq,
    // masked ranges
    Tbl,
    TblInc,
    TblDec,
    Jbc,
    Jbs,
    Bclr,
    Bset,
    Btgl,
    Scall,
    MovD,
    MovS,
    Pjmp,
    Pcall,
    Count
};

enum class FieldKind : uint8_t {
    Reg,     // operand address f: an SFR, a RAM cell or an indirect port
    Imm,     // 8-bit constant k
    Bit,     // bit number b (0-7)
    Abs12,   // short-call target: an absolute word address 0x000-0xFFF
    Page13,  // page jump/call target: word address within the current 8K-word page
    Long,    // long jump/call target: segment n (word bits 0-3) << 16 | the second word
    Near,    // near jump target: the low 16 bits of the target, in the second word
};

struct FieldDesc {
    FieldKind kind;
    uint8_t shift;  // position in the first word (Long: the segment; Near: unused)
    uint8_t width;  // bits in the first word (Long: 4, the segment; Near: 0)
    char role;  // operand letter of the reference tables: 'f', 'k', 'b', 'a', 'n', 'd', 's', 't'
};

// Status register bits (SFR 0x0F), also used as the mask of the flags a form changes.
inline constexpr uint8_t kFlagC = 0x01;
inline constexpr uint8_t kFlagDC = 0x02;
inline constexpr uint8_t kFlagZ = 0x04;
inline constexpr uint8_t kFlagOV = 0x08;
inline constexpr uint8_t kFlagLE = 0x10;
inline constexpr uint8_t kFlagGE = 0x20;
inline constexpr uint8_t kFlagS6 = 0x40;
inline constexpr uint8_t kFlagS7 = 0x80;
inline constexpr uint8_t kFlagsAll = kFlagC | kFlagDC | kFlagZ | kFlagOV | kFlagLE | kFlagGE;
inline constexpr uint8_t kFlagsDecimal = kFlagC | kFlagDC | kFlagZ;
inline constexpr uint8_t kFlagsStep = kFlagC | kFlagZ | kFlagOV;

// Behaviour attributes of a form.
inline constexpr uint8_t kAttrNoAdvance = 0x01;   // sets the PC itself; no advance, keeps a repeat
inline constexpr uint8_t kAttrBranch = 0x02;      // may jump (conditional near jump)
inline constexpr uint8_t kAttrCall = 0x04;        // pushes a return address
inline constexpr uint8_t kAttrComposite = 0x08;   // f = 0x04 / 0x11 read as composite pointers
inline constexpr uint8_t kAttrCarryUp = 0x10;     // carry propagates into the next byte
inline constexpr uint8_t kAttrBorrowDown = 0x20;  // borrow propagates into the next byte

struct InstrDesc {
    Op op;
    const char* mnemonic;
    uint16_t match;  // (w & mask) == match
    uint16_t mask;
    uint8_t length;  // words, including the second word of two-word forms
    uint8_t cycles;  // machine cycles
    uint8_t flags;   // status bits the form may change (kFlag...)
    uint8_t attrs;   // kAttr...
    uint8_t fieldCount;
    FieldDesc fields[3];  // in assembly order
    const char* description;
};

std::span<const InstrDesc> InstructionTable();
// The form of an instruction word, nullptr for an unknown instruction.
const InstrDesc* DecodeInstr(uint16_t w);
// The form of an Op id, nullptr for Op::Unknown or an id out of range.
const InstrDesc* DescOf(Op op);
// 65,536 Op ids indexed by the instruction word.
const Op* DecodeOpIds();
// The form with this mnemonic (exact, lower case), nullptr when there is none.
const InstrDesc* FindInstr(std::string_view mnemonic);

// The value of a field of the instruction (w, w2).
uint32_t ExtractField(const FieldDesc& field, uint16_t w, uint16_t w2);
// The largest value the field holds.
uint32_t FieldLimit(const FieldDesc& field);
// Stores value into the field of (w, w2). Returns 1, or 0 (and changes nothing) when the
// value does not fit the field.
int InsertField(const FieldDesc& field, uint32_t value, uint16_t& w, uint16_t& w2);
