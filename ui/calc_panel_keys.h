// The calculator panel's lookups, without a window: from a key shape to its place in the
// calculator's key matrix, the labels that show panel authors what each shape is, and where
// the panel's LCD lies.
//
// The key map ("CPKEYMAPUI" of a panel file) has 44-byte entries (SKeyMapEntry): key value,
// row, column, name. The key shape map of the virtual keyboard gives each shape (page id,
// object id) a key value; the key map gives that value a row and a column. Lookups take the
// first matching entry. A key map of another element size is never read (see
// IsUsableKeyMap), so no lookup can step past its bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "data/geometry.h"
#include "data/panel_file.h"
#include "util/cbuf.h"

class CSbk;
class CVkbData;

struct SKeyPosition {
    int32_t row;
    int32_t column;
    bool operator==(const SKeyPosition&) const = default;
};

// Which lines a shape label has; all on after construction.
struct SLabelSwitches {
    bool objectNumber = true;  // "Ob#=%d"
    bool objectId = true;      // "ObId=%d"
    bool keyValue = true;      // "Vk=%d"
    bool keyPosition = true;   // "KeyPos=%d,%d"
    bool keyName = true;       // the name of the key map entry
};

// Elements of exactly 44 bytes.
bool IsUsableKeyMap(const CBuf& keyMap);
// The first entry with the key value; nothing when there is none or the map is unusable.
std::optional<SKeyMapEntry> FindKeyMapEntry(const CBuf& keyMap, int32_t keyValue);
// The entry's name up to its NUL (at most 32 characters, also without one).
std::string KeyMapEntryName(const SKeyMapEntry& entry);

// The key position of shape object `object` of page `page` (indexes): its key value from
// the key shape map (by the ids of page and object), then that value's entry in the key
// map. Nothing for indexes out of range, a shape without a key value or a value without an
// entry.
std::optional<SKeyPosition> PressLookup(const CVkbData& vkb, const CBuf& keyMap, int page,
                                        int object);

// The label of a shape: the lines whose switches are on, joined by "\n". keyValue is the
// shape's key value (-1: none); entry is its key map entry, if any. Without a key value the
// position line is left out and the name line is empty.
std::string ShapeLabelText(const SLabelSwitches& on, int objectIndex, int32_t objectId,
                           int32_t keyValue, const std::optional<SKeyMapEntry>& entry);
// Sets the label text of every shape object of every page of the book.
void UpdateShapeLabels(CVkbData& vkb, const CBuf& keyMap, const SLabelSwitches& on);

// Where the panel's LCD lies: the top-left corner of the bounding box of the first object of
// the book's second page. Nothing when the book has no such object with a shape: the panel
// then has no LCD area and shows no LCD.
std::optional<SPointI> LcdAreaOrigin(const CSbk& sbk);
