// The assembler's listing: every source line after include and macro expansion, with the
// address and the words it produced.
//
//   addr   words           line  source
//   00010  4705 0020         12  loop:   jgei 5, done
//   00012  = 0x0000a         13  COUNT   equ 10
//
// Lines from a macro carry '+' after the line number; a line "; file: name" marks each
// change of source file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/isa/source_reader.h"

namespace isa {

struct ListingEntry {
    const SourceLine* line = nullptr;
    bool placed = false;  // address and words are meaningful
    uint32_t address = 0;
    uint32_t words = 0;  // words produced, taken from the image
    bool isEqu = false;
    bool equKnown = false;
    int64_t equValue = 0;
};

std::string FormatListing(const std::vector<ListingEntry>& entries,
                          const std::vector<uint16_t>& image, const std::string& title);

}  // namespace isa
