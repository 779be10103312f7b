#include "data/sob.h"

#include <algorithm>
#include <cstring>

#include "data/dms.h"
#include "data/tag_buf_list.h"
#include "util/strfmt.h"

namespace {
constexpr const char* kShapeHead = "Shape:";
}  // namespace

std::unique_ptr<CSob> CSob::NewRectangle(int32_t id, double left, double top, double right,
                                         double bottom) {
    auto sob = std::make_unique<CSob>();
    sob->SetId(id);
    auto shape = std::make_unique<CRectangleShape>();
    shape->SetId(id);
    shape->SetOutline({left, top, right, bottom});
    sob->SetShape(std::move(shape));
    return sob;
}

std::string CSob::Comment() const {
    return std::string(m_dms.comment, strnlen(m_dms.comment, sizeof m_dms.comment));
}

void CSob::SetComment(const std::string& text) {
    std::memset(m_dms.comment, 0, sizeof m_dms.comment);
    std::memcpy(m_dms.comment, text.data(), std::min(text.size(), sizeof m_dms.comment - 1));
}

bool CSob::UpdateSpanMap(double scaleX, double scaleY, int64_t* budget) {
    return m_shape && m_shape->UpdateSpanMap(scaleX, scaleY, budget);
}

std::unique_ptr<CTagBufLst> CSob::BuildTagList() const {
    auto list = std::make_unique<CTagBufLst>();
    list->Add(NewDmsTag(m_dms));
    if (m_shape)
        list->Nest(StrFormat("%s%s", kShapeHead, m_shape->KindName()), m_shape->BuildTagList());
    return list;
}

int CSob::LoadFromTagList(CTagBufLst& list) {
    m_shape.reset();
    ReadDms(list, m_dms);
    std::vector<std::string> kinds;
    auto shapeList = list.Extract(kShapeHead, false, &kinds, true);
    if (shapeList->Count() == 0 || kinds.empty()) return 1;
    std::unique_ptr<CPolygonShape> shape = NewShape(ShapeKindFromName(kinds.front()));
    if (!shape) return 1;
    shape->LoadFromTagList(*shapeList);
    m_shape = std::move(shape);
    return 1;
}
