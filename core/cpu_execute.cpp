// The executor: fetch, decode through the instruction table, and the instruction bodies.
//
// Bookkeeping common to all forms comes from the table: the cycle count, and the advance of
// the PC by the form's length before the body runs (forms marked kAttrNoAdvance set the PC
// themselves). Notation of the bodies:
//   rd(f)  operand read with side effects     pk(f)  the same without side effects
//   wr(f)  operand write with side effects    Near   (PC & 0x10000) + w2, after the advance
//   Add/Sub/Dadd/Dsub run the ALU and return the result; CopyFlags copies its outputs.
// Results are written before the flags are copied, so a result stored into the status
// register keeps only the bits the instruction's flags do not cover.
#include <array>

#include "core/cpu.h"
#include "util/platform.h"

namespace {

struct OpTiming {
    uint8_t length;
    uint8_t cycles;
    bool advances;
};

const std::array<OpTiming, size_t(Op::Count)>& Timings() {
    static const auto table = [] {
        std::array<OpTiming, size_t(Op::Count)> t{};
        for (const InstrDesc& d : InstructionTable())
            t[size_t(d.op)] = {d.length, d.cycles, !(d.attrs & kAttrNoAdvance)};
        return t;
    }();
    return table;
}

constexpr int kPointer1 = CSFRRam::kPointer1, kPointer2 = CSFRRam::kPointer2;

uint32_t Swap(uint32_t v) {
    return ((v & 0xF) << 4) | ((v >> 4) & 0xF);
}

}  // namespace

void CCpu::AdvancePc(int n) {
    if (m_repeatCount > 0) {
        --m_repeatCount;
        m_sfr.SetPc(m_repeatTarget);
    } else {
        m_repeatTarget = 0;
        m_sfr.SetPc((m_sfr.Pc() + uint32_t(n)) & kPcMask);
    }
}

int CCpu::Execute() {
    if ((m_sfr.Control() & CSFRRam::kInterruptEnable) && m_repeatTarget == 0) ScanInterrupts();
    const uint32_t pc = m_sfr.Pc();
    m_lastFetch = pc;
    const uint16_t w = m_program[pc & kProgramMask];
    const uint16_t w2 = m_program[(pc + 1) & kProgramMask];
    const Op op = m_decode[w];
    if (op == Op::Unknown) {
        UnknownInstruction();
        return 1;
    }
    static const auto& timings = Timings();
    const OpTiming& t = timings[size_t(op)];
    m_cycleCount = t.cycles;
    if (t.advances) AdvancePc(t.length);
    ++m_instructions;
    Run(op, w, w2, pc);
    return 0;
}

void CCpu::UnknownInstruction() {
    // The front end delivers the message on its own thread; the emulation stops here.
    Platform().ShowMessage("unknown instruction", "error", MsgIcon::None, MsgButtons::Ok);
}

void CCpu::Standby() {
    if (!(m_sfr.Control() & CSFRRam::kStandbySelect)) {
        if (m_realWaits) Platform().Sleep(kStandbySleepMs);
        SetRunState(kHalted);
    } else {
        SetRunState(kStandby);
    }
}

uint32_t CCpu::pkComposite(int f) const {
    uint32_t v = pk(f);
    if (f == kPointer1) return (v & 0x7F) | (m_sfr.Bank0(CSFRRam::kBank1) & 1) << 7;
    if (f == kPointer2) return (v & 0x7F) | (m_sfr.Bank0(CSFRRam::kBank2) & 1) << 7;
    return v;
}

uint32_t CCpu::Add(uint32_t x, uint32_t y, uint32_t c) {
    m_alu.Set(x, y, c);
    m_alu.Add();
    return uint32_t(m_alu.result());
}
uint32_t CCpu::Sub(uint32_t x, uint32_t y, uint32_t b) {
    m_alu.Set(x, y, b);
    m_alu.Sub();
    return uint32_t(m_alu.result());
}
uint32_t CCpu::Dadd(uint32_t x, uint32_t y, uint32_t c) {
    m_alu.Set(x, y, c);
    m_alu.DecimalAdd();
    return uint32_t(m_alu.result());
}
uint32_t CCpu::Dsub(uint32_t x, uint32_t y, uint32_t b) {
    m_alu.Set(x, y, b);
    m_alu.DecimalSub();
    return uint32_t(m_alu.result());
}

