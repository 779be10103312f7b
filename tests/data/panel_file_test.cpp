// Panel files as the model builder writes them and the panel reads them.
#include <gtest/gtest.h>

#include <cstring>

#include "data/gen_file.h"
#include "data/kind_file.h"
#include "data/panel_file.h"
#include "data/tag_buf_list.h"
#include "data/vkb_data.h"
#include "tests/data/data_fixtures.h"

namespace {

TEST(PanelFile, TheWrittenFileHoldsTheKeyboardAndTheKeyMap) {
    CVkbData vkb;
    MakeVkb(vkb);
    CBuf keyMap = NewKeyMap();
    AddKeyMapEntry(keyMap, 65, 2, 3, "SIN");
    AddKeyMapEntry(keyMap, 66, -1, -1, std::string(40, 'N'));
    CTempDir dir;
    ASSERT_TRUE(SavePanelFile(dir.Path("p.CalPnl"), vkb, keyMap));

    CGenFile file;
    ASSERT_TRUE(file.OpenRead(dir.Path("p.CalPnl")));
    CTagBufLst list;
    ASSERT_EQ(ReadKindFile(file, kPanelFileKind, kPanelSection, list), EKindRead::Ok);
    for (const char* label : {"VbkWnd\\VKBDMS", "VbkWnd\\Sbk\\SBKDMS", "VbkWnd\\Sbk\\Spg0\\SPGDMS",
                              "VbkWnd\\VKBMAPUI", "VbkWnd\\PixBuf2\\PIXELBUF", "CPKEYMAPUI"})
        EXPECT_GE(list.Find(label), 0) << label;

    const CTagBuf* map = list.FindTag(kPanelKeyMapTag);
    ASSERT_EQ(map->ElementSize(), 44);
    ASSERT_EQ(map->Count(), 2);
    SKeyMapEntry e;
    std::memcpy(&e, map->ElementPointer(1), 44);
    EXPECT_EQ(e.row, -1);
    EXPECT_EQ(std::string(e.name), std::string(31, 'N'));

    CVkbData back;
    back.LoadFromTagList(*list.Extract(kPanelVkbChild, true, nullptr, true));
    EXPECT_EQ(back.Settings().clrTransparent, vkb.Settings().clrTransparent);
    EXPECT_EQ(back.Sbk().PageCount(), 2);
    EXPECT_EQ(back.Sbk().HitTest(3, 3), 0);
    EXPECT_EQ(back.FindKeyValue(1, 11), 66);
    EXPECT_EQ(back.FindKeyValue(2, 11), -1);
    for (int i = 0; i < CVkbData::kPictureCount; ++i) {
        ASSERT_EQ(back.Picture(i)->Width(), 16) << i;
        EXPECT_EQ(back.Picture(i)->GetColour(5, 5), vkb.Picture(i)->GetColour(5, 5)) << i;
    }
    EXPECT_EQ(back.Picture(3), nullptr);
}

TEST(PanelFile, MissingTagsLeaveTheKeyboardDefaults) {
    CTagBufLst empty;
    CVkbData vkb;
    vkb.LoadFromTagList(empty);
    EXPECT_EQ(vkb.Settings().clrTransparent, 0xFFFFu);
    EXPECT_EQ(vkb.Sbk().PageCount(), 0);
    EXPECT_EQ(vkb.KeyShapeMap().Count(), 0);
    EXPECT_TRUE(vkb.Picture(0)->IsEmpty());
    EXPECT_EQ(vkb.Sbk().HitTest(0, 0), -1);
}

}  // namespace
