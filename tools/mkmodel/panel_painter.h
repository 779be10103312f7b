// The three pictures of a panel (normal, pressed, highlight), painted from the description
// at the panel's scale.
//
// The case, the print, the LCD window and the glass are painted once; the keys are then
// painted on three copies in their three looks, so the pictures differ only inside the key
// rectangles.
#pragma once

#include <QImage>
#include <string>

#include "tools/mkmodel/fonts.h"
#include "tools/mkmodel/model_description.h"
#include "tools/mkmodel/panel_geometry.h"

struct SPanelPictures {
    QImage normal, pressed, highlight;  // Format_RGB32
};

// 1 on success; 0 with the reason in error (a label the font cannot draw).
int PaintPanel(const SModelDescription& d, const SPanelGeometry& g, const SFontSet& fonts,
               SPanelPictures& out, std::string& error);
