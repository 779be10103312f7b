// CTraceWriter: the instruction trace of a run, one line per executed instruction.
//
//   0000000042 00123 4910 0123 jeqi 0x10, 0x00123      A=10 S=04
//   0000000043 00125 1040      adda 0x40                A=50 S=00
//
// Columns, separated by single spaces: the pass number (decimal, at least 10 digits with
// leading zeros), the instruction's address (5 hex digits), its word and, for a two-word
// form, the second word (4 hex digits each; 4 spaces for a one-word form), its disassembly
// (padded to 24 characters), then A and STATUS after it (A=hh S=hh). Every line ends in
// "\n". The middle columns of an address are formatted once and reused, which keeps a
// trace of millions of lines fast.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

class CCpu;
class CStagedOutput;

class CTraceWriter {
public:
    explicit CTraceWriter(CStagedOutput& out) : m_out(out) {}
    // The instruction fetched at pc was executed in pass `pass`; the CPU is as it left it.
    void Line(uint64_t pass, uint32_t pc, const CCpu& cpu);

private:
    const std::string& Middle(uint32_t pc, const CCpu& cpu);

    CStagedOutput& m_out;
    std::unordered_map<uint32_t, std::string> m_middles;
    std::string m_line;
};
