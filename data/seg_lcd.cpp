// Layouts and the tag form of the segment LCD data.
#include "data/seg_lcd.h"

#include "data/dms.h"
#include "data/tag_buf_list.h"
#include "util/strfmt.h"

namespace {
constexpr const char* kTableTag = "SCPMI";
constexpr const char* kPictureChild = "PIXBUF";
constexpr const char* kLayoutHead = "SEGLCDDAT";
}  // namespace

CSegLcdDat::CSegLcdDat() : m_table(0, sizeof(SSegRecord), nullptr, 0, 10) {}

void CSegLcdDat::SetName(const std::string& name) {
    m_name.clear();
    for (char c : name)
        if (c != '\\') m_name.push_back(c);
}

int CSegLcdDat::Record(int k, SSegRecord* out) const {
    return m_table.ElementSize() == int(sizeof(SSegRecord)) && m_table.GetElement(k, out);
}

int CSegLcdDat::SetRecord(int k, const SSegRecord& r) {
    if (k < 0 || m_table.ElementSize() != int(sizeof(SSegRecord))) return 0;
    if (k >= m_table.Count()) m_table.Resize(k + 1);
    return m_table.SetElement(k, &r);
}

std::unique_ptr<CTagBuf> CSegLcdDat::BuildDmsTag() const {
    return NewDmsTag(m_dms);
}

std::unique_ptr<CTagBufLst> CSegLcdDat::BuildTagList() const {
    auto list = std::make_unique<CTagBufLst>();
    list->Add(BuildDmsTag());
    list->Add(std::make_unique<CTagBuf>(kTableTag, m_table));
    list->Nest(kPictureChild, m_picture.BuildTagList());
    return list;
}

int CSegLcdDat::LoadFromTagList(CTagBufLst& list) {
    ReadDms(list, m_dms);
    // Records are read 20 bytes at a time: a table of another record size is not taken.
    const CTagBuf* table = list.FindTag(kTableTag);
    if (table && table->ElementSize() == int(sizeof(SSegRecord))) table->CopyUnitsTo(m_table);
    auto picture = list.Extract(kPictureChild, true, nullptr, true);
    m_picture.LoadFromTagList(*picture);
    return 1;
}

CSegLcdDat* CSegLcdDatSet::Layout(int n) {
    return n >= 0 && n < LayoutCount() ? m_layouts[size_t(n)].get() : nullptr;
}

const CSegLcdDat* CSegLcdDatSet::Layout(int n) const {
    return n >= 0 && n < LayoutCount() ? m_layouts[size_t(n)].get() : nullptr;
}

CSegLcdDat* CSegLcdDatSet::AddLayout(std::unique_ptr<CSegLcdDat> layout) {
    if (!layout) return nullptr;
    m_layouts.push_back(std::move(layout));
    return m_layouts.back().get();
}

std::unique_ptr<CTagBufLst> CSegLcdDatSet::BuildTagList() const {
    auto list = std::make_unique<CTagBufLst>();
    list->Add(NewDmsTag(m_dms));
    for (int n = 0; n < LayoutCount(); ++n) {
        const CSegLcdDat& layout = *m_layouts[size_t(n)];
        list->Nest(StrFormat("%s%d:%s", kLayoutHead, n, layout.Name().c_str()),
                   layout.BuildTagList());
    }
    return list;
}

int CSegLcdDatSet::LoadFromTagList(CTagBufLst& list) {
    RemoveAll();
    m_dms = SSldsDms{};
    ReadDms(list, m_dms);
    for (int n = 0; n < kMaxLayouts; ++n) {
        std::vector<std::string> suffixes;
        auto extracted = list.Extract(StrFormat("%s%d:", kLayoutHead, n), false, &suffixes, true);
        if (extracted->Count() == 0) break;
        auto layout = std::make_unique<CSegLcdDat>();
        if (!suffixes.empty()) layout->SetName(suffixes.front());
        layout->LoadFromTagList(*extracted);
        AddLayout(std::move(layout));
    }
    list.RemoveAll();
    return 1;
}