// Multi-byte steps: a carry out of the table pointer low byte, the PC low byte or a
// composite pointer goes on into the next byte, through the ALU but without flags.
void CCpu::CarryUp(int f, uint32_t result, int32_t carry) {
    switch (f) {
        case CSFRRam::kTableLow:
            if (carry) wr(CSFRRam::kTableHigh, Add(rd(CSFRRam::kTableHigh), 1, 0));
            break;
        case CSFRRam::kPcLow:
            if (carry) wr(CSFRRam::kPcHigh, Add(rd(CSFRRam::kPcHigh), 1, 0));
            break;
        case kPointer1:
        case kPointer2: {
            int bank = f == kPointer1 ? CSFRRam::kBank1 : CSFRRam::kBank2;
            m_sfr.SetBit(bank, 0, result >> 7);
            if (carry) wr(bank, Add(rd(bank), 2, 0));
            break;
        }
        default:
            break;
    }
}

void CCpu::BorrowDown(int f, uint32_t result, int32_t carry) {
    switch (f) {
        case CSFRRam::kTableLow:
            if (!carry) wr(CSFRRam::kTableHigh, Sub(rd(CSFRRam::kTableHigh), 1, 0));
            break;
        case CSFRRam::kPcLow:
            if (!carry) wr(CSFRRam::kPcHigh, Sub(rd(CSFRRam::kPcHigh), 1, 0));
            break;
        case kPointer1:
        case kPointer2: {
            int bank = f == kPointer1 ? CSFRRam::kBank1 : CSFRRam::kBank2;
            m_sfr.SetBit(bank, 0, result >> 7);
            if (!carry) wr(bank, Sub(rd(bank), 2, 0));
            break;
        }
        default:
            break;
    }
}

