#include "data/vkb_data.h"

#include <cstring>

#include "data/dms.h"
#include "data/tag_buf_list.h"
#include "util/strfmt.h"

namespace {
constexpr const char* kSbkChild = "Sbk";
constexpr const char* kKeyShapeMapTag = "VKBMAPUI";
constexpr const char* kPictureChild = "PixBuf";
}  // namespace

CVkbData::CVkbData() : m_keyShapeMap(0, sizeof(SKeyShapeMapEntry), nullptr, 0, 10) {}

void CVkbData::AddKeyShape(int32_t pageKey, int32_t shapeKey, int32_t keyValue) {
    SKeyShapeMapEntry e{pageKey, shapeKey, keyValue, {}};
    if (m_keyShapeMap.ElementSize() != int(sizeof e))
        m_keyShapeMap.Assign(0, sizeof e, nullptr, 0, 10);
    m_keyShapeMap.Append(&e, 1);
}

int32_t CVkbData::FindKeyValue(int32_t pageKey, int32_t shapeKey) const {
    // Elements are read 44 bytes at a time, whatever size the stored map declares.
    int64_t bytes = m_keyShapeMap.TotalBytes();
    for (int64_t at = 0; at + int64_t(sizeof(SKeyShapeMapEntry)) <= bytes;
         at += int64_t(sizeof(SKeyShapeMapEntry))) {
        SKeyShapeMapEntry e;
        std::memcpy(&e, m_keyShapeMap.Data() + at, sizeof e);
        if (e.pageKey == pageKey && e.shapeKey == shapeKey) return e.keyValue;
    }
    return -1;
}

CPixBuf* CVkbData::Picture(int i) {
    return i >= 0 && i < kPictureCount ? &m_pictures[i] : nullptr;
}

const CPixBuf* CVkbData::Picture(int i) const {
    return i >= 0 && i < kPictureCount ? &m_pictures[i] : nullptr;
}

std::unique_ptr<CTagBufLst> CVkbData::BuildTagList() const {
    auto list = std::make_unique<CTagBufLst>();
    list->Add(NewDmsTag(m_dms));
    list->Nest(kSbkChild, m_sbk.BuildTagList());
    list->Add(std::make_unique<CTagBuf>(kKeyShapeMapTag, m_keyShapeMap));
    for (int i = 0; i < kPictureCount; ++i)
        list->Nest(StrFormat("%s%d", kPictureChild, i), m_pictures[i].BuildTagList());
    return list;
}

int CVkbData::LoadFromTagList(CTagBufLst& list) {
    ReadDms(list, m_dms);
    m_sbk.LoadFromTagList(*list.Extract(kSbkChild, true, nullptr, true));
    if (const CTagBuf* map = list.FindTag(kKeyShapeMapTag)) map->CopyUnitsTo(m_keyShapeMap);
    for (int i = 0; i < kPictureCount; ++i) {
        m_pictures[i].Reset();
        m_pictures[i].LoadFromTagList(
            *list.Extract(StrFormat("%s%d", kPictureChild, i), true, nullptr, true));
    }
    list.RemoveAll();
    return 1;
}
