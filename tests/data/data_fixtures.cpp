#include "tests/data/data_fixtures.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "data/colour.h"
#include "data/sbk.h"
#include "data/sbk_file.h"
#include "data/seg_lcd.h"
#include "data/vkb_data.h"

namespace fs = std::filesystem;

Bytes BytesOf(const CGenFile& file) {
    const CBuf& m = file.Memory();
    return Bytes(m.Data(), m.Data() + m.TotalBytes());
}

CTempDir::CTempDir() {
    static int serial = 0;
    m_dir = (fs::temp_directory_path() /
             ("orvane-data-" + std::to_string(getpid()) + "-" + std::to_string(serial++)))
                .string();
    fs::create_directories(m_dir);
}

CTempDir::~CTempDir() {
    std::error_code ec;
    fs::remove_all(m_dir, ec);
}

std::string CTempDir::Path(const std::string& name) const {
    return (fs::path(m_dir) / name).string();
}

void CTempDir::Write(const std::string& name, const Bytes& bytes) const {
    std::ofstream(Path(name), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

Bytes CTempDir::Read(const std::string& name) const {
    std::ifstream f(Path(name), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(f), {});
}

void MakeSegLcdSet(CSegLcdDatSet& set, int layouts, int columns, int rows) {
    set.RemoveAll();
    set.SetDummy(7);
    for (int n = 0; n < layouts; ++n) {
        auto layout = std::make_unique<CSegLcdDat>();
        layout->SetName(n == 0 ? "Main" : "Extra" + std::to_string(n));
        layout->SetSegDevCnt(columns);
        CPixBuf& pic = layout->Picture();
        pic.Create(8 + n, 4, 0);
        pic.FillAll(kWhite);
        // Segment k is the column x = 2k, 2k + 1 of rows 0..3, painted in colour k + 1.
        for (int k = 0; k < 4; ++k) {
            for (int y = 0; y < 4; ++y)
                for (int x = 2 * k; x < 2 * k + 2; ++x)
                    pic.SetColour(x, y, Rgb(k + 1, 0, 0));
        }
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c) {
                int k = c + r * columns;
                SSegRecord rec{0, 0, 0, 0, 0};
                if (k < 4) rec = {2 * k, 0, 2 * k + 2, 4, Rgb(k + 1, 0, 0)};
                layout->SetRecord(k, rec);
            }
        set.AddLayout(std::move(layout));
    }
}

Bytes SegLcdFileBytes(const CSegLcdDatSet& set) {
    CGenFile file;
    file.CreateMemory();
    set.Save(file);
    file.Close();
    return BytesOf(file);
}

void MakeShapeBook(CSbk& sbk) {
    sbk.Reset();
    sbk.SetComment("demo keys");
    CSpg* keys = sbk.AddPage(1, "Keys");
    keys->AddSob(CSob::NewRectangle(10, 0, 0, 100, 100));  // a frame
    keys->AddSob(CSob::NewRectangle(11, 10, 10, 30, 30));  // a key inside it
    auto ellipse = std::make_unique<CSob>();
    ellipse->SetId(12);
    ellipse->SetComment("round key");
    auto round = std::make_unique<CEllipseShape>();
    round->SetId(12);
    round->SetOutline({40, 10, 80, 30});
    ellipse->SetShape(std::move(round));
    keys->AddSob(std::move(ellipse));
    auto triangle = std::make_unique<CSob>();
    triangle->SetId(13);
    auto poly = std::make_unique<CPolygonShape>();
    poly->SetId(13);
    poly->Plot().SetPoints({{10, 90}, {50, 50}, {90, 90}});
    auto mask = std::make_unique<CMaskImg>();
    mask->SetId(5);
    mask->Picture().Create(2, 2, 4);
    mask->Mask().SetWidth(2);
    triangle->SetShape(std::move(poly));
    triangle->Shape()->AddMask(std::move(mask));
    keys->AddSob(std::move(triangle));
    CSpg* lcd = sbk.AddPage(2, "Lcd");
    lcd->AddSob(CSob::NewRectangle(20, 5, 5, 95, 25));
    sbk.SetActivePage(0);
    auto bookMask = std::make_unique<CMaskImg>();
    bookMask->SetId(9);
    bookMask->Picture().Create(3, 1, 2);
    sbk.AddMask(std::move(bookMask));
    sbk.Ids().SetIdLast(20);
    sbk.Keys().Set("Edit", "Zoom", "2");
    sbk.Keys().Set("Edit", "Grid", "on");
    sbk.UpdateSpanMaps();
}

Bytes SbkFileBytes(const CSbk& sbk, const char* label) {
    CGenFile file;
    file.CreateMemory();
    CSbkFile().Save(file, sbk, label);
    file.Close();
    return BytesOf(file);
}

void MakeVkb(CVkbData& vkb) {
    vkb.Settings().clrTransparent = Rgb(0, 255, 0);
    CSbk& sbk = vkb.Sbk();
    sbk.Reset();
    CSpg* keys = sbk.AddPage(1, "Keys");
    keys->AddSob(CSob::NewRectangle(10, 2, 2, 6, 6));
    keys->AddSob(CSob::NewRectangle(11, 8, 2, 12, 6));
    sbk.AddPage(2, "Lcd")->AddSob(CSob::NewRectangle(20, 0, 8, 16, 12));
    sbk.SetActivePage(0);
    vkb.AddKeyShape(1, 10, 65);
    vkb.AddKeyShape(1, 11, 66);
    for (int i = 0; i < CVkbData::kPictureCount; ++i) {
        CPixBuf* pic = vkb.Picture(i);
        pic->Create(16, 12, 0);
        pic->FillAll(Rgb(10 * i, 20, 30));
    }
}
