#include "ui/calc_panel_model.h"

#include "data/lit_segments.h"
#include "data/tag_buf_list.h"
#include "ui/panel_file_reader.h"

CCalcPanelModel::CCalcPanelModel()
    : m_keyMap(NewKeyMap()),
      m_litSegments(NewLitSegmentList()),
      m_drawnSegments(NewLitSegmentList()) {}

int CCalcPanelModel::LoadPanelFile(const std::string& path, uint32_t buttonFace) {
    SPanelFileContent content;
    if (!ReadPanelFile(path, content)) return 0;
    return TakeContent(content, buttonFace);
}

int CCalcPanelModel::LoadPanelFile(CGenFile& file, uint32_t buttonFace) {
    SPanelFileContent content;
    if (!ReadPanelFile(file, content)) return 0;
    return TakeContent(content, buttonFace);
}

int CCalcPanelModel::TakeContent(SPanelFileContent& content, uint32_t buttonFace) {
    m_keyMap = std::move(content.keyMap);
    return LoadFromTagList(*content.vkb, buttonFace);
}

void CCalcPanelModel::DescriptionLoaded() {
    // The LCD area may have moved, or gone, with the new shape book.
    if (m_lcdView.layout) SetLcdLayout(m_lcdView.layout);
}

std::optional<SKeyPosition> CCalcPanelModel::PressLookup(int page, int object) const {
    return ::PressLookup(Data(), m_keyMap, page, object);
}

void CCalcPanelModel::SetLitSegments(const CBuf& litSegments) {
    if (litSegments.ElementSize() != int(sizeof(SLitSegment))) return;
    m_litSegments.CopyFrom(litSegments);
}

int CCalcPanelModel::SetLcdLayout(const CSegLcdDat* layout) {
    std::optional<SPointI> origin = LcdAreaOrigin(Data().Sbk());
    if (!layout || !origin) {
        m_lcdView.layout = nullptr;
        return layout ? 0 : 1;
    }
    m_lcdView.layout = layout;
    m_lcdView.xOffset = origin->x;
    m_lcdView.yOffset = origin->y;
    return 1;
}

int CCalcPanelModel::RedrawWithLcd() {
    int keys = RedrawKeys();
    m_lcdDrawn = CSegLcdDatSet::Draw(Display(), m_lcdView, m_litSegments) != 0;
    if (m_lcdDrawn)
        m_drawnSegments.CopyFrom(m_litSegments);
    else
        CSegLcdDatSet::Draw(Display(), m_lcdView, m_drawnSegments);
    return keys;
}

void CCalcPanelModel::UpdateShapeLabels() {
    ::UpdateShapeLabels(Data(), m_keyMap, m_labelSwitches);
}
