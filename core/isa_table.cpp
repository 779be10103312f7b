#include "core/isa_table.h"

#include <array>

namespace {

constexpr FieldDesc kF{FieldKind::Reg, 0, 8, 'f'};
constexpr FieldDesc kK{FieldKind::Imm, 0, 8, 'k'};
constexpr FieldDesc kB{FieldKind::Bit, 8, 3, 'b'};
constexpr FieldDesc kNear{FieldKind::Near, 0, 0, 't'};
constexpr FieldDesc kLong{FieldKind::Long, 0, 4, 'n'};
constexpr FieldDesc kAbs12{FieldKind::Abs12, 0, 12, 'a'};
constexpr FieldDesc kPage13{FieldKind::Page13, 0, 13, 'a'};
constexpr FieldDesc kDst5{FieldKind::Reg, 8, 5, 'd'};
constexpr FieldDesc kSrc8{FieldKind::Reg, 0, 8, 's'};
constexpr FieldDesc kSrc5{FieldKind::Reg, 8, 5, 's'};
constexpr FieldDesc kDst8{FieldKind::Reg, 0, 8, 'd'};

constexpr uint8_t kNoFlags = 0;
constexpr uint8_t kJump = kAttrNoAdvance;
constexpr uint8_t kRmwUp = kAttrComposite | kAttrCarryUp;
constexpr uint8_t kRmwDown = kAttrComposite | kAttrBorrowDown;

// A word that must match exactly.
constexpr InstrDesc Word(Op op, const char* mn, uint16_t w, uint8_t cyc, uint8_t flags,
                         uint8_t attrs, const char* text) {
    return {op, mn, w, 0xFFFF, 1, cyc, flags, attrs, 0, {}, text};
}
// A high-byte form with one 8-bit field (f or k) and an optional near target.
constexpr InstrDesc Hi(Op op, const char* mn, uint8_t hi, FieldDesc field, uint8_t len, uint8_t cyc,
                       uint8_t flags, uint8_t attrs, const char* text) {
    InstrDesc d{op, mn, uint16_t(hi << 8), 0xFF00, len, cyc, flags, attrs, 1, {field}, text};
    if (len == 2) {
        d.fieldCount = 2;
        d.fields[1] = kNear;
        d.attrs |= kAttrBranch;
    }
    return d;
}
constexpr InstrDesc HiF(Op op, const char* mn, uint8_t hi, uint8_t flags, const char* text,
                        uint8_t attrs = 0) {
    return Hi(op, mn, hi, kF, 1, 1, flags, attrs, text);
}
constexpr InstrDesc HiK(Op op, const char* mn, uint8_t hi, uint8_t flags, const char* text) {
    return Hi(op, mn, hi, kK, 1, 1, flags, 0, text);
}
// A bit form: 0bxxxxx bbb ffffffff with an optional near target.
constexpr InstrDesc BitForm(Op op, const char* mn, uint16_t match, uint8_t len, uint8_t cyc,
                            const char* text) {
    InstrDesc d{op, mn, match, 0xF800, len, cyc, kNoFlags, 0, 2, {kF, kB}, text};
    if (len == 2) {
        d.fieldCount = 3;
        d.fields[2] = kNear;
        d.attrs |= kAttrBranch;
    }
    return d;
}

// clang-format off
constexpr InstrDesc kTable[] = {
    Word(Op::Nop,   "nop",   0x0000, 1, kNoFlags, 0, "no operation"),
    Word(Op::ClrSb, "clrsb", 0x0001, 1, kFlagS7 | kFlagS6, 0, "clear status bits 7 and 6"),
    Word(Op::Stby,  "stby",  0x0002, 1, kNoFlags, 0,
         "standby: halt (SFR 0x20 bit 1 = 0) or standby with timer 1 (bit 1 = 1)"),
    {Op::Ljmp,  "ljmp",  0x0020, 0xFFF0, 2, 2, kNoFlags, kJump, 1, {kLong},
     "long jump: PC <- n * 0x10000 + w2"},
    {Op::Lcall, "lcall", 0x0030, 0xFFF0, 2, 2, kNoFlags, kJump | kAttrCall, 1, {kLong},
     "long call: push PC + 2, PC <- n * 0x10000 + w2"},

    HiF(Op::Rrd,  "rrd",  0x01, kNoFlags, "digit rotate right: A.lo -> f.hi -> f.lo -> A.lo"),
    HiF(Op::OrA,  "ora",  0x02, kFlagZ, "A <- A | f"),
    HiF(Op::OrM,  "orm",  0x03, kFlagZ, "f <- f | A"),
    HiF(Op::AndA, "anda", 0x04, kFlagZ, "A <- A & f"),
    HiF(Op::AndM, "andm", 0x05, kFlagZ, "f <- f & A"),
    HiF(Op::XorA, "xora", 0x06, kFlagZ, "A <- A ^ f"),
    HiF(Op::XorM, "xorm", 0x07, kFlagZ, "f <- f ^ A"),
    HiF(Op::CplA, "cpla", 0x08, kFlagZ, "A <- ~f"),
    HiF(Op::CplM, "cplm", 0x09, kFlagZ, "f <- ~f"),
    HiF(Op::RrcA, "rrca", 0x0A, kFlagC, "A <- f rotated right through C"),
    HiF(Op::RrcM, "rrcm", 0x0B, kFlagC, "f <- f rotated right through C"),
    HiF(Op::RlcA, "rlca", 0x0C, kFlagC, "A <- f rotated left through C"),
    HiF(Op::RlcM, "rlcm", 0x0D, kFlagC, "f <- f rotated left through C"),
    HiF(Op::SwpA, "swpa", 0x0E, kNoFlags, "A <- f with nibbles swapped"),
    HiF(Op::SwpM, "swpm", 0x0F, kNoFlags, "f <- f with nibbles swapped"),
    HiF(Op::AddA, "adda", 0x10, kFlagsAll, "A <- A + f"),
    HiF(Op::AddM, "addm", 0x11, kFlagsAll, "f <- f + A", kRmwUp),
    HiF(Op::AdcA, "adca", 0x12, kFlagsAll, "A <- A + f + C"),
    HiF(Op::AdcM, "adcm", 0x13, kFlagsAll, "f <- f + A + C", kRmwUp),
    HiF(Op::DadA, "dada", 0x14, kFlagsDecimal, "A <- A + f + C, decimal"),
    HiF(Op::DadM, "dadm", 0x15, kFlagsDecimal, "f <- f + A + C, decimal"),
    HiF(Op::SubA, "suba", 0x16, kFlagsAll, "A <- f - A"),
    HiF(Op::SubM, "subm", 0x17, kFlagsAll, "f <- f - A", kRmwDown),
    HiF(Op::SbcA, "sbca", 0x18, kFlagsAll, "A <- f - A - !C"),
    HiF(Op::SbcM, "sbcm", 0x19, kFlagsAll, "f <- f - A - !C", kRmwDown),
    HiF(Op::DsbA, "dsba", 0x1A, kFlagsDecimal, "A <- f - A - !C, decimal"),
    HiF(Op::DsbM, "dsbm", 0x1B, kFlagsDecimal, "f <- f - A - !C, decimal"),
    HiF(Op::IncA, "inca", 0x1C, kFlagsStep, "A <- f + 1"),
    HiF(Op::IncM, "incm", 0x1D, kFlagsStep, "f <- f + 1", kRmwUp),
    HiF(Op::DecA, "deca", 0x1E, kFlagsStep, "A <- f - 1"),
    HiF(Op::DecM, "decm", 0x1F, kFlagsStep, "f <- f - 1", kRmwDown),
    HiF(Op::Lda,  "lda",  0x20, kFlagZ, "A <- f"),
    HiF(Op::Sta,  "sta",  0x21, kNoFlags, "f <- A"),
    HiF(Op::SrcA, "srca", 0x22, kNoFlags, "A <- C * 0x80 + f / 2, C unchanged"),
    HiF(Op::SlcA, "slca", 0x23, kNoFlags, "A <- 2 * f + C, C unchanged"),
    HiF(Op::Clr,  "clr",  0x24, kFlagZ, "f <- 0, Z <- 1"),
    HiF(Op::Tst,  "tst",  0x25, kFlagZ, "Z <- (f = 0)"),
    HiF(Op::StLn, "stln", 0x26, kNoFlags, "f.lo <- A.lo"),
    HiF(Op::Rep,  "rep",  0x27, kNoFlags, "run the next instruction f times (0: 256 times)"),
    HiF(Op::StHn, "sthn", 0x28, kNoFlags, "f.hi <- A.lo"),
    HiF(Op::LdLn, "ldln", 0x29, kNoFlags, "A <- f & 0x0F"),
    HiF(Op::LdHn, "ldhn", 0x2A, kNoFlags, "A <- f >> 4"),
    {Op::Tbl,    "tbl",  0x2C00, 0xFF00, 1, 2, kNoFlags, 0, 1, {kF}, "f <- program byte at T"},
    {Op::TblInc, "tbli", 0x2D00, 0xFF00, 1, 2, kNoFlags, 0, 1, {kF},
     "f <- program byte at T, then T <- T + 1"},
    {Op::TblDec, "tbld", 0x2E00, 0xFF00, 1, 2, kNoFlags, 0, 1, {kF},
     "f <- program byte at T, then T <- T - 1"},
    Hi(Op::TblA, "tbla", 0x2F, kF, 1, 2, kNoFlags, 0, "f <- program byte at T + A"),
    Word(Op::Ret,  "ret",  0x2BFE, 1, kNoFlags, kJump, "return: PC <- pop"),
    Word(Op::Reti, "reti", 0x2BFF, 1, kNoFlags, kJump,
         "return from interrupt: PC <- pop, interrupts enabled"),
    {Op::Scall, "scall", 0x3000, 0xF000, 1, 1, kNoFlags, kJump | kAttrCall, 1, {kAbs12},
     "short call: push PC + 1, PC <- a"},

    HiK(Op::LdTl, "ldtl", 0x40, kNoFlags, "table pointer bits 0-7 <- k"),
    HiK(Op::LdTh, "ldth", 0x41, kNoFlags, "table pointer bits 8-15 <- k"),
    HiK(Op::LdTu, "ldtu", 0x42, kNoFlags, "table pointer bits 16-23 <- k"),
    HiK(Op::Bank, "bank", 0x43, kNoFlags, "bank register <- k"),
    HiK(Op::OrI,  "ori",  0x44, kFlagZ, "A <- A | k"),
    HiK(Op::AndI, "andi", 0x45, kFlagZ, "A <- A & k"),
    HiK(Op::XorI, "xori", 0x46, kFlagZ, "A <- A ^ k"),
    Hi(Op::JgeI, "jgei", 0x47, kK, 2, 2, kNoFlags, 0, "jump if A >= k (unsigned)"),
    Hi(Op::JleI, "jlei", 0x48, kK, 2, 2, kNoFlags, 0, "jump if A <= k (unsigned)"),
    Hi(Op::JeqI, "jeqi", 0x49, kK, 2, 2, kNoFlags, 0, "jump if A = k"),
    HiK(Op::AddI, "addi", 0x4A, kFlagsAll, "A <- A + k"),
    HiK(Op::AdcI, "adci", 0x4B, kFlagsAll, "A <- A + k + C"),
    HiK(Op::SubI, "subi", 0x4C, kFlagsAll, "A <- k - A"),
    HiK(Op::SbcI, "sbci", 0x4D, kFlagsAll, "A <- k - A - !C"),
    HiK(Op::Ldi,  "ldi",  0x4E, kNoFlags, "A <- k"),
    HiF(Op::Rld,  "rld",  0x4F, kNoFlags, "digit rotate left: A.lo -> f.lo -> f.hi -> A.lo"),
    Hi(Op::DjnzA, "djnza", 0x50, kF, 2, 2, kNoFlags, 0, "A <- f - 1, jump if A != 0"),
    Hi(Op::Djnz,  "djnz",  0x51, kF, 2, 2, kNoFlags, kRmwDown, "f <- f - 1, jump if f != 0"),
    HiF(Op::XchL, "xchl", 0x52, kNoFlags, "exchange the low nibbles of A and f"),
    HiF(Op::XchH, "xchh", 0x53, kNoFlags, "exchange A.lo with f.hi"),
    HiF(Op::Xch,  "xch",  0x54, kNoFlags, "exchange A and f"),
    Hi(Op::Jge, "jge", 0x55, kF, 2, 2, kNoFlags, 0, "jump if A >= f (unsigned)"),
    Hi(Op::Jle, "jle", 0x56, kF, 2, 2, kNoFlags, 0, "jump if A <= f (unsigned)"),
    Hi(Op::Jeq, "jeq", 0x57, kF, 2, 2, kNoFlags, 0, "jump if A = f"),

    BitForm(Op::Jbc,  "jbc",  0x5800, 2, 2, "jump if bit b of f is 0"),
    BitForm(Op::Jbs,  "jbs",  0x6000, 2, 2, "jump if bit b of f is 1"),
    BitForm(Op::Bclr, "bclr", 0x6800, 1, 1, "clear bit b of f"),
    BitForm(Op::Bset, "bset", 0x7000, 1, 1, "set bit b of f"),
    BitForm(Op::Btgl, "btgl", 0x7800, 1, 1, "toggle bit b of f"),

    {Op::MovD,  "movd",  0x8000, 0xE000, 1, 1, kNoFlags, 0, 2, {kDst5, kSrc8},
     "d <- s, d in 0x00-0x1F"},
    {Op::MovS,  "movs",  0xA000, 0xE000, 1, 1, kNoFlags, 0, 2, {kDst8, kSrc5},
     "d <- s, s in 0x00-0x1F"},
    {Op::Pjmp,  "pjmp",  0xC000, 0xE000, 1, 1, kNoFlags, kJump, 1, {kPage13},
     "page jump: PC <- PC & ~0x1FFF | a"},
    {Op::Pcall, "pcall", 0xE000, 0xE000, 1, 1, kNoFlags, kJump | kAttrCall, 1, {kPage13},
     "page call: push PC + 1, PC <- PC & ~0x1FFF | a"},
};
// clang-format on

static_assert(std::size(kTable) == size_t(Op::Count) - 1, "one table entry per Op");

struct Decoder {
    std::array<Op, 65536> ids{};
    std::array<const InstrDesc*, size_t(Op::Count)> byOp{};

