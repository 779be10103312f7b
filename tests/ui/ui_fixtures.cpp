#include "tests/ui/ui_fixtures.h"

#include "data/panel_file.h"
#include "data/polygon_shape.h"
#include "data/vkb_data.h"

void MakeTestPanel(CVkbData& vkb, CBuf& keyMap) {
    vkb.Settings().clrTransparent = kPanelTransparent;
    CSbk& sbk = vkb.Sbk();
    sbk.Reset();
    CSpg* keys = sbk.AddPage(7, "Keys");
    keys->AddSob(CSob::NewRectangle(30, 10, 40, 30, 55));
    keys->AddSob(CSob::NewRectangle(31, 40, 40, 60, 55));
    auto round = std::make_unique<CSob>();
    round->SetId(32);
    auto ellipse = std::make_unique<CEllipseShape>();
    ellipse->SetId(32);
    ellipse->SetOutline({70, 40, 90, 55});
    round->SetShape(std::move(ellipse));
    keys->AddSob(std::move(round));
    keys->AddSob(CSob::NewRectangle(33, 95, 40, 115, 55));
    keys->AddSob(CSob::NewRectangle(12, 10, 60, 30, 75));
    keys->AddSob(CSob::NewRectangle(34, 40, 60, 60, 75));
    sbk.AddPage(8, "Lcd")->AddSob(CSob::NewRectangle(40, 20, 8, 100, 30));
    sbk.SetActivePage(0);
    sbk.UpdateSpanMaps();

    vkb.AddKeyShape(7, 30, 64);
    vkb.AddKeyShape(7, 31, 66);
    vkb.AddKeyShape(7, 32, 67);
    vkb.AddKeyShape(7, 12, 65);
    vkb.AddKeyShape(7, 34, 69);
    vkb.AddKeyShape(7, 30, 99);

    const uint32_t fills[CVkbData::kPictureCount] = {kPanelGrey, kPanelPressed, kPanelHighlight};
    for (int i = 0; i < CVkbData::kPictureCount; ++i) {
        CPixBuf* picture = vkb.Picture(i);
        picture->Create(kPanelWidth, kPanelHeight, 0);
        picture->FillAll(fills[i]);
    }
    vkb.Picture(CVkbData::kNormal)->FillRect(0, 0, kPanelWidth, 4, kPanelTransparent);

    keyMap = NewKeyMap();
    AddKeyMapEntry(keyMap, 64, 4, 1, "5");
    AddKeyMapEntry(keyMap, 65, 2, 3, "SIN");
    AddKeyMapEntry(keyMap, 66, -1, -1, "ON");
    AddKeyMapEntry(keyMap, 67, 0, 1, "AC");
    AddKeyMapEntry(keyMap, 65, 5, 5, "DUP");
}

bool WriteTestPanel(const std::string& path) {
    CVkbData vkb;
    CBuf keyMap;
    MakeTestPanel(vkb, keyMap);
    return SavePanelFile(path, vkb, keyMap) != 0;
}
