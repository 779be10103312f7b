// Sizes and texts of the extra LCD windows, without a window.
//
// An extra LCD window shows layout n of the segment LCD data at 1:1 and is titled
// "Extra LCD [n]". Its outer size (frame included) is
//   width  = picture width  + floor(1.4 * frame width)
//   height = picture height + 2 * frame width + caption button width
// (ExtraLcdWindowSize, dialog_layout.h), from the frame metrics of the platform's style
// (frame_metrics.h). A window larger than the screen still opens, with a message.
#pragma once

#include <string>

#include "ui/dialog_layout.h"

// The two window-frame measures that window sizes are computed from.
struct SFrameMetrics {
    int frameWidth = 4;
    int captionButtonWidth = 18;
};

LayoutSize ExtraLcdWindowSize(LayoutSize picture, const SFrameMetrics& metrics);
// True when the window is wider or taller than the screen.
bool ExceedsScreen(LayoutSize window, LayoutSize screen);

std::string ExtraLcdTitle(int layoutNumber);
std::string ExtraLcdTooLargeMessage(int layoutNumber);
