// The calculator model as orvane-mkmodel reads it from a description file (JSON; the format
// is documented in docs/model-format.md).
//
// Geometry is given in design units: the coordinates of a panel picture drawn at scale 1.
// Each panel (small, large) is the same design drawn at its own scale, so one description
// yields both panel files. Colours are 0xRRGGBB.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using HexColour = uint32_t;  // 0xRRGGBB

struct SDesignRect {
    double x = 0, y = 0, w = 0, h = 0;
    double Right() const { return x + w; }
    double Bottom() const { return y + h; }
    bool Contains(const SDesignRect& inner) const {
        return inner.x >= x && inner.y >= y && inner.Right() <= Right() &&
               inner.Bottom() <= Bottom();
    }
    bool Overlaps(const SDesignRect& o) const {
        return x < o.Right() && o.x < Right() && y < o.Bottom() && o.y < Bottom();
    }
};

struct SBodyDesc {
    double width = 0, height = 0;  // the whole panel picture
    double margin = 0;             // transparent border around the body
    double cornerRadius = 0;
    double bevel = 0;  // width of the lit and shaded rim
    HexColour color = 0, edgeLight = 0, edgeDark = 0;
};

// One bit of LCD memory: the segment it lights is record column + (page * 8 + bit) * 97.
struct SLcdBit {
    int page = 0, column = 0, bit = 0;
    int Row() const { return page * 8 + bit; }
};

enum class EAnnunciator { Minus, Memory, Error };

struct SAnnunciatorDesc {
    EAnnunciator symbol = EAnnunciator::Minus;
    SLcdBit bit;
};

struct SLcdDesc {
    SDesignRect bezel;  // the dark frame around the glass
    double bezelRadius = 0;
    HexColour bezelColor = 0;
    SDesignRect glass;  // the area the live LCD is drawn into
    // Digits: column firstColumn + i of the page holds digit i (leftmost first); bits 0..6
    // are the segments a..g, bit 7 the decimal point.
    int digitPage = 0, digitFirstColumn = 0, digitCount = 0;
    std::vector<SAnnunciatorDesc> annunciators;  // drawn left to right above the digits
    double slantDegrees = 0;                     // digits lean right by this angle
};

// A segment LCD layout: the LCD area of a panel, or a picture of its own size.
struct SLcdLayoutDesc {
    std::string name;  // stored after the layout's number in the file ("SEGLCDDAT2:Window")
    int panel = -1;    // index into SModelDescription::panels, or -1 for a given size
    int width = 0, height = 0;
};

struct SPanelDesc {
    std::string role;  // "small" or "large": names the file suffix _SP / _LP
    double scale = 1;
};

struct SKeyStyle {
    std::string name;
    HexColour face = 0, label = 0;
    double labelSize = 0;  // font size of the labels in design units; 0 picks one that fits
};

struct SKeyDesc {
    std::string name;         // the key map's name ("7", "SQRT", "AC")
    std::string label;        // what is printed on the key (UTF-8)
    int value = 0;            // key value joining the key shape map and the key map
    int row = 0, column = 0;  // key matrix position; -1, -1 for the key outside the matrix
    SDesignRect rect;
    int style = 0;         // index into SModelDescription::keyStyles
    double labelSize = 0;  // font size in design units; 0 takes the style's
    std::string place;     // where the key is in the description, for messages
};

enum class EDecoration { Text, SolarCell };

struct SDecorationDesc {
    EDecoration kind = EDecoration::Text;
    std::string text;
    std::string font;               // "label" or "brand"
    double x = 0, y = 0, size = 0;  // text: baseline start and height
    SDesignRect rect;               // solar cell
    HexColour color = 0;
};

struct SModelDescription {
    std::string path;                  // the description file, for messages
    std::string model;                 // model code: the stem of the file names
    std::string labelFont, brandFont;  // font file names (searched in the font folder)
    HexColour transparent = 0;         // the colour around the body, replaced by the window colour
    HexColour edgeBlend = 0;           // what the body's anti-aliased outline is blended against
    SBodyDesc body;
    SLcdDesc lcd;
    std::vector<SLcdLayoutDesc> lcdLayouts;
    std::vector<SDecorationDesc> decorations;
    std::vector<SKeyStyle> keyStyles;
    std::vector<SKeyDesc> keys;
    std::vector<SPanelDesc> panels;
};
