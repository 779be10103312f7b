// Damaged and hostile files: every reader is refused or reads as far as the bytes go, and
// never crashes, hangs or allocates for sizes the file cannot hold.
#include <gtest/gtest.h>

#include <random>

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
#include "tests/data/data_fixtures.h"
#include "tests/support/recording_platform.h"
#include "util/le.h"
#include "util/mem_stream.h"

namespace {

// Runs every reader of the system over the bytes; 1 when the file kind's reader accepted.
int ReadAsEveryKind(const Bytes& bytes) {
    int accepted = 0;
    auto open = [&](CGenFile& f) { f.OpenMemory(bytes.data(), int64_t(bytes.size())); };
    {
        CGenFile f;
        open(f);
        CSegLcdDatSet set;
        accepted += set.Load(f);
    }
    {
        CGenFile f;
        open(f);
        CSbk sbk;
        CSbkFile file;
        file.SetShowMessages(false);
        accepted += file.Load(f, sbk, "Keys");
        sbk.SetActivePage(0);
        sbk.HitTest(5, 5);
    }
    {
        CGenFile f;
        open(f);
        CTagBufLst list;
        if (ReadKindFile(f, kPanelFileKind, kPanelSection, list) == EKindRead::Ok) {
            CVkbData vkb;
            vkb.LoadFromTagList(*list.Extract(kPanelVkbChild, true, nullptr, true));
            ++accepted;
        }
        f.SectionListDump();
    }
    {
        CGenFile f;
        open(f);
        CPixBuf pic;
        accepted += CImageFileIO::ReadBmp(f, pic);
    }
    return accepted;
}

std::vector<std::pair<const char*, Bytes>> ValidFiles() {
    std::vector<std::pair<const char*, Bytes>> files;
    CSegLcdDatSet set;
    MakeSegLcdSet(set, 2, 4, 2);
    files.push_back({"SegLcd", SegLcdFileBytes(set)});
    CSbk sbk;
    MakeShapeBook(sbk);
    files.push_back({"Sbk", SbkFileBytes(sbk, "Keys")});
    CVkbData vkb;
    MakeVkb(vkb);
    vkb.Picture(1)->Create(2, 2, 0);  // keep the file small
    vkb.Picture(2)->Create(2, 2, 0);
    CBuf keyMap = NewKeyMap();
    AddKeyMapEntry(keyMap, 65, 2, 3, "SIN");
    CGenFile panel;
    panel.CreateMemory();
    WritePanelFile(panel, vkb, keyMap);
    panel.Close();
    files.push_back({"CalPnl", BytesOf(panel)});
    CPixBuf pic;
    pic.Create(5, 3, 3);
    CGenFile bmp;
    bmp.CreateMemory();
    CImageFileIO::WriteBmp(bmp, pic);
    bmp.Close();
    files.push_back({"BMP", BytesOf(bmp)});
    return files;
}

TEST(DamagedFiles, TruncatingAValidFileAtEveryByteNeverBreaksAReader) {
    for (const auto& [kind, bytes] : ValidFiles()) {
        EXPECT_EQ(ReadAsEveryKind(bytes), 1) << kind;
        for (size_t n = 0; n < bytes.size(); ++n) {
            Bytes cut(bytes.begin(), bytes.begin() + std::ptrdiff_t(n));
            ReadAsEveryKind(cut);
        }
        TestPlatform().ClearMessages();
    }
}

TEST(DamagedFiles, RandomDamageNeverBreaksAReader) {
    std::mt19937 rng(2024);
    for (const auto& [kind, bytes] : ValidFiles()) {
        for (int round = 0; round < 500; ++round) {
            Bytes damaged = bytes;
            int changes = 1 + int(rng() % 8);
            for (int i = 0; i < changes; ++i) {
                size_t at = rng() % damaged.size();
                switch (rng() % 3) {
                    case 0:
                        damaged[at] = uint8_t(rng());
                        break;
                    case 1:  // a large or negative 32-bit value, as counts would be
                        if (at + 4 <= damaged.size())
                            PutLe32(&damaged[at], int32_t(rng() | 0x40000000u));
                        break;
                    default:
                        damaged[at] ^= uint8_t(1u << (rng() % 8));
                }
            }
            ReadAsEveryKind(damaged);
        }
        TestPlatform().ClearMessages();
    }
}

TEST(DamagedFiles, StoredSizesBeyondTheFileAreRefusedBeforeAllocating) {
    // A tag buffer whose units claim 2 GiB - 1 bytes, and a list that claims 2^31 - 1 tags.
    CTagBufLst list;
    list.Add(std::make_unique<CTagBuf>("BIG", "abc", 3));
    CMemStream s;
    list.WriteList(s);
    Bytes bytes = s.Bytes();
    size_t units = 12 + 12 + 4 + 12;
    PutLe32(&bytes[units], INT32_MAX);
    PutLe32(bytes.data(), INT32_MAX);
    CMemStream in(bytes);
    CTagBufLst back;
    ASSERT_TRUE(back.ReadList(in));
    ASSERT_EQ(back.Count(), 1);
    EXPECT_EQ(back.Get(0)->Count(), 0);
    EXPECT_EQ(back.Get(0)->TagLabel(), "BIG");
}

TEST(DamagedFiles, ABookWithVeryManyObjectsLoadsInTimeProportionalToItsSize) {
    // 20000 shape objects stored in reverse order: every lookup by number would have to scan
    // the whole page if children were cut out one Extract at a time.
    constexpr int kSobs = 20000;
    CTagBufLst list;
    list.Add(std::make_unique<CTagBuf>("Spg0\\SPGDMS", "x", 1));
    for (int m = kSobs - 1; m >= 0; --m)
        list.Add(std::make_unique<CTagBuf>(("Spg0\\Sob" + std::to_string(m) + "\\SOBDMS").c_str(),
                                           "x", 1));
    CSbk sbk;
    sbk.LoadFromTagList(list);
    ASSERT_EQ(sbk.PageCount(), 1);
    EXPECT_EQ(sbk.Page(0)->SobCount(), kSobs);
}

TEST(DamagedFiles, SpanMapsOfOneBookShareABoundedBudget) {
    // Thousands of thin triangles each 60000 rows tall: far more crossings than any panel.
    CSbk sbk;
    CSpg* page = sbk.AddPage(1, "p");
    for (int m = 0; m < 2000; ++m) {
        auto sob = std::make_unique<CSob>();
        auto shape = std::make_unique<CPolygonShape>();
        shape->Plot().SetPoints({{0, 0}, {3, 60000}, {0, 60000}});
        sob->SetShape(std::move(shape));
        page->AddSob(std::move(sob));
    }
    sbk.UpdateSpanMaps();
    int built = 0;
    for (int m = 0; m < page->SobCount(); ++m)
        built += page->Sob(m)->SpanMap()->IsEmpty() ? 0 : 1;
    EXPECT_GT(built, 0);
    EXPECT_LE(int64_t(built) * 120000, CSbk::kSpanMapBudget);
}

}  // namespace
