// The calculator's body: a rounded case with a bevelled rim, and the step that turns the
// painted case into a panel picture with the transparent colour around it.
#pragma once

#include <QImage>
#include <QPainter>

#include "tools/mkmodel/model_description.h"
#include "tools/mkmodel/panel_geometry.h"

// Paints the case into an image that is transparent around it.
void PaintBody(QPainter& painter, const SBodyDesc& body, const SPixelRect& area, double scale);

// An opaque picture of art (premultiplied ARGB): pixels that nothing was painted on get the
// transparent colour, partly covered ones (the anti-aliased rim) are blended over edgeBlend,
// the colour the window is expected to have. No other pixel gets the transparent colour.
QImage FlattenOnto(const QImage& art, HexColour edgeBlend, HexColour transparent);
