// Segment LCD data: how each bit of LCD memory looks on screen.
//
// A set (CSegLcdDatSet) holds one or more layouts (CSegLcdDat): the main LCD and any extra
// LCD views. A layout has a segment picture in which every segment is painted in a key
// colour of its own, and a segment table that gives, for every segment number, the
// rectangle of the picture it lies in and its key colour. The segment lit by LCD memory
// column c and row r has the number c + r * SegDevCnt.
//
// Draw fills the view's part of the picture with the background colour and, for every lit
// segment, blackens the pixels of its rectangle that carry its key colour. A lit segment
// without a record makes Draw fail; it then leaves the picture exactly as it was, so the
// view keeps showing its previous state.
//
// File ".SegLcd": the kind "SLCD", a version text, and the section "SegLcdDatSet" whose
// list holds "SLDSDMS" ("Dummy") and, for layout n, tags under the head
// "SEGLCDDAT<n>:<name>": "SLDDMS" ("SegDevCnt"), "SCPMI" (the table, 20-byte records) and
// "PIXBUF\..." (the segment picture). At most 100 layouts are read; numbering stops at the
// first missing layout.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "data/pix_buf.h"
#include "data/tag_field.h"
#include "util/cbuf.h"

class CGenFile;
class CTagBuf;
class CTagBufLst;

// A segment record (20 bytes): rectangle in segment-picture coordinates (right and bottom
// exclusive) and the key colour (red low).
struct SSegRecord {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
    uint32_t keyColour;
};
static_assert(sizeof(SSegRecord) == 20);

struct SSldDms {
    static constexpr const char* kLabel = "SLDDMS";
    static constexpr STagField kFields[] = {{"SegDevCnt", kTagInt32, 1}};
    int32_t segDevCnt = 0;
    template <class Self, class Io>
    static void Fields(Self& s, Io& io) {
        io(s.segDevCnt);
    }
};

struct SSldsDms {
    static constexpr const char* kLabel = "SLDSDMS";
    static constexpr STagField kFields[] = {{"Dummy", kTagInt32, 1}};
    int32_t dummy = 0;
    template <class Self, class Io>
    static void Fields(Self& s, Io& io) {
        io(s.dummy);
    }
};

class CSegLcdDat {
public:
    CSegLcdDat();

    int SegDevCnt() const { return m_dms.segDevCnt; }
    void SetSegDevCnt(int n) { m_dms.segDevCnt = n; }
    // The text after the colon of the layout's head (may be empty). A backslash would end
    // the head in the file, so backslashes are dropped.
    const std::string& Name() const { return m_name; }
    void SetName(const std::string& name);

    const CBuf& Table() const { return m_table; }
    int RecordCount() const { return m_table.Count(); }
    int Record(int k, SSegRecord* out) const;
    void AddRecord(const SSegRecord& r) { m_table.Append(&r, 1); }
    // Grows the table with zeroed records when k lies beyond it.
    int SetRecord(int k, const SSegRecord& r);
    CPixBuf& Picture() { return m_picture; }
    const CPixBuf& Picture() const { return m_picture; }

    std::unique_ptr<CTagBuf> BuildDmsTag() const;
    std::unique_ptr<CTagBufLst> BuildTagList() const;
    // From the list extracted for this layout (labels without the head).
    int LoadFromTagList(CTagBufLst& list);

private:
    SSldDms m_dms;
    std::string m_name;
    CBuf m_table;
    CPixBuf m_picture;
};

// Where and how a view shows a layout.
struct SLcdViewParams {
    int32_t xOffset = 0;
    int32_t yOffset = 0;
    uint32_t bkColor = 0xFFFFFF;
    const CSegLcdDat* layout = nullptr;
};

class CSegLcdDatSet {
public:
    static constexpr const char* kFileKind = "SLCD";
    static constexpr const char* kSectionLabel = "SegLcdDatSet";
    static constexpr int kMaxLayouts = 100;

    // Shows "Not SegLcd File !", "file label '%s' not found" or "read data failed !" when
    // the file is of another kind, lacks the section or its list cannot be read. The set
    // keeps what it held unless the list was read.
    int Load(const std::string& path, const char* label = kSectionLabel);
    int Load(CGenFile& file, const char* label = kSectionLabel);
    int Save(const std::string& path, const char* label = kSectionLabel, int report = 1) const;
    int Save(CGenFile& file, const char* label = kSectionLabel) const;

    int32_t Dummy() const { return m_dms.dummy; }
    void SetDummy(int32_t v) { m_dms.dummy = v; }
    int LayoutCount() const { return int(m_layouts.size()); }
    // nullptr out of range.
    CSegLcdDat* Layout(int n);
    const CSegLcdDat* Layout(int n) const;
    CSegLcdDat* AddLayout(std::unique_ptr<CSegLcdDat> layout);
    void RemoveAll() { m_layouts.clear(); }

    std::unique_ptr<CTagBufLst> BuildTagList() const;
    int LoadFromTagList(CTagBufLst& list);

    static int Draw(CPixBuf& target, const SLcdViewParams& view, const CBuf& litSegments);

private:
    SSldsDms m_dms;
    std::vector<std::unique_ptr<CSegLcdDat>> m_layouts;
};
