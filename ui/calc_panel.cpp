#include "ui/calc_panel.h"

CCalcPanel::CCalcPanel(QWidget* parent)
    : CVkbWnd(std::make_unique<CCalcPanelModel>(), parent),
      // The base holds the model made just above.
      m_panel(static_cast<CCalcPanelModel*>(&Model())) {}

int CCalcPanel::LoadPanelFile(const std::string& path) {
    if (!m_panel->LoadPanelFile(path, ButtonFaceColour())) return 0;
    DescriptionChanged();
    return 1;
}

void CCalcPanel::SetLabelSwitches(const SLabelSwitches& on) {
    m_panel->SetLabelSwitches(on);
    if (ShapeLabelsShown()) UpdateShapeLabels();
    update();
}

int CCalcPanel::Redraw(bool repaintNow) {
    int drawn = m_panel->RedrawWithLcd();
    if (repaintNow)
        repaint();
    else
        update();
    return drawn;
}

int CCalcPanel::PressLookup(int page, int object) {
    std::optional<SKeyPosition> key = m_panel->PressLookup(page, object);
    if (!key) return 0;
    emit keyTapRequested(key->row, key->column);
    return 1;
}

void CCalcPanel::UpdateShapeLabels() {
    m_panel->UpdateShapeLabels();
}
