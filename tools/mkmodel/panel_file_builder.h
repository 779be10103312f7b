// The stored description of one panel: its pictures, the shape book whose active page
// outlines the keys, the key shape map and the key map.
//
// Shape book: page 0 ("Keys") holds one rectangle per key, exactly the key's rectangle in
// the pictures, so the hit test, the pressed-key copy and the picture agree pixel for
// pixel; page 1 ("Lcd") holds one rectangle, the LCD glass, whose top-left corner is where
// the simulator draws the LCD. Page 0 is active. Ids of pages and objects come from the
// book's own id allocator and are unique in the book; the key shape map joins (page id,
// object id) to the key's value, and the key map joins the value to the key's matrix
// position and name.
#pragma once

#include "tools/mkmodel/model_description.h"
#include "tools/mkmodel/panel_geometry.h"
#include "tools/mkmodel/panel_painter.h"
#include "util/cbuf.h"

class CVkbData;

// 0 when a picture cannot be stored.
int BuildPanelData(const SModelDescription& d, const SPanelGeometry& g,
                   const SPanelPictures& pictures, CVkbData& vkb, CBuf& keyMap);
