#include "ui/frame_metrics.h"

#include <QStyle>
#include <algorithm>

SFrameMetrics FrameMetricsOf(const QStyle& style) {
    return {std::max(1, style.pixelMetric(QStyle::PM_MdiSubWindowFrameWidth)),
            std::max(1, style.pixelMetric(QStyle::PM_TitleBarHeight))};
}
