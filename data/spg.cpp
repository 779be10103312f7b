#include "data/spg.h"

#include <algorithm>
#include <cstring>

#include "data/child_cutter.h"
#include "data/dms.h"
#include "data/tag_buf_list.h"
#include "util/strfmt.h"

namespace {
constexpr const char* kSobChild = "Sob";
}  // namespace

std::string CSpg::Name() const {
    return std::string(m_dms.name, strnlen(m_dms.name, sizeof m_dms.name));
}

void CSpg::SetName(const std::string& name) {
    std::memset(m_dms.name, 0, sizeof m_dms.name);
    std::memcpy(m_dms.name, name.data(), std::min(name.size(), sizeof m_dms.name - 1));
}

CSob* CSpg::Sob(int i) {
    return i >= 0 && i < SobCount() ? m_sobs[size_t(i)].get() : nullptr;
}

const CSob* CSpg::Sob(int i) const {
    return i >= 0 && i < SobCount() ? m_sobs[size_t(i)].get() : nullptr;
}

CSob* CSpg::AddSob(std::unique_ptr<CSob> sob) {
    if (!sob) return nullptr;
    m_sobs.push_back(std::move(sob));
    return m_sobs.back().get();
}

int CSpg::RemoveSob(int i) {
    if (i < 0 || i >= SobCount()) return 0;
    m_sobs.erase(m_sobs.begin() + i);
    return 1;
}

int CSpg::HitTest(int x, int y) const {
    std::vector<const CPolygonMap*> maps;
    maps.reserve(m_sobs.size());
    for (const auto& sob : m_sobs)
        maps.push_back(sob->SpanMap());
    return CPolygonMap::HitTest(maps, x, y);
}

void CSpg::UpdateSpanMaps(double scaleX, double scaleY, int64_t* budget) {
    for (auto& sob : m_sobs)
        sob->UpdateSpanMap(scaleX, scaleY, budget);
}

std::unique_ptr<CTagBufLst> CSpg::BuildTagList() const {
    auto list = std::make_unique<CTagBufLst>();
    list->Add(NewDmsTag(m_dms));
    for (int m = 0; m < SobCount(); ++m)
        list->Nest(StrFormat("%s%d", kSobChild, m), m_sobs[size_t(m)]->BuildTagList());
    return list;
}

int CSpg::LoadFromTagList(CTagBufLst& list) {
    m_sobs.clear();
    ReadDms(list, m_dms);
    CChildCutter children(list);
    for (int m = 0; m < kMaxSobs; ++m) {
        auto sobList = children.Take(StrFormat("%s%d", kSobChild, m));
        if (sobList->Count() == 0) break;
        auto sob = std::make_unique<CSob>();
        sob->LoadFromTagList(*sobList);
        m_sobs.push_back(std::move(sob));
    }
    return 1;
}
