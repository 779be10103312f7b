#include "tools/mkmodel/seg_lcd_builder.h"

#include <memory>

#include "data/seg_lcd.h"
#include "tools/mkmodel/machine_limits.h"
#include "tools/mkmodel/panel_geometry.h"
#include "tools/mkmodel/pix_buf_image.h"
#include "util/strfmt.h"

int PaintSegmentPictures(const SModelDescription& d, std::vector<SSegmentPicture>& out,
                         std::string& error) {
    out.assign(d.lcdLayouts.size(), SSegmentPicture{});
    for (size_t n = 0; n < d.lcdLayouts.size(); ++n) {
        SPixelSize size = LcdLayoutSize(d, int(n));
        std::string reason;
        if (!PaintSegmentPicture(d.lcd, size.width, size.height, out[n], reason)) {
            error = StrFormat("lcdLayouts[%zu]: %s", n, reason.c_str());
            return 0;
        }
    }
    return 1;
}

int BuildSegLcdSet(const SModelDescription& d, const std::vector<SSegmentPicture>& pictures,
                   CSegLcdDatSet& out) {
    out.RemoveAll();
    for (size_t n = 0; n < pictures.size(); ++n) {
        CSegLcdDat* layout = out.AddLayout(std::make_unique<CSegLcdDat>());
        layout->SetName(d.lcdLayouts[n].name);
        layout->SetSegDevCnt(kLcdColumns);
        const std::vector<SSegRecord>& table = pictures[n].table;
        for (size_t k = 0; k < table.size(); ++k)
            layout->SetRecord(int(k), table[k]);
        if (!ToPixBuf(pictures[n].picture, layout->Picture())) return 0;
    }
    return 1;
}
