// A small synthetic calculator panel for the panel and keyboard tests, and helpers around it.
//
// Picture 120 x 80 (32 bits). Normal picture grey (200, 200, 200) with a strip in the
// transparent colour (0, 255, 0) over rows 0..3; pressed picture dark (50, 50, 50);
// highlight picture light yellow (250, 250, 100).
//
// Page 0 "Keys" (id 7, active), objects by index (id; shape; key value -> key map entry):
//   0  id 30  rectangle (10, 40)-(30, 55)   64 -> row 4, column 1, "5"
//   1  id 31  rectangle (40, 40)-(60, 55)   66 -> row -1, column -1, "ON"
//   2  id 32  ellipse   (70, 40)-(90, 55)   67 -> row 0, column 1, "AC"
//   3  id 33  rectangle (95, 40)-(115, 55)  not in the key shape map
//   4  id 12  rectangle (10, 60)-(30, 75)   65 -> row 2, column 3, "SIN"
//   5  id 34  rectangle (40, 60)-(60, 75)   69, which the key map lacks
// Page 1 "Lcd" (id 8): object 0, id 40, rectangle (20, 8)-(100, 30): the LCD area.
// The key shape map lists (7, 30) a second time with 99, and the key map 65 a second time
// with row 5, column 5: lookups take the first.
#pragma once

#include <QPoint>
#include <string>

#include "data/colour.h"
#include "util/cbuf.h"

class CVkbData;

inline constexpr uint32_t kPanelGrey = Rgb(200, 200, 200);
inline constexpr uint32_t kPanelPressed = Rgb(50, 50, 50);
inline constexpr uint32_t kPanelHighlight = Rgb(250, 250, 100);
inline constexpr uint32_t kPanelTransparent = Rgb(0, 255, 0);
inline constexpr int kPanelWidth = 120;
inline constexpr int kPanelHeight = 80;

// Centres of the keys of page 0 by object index, and a point between keys.
inline const QPoint kKey5{20, 47};
inline const QPoint kKeyOn{50, 47};
inline const QPoint kKeyAc{80, 47};
inline const QPoint kKeyUnmapped{105, 47};
inline const QPoint kKeySin{20, 67};
inline const QPoint kKeyNoEntry{50, 67};
inline const QPoint kBetweenKeys{35, 47};

void MakeTestPanel(CVkbData& vkb, CBuf& keyMap);
// Writes the test panel file; true when written.
bool WriteTestPanel(const std::string& path);
