#include "data/sbk.h"

#include <algorithm>
#include <cstring>

#include "data/child_cutter.h"
#include "data/dms.h"
#include "data/tag_buf_list.h"
#include "util/strfmt.h"

namespace {
constexpr const char* kPageChild = "Spg";
constexpr const char* kMaskChild = "MaskImg";
constexpr const char* kIdChild = "IdCenter";
constexpr const char* kKeysChild = "Ini";
}  // namespace

void CSbk::Reset() {
    m_dms = SSbkDms{};
    m_pages.clear();
    m_masks.clear();
    m_ids.Reset();
    m_keys.Clear();
}

std::string CSbk::Comment() const {
    return std::string(m_dms.comment, strnlen(m_dms.comment, sizeof m_dms.comment));
}

void CSbk::SetComment(const std::string& text) {
    std::memset(m_dms.comment, 0, sizeof m_dms.comment);
    std::memcpy(m_dms.comment, text.data(), std::min(text.size(), sizeof m_dms.comment - 1));
}

CSpg* CSbk::Page(int i) {
    return i >= 0 && i < PageCount() ? m_pages[size_t(i)].get() : nullptr;
}

const CSpg* CSbk::Page(int i) const {
    return i >= 0 && i < PageCount() ? m_pages[size_t(i)].get() : nullptr;
}

CSpg* CSbk::AddPage(std::unique_ptr<CSpg> page) {
    if (!page) return nullptr;
    m_pages.push_back(std::move(page));
    return m_pages.back().get();
}

CSpg* CSbk::AddPage(int32_t id, const std::string& name) {
    auto page = std::make_unique<CSpg>();
    page->SetId(id);
    page->SetName(name);
    return AddPage(std::move(page));
}

int CSbk::RemovePage(int i) {
    if (i < 0 || i >= PageCount()) return 0;
    m_pages.erase(m_pages.begin() + i);
    int& active = m_dms.spgActive;
    if (i < active) --active;
    if (active > PageCount() - 1) active = PageCount() - 1;
    return 1;
}

int CSbk::HitTest(int x, int y) const {
    const CSpg* page = ActivePage();
    return page ? page->HitTest(x, y) : -1;
}

void CSbk::UpdateSpanMaps(double scaleX, double scaleY) {
    int64_t budget = kSpanMapBudget;
    for (auto& page : m_pages)
        page->UpdateSpanMaps(scaleX, scaleY, &budget);
}

CMaskImg* CSbk::Mask(int i) {
    return i >= 0 && i < MaskCount() ? m_masks[size_t(i)].get() : nullptr;
}

const CMaskImg* CSbk::Mask(int i) const {
    return i >= 0 && i < MaskCount() ? m_masks[size_t(i)].get() : nullptr;
}

CMaskImg* CSbk::AddMask(std::unique_ptr<CMaskImg> mask) {
    if (!mask) return nullptr;
    m_masks.push_back(std::move(mask));
    return m_masks.back().get();
}

std::unique_ptr<CTagBufLst> CSbk::BuildTagList() const {
    auto list = std::make_unique<CTagBufLst>();
    list->Add(NewDmsTag(m_dms));
    for (int n = 0; n < PageCount(); ++n)
        list->Nest(StrFormat("%s%d", kPageChild, n), m_pages[size_t(n)]->BuildTagList());
    for (int n = 0; n < MaskCount(); ++n)
        list->Nest(StrFormat("%s%d", kMaskChild, n), m_masks[size_t(n)]->BuildTagList());
    list->Nest(kIdChild, m_ids.BuildTagList());
    list->Nest(kKeysChild, m_keys.BuildTagList());
    return list;
}

int CSbk::LoadFromTagList(CTagBufLst& list) {
    Reset();
    ReadDms(list, m_dms);
    CChildCutter children(list);
    for (int n = 0; n < kMaxPages; ++n) {
        auto pageList = children.Take(StrFormat("%s%d", kPageChild, n));
        if (pageList->Count() == 0) break;
        auto page = std::make_unique<CSpg>();
        page->LoadFromTagList(*pageList);
        m_pages.push_back(std::move(page));
    }
    for (int n = 0; n < kMaxMasks; ++n) {
        auto maskList = children.Take(StrFormat("%s%d", kMaskChild, n));
        if (maskList->Count() == 0) break;
        auto mask = std::make_unique<CMaskImg>();
        mask->LoadFromTagList(*maskList);
        m_masks.push_back(std::move(mask));
    }
    m_ids.LoadFromTagList(*children.Take(kIdChild));
    m_keys.LoadFromTagList(*children.Take(kKeysChild));
    UpdateSpanMaps(1, 1);
    return 1;
}
