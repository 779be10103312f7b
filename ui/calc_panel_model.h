// CCalcPanelModel: the calculator panel without its window. CCalcPanel shows one; tests
// drive it directly.
//
// A virtual keyboard (CVkbModel) that
//   - loads its whole description from a panel file (LoadPanelFile, panel_file_reader.h);
//   - translates a pressed key shape through the panel's key map into a position of the
//     calculator's key matrix (PressLookup);
//   - draws the lit LCD segments over the panel picture with an LCD layout placed on the
//     panel's LCD area (SetLcdLayout, SetLitSegments, RedrawWithLcd);
//   - labels every key shape with its numbers for panel authors (UpdateShapeLabels).
#pragma once

#include <optional>
#include <string>

#include "data/seg_lcd.h"
#include "ui/calc_panel_keys.h"
#include "ui/vkb_model.h"

class CGenFile;
struct SPanelFileContent;

class CCalcPanelModel : public CVkbModel {
public:
    CCalcPanelModel();

    // Replaces the whole description with the file's; a file that fails (see
    // panel_file_reader.h) changes nothing. The key map is emptied when the file has none.
    int LoadPanelFile(const std::string& path, uint32_t buttonFace);
    int LoadPanelFile(CGenFile& file, uint32_t buttonFace);

    // 44-byte entries (SKeyMapEntry).
    const CBuf& KeyMap() const { return m_keyMap; }
    std::optional<SKeyPosition> PressLookup(int page, int object) const;

    // Takes a copy of a list of 8-byte (column, row) pairs; a list of another element size
    // changes nothing.
    void SetLitSegments(const CBuf& litSegments);
    const CBuf& LitSegments() const { return m_litSegments; }
    // Shows the layout (not owned) at the panel's LCD area; nullptr takes the LCD away.
    // Returns 0, and shows no LCD, when the panel has no LCD area.
    int SetLcdLayout(const CSegLcdDat* layout);
    const SLcdViewParams& LcdView() const { return m_lcdView; }
    // Redraws the keys (CVkbModel::RedrawKeys), then draws the lit segments over them.
    // When the present list cannot be drawn (a segment without a record), the last list
    // that could be is drawn again, so the picture never shows a broken LCD. Returns the
    // number of keys drawn.
    int RedrawWithLcd();
    // Whether the last RedrawWithLcd drew the present lit-segment list.
    bool LcdDrawn() const { return m_lcdDrawn; }

    const SLabelSwitches& LabelSwitches() const { return m_labelSwitches; }
    void SetLabelSwitches(const SLabelSwitches& on) { m_labelSwitches = on; }
    void UpdateShapeLabels();

protected:
    void DescriptionLoaded() override;

private:
    int TakeContent(SPanelFileContent& content, uint32_t buttonFace);

    CBuf m_keyMap;
    SLabelSwitches m_labelSwitches;
    SLcdViewParams m_lcdView;
    CBuf m_litSegments;
    CBuf m_drawnSegments;  // the last list that drew
    bool m_lcdDrawn = false;
};
