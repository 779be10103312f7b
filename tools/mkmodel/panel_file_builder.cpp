#include "tools/mkmodel/panel_file_builder.h"

#include "data/panel_file.h"
#include "data/vkb_data.h"
#include "tools/mkmodel/pix_buf_image.h"
#include "tools/mkmodel/segment_colours.h"

namespace {

void AddRectangle(CSpg& page, int32_t id, const SPixelRect& r, const std::string& comment) {
    CSob* sob = page.AddSob(CSob::NewRectangle(id, r.left, r.top, r.right, r.bottom));
    sob->SetComment(comment);
}

}  // namespace

int BuildPanelData(const SModelDescription& d, const SPanelGeometry& g,
                   const SPanelPictures& pictures, CVkbData& vkb, CBuf& keyMap) {
    vkb.Settings().clrTransparent = RedLowColour(d.transparent);

    CSbk& book = vkb.Sbk();
    book.Reset();
    book.SetComment(d.model + " key panel, made by orvane-mkmodel");
    const int32_t keysPageId = book.Ids().NewId();
    const int32_t lcdPageId = book.Ids().NewId();
    CSpg* keysPage = book.AddPage(keysPageId, "Keys");
    CSpg* lcdPage = book.AddPage(lcdPageId, "Lcd");
    book.SetActivePage(0);

    keyMap = NewKeyMap();
    for (size_t i = 0; i < d.keys.size(); ++i) {
        const SKeyDesc& k = d.keys[i];
        const int32_t id = book.Ids().NewId();
        AddRectangle(*keysPage, id, g.keys[i], k.name);
        vkb.AddKeyShape(keysPageId, id, k.value);
        AddKeyMapEntry(keyMap, k.value, k.row, k.column, k.name);
    }
    AddRectangle(*lcdPage, book.Ids().NewId(), g.lcdGlass, "LCD");

    return ToPixBuf(pictures.normal, *vkb.Picture(CVkbData::kNormal)) &&
           ToPixBuf(pictures.pressed, *vkb.Picture(CVkbData::kPressed)) &&
           ToPixBuf(pictures.highlight, *vkb.Picture(CVkbData::kHighlight));
}
