// CTagBufLst: an owning, ordered list of tag buffers; the data of every container section.
//
// File form: a 12-byte header (count of tag buffers, a reserved 0, the magic "TBL "), then
// each tag buffer's file form. Lists written before the magic existed have 0 in both the
// reserved word and the magic and are read too.
//
// Child objects are stored in their parent's flat list under a label prefix: Nest("PixBuf",
// child) turns the child's "PIXBUFDMS" into "PixBuf\PIXBUFDMS"; Extract("PixBuf", ...) cuts
// them back out with the prefix removed. The head of a label is the part before its first
// backslash (the whole label when it has none).
//
//   Extract(name, exact, suffixes, contiguous):
//     exact mode   the head must equal the name;
//     prefix mode  the head must begin with the name, and the rest of the head is appended
//                  to the suffix list when one is given ("MaskImg" and "MaskImg3" give "3");
//     contiguous   the scan stops at the first non-matching tag buffer after a match.
//   Empty labels never match. Matching tag buffers move to the new list, in order.
//
// Reading never trusts the stored count further than the bytes that are there: a tag buffer
// whose read fails is kept as far as it was read, and reading stops when the file has no
// bytes left.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data/tag_buf.h"

class CByteStream;

class CTagBufLst {
public:
    static constexpr int kHeaderSize = 12;

    CTagBufLst() = default;
    CTagBufLst(const CTagBufLst&) = delete;
    CTagBufLst& operator=(const CTagBufLst&) = delete;
    CTagBufLst(CTagBufLst&&) = default;
    CTagBufLst& operator=(CTagBufLst&&) = default;

    // Appends and takes ownership; returns the tag buffer (nullptr for none).
    CTagBuf* Add(std::unique_ptr<CTagBuf> tag);
    int Count() const { return int(m_tags.size()); }
    // nullptr for an index out of range.
    CTagBuf* Get(int i);
    const CTagBuf* Get(int i) const;
    void RemoveAll() { m_tags.clear(); }
    // Removes (and destroys) tag buffer i; 0 for an index out of range.
    int Remove(int i);
    // Hands over every tag buffer, in order; the list is empty afterwards.
    std::vector<std::unique_ptr<CTagBuf>> TakeAll() { return std::exchange(m_tags, {}); }
    // Index of the first tag buffer whose label equals the label exactly, or -1.
    int Find(std::string_view label) const;
    const CTagBuf* FindTag(std::string_view label) const;

    // Moves every tag buffer of child to the end of this list with "prefix\" in front of its
    // label (trailing backslashes of the prefix are dropped first). An empty prefix appends
    // nothing and leaves child as it was. Returns the number of tag buffers in this list.
    int Nest(std::string_view prefix, CTagBufLst& child);
    int Nest(std::string_view prefix, std::unique_ptr<CTagBufLst> child);

    std::unique_ptr<CTagBufLst> Extract(std::string_view name, bool exact,
                                        std::vector<std::string>* suffixes, bool contiguous);

    int WriteList(CByteStream& file) const;
    // Fails only when the header does not carry the magic (or "0, 0").
    int ReadList(CByteStream& file);

private:
    std::vector<std::unique_ptr<CTagBuf>> m_tags;
};
