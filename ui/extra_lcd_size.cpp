#include "ui/extra_lcd_size.h"

#include "util/strfmt.h"

LayoutSize ExtraLcdWindowSize(LayoutSize picture, const SFrameMetrics& metrics) {
    return ExtraLcdWindowSize(picture, metrics.frameWidth, metrics.captionButtonWidth);
}

bool ExceedsScreen(LayoutSize window, LayoutSize screen) {
    return screen.width < window.width || screen.height < window.height;
}

std::string ExtraLcdTitle(int layoutNumber) {
    return StrFormat("Extra LCD [%d]", layoutNumber);
}

std::string ExtraLcdTooLargeMessage(int layoutNumber) {
    return StrFormat(
        "the window (Extra LCD [%d]) size is limited in desktop size. This LCD view content "
        "will be partially visible",
        layoutNumber);
}