void CCpu::Run(Op op, uint16_t w, uint16_t w2, uint32_t pc) {
    const int f = w & 0xFF;
    const uint32_t k = w & 0xFF;
    const uint32_t bit = 1u << ((w >> 8) & 7);
    uint32_t v, a, r;
    int32_t c;
    switch (op) {
        // clang-format off
        case Op::Nop:   break;
        case Op::ClrSb: m_sfr.SetStatusBits(kFlagS7, 0); m_sfr.SetStatusBits(kFlagS6, 0); break;
        case Op::Stby:  Standby(); break;
        case Op::Ret:   Jump(Pop()); break;
        case Op::Reti:  Jump(Pop()); m_sfr.SetControlBit(CSFRRam::kInterruptEnable, true); break;
        case Op::Ljmp:  Jump((w & 0xFu) * 0x10000 + w2); break;
        case Op::Lcall: Push(pc + 2); Jump((w & 0xFu) * 0x10000 + w2); break;

        case Op::Rrd:   v = pk(f); a = A(); wr(f, (a & 0xF) << 4 | v >> 4); SetA((a & 0xF0) | (v & 0xF)); break;
        case Op::OrA:   r = A() | rd(f);  SetA(r); SetZ(r); break;
        case Op::OrM:   r = pk(f) | A();  wr(f, r); SetZ(r); break;
        case Op::AndA:  r = A() & rd(f);  SetA(r); SetZ(r); break;
        case Op::AndM:  r = pk(f) & A();  wr(f, r); SetZ(r); break;
        case Op::XorA:  r = A() ^ rd(f);  SetA(r); SetZ(r); break;
        case Op::XorM:  r = pk(f) ^ A();  wr(f, r); SetZ(r); break;
        case Op::CplA:  r = ~rd(f) & 0xFF; SetA(r); SetZ(r); break;
        case Op::CplM:  r = ~pk(f) & 0xFF; wr(f, r); SetZ(r); break;
        case Op::RrcA:  v = rd(f); SetA(C() << 7 | v >> 1); SetCarry(v & 1); break;
        case Op::RrcM:  v = pk(f); wr(f, C() << 7 | v >> 1); SetCarry(v & 1); break;
        case Op::RlcA:  v = rd(f); SetA(v << 1 | C()); SetCarry(v >> 7); break;
        case Op::RlcM:  v = pk(f); wr(f, (v << 1 | C()) & 0xFF); SetCarry(v >> 7); break;
        case Op::SwpA:  SetA(Swap(rd(f))); break;
        case Op::SwpM:  wr(f, Swap(pk(f))); break;

        case Op::AddA:  SetA(Add(A(), rd(f), 0)); CopyFlags(kFlagsAll); break;
        case Op::AddM:  r = Add(pkComposite(f), A(), 0); c = m_alu.c(); wr(f, r); CopyFlags(kFlagsAll); CarryUp(f, r, c); break;
        case Op::AdcA:  SetA(Add(A(), rd(f), C())); CopyFlags(kFlagsAll); break;
        case Op::AdcM:  r = Add(pkComposite(f), A(), C()); c = m_alu.c(); wr(f, r); CopyFlags(kFlagsAll); CarryUp(f, r, c); break;
        case Op::DadA:  SetA(Dadd(A(), rd(f), C())); CopyFlags(kFlagsDecimal); break;
        case Op::DadM:  wr(f, Dadd(pk(f), A(), C())); CopyFlags(kFlagsDecimal); break;
        case Op::SubA:  SetA(Sub(rd(f), A(), 0)); CopyFlags(kFlagsAll); break;
        case Op::SubM:  r = Sub(pkComposite(f), A(), 0); c = m_alu.c(); wr(f, r); CopyFlags(kFlagsAll); BorrowDown(f, r, c); break;
        case Op::SbcA:  SetA(Sub(rd(f), A(), NotC())); CopyFlags(kFlagsAll); break;
        case Op::SbcM:  r = Sub(pkComposite(f), A(), NotC()); c = m_alu.c(); wr(f, r); CopyFlags(kFlagsAll); BorrowDown(f, r, c); break;
        case Op::DsbA:  SetA(Dsub(rd(f), A(), NotC())); CopyFlags(kFlagsDecimal); break;
        case Op::DsbM:  wr(f, Dsub(pk(f), A(), NotC())); CopyFlags(kFlagsDecimal); break;
        case Op::IncA:  SetA(Add(1, rd(f), 0)); CopyFlags(kFlagsStep); break;
        case Op::IncM:  r = Add(1, pkComposite(f), 0); c = m_alu.c(); wr(f, r); CopyFlags(kFlagsStep); CarryUp(f, r, c); break;
        case Op::DecA:  SetA(Sub(rd(f), 1, 0)); CopyFlags(kFlagsStep); break;
        case Op::DecM:  r = Sub(pkComposite(f), 1, 0); c = m_alu.c(); wr(f, r); CopyFlags(kFlagsStep); BorrowDown(f, r, c); break;

        case Op::Lda:   r = rd(f); SetA(r); SetZ(r); break;
        case Op::Sta:   wr(f, A()); break;
        case Op::SrcA:  SetA(C() << 7 | rd(f) >> 1); break;
        case Op::SlcA:  SetA(rd(f) << 1 | C()); break;
        case Op::Clr:   wr(f, 0); SetZ(0); break;
        case Op::Tst:   SetZ(rd(f)); break;
        case Op::StLn:  wr(f, (pk(f) & 0xF0) | (A() & 0xF)); break;
        case Op::Rep:   v = rd(f); m_repeatCount = v ? int32_t(v) - 1 : 255; m_repeatTarget = m_sfr.Pc(); break;
        case Op::StHn:  wr(f, (A() & 0xF) << 4 | (pk(f) & 0xF)); break;
        case Op::LdLn:  SetA(rd(f) & 0xF); break;
        case Op::LdHn:  SetA(rd(f) >> 4); break;
        case Op::TblA:  wr(f, ProgramByte(m_sfr.TablePointer() + A())); break;

        case Op::LdTl:  m_sfr.Write(CSFRRam::kTableLow, k); break;
        case Op::LdTh:  m_sfr.Write(CSFRRam::kTableHigh, k); break;
        case Op::LdTu:  m_sfr.Write(CSFRRam::kTableUpper, k); break;
        case Op::Bank:  m_sfr.Write(CSFRRam::kBank, k); break;
        case Op::OrI:   r = A() | k; SetA(r); SetZ(r); break;
        case Op::AndI:  r = A() & k; SetA(r); SetZ(r); break;
        case Op::XorI:  r = A() ^ k; SetA(r); SetZ(r); break;
        case Op::JgeI:  if (A() >= k) Jump(Near(w2)); break;
        case Op::JleI:  if (A() <= k) Jump(Near(w2)); break;
        case Op::JeqI:  if (A() == k) Jump(Near(w2)); break;
        case Op::AddI:  SetA(Add(A(), k, 0)); CopyFlags(kFlagsAll); break;
        case Op::AdcI:  SetA(Add(A(), k, C())); CopyFlags(kFlagsAll); break;
        case Op::SubI:  SetA(Sub(k, A(), 0)); CopyFlags(kFlagsAll); break;
        case Op::SbcI:  SetA(Sub(k, A(), NotC())); CopyFlags(kFlagsAll); break;
        case Op::Ldi:   SetA(k); break;
        case Op::Rld:   v = pk(f); a = A(); wr(f, (v & 0xF) << 4 | (a & 0xF)); SetA((a & 0xF0) | v >> 4); break;
        case Op::DjnzA: r = (rd(f) - 1) & 0xFF; SetA(r); if (r) Jump(Near(w2)); break;
        case Op::Djnz:  r = Sub(pkComposite(f), 1, 0); c = m_alu.c(); wr(f, r); if (r) Jump(Near(w2)); BorrowDown(f, r, c); break;
        case Op::XchL:  v = pk(f); a = A(); wr(f, (v & 0xF0) | (a & 0xF)); SetA((a & 0xF0) | (v & 0xF)); break;
        case Op::XchH:  v = pk(f); a = A(); wr(f, (a & 0xF) << 4 | (v & 0xF)); SetA((a & 0xF0) | v >> 4); break;
        case Op::Xch:   v = pk(f); wr(f, A()); SetA(v); break;
        case Op::Jge:   if (A() >= rd(f)) Jump(Near(w2)); break;
        case Op::Jle:   if (A() <= rd(f)) Jump(Near(w2)); break;
        case Op::Jeq:   if (A() == rd(f)) Jump(Near(w2)); break;

        case Op::Tbl:    wr(f, ProgramByte(m_sfr.TablePointer())); break;
        case Op::TblInc: wr(f, ProgramByte(m_sfr.TablePointer())); m_sfr.SetTablePointer((m_sfr.TablePointer() + 1) & 0xFFFFFF); break;
        case Op::TblDec: wr(f, ProgramByte(m_sfr.TablePointer())); m_sfr.SetTablePointer((m_sfr.TablePointer() - 1) & 0xFFFFFF); break;
        case Op::Jbc:   if (!(rd(f) & bit)) Jump(Near(w2)); break;
        case Op::Jbs:   if (rd(f) & bit) Jump(Near(w2)); break;
        case Op::Bclr:  wr(f, pk(f) & ~bit); break;
        case Op::Bset:  wr(f, pk(f) | bit); break;
        case Op::Btgl:  wr(f, pk(f) ^ bit); break;
        case Op::Scall: Push(pc + 1); Jump(w & 0x0FFFu); break;
        case Op::MovD:  wr((w >> 8) & 0x1F, rd(w & 0xFF)); break;
        case Op::MovS:  wr(w & 0xFF, rd((w >> 8) & 0x1F)); break;
        case Op::Pjmp:  Jump((pc & ~0x1FFFu) + (w & 0x1FFFu)); break;
        case Op::Pcall: Push(pc + 1); Jump((pc & ~0x1FFFu) + (w & 0x1FFFu)); break;
        // clang-format on
        case Op::Unknown:
        case Op::Count:
            break;
    }
}
