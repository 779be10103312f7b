#include "data/polygon_shape.h"

#include "data/child_cutter.h"
#include "data/dms.h"
#include "data/tag_buf_list.h"
#include "util/strfmt.h"

namespace {

constexpr const char* kBaseChild = "ShapeBase";
constexpr const char* kPlotChild = "PolygonPlot";
constexpr const char* kMaskChild = "MaskImg";

std::vector<SPointD> EllipsePoints(const SRectD& r) {
    CEllipsePlot plot;
    plot.SetArc({(r.left + r.right) / 2, (r.top + r.bottom) / 2}, (r.right - r.left) / 2,
                (r.bottom - r.top) / 2);
    plot.GeneratePoints();
    return plot.Points();
}

}  // namespace

CMaskImg* CPolygonShape::Mask(int i) {
    return i >= 0 && i < MaskCount() ? m_masks[size_t(i)].get() : nullptr;
}

const CMaskImg* CPolygonShape::Mask(int i) const {
    return i >= 0 && i < MaskCount() ? m_masks[size_t(i)].get() : nullptr;
}

CMaskImg* CPolygonShape::AddMask(std::unique_ptr<CMaskImg> mask) {
    if (!mask) return nullptr;
    m_masks.push_back(std::move(mask));
    return m_masks.back().get();
}

bool CPolygonShape::UpdateSpanMap(double scaleX, double scaleY, int64_t* budget) {
    return m_map.Build(TransformedPoints(scaleX, scaleY), budget);
}

std::unique_ptr<CTagBufLst> CPolygonShape::BuildTagList() const {
    auto list = std::make_unique<CTagBufLst>();
    auto base = std::make_unique<CTagBufLst>();
    base->Add(NewDmsTag(m_base));
    list->Nest(kBaseChild, *base);
    list->Add(NewDmsTag(m_dms));
    list->Nest(kPlotChild, m_plot.BuildTagList());
    for (int k = 0; k < MaskCount(); ++k)
        list->Nest(StrFormat("%s%d", kMaskChild, k), m_masks[size_t(k)]->BuildTagList());
    return list;
}

int CPolygonShape::LoadFromTagList(CTagBufLst& list) {
    ReadDms(*list.Extract(kBaseChild, true, nullptr, true), m_base);
    ReadDms(list, m_dms);
    m_plot.LoadFromTagList(*list.Extract(kPlotChild, true, nullptr, true));
    m_masks.clear();
    CChildCutter children(list);
    for (int k = 0; k < kMaxMasks; ++k) {
        auto maskList = children.Take(StrFormat("%s%d", kMaskChild, k));
        if (maskList->Count() == 0) break;
        auto mask = std::make_unique<CMaskImg>();
        mask->LoadFromTagList(*maskList);
        m_masks.push_back(std::move(mask));
    }
    AfterLoad();
    m_map.Clear();
    return 1;
}

std::vector<SPointD> CRectangleShape::ShapePoints() const {
    const SRectD& r = Outline();
    return {{r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom}};
}

void CRectangleShape::SetOutline(const SRectD& outline) {
    CShapeBase::SetOutline(outline);
    Plot().SetPoints(ShapePoints());
}

std::vector<SPointD> CEllipseShape::ShapePoints() const {
    return EllipsePoints(Outline());
}

void CEllipseShape::SetOutline(const SRectD& outline) {
    CShapeBase::SetOutline(outline);
    Plot().SetPoints(ShapePoints());
}

void CEllipseShape::AfterLoad() {
    Plot().SetPoints(ShapePoints());
}

std::unique_ptr<CPolygonShape> NewShape(int kind) {
    switch (kind) {
        case kShapePolygon:
            return std::make_unique<CPolygonShape>();
        case kShapeRectangle:
            return std::make_unique<CRectangleShape>();
        case kShapeEllipse:
            return std::make_unique<CEllipseShape>();
    }
    return nullptr;
}
