#include "tools/run/model_files.h"

#include <algorithm>
#include <cstring>

#include "data/gen_file.h"
#include "data/image_file_io.h"
#include "data/kind_file.h"
#include "data/lit_segments.h"
#include "data/pix_buf.h"
#include "data/seg_lcd.h"
#include "data/tag_buf_list.h"
#include "tools/run/message_capture.h"
#include "util/strfmt.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr const char* kPanelKind = "CPNL";
constexpr const char* kPanelSection = "CalPnlDatSet";
constexpr const char* kKeyMapTag = "CPKEYMAPUI";
constexpr int kKeyMapEntryBytes = 44;
constexpr int kKeyNameBytes = 32;

int32_t Int32At(const uint8_t* p) {
    return int32_t(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 |
                   uint32_t(p[3]) << 24);
}

std::string Joined(const std::vector<std::string>& texts) {
    std::string all;
    for (const std::string& t : texts)
        all += (all.empty() ? "" : "; ") + t;
    return all;
}

}  // namespace

CLcdPicture::CLcdPicture() = default;
CLcdPicture::~CLcdPicture() = default;

int CLcdPicture::Load(const std::string& path, int layout, std::string& error) {
    auto set = std::make_unique<CSegLcdDatSet>();
    CMessageCapture messages;
    int loaded;
    {
        CScopedPlatform capture(messages);
        loaded = set->Load(path);
    }
    if (!loaded) {
        error = messages.Texts().empty() ? "cannot open it" : Joined(messages.Texts());
        return 0;
    }
    const CSegLcdDat* dat = set->Layout(layout);
    if (!dat) {
        error = StrFormat("it has %d LCD layouts (0 to %d); there is no layout %d",
                          set->LayoutCount(), set->LayoutCount() - 1, layout);
        return 0;
    }
    const CPixBuf& picture = dat->Picture();
    if (picture.IsEmpty() || !picture.IsConsistent()) {
        error = StrFormat("LCD layout %d has no usable segment picture", layout);
        return 0;
    }
    m_set = std::move(set);
    m_layout = layout;
    return 1;
}

int CLcdPicture::RenderBmp(const CBuf& lit, std::string& bmp, std::string& error) const {
    const CSegLcdDat* dat = m_set ? m_set->Layout(m_layout) : nullptr;
    if (!dat) {
        error = "no LCD layout is loaded";
        return 0;
    }
    CPixBuf picture;
    if (!picture.Create(dat->Picture().Width(), dat->Picture().Height(), 0)) {
        error = "the LCD picture cannot be made";
        return 0;
    }
    picture.FillAll(kWhite);
    SLcdViewParams view;
    view.bkColor = kWhite;
    view.layout = dat;
    if (!CSegLcdDatSet::Draw(picture, view, lit)) {
        // Name the first segment the layout cannot draw.
        for (int i = 0; i < lit.Count(); ++i) {
            SLitSegment s = LitSegmentAt(lit, i);
            int64_t k = int64_t(s.column) + int64_t(s.row) * dat->SegDevCnt();
            if (k < 0 || k >= dat->RecordCount()) {
                error = StrFormat(
                    "LCD layout %d has no segment record for the lit segment at column %d, "
                    "row %d",
                    m_layout, s.column, s.row);
                return 0;
            }
        }
        error = StrFormat("LCD layout %d cannot be drawn", m_layout);
        return 0;
    }
    CGenFile file;
    if (!file.CreateMemory() || !CImageFileIO::WriteBmp(file, picture) || !file.Close()) {
        error = "the BMP picture cannot be made";
        return 0;
    }
    const CBuf& bytes = file.Memory();
    bmp.assign(reinterpret_cast<const char*>(bytes.Data()), size_t(bytes.TotalBytes()));
    return 1;
}

int ReadPanelKeyMap(const std::string& path, std::vector<PanelKey>& keys, std::string& error) {
    CGenFile file;
    if (!file.OpenRead(path, 0, 0) || !file.LoadWholeFile()) {
        error = "cannot open it";
        return 0;
    }
    CTagBufLst list;
    switch (ReadKindFile(file, kPanelKind, kPanelSection, list)) {
        case EKindRead::Ok:
            break;
        case EKindRead::WrongKind:
            error = "not a panel file (it does not start with CPNL)";
            return 0;
        case EKindRead::NoSection:
            error = StrFormat("section '%s' not found", kPanelSection);
            return 0;
        case EKindRead::BadList:
            error = "its data cannot be read";
            return 0;
    }
    const CTagBuf* map = list.FindTag(kKeyMapTag);
    if (!map) {
        error = StrFormat("it has no key map (tag %s)", kKeyMapTag);
        return 0;
    }
    // Entries are looked up with a stride of 44 bytes, whatever element size is stored.
    keys.clear();
    const uint8_t* bytes = map->Data();
    for (int at = 0; at + kKeyMapEntryBytes <= map->TotalBytes(); at += kKeyMapEntryBytes) {
        const uint8_t* e = bytes + at;
        const char* name = reinterpret_cast<const char*>(e + 12);
        keys.push_back(
            {Int32At(e + 4), Int32At(e + 8), std::string(name, strnlen(name, kKeyNameBytes))});
    }
    return 1;
}

bool BmpPictureReadable(const std::string& path) {
    CPixBuf picture;
    return CImageFileIO::ReadBmp(path, picture) != 0;
}
