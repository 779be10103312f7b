// Text as outlines: a line of text turned into a filled path, so that labels are drawn
// anti-aliased from the font file's own curves (no hinting, no font configuration).
#pragma once

#include <QPainterPath>
#include <QRawFont>
#include <QRectF>
#include <QString>

// The outline of text at the pixel size, with the baseline at y = 0 and the pen starting at
// x = 0; kerning applied.
QPainterPath TextOutline(QRawFont font, const QString& text, double pixelSize);

// The outline moved so that its ink (the bounding box of the glyphs) is centred on centre.
QPainterPath CentredOn(const QPainterPath& outline, QPointF centre);
