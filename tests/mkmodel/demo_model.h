// The demo calculator's model files as the build wrote them next to the programs, read back
// through the data library the simulator uses.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "data/panel_file.h"
#include "data/seg_lcd.h"
#include "data/vkb_data.h"

// The build's bin folder, where the model files are.
std::string ModelFolder();
std::string ModelFile(const std::string& name);

constexpr const char* kSegLcdFile = "ZT_K318V.SegLcd";
constexpr const char* kSmallPanelFile = "ZT_K318V_SP.CalPnl";
constexpr const char* kLargePanelFile = "ZT_K318V_LP.CalPnl";

struct SPanelUnderTest {
    CVkbData vkb;
    std::vector<SKeyMapEntry> keyMap;
};

// nullptr (and a test failure) when the file cannot be read.
std::unique_ptr<SPanelUnderTest> LoadPanel(const std::string& path);
std::unique_ptr<CSegLcdDatSet> LoadSegLcd(const std::string& path);

// Where a key is on a panel, found through the panel's own tables: the key map gives the
// key value of the name, the key shape map the object with that value on the active page.
struct SKeyOnPanel {
    int objectIndex = -1;
    SSegRecord box{};  // the object's rectangle (right and bottom exclusive); colour unused
};
SKeyOnPanel FindKey(const SPanelUnderTest& panel, const std::string& name);

// The outline rectangle of a shape object, right and bottom exclusive.
SSegRecord ObjectBox(const CSob& sob);
