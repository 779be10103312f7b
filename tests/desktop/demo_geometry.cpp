#include "tests/desktop/demo_geometry.h"

#include "data/seg_lcd.h"
#include "tests/desktop/program_folder.h"
#include "ui/calc_panel_model.h"
#include "ui/shape_bounds.h"

CDemoGeometry::CDemoGeometry() = default;
CDemoGeometry::~CDemoGeometry() = default;

bool CDemoGeometry::Load(const std::string& folder) {
    const std::string files[2] = {kSmallPanelFile, kLargePanelFile};
    for (int i = 0; i < 2; ++i) {
        m_panels[i] = std::make_unique<CCalcPanelModel>();
        if (!m_panels[i]->LoadPanelFile(folder + "/" + files[i], 0xF0F0F0)) return false;
    }
    m_segLcd = std::make_unique<CSegLcdDatSet>();
    return m_segLcd->Load(folder + "/" + kSegLcdFile) != 0;
}

std::optional<SPoint> CDemoGeometry::KeyCentre(int panel, const std::string& name) const {
    const CCalcPanelModel& model = *m_panels[panel];
    const CSpg* page = model.Data().Sbk().ActivePage();
    for (int o = 0; page && o < page->SobCount(); ++o) {
        auto entry = FindKeyMapEntry(model.KeyMap(), model.KeyValueOf(model.ActivePage(), o));
        std::optional<SRectI> r = ShapeBounds(*page->Sob(o));
        if (entry && r && KeyMapEntryName(*entry) == name)
            return SPoint{(r->left + r->right) / 2, (r->top + r->bottom) / 2};
    }
    return std::nullopt;
}

std::optional<DialogLayout> CDemoGeometry::Layout(ShowState state, LayoutSize workArea) const {
    LayoutInput in;
    in.state = state;
    in.workArea = workArea;
    for (int i = 0; i < 2; ++i)
        in.panels[i] = {m_panels[i]->Display().Width(), m_panels[i]->Display().Height()};
    for (int n = 0; n < m_segLcd->LayoutCount(); ++n)
        in.lcdLayouts.push_back(LcdLayoutSize(n));
    return ComputeDialogLayout(in);
}

LayoutSize CDemoGeometry::LcdLayoutSize(int layout) const {
    const CSegLcdDat* l = m_segLcd->Layout(layout);
    return l ? LayoutSize{l->Picture().Width(), l->Picture().Height()} : LayoutSize{};
}
