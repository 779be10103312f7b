#include "data/section_index.h"

#include <algorithm>
#include <cstring>

#include "data/section_header.h"
#include "util/strfmt.h"

namespace {

constexpr int64_t kWindow = 60000;
constexpr int64_t kOverlap = 2;
constexpr uint8_t kMagicLow = kSectionMagic & 0xFF;
constexpr uint8_t kMagicHigh = kSectionMagic >> 8;

int64_t NextPos(const SSectionEntry& e) {
    return e.position + kSectionHeaderSize + e.dataLen;
}

int64_t NextInnerPos(const SSectionEntry& e) {
    return e.position + kSectionHeaderSize + e.innerOff;
}

// Index of the entry at exactly this position, or -1. Entries are in position order.
int FindAt(const std::vector<SSectionEntry>& index, int64_t position) {
    auto it = std::lower_bound(index.begin(), index.end(), position,
                               [](const SSectionEntry& e, int64_t p) { return e.position < p; });
    if (it == index.end() || it->position != position) return -1;
    return int(it - index.begin());
}

void Place(SSectionEntry& e, int level, bool known) {
    e.level = level;
    e.levelKnown = known;
    e.connected = true;
}

// Follows the sibling chain from a placed entry. Positions only grow along the chain, so
// it ends.
void FollowSiblings(std::vector<SSectionEntry>& index, int from) {
    for (int i = from;;) {
        int next = FindAt(index, NextPos(index[i]));
        if (next <= i || index[next].connected) return;
        Place(index[next], index[i].level, index[i].levelKnown);
        i = next;
    }
}

void AssignLevels(std::vector<SSectionEntry>& index) {
    if (index.empty()) return;
    Place(index[0], 0, true);
    FollowSiblings(index, 0);
    for (int i = 1; i < int(index.size()); ++i) {
        if (index[i].connected) continue;
        const SSectionEntry& before = index[i - 1];
        if (before.innerOff < 0 || NextInnerPos(before) != index[i].position) continue;
        Place(index[i], before.level + 1, before.connected && before.levelKnown);
        FollowSiblings(index, i);
    }
}

void TryHeaderAt(int64_t position, const uint8_t* bytes, std::vector<SSectionEntry>& index) {
    SSectionHeader header;
    if (!UnpackSectionHeader(bytes, &header)) return;
    SSectionEntry e;
    e.label = std::move(header.label);
    e.num = header.num;
    e.position = position;
    e.dataLen = header.dataLen;
    e.innerOff = header.innerOff;
    index.push_back(std::move(e));
}

}  // namespace

std::vector<SSectionEntry> BuildSectionIndex(int64_t length, const ReadAtFn& readAt) {
    std::vector<SSectionEntry> index;
    std::vector<uint8_t> window(static_cast<size_t>(kWindow));
    int64_t lastFound = -1;
    for (int64_t start = 0; start + 1 < length; start += kWindow - kOverlap) {
        int64_t n = readAt(start, window.data(), std::min(kWindow, length - start));
        if (n < 2) break;
        for (int64_t i = 0; i + 1 < n; ++i) {
            if (window[size_t(i)] != kMagicLow || window[size_t(i + 1)] != kMagicHigh) continue;
            int64_t position = start + i;
            if (position <= lastFound) continue;  // seen in the overlap of the last window
            lastFound = position;
            uint8_t header[kSectionHeaderSize];
            if (i + kSectionHeaderSize <= n)
                std::memcpy(header, &window[size_t(i)], kSectionHeaderSize);
            else if (readAt(position, header, kSectionHeaderSize) != kSectionHeaderSize)
                continue;
            TryHeaderAt(position, header, index);
        }
        if (start + n >= length) break;
    }
    AssignLevels(index);
    return index;
}

std::vector<SSectionEntry> BuildSectionIndex(const uint8_t* bytes, int64_t length) {
    std::vector<SSectionEntry> index;
    for (int64_t i = 0; bytes && i + kSectionHeaderSize <= length; ++i)
        if (bytes[i] == kMagicLow && bytes[i + 1] == kMagicHigh) TryHeaderAt(i, bytes + i, index);
    AssignLevels(index);
    return index;
}

std::vector<std::string> SectionListLines(const std::vector<SSectionEntry>& index) {
    std::vector<std::string> lines;
    for (size_t i = 0; i < index.size(); ++i) {
        const SSectionEntry& e = index[i];
        std::string line = StrFormat("[%3ld]%8ld:", long(i), long(e.position));
        if (!e.connected) line += "<Unconnected>";
        if (e.levelKnown) {
            line.append(size_t(e.level), '\t');
            line += StrFormat("<%d>", e.level);
        } else {
            line += "<?>";
        }
        line += StrFormat("'%s', Num=%d, DataLen=%ld(NextPos=%ld), ", e.label.c_str(), e.num,
                          long(e.dataLen), long(NextPos(e)));
        line += StrFormat(" InnerOff=%ld", long(e.innerOff));
        if (e.innerOff >= 0) line += StrFormat("(NextInnerPos=%ld)", long(NextInnerPos(e)));
        lines.push_back(std::move(line));
    }
    return lines;
}