    Decoder() {
        for (const InstrDesc& d : kTable) {
            byOp[size_t(d.op)] = &d;
            // Enumerate the words of the form: every value of the bits outside the mask.
            uint16_t free = uint16_t(~d.mask);
            uint16_t sub = 0;
            do {
                ids[d.match | sub] = d.op;
                sub = uint16_t((sub - free) & free);
            } while (sub != 0);
        }
    }
};

const Decoder& TheDecoder() {
    static const Decoder decoder;
    return decoder;
}

}  // namespace

std::span<const InstrDesc> InstructionTable() {
    return kTable;
}

const InstrDesc* DecodeInstr(uint16_t w) {
    return DescOf(TheDecoder().ids[w]);
}

const InstrDesc* DescOf(Op op) {
    if (op == Op::Unknown || size_t(op) >= size_t(Op::Count)) return nullptr;
    return TheDecoder().byOp[size_t(op)];
}

const Op* DecodeOpIds() {
    return TheDecoder().ids.data();
}

const InstrDesc* FindInstr(std::string_view mnemonic) {
    for (const InstrDesc& d : kTable)
        if (mnemonic == d.mnemonic) return &d;
    return nullptr;
}

uint32_t ExtractField(const FieldDesc& field, uint16_t w, uint16_t w2) {
    switch (field.kind) {
        case FieldKind::Near:
            return w2;
        case FieldKind::Long:
            return (uint32_t(w & 0xF) << 16) | w2;
        default:
            return (uint32_t(w) >> field.shift) & ((1u << field.width) - 1);
    }
}

uint32_t FieldLimit(const FieldDesc& field) {
    switch (field.kind) {
        case FieldKind::Near:
            return 0xFFFF;
        case FieldKind::Long:
            return 0xFFFFF;
        default:
            return (1u << field.width) - 1;
    }
}

int InsertField(const FieldDesc& field, uint32_t value, uint16_t& w, uint16_t& w2) {
    if (value > FieldLimit(field)) return 0;
    switch (field.kind) {
        case FieldKind::Near:
            w2 = uint16_t(value);
            break;
        case FieldKind::Long:
            w = uint16_t((w & ~0xFu) | (value >> 16));
            w2 = uint16_t(value);
            break;
        default: {
            uint32_t mask = FieldLimit(field) << field.shift;
            w = uint16_t((w & ~mask) | (value << field.shift));
            break;
        }
    }
    return 1;
}
