// One key of the panel in one of its three looks.
//
// A key is a rounded cap standing on its darker side wall. Everything is drawn inside the
// key's rectangle, because the simulator shows a pressed or highlighted key by copying
// exactly that rectangle from the pressed or highlight picture over the normal one.
//   normal     the cap up, its side wall visible below it
//   pressed    the cap darker and one pixel further right and down, less wall showing
//   highlight  the cap lighter, as under the mouse pointer
#pragma once

#include <QColor>
#include <QPainter>
#include <QPainterPath>

#include "tools/mkmodel/panel_geometry.h"

enum class EKeyLook { Normal, Pressed, Highlight };

struct SKeyPaint {
    QColor face, label;
    QPainterPath labelOutline;  // centred on (0, 0)
};

// The cap's rectangle in the normal look: the label is sized to fit it.
QRectF KeyCapRect(const SPixelRect& key, double scale);

void PaintKey(QPainter& painter, const SPixelRect& key, const SKeyPaint& paint, EKeyLook look,
              double scale);
