// The section index of a container file.
//
// A reader does not walk a container from its start: it scans the whole file for the two
// magic bytes of a section header, keeps the positions whose 68 bytes form a valid header
// (magic and both checksums), and then works out the nesting from the stored lengths:
//
//   - the first entry is at level 0; from a placed entry, the entry at its position +
//     68 + DataLen is its next sibling (same level), and so on along the chain;
//   - an entry not yet placed whose position is the position + 68 + InnerOff of the entry
//     just before it in the index is that entry's first child (one level deeper), and its
//     sibling chain follows.
//
// Entries the pass does not reach stay "unconnected"; a child of an unconnected entry is
// connected but its level is unknown.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct SSectionEntry {
    std::string label;
    int32_t num = 0;
    int64_t position = 0;  // of the header
    int32_t dataLen = 0;
    int32_t innerOff = -1;
    int level = 0;
    bool connected = false;
    bool levelKnown = false;
};

// Reads up to n bytes at an absolute position into dst; returns the number read.
using ReadAtFn = std::function<int64_t(int64_t position, void* dst, int64_t n)>;

// Scans a file of the given length in windows of 60000 bytes that overlap by 2 bytes and
// returns the valid headers in file order, with their levels worked out.
std::vector<SSectionEntry> BuildSectionIndex(int64_t length, const ReadAtFn& readAt);

// Scans bytes held in memory (same result as the windowed scan over the same bytes).
std::vector<SSectionEntry> BuildSectionIndex(const uint8_t* bytes, int64_t length);

// One diagnostic line per entry:
//   "[  0]      16:<0>'SegLcdDatSet', Num=0, DataLen=120(NextPos=204),  InnerOff=-1"
std::vector<std::string> SectionListLines(const std::vector<SSectionEntry>& index);
