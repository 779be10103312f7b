// Feeds any bytes to every data-file reader: segment LCD, shape book, panel and BMP files,
// the section index and the tag buffer dump. A reader may refuse; it must not crash, hang
// or allocate without bound.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "data/gen_file.h"
#include "data/image_file_io.h"
#include "data/kind_file.h"
#include "data/panel_file.h"
#include "data/pix_buf.h"
#include "data/sbk.h"
#include "data/sbk_file.h"
#include "data/seg_lcd.h"
#include "data/tag_buf_list.h"
#include "data/vkb_data.h"
#include "util/platform.h"

namespace {

void ReadAsEveryKind(const uint8_t* data, size_t size) {
    auto open = [&](CGenFile& f) { f.OpenMemory(data, int64_t(size)); };
    {
        CGenFile f;
        open(f);
        CSegLcdDatSet set;
        set.Load(f);
    }
    {
        CGenFile f;
        open(f);
        CSbk sbk;
        CSbkFile file;
        file.SetShowMessages(false);
        file.Load(f, sbk, "Keys");
        sbk.SetActivePage(0);
        sbk.HitTest(10, 10);
        std::vector<std::string> lines;
        sbk.Dump(lines);
    }
    {
        CGenFile f;
        open(f);
        CTagBufLst list;
        if (ReadKindFile(f, kPanelFileKind, kPanelSection, list) == EKindRead::Ok) {
            std::vector<std::string> lines;
            for (int i = 0; i < list.Count(); ++i)
                list.Get(i)->DumpText(lines, "", 4);
            CVkbData vkb;
            vkb.LoadFromTagList(*list.Extract(kPanelVkbChild, true, nullptr, true));
        }
        f.SectionListDump();
    }
    {
        CGenFile f;
        open(f);
        CPixBuf pic;
        CImageFileIO::ReadBmp(f, pic);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static CConsolePlatform quiet(true);
    SetPlatform(&quiet);
    ReadAsEveryKind(data, size);
    return 0;
}
