// The frame metrics of the platform's style, for window sizes computed by formula (the
// extra LCD windows, the main dialog's first size).
#pragma once

#include "ui/extra_lcd_size.h"

class QStyle;

// frameWidth: the style's window frame width (QStyle::PM_MdiSubWindowFrameWidth);
// captionButtonWidth: its title bar height (QStyle::PM_TitleBarHeight), the side of a
// square caption button. Both at least 1.
SFrameMetrics FrameMetricsOf(const QStyle& style);
