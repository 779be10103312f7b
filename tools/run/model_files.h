// The model folder's data files that the runner reads besides the firmware: the segment LCD
// file (for --lcd-bmp), the small panel's key map (for --keys) and the panel pictures that
// the configuration may name. Every use of the data-file library is in model_files.cpp.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "util/cbuf.h"

class CSegLcdDatSet;

inline constexpr const char* kSegLcdSuffix = ".SegLcd";
inline constexpr const char* kSmallPanelSuffix = "_SP.CalPnl";

// One layout of a segment LCD file, drawn as the simulator's LCD window draws it: a white
// picture of the layout's size with the lit segments blackened.
class CLcdPicture {
public:
    CLcdPicture();
    ~CLcdPicture();
    CLcdPicture(const CLcdPicture&) = delete;
    CLcdPicture& operator=(const CLcdPicture&) = delete;

    // Reads the file and picks the layout. 0 and a reason when the file cannot be used.
    int Load(const std::string& path, int layout, std::string& error);
    // The BMP file's bytes of the picture. 0 and a reason when a lit segment has no record
    // in the layout (the simulator then keeps its previous picture; here there is none).
    int RenderBmp(const CBuf& lit, std::string& bmp, std::string& error) const;

private:
    std::unique_ptr<CSegLcdDatSet> m_set;
    int m_layout = 0;
};

// A key of the panel's key map ("CPKEYMAPUI": 44-byte entries of key value, row, column
// and a zero-terminated name of up to 32 bytes), in file order.
struct PanelKey {
    int row;
    int col;
    std::string name;
};

// 0 and a reason when the panel file or its key map cannot be read.
int ReadPanelKeyMap(const std::string& path, std::vector<PanelKey>& keys, std::string& error);

// Whether the file reads as a BMP picture: the test of the configuration's panel pictures.
bool BmpPictureReadable(const std::string& path);
