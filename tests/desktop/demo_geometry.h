// Where things are in the main dialog when it shows the demo model: the centres of the keys
// on either panel (from the panel file's key map and shape book) and the dialog's layout
// (from the dialog's own layout function with the real picture sizes).
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "ui/dialog_layout.h"

class CCalcPanelModel;
class CSegLcdDatSet;

struct SPoint {
    int x = 0, y = 0;
};

class CDemoGeometry {
public:
    CDemoGeometry();
    ~CDemoGeometry();

    // Reads the panel files and the segment LCD file of the folder; false when one fails.
    bool Load(const std::string& folder);
    // The centre of the key whose key map entry has that name, in the coordinates of panel
    // 0 (small) or 1 (large); nullopt when there is none.
    std::optional<SPoint> KeyCentre(int panel, const std::string& name) const;
    // The dialog's layout for the show state on a work area of that size.
    std::optional<DialogLayout> Layout(ShowState state, LayoutSize workArea) const;
    LayoutSize LcdLayoutSize(int layout) const;

    static SPoint Centre(const LayoutRect& r) {
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }

private:
    std::unique_ptr<CCalcPanelModel> m_panels[2];
    std::unique_ptr<CSegLcdDatSet> m_segLcd;
};
