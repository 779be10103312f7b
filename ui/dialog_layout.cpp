#include "ui/dialog_layout.h"

namespace {

// The first profile of the panel for which an LCD layout is narrower than the room beside the
// panel; the layout found, scanning from the last to the first.
bool FindMaximisedProfile(const LayoutInput& in, int panel, int& profile, int& lcdLayout) {
    for (int p = 0; p < 4; ++p) {
        const LayoutProfile& prof = kLayoutProfiles[p];
        if (prof.panel != panel) continue;
        int available = in.workArea.width - 2 * prof.leftMargin - in.panels[panel].width;
        for (int n = int(in.lcdLayouts.size()) - 1; n >= 0; --n) {
            if (in.lcdLayouts[size_t(n)].width < available) {
                profile = p;
                lcdLayout = n;
                return true;
            }
        }
    }
    return false;
}

}  // namespace

std::optional<DialogLayout> ComputeDialogLayout(const LayoutInput& in) {
    DialogLayout out;
    switch (in.state) {
        case ShowState::Normal:
            out.profile = 0;
            out.panel = 0;
            out.overlayLayout = 0;
            out.lcdWindowLayout = 2;
            break;
        case ShowState::Maximised: {
            bool large = in.workArea.height >= in.panels[1].height + kLayoutProfiles[1].topMargin;
            out.panel = large ? 1 : 0;
            out.overlayLayout = large ? 1 : 0;
            if (!FindMaximisedProfile(in, out.panel, out.profile, out.lcdWindowLayout))
                return std::nullopt;
            break;
        }
        default:
            return std::nullopt;
    }

    const LayoutProfile& p = kLayoutProfiles[out.profile];
    const int L = p.leftMargin, T = p.topMargin;
    const LayoutSize panel = in.panels[out.panel];
    LayoutSize lcd;
    if (out.lcdWindowLayout >= 0 && out.lcdWindowLayout < int(in.lcdLayouts.size()))
        lcd = in.lcdLayouts[size_t(out.lcdWindowLayout)];

    out.panelRect = {L, T, L + panel.width, T + panel.height};
    out.lcdRect = {2 * L + panel.width, T, 2 * L + panel.width + lcd.width, T + lcd.height};
    int buttonTop = T + lcd.height + p.gapAbove;
    out.captureRect = {out.lcdRect.left, buttonTop, out.lcdRect.left + p.captureWidth,
                       buttonTop + p.buttonHeight};
    // Open Image Folder takes Reset's place; Reset moves right by the gap and its width.
    int folderLeft = out.captureRect.right + p.buttonGap;
    out.openFolderRect = {folderLeft, buttonTop, folderLeft + OpenFolderWidth(p),
                          buttonTop + p.buttonHeight};
    int resetLeft = out.openFolderRect.right + p.buttonGap;
    out.resetRect = {resetLeft, buttonTop, resetLeft + p.resetWidth, buttonTop + p.buttonHeight};
    return out;
}

LayoutSize InitialDialogSize(int frameWidth, int captionButtonWidth) {
    return {int(1.4 * frameWidth + 761), captionButtonWidth + 2 * frameWidth + 613};
}

LayoutSize ExtraLcdWindowSize(LayoutSize picture, int frameWidth, int captionButtonWidth) {
    return {picture.width + int(1.4 * frameWidth),
            picture.height + 2 * frameWidth + captionButtonWidth};
}
