// Where the main dialog puts its panel, LCD window and buttons.
//
// Pure arithmetic, no window: the dialog gathers the show state, the desktop work area and the
// picture sizes, and applies the record that ComputeDialogLayout returns.
//
// A normal window shows the small panel with layout profile 0, LCD overlay layout 0 and LCD
// window layout 2. A maximised window shows the large panel (overlay layout 1) when the work
// area is tall enough for it, else the small one, and the widest LCD layout, scanning from the
// last to the first, that fits beside the panel with the first profile of that panel where one
// fits. A minimised window, another state, or a maximised window where nothing fits, keeps its
// layout (no record).
#pragma once

#include <optional>
#include <vector>

struct LayoutRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const LayoutRect&) const = default;
};

struct LayoutSize {
    int width = 0, height = 0;
};

// The ten values of a layout profile, in their stored order.
struct LayoutProfile {
    int panel;         // 0 small, 1 large
    int key;           // the normal window uses the small panel's profile with key 0
    int captureWidth;  // Capture button
    int buttonHeight;
    int resetWidth;
    int unused;
    int topMargin;
    int leftMargin;
    int buttonGap;
    int gapAbove;  // between the LCD window and the buttons
};

inline constexpr LayoutProfile kLayoutProfiles[4] = {
    {0, 0, 124, 32, 124, 32, 30, 20, 15, 30},
    {0, 1, 124, 32, 124, 32, 30, 20, 15, 30},
    {1, 2, 124, 32, 124, 32, 30, 25, 15, 30},
    {1, 3, 124, 32, 124, 32, 30, 20, 15, 30},
};

// Width of the "Open Image Folder" button: 1.2 x the Capture width.
inline int OpenFolderWidth(const LayoutProfile& p) {
    return p.captureWidth * 12 / 10;
}

enum class ShowState { Normal, Maximised, Minimised, Other };

struct LayoutInput {
    ShowState state = ShowState::Normal;
    LayoutSize workArea;                 // the desktop's work area
    LayoutSize panels[2];                // small and large panel pictures
    std::vector<LayoutSize> lcdLayouts;  // segment pictures of the LCD layouts, by number
};

struct DialogLayout {
    int profile = 0;
    int panel = 0;
    int overlayLayout = 0;    // LCD layout drawn on the panel picture
    int lcdWindowLayout = 2;  // LCD layout of the LCD window
    LayoutRect panelRect;
    LayoutRect unusedRect;
    LayoutRect lcdRect;
    LayoutRect captureRect;
    LayoutRect openFolderRect;
    LayoutRect resetRect;
};

std::optional<DialogLayout> ComputeDialogLayout(const LayoutInput& in);

// Client size the dialog starts with, from the frame width and the caption button width.
LayoutSize InitialDialogSize(int frameWidth, int captionButtonWidth);

// Size of an extra LCD window for a layout picture of the given size.
LayoutSize ExtraLcdWindowSize(LayoutSize picture, int frameWidth, int captionButtonWidth);
