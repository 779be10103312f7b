// Segment LCD data: the file round trip, layout numbering, the index rule and drawing.
#include <gtest/gtest.h>

#include "data/colour.h"
#include "data/dms.h"
#include "data/gen_file.h"
#include "data/kind_file.h"
#include "data/lit_segments.h"
#include "data/seg_lcd.h"
#include "data/tag_buf_list.h"
#include "tests/data/data_fixtures.h"
#include "tests/support/recording_platform.h"

namespace {

int LoadFromMemory(CSegLcdDatSet& set, const Bytes& bytes) {
    CGenFile f;
    f.OpenMemory(bytes.data(), int64_t(bytes.size()));
    return set.Load(f);
}

TEST(SegLcd, AFileWithThreeLayoutsOfTheFullTableRoundTrips) {
    CSegLcdDatSet set;
    MakeSegLcdSet(set, 3, 97, 32);
    CTempDir dir;
    ASSERT_TRUE(set.Save(dir.Path("m.SegLcd")));
    Bytes bytes = dir.Read("m.SegLcd");
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "SLCD");

    CSegLcdDatSet back;
    ASSERT_TRUE(back.Load(dir.Path("m.SegLcd")));
    EXPECT_TRUE(TestPlatform().Texts().empty());
    EXPECT_EQ(back.Dummy(), 7);
    ASSERT_EQ(back.LayoutCount(), 3);
    for (int n = 0; n < 3; ++n) {
        const CSegLcdDat* a = set.Layout(n);
        const CSegLcdDat* b = back.Layout(n);
        EXPECT_EQ(b->Name(), a->Name());
        EXPECT_EQ(b->SegDevCnt(), 97);
        ASSERT_EQ(b->RecordCount(), 97 * 32);
        EXPECT_EQ(0, std::memcmp(a->Table().Data(), b->Table().Data(), 97 * 32 * 20));
        EXPECT_EQ(b->Picture().Width(), a->Picture().Width());
        EXPECT_EQ(0, std::memcmp(a->Picture().Data(), b->Picture().Data(),
                                 size_t(a->Picture().Pixels().TotalBytes())));
    }
    // Writing what was read gives the same file.
    EXPECT_EQ(SegLcdFileBytes(back), bytes);
    EXPECT_EQ(back.Layout(3), nullptr);
}

// A list with hand-made layout heads, each holding only "SLDDMS" with SegDevCnt = value.
CTagBufLst HeadsList(std::vector<std::pair<std::string, int>> heads) {
    CTagBufLst list;
    for (const auto& [head, value] : heads) {
        SSldDms dms;
        dms.segDevCnt = value;
        auto child = std::make_unique<CTagBufLst>();
        child->Add(NewDmsTag(dms));
        list.Nest(head, std::move(child));
    }
    return list;
}

TEST(SegLcd, LayoutNumbersStopAtTheFirstGapAndTenIsNotOne) {
    CSegLcdDatSet set;
    CTagBufLst gap = HeadsList({{"SEGLCDDAT0:Main", 1}, {"SEGLCDDAT2:Far", 3}});
    set.LoadFromTagList(gap);
    ASSERT_EQ(set.LayoutCount(), 1);
    EXPECT_EQ(set.Layout(0)->Name(), "Main");

    CTagBufLst ten =
        HeadsList({{"SEGLCDDAT0:", 1}, {"SEGLCDDAT10:Ten", 11}, {"SEGLCDDAT1:One", 2}});
    set.LoadFromTagList(ten);
    ASSERT_EQ(set.LayoutCount(), 2);
    EXPECT_EQ(set.Layout(0)->SegDevCnt(), 1);
    EXPECT_EQ(set.Layout(0)->Name(), "");
    EXPECT_EQ(set.Layout(1)->SegDevCnt(), 2);
    EXPECT_EQ(set.Layout(1)->Name(), "One");
}

TEST(SegLcd, ALitBitLightsTheRecordOfItsColumnPlusRowTimesSegDevCnt) {
    CSegLcdDatSet set;
    MakeSegLcdSet(set, 1, 40, 32);
    CSegLcdDat* layout = set.Layout(0);
    // Record 445 = column 5 + row 11 * 40: bit 3 of column 5 on page 1, 8 bits per page.
    layout->SetRecord(445, {6, 0, 8, 4, Rgb(4, 0, 0)});
    CPixBuf view;
    view.Create(8, 4, 0);
    SLcdViewParams params;
    params.layout = layout;
    CBuf lit = NewLitSegmentList();
    AddLitSegment(lit, 5, 1 * 8 + 3);
    ASSERT_TRUE(CSegLcdDatSet::Draw(view, params, lit));
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(view.GetColour(x, 2), x >= 6 ? kBlack : kWhite) << x;
}

