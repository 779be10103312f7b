#include "data/mask_img.h"

#include "data/dms.h"
#include "data/tag_buf_list.h"

namespace {
constexpr const char* kMaskBytesTag = "MASKBUF";
constexpr const char* kPictureChild = "PixBuf";
constexpr const char* kMaskChild = "Mask";
}  // namespace

std::unique_ptr<CTagBufLst> CMask::BuildTagList() const {
    auto list = std::make_unique<CTagBufLst>();
    list->Add(NewDmsTag(m_dms));
    list->Add(std::make_unique<CTagBuf>(kMaskBytesTag, m_bytes));
    return list;
}

int CMask::LoadFromTagList(const CTagBufLst& list) {
    ReadDms(list, m_dms);
    if (const CTagBuf* bytes = list.FindTag(kMaskBytesTag)) bytes->CopyUnitsTo(m_bytes);
    return 1;
}

std::unique_ptr<CTagBufLst> CMaskImg::BuildTagList() const {
    auto list = std::make_unique<CTagBufLst>();
    list->Add(NewDmsTag(m_dms));
    list->Nest(kPictureChild, m_picture.BuildTagList());
    list->Nest(kMaskChild, m_mask.BuildTagList());
    return list;
}

int CMaskImg::LoadFromTagList(CTagBufLst& list) {
    ReadDms(list, m_dms);
    m_picture.LoadFromTagList(*list.Extract(kPictureChild, true, nullptr, true));
    m_mask.LoadFromTagList(*list.Extract(kMaskChild, true, nullptr, true));
    return 1;
}
