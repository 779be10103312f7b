// CChildCutter: cuts the numbered children of an object out of its tag list.
//
// Objects with numbered children ("Spg0", "Spg1", ..., "Sob0", ...) read them by calling
// Extract(name, exact, no suffixes, contiguous) for one name after the other until one comes
// back empty. Each such call scans the whole list, so a list with many children would cost
// the square of its length. Take(name) gives exactly what that Extract call would give at
// that point (the first run of tag buffers whose head is the name, with the head and its
// backslash removed from their labels), but finds the run through an index of the heads, so
// cutting all the children of a list costs about its length.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "data/tag_buf.h"
#include "data/tag_buf_list.h"

class CChildCutter {
public:
    // Takes every tag buffer out of the list.
    explicit CChildCutter(CTagBufLst& list);

    // The same as list.Extract(name, true, nullptr, true) on what is left of the list.
    std::unique_ptr<CTagBufLst> Take(std::string_view name);

private:
    struct SHeadQueue {
        std::vector<int> positions;  // of tag buffers with this head, in list order
        size_t next = 0;             // the first position not yet taken
    };

    std::vector<std::unique_ptr<CTagBuf>> m_tags;
    std::vector<int> m_next;  // the next tag buffer still in the list, or -1
    std::vector<int> m_prev;  // the one before, or -1
    std::vector<std::string> m_heads;
    std::unordered_map<std::string, SHeadQueue> m_byHead;
};