TEST(SegLcd, DrawingFillsTheBackgroundAndBlackensOnlyEachKeyColour) {
    CSegLcdDatSet set;
    MakeSegLcdSet(set, 1, 4, 1);
    CSegLcdDat* layout = set.Layout(0);
    // Segment 1's rectangle covers segment 0's pixels too; it blackens only its own colour.
    layout->SetRecord(1, {0, 0, 4, 4, Rgb(2, 0, 0)});
    CPixBuf view;
    view.Create(12, 6, 0);
    view.FillAll(Rgb(1, 1, 1));
    SLcdViewParams params{2, 1, kWhite, layout};
    CBuf lit = NewLitSegmentList();
    ASSERT_TRUE(CSegLcdDatSet::Draw(view, params, lit));
    EXPECT_EQ(view.GetColour(2, 1), kWhite);
    EXPECT_EQ(view.GetColour(9, 4), kWhite);
    EXPECT_EQ(view.GetColour(10, 1), Rgb(1, 1, 1));  // outside the layout's 8 x 4 area
    EXPECT_EQ(view.GetColour(1, 1), Rgb(1, 1, 1));

    AddLitSegment(lit, 1, 0);
    AddLitSegment(lit, 3, 0);
    ASSERT_TRUE(CSegLcdDatSet::Draw(view, params, lit));
    for (int x = 0; x < 8; ++x) {
        bool black = (x >= 2 && x < 4) || x >= 6;
        EXPECT_EQ(view.GetColour(x + 2, 2), black ? kBlack : kWhite) << x;
    }
    // Same size and no offset: the whole picture is cleared first.
    CPixBuf exact;
    exact.Create(8, 4, 0);
    exact.FillAll(kBlack);
    SLcdViewParams whole{0, 0, Rgb(0, 0, 255), layout};
    ASSERT_TRUE(CSegLcdDatSet::Draw(exact, whole, NewLitSegmentList()));
    EXPECT_EQ(exact.GetColour(7, 3), Rgb(0, 0, 255));
}

TEST(SegLcd, ASegmentWithoutARecordFailsAndLeavesThePicture) {
    CSegLcdDatSet set;
    MakeSegLcdSet(set, 1, 4, 1);
    CPixBuf view;
    view.Create(8, 4, 0);
    view.FillAll(Rgb(9, 9, 9));
    SLcdViewParams params;
    params.layout = set.Layout(0);
    CBuf lit = NewLitSegmentList();
    AddLitSegment(lit, 0, 0);
    AddLitSegment(lit, 0, 1);  // record 4: the table has 4 records
    EXPECT_FALSE(CSegLcdDatSet::Draw(view, params, lit));
    EXPECT_EQ(view.GetColour(0, 0), Rgb(9, 9, 9));
    EXPECT_FALSE(CSegLcdDatSet::Draw(view, SLcdViewParams{}, NewLitSegmentList()));
    CBuf wrongSize(0, 4, nullptr, 0, 10);
    EXPECT_FALSE(CSegLcdDatSet::Draw(view, params, wrongSize));
    // A layout without a picture or table draws only the background.
    CSegLcdDat empty;
    params.layout = &empty;
    EXPECT_TRUE(CSegLcdDatSet::Draw(view, params, NewLitSegmentList()));
    EXPECT_FALSE(CSegLcdDatSet::Draw(view, params, lit));
}

TEST(SegLcd, LoadFailuresShowTheirMessagesAndKeepTheSet) {
    CSegLcdDatSet good;
    MakeSegLcdSet(good, 1, 4, 1);
    Bytes bytes = SegLcdFileBytes(good);
    CSegLcdDatSet set;
    MakeSegLcdSet(set, 2, 4, 1);

    Bytes wrongKind = bytes;
    wrongKind[0] = 'X';
    EXPECT_FALSE(LoadFromMemory(set, wrongKind));
    CGenFile other;
    other.CreateMemory();
    WriteKindFile(other, "SLCD", "V00", "Elsewhere", CTagBufLst());
    other.Close();
    EXPECT_FALSE(LoadFromMemory(set, BytesOf(other)));
    Bytes badList = bytes;
    badList[16 + 68 + 8] = 'X';  // the list magic
    EXPECT_FALSE(LoadFromMemory(set, badList));
    EXPECT_EQ(TestPlatform().Texts(),
              (std::vector<std::string>{"Not SegLcd File !", "file label 'SegLcdDatSet' not found",
                                        "read data failed !"}));
    EXPECT_EQ(set.LayoutCount(), 2);
    CTempDir dir;
    EXPECT_FALSE(set.Load(dir.Path("missing.SegLcd")));
    EXPECT_EQ(TestPlatform().Texts().size(), 3u);  // no message for a file that is not there
}

}  // namespace
