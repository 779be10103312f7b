#include "tools/mkmodel/png_export.h"

#include <QImage>
#include <QString>
#include <filesystem>

#include "data/lit_segments.h"
#include "data/pix_buf.h"
#include "data/polygon_map.h"
#include "data/seg_lcd.h"
#include "data/vkb_data.h"
#include "tools/mkmodel/pix_buf_image.h"
#include "util/strfmt.h"

namespace {

// Every segment the layout has a picture for.
CBuf AllSegments(const CSegLcdDat& layout) {
    CBuf lit = NewLitSegmentList();
    SSegRecord r;
    for (int k = 0; k < layout.RecordCount(); ++k)
        if (layout.Record(k, &r) && r.right > r.left && r.bottom > r.top)
            AddLitSegment(lit, k % layout.SegDevCnt(), k / layout.SegDevCnt());
    return lit;
}

// Where the simulator draws the LCD on a panel: the top-left corner of the first object of
// the shape book's second page.
SLcdViewParams OverlayAt(const CVkbData& panel, const CSegLcdDat* layout) {
    SLcdViewParams view;
    view.layout = layout;
    const CSpg* page = panel.Sbk().Page(1);
    const CSob* sob = page ? page->Sob(0) : nullptr;
    CPolygonMap map;
    if (sob && sob->Shape() && map.Build(sob->Shape()->TransformedPoints(1, 1))) {
        view.xOffset = map.MinX();
        view.yOffset = map.MinY();
    }
    return view;
}

int Save(const QImage& image, const std::string& path, std::string& error) {
    if (image.isNull() || !image.save(QString::fromStdString(path), "PNG")) {
        error = StrFormat("cannot write '%s'", path.c_str());
        return 0;
    }
    return 1;
}

int SaveLit(CPixBuf picture, const SLcdViewParams& view, const std::string& path,
            std::string& error) {
    if (!view.layout || !CSegLcdDatSet::Draw(picture, view, AllSegments(*view.layout))) {
        error = StrFormat("cannot draw the lit LCD for '%s'", path.c_str());
        return 0;
    }
    return Save(ToImage(picture), path, error);
}

}  // namespace

int WritePngPictures(const std::string& folder, const std::string& model,
                     const std::vector<SBuiltPanel>& panels, const CSegLcdDatSet& lcd,
                     std::string& error) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    const std::string stem = (std::filesystem::path(folder) / model).string();
    for (const SBuiltPanel& p : panels) {
        const std::string base = stem + p.suffix;
        const CPixBuf& normal = *p.data->Picture(CVkbData::kNormal);
        if (!Save(ToImage(normal), base + ".png", error) ||
            !Save(ToImage(*p.data->Picture(CVkbData::kPressed)), base + "_pressed.png", error) ||
            !Save(ToImage(*p.data->Picture(CVkbData::kHighlight)), base + "_highlight.png",
                  error) ||
            !SaveLit(normal, OverlayAt(*p.data, lcd.Layout(p.lcdLayout)), base + "_lit.png", error))
            return 0;
    }
    for (int n = 0; n < lcd.LayoutCount(); ++n) {
        const CSegLcdDat& layout = *lcd.Layout(n);
        const std::string base = StrFormat("%s_lcd%d", stem.c_str(), n);
        CPixBuf white;
        white.Create(layout.Picture().Width(), layout.Picture().Height(), 0);
        white.FillAll(0xFFFFFF);
        SLcdViewParams view;
        view.layout = &layout;
        if (!Save(ToImage(layout.Picture()), base + "_segments.png", error) ||
            !SaveLit(white, view, base + "_lit.png", error))
            return 0;
    }
    return 1;
}
