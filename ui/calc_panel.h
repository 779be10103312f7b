// CCalcPanel: the picture of the calculator, whose keys are pressed with the mouse and whose
// LCD shows the emulated display. A virtual keyboard window (CVkbWnd) over a
// CCalcPanelModel.
//
// For the main dialog:
//   CCalcPanel* panel = new CCalcPanel(dialog);
//   panel->setObjectName("SmallCalcPanel");
//   if (!panel->LoadPanelFile(path)) ...;                    // the file's message was shown
//   connect(panel, &CCalcPanel::keyTapRequested, ...);      // (row, column): KeyTap(ice, ...)
//   panel->SetLcdLayout(set.Layout(0));                     // nullptr while hidden
//   every refresh: panel->SetLitSegments(list); panel->Redraw(true);
//
// A press on a key sends keyTapRequested with the key's row and column from the key map
// (row -1, column -1 for the key outside the matrix); the connection must be direct (same
// thread), so the tap runs while the pressed key shows. A release sends the base's
// keyReleased with the key value. Shapes that the key shape map or the key map lacks send
// nothing.
#pragma once

#include <string>

#include "ui/calc_panel_model.h"
#include "ui/vkb_wnd.h"

class CCalcPanel : public CVkbWnd {
    Q_OBJECT
public:
    explicit CCalcPanel(QWidget* parent = nullptr);

    CCalcPanelModel& PanelModel() { return *m_panel; }
    const CCalcPanelModel& PanelModel() const { return *m_panel; }

    // 1 when loaded; 0 with the file's message shown (none when it cannot be opened), and the
    // panel as it was.
    int LoadPanelFile(const std::string& path);

    void SetLitSegments(const CBuf& litSegments) { m_panel->SetLitSegments(litSegments); }
    // See CCalcPanelModel::SetLcdLayout; the LCD shows from the next Redraw.
    int SetLcdLayout(const CSegLcdDat* layout) { return m_panel->SetLcdLayout(layout); }
    const SLcdViewParams& LcdView() const { return m_panel->LcdView(); }

    const SLabelSwitches& LabelSwitches() const { return m_panel->LabelSwitches(); }
    void SetLabelSwitches(const SLabelSwitches& on);

    // The keys and the LCD overlay.
    int Redraw(bool repaintNow) override;

signals:
    void keyTapRequested(int row, int column);

protected:
    int PressLookup(int page, int object) override;
    void UpdateShapeLabels() override;

private:
    CCalcPanelModel* m_panel;  // the base's model
};
