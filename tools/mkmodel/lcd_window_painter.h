// The LCD window of the panel: a dark bezel with the glass sunk into it.
//
// The glass is left plain white and exactly the size of the panel's LCD layout: at run time
// the simulator fills that rectangle with white and blackens the lit segments over it.
#pragma once

#include <QImage>
#include <QPainter>

#include "tools/mkmodel/model_description.h"
#include "tools/mkmodel/panel_geometry.h"

// The bezel and the recess around the glass (anti-aliased).
void PaintLcdBezel(QPainter& painter, const SLcdDesc& lcd, const SPanelGeometry& g);

// The glass itself, pixel-exact, into the finished picture.
void PaintLcdGlass(QImage& picture, const SPanelGeometry& g);
