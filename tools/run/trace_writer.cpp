#include "tools/run/trace_writer.h"

#include <charconv>

#include "core/cpu.h"
#include "tools/run/staged_output.h"
#include "tools/run/trace_disassembly.h"
#include "util/strfmt.h"

namespace {

constexpr int kPassDigits = 10;
constexpr char kHex[] = "0123456789ABCDEF";

void AppendPassNumber(std::string& line, uint64_t pass) {
    char digits[24];
    auto end = std::to_chars(digits, digits + sizeof digits, pass).ptr;
    int count = int(end - digits);
    if (count < kPassDigits) line.append(size_t(kPassDigits - count), '0');
    line.append(digits, size_t(count));
}

void AppendHexByte(std::string& line, uint32_t v) {
    line += kHex[(v >> 4) & 0xF];
    line += kHex[v & 0xF];
}

}  // namespace

const std::string& CTraceWriter::Middle(uint32_t pc, const CCpu& cpu) {
    auto found = m_middles.find(pc);
    if (found != m_middles.end()) return found->second;
    uint16_t w = cpu.ProgramWord(pc), w2 = cpu.ProgramWord(pc + 1);
    const InstrDesc* desc = DecodeInstr(w);
    bool twoWords = desc && desc->length == 2;
    std::string words = twoWords ? StrFormat("%04X %04X", w, w2) : StrFormat("%04X     ", w);
    std::string middle =
        StrFormat(" %05X %s %-24s ", pc, words.c_str(), DisassembleForTrace(w, w2, pc).c_str());
    return m_middles.emplace(pc, std::move(middle)).first->second;
}

void CTraceWriter::Line(uint64_t pass, uint32_t pc, const CCpu& cpu) {
    m_line.clear();
    AppendPassNumber(m_line, pass);
    m_line += Middle(pc, cpu);
    m_line += "A=";
    AppendHexByte(m_line, cpu.Sfr().A());
    m_line += " S=";
    AppendHexByte(m_line, cpu.Sfr().Status());
    m_line += '\n';
    m_out.Write(m_line);
}
