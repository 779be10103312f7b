// Shape books: the tag form, .Sbk files and their messages, page handling, hit tests, dump.
#include <gtest/gtest.h>

#include "data/dms.h"
#include "data/gen_file.h"
#include "data/sbk.h"
#include "data/sbk_file.h"
#include "data/tag_buf_list.h"
#include "tests/data/data_fixtures.h"
#include "tests/support/recording_platform.h"

namespace {

std::vector<std::string> DumpOf(const CSbk& sbk) {
    std::vector<std::string> lines;
    sbk.Dump(lines);
    return lines;
}

std::unique_ptr<CTagBuf> Raw(const std::string& label) {
    return std::make_unique<CTagBuf>(label.c_str(), "x", 1);
}

TEST(Sbk, TheTagListNestsPagesObjectsAndShapes) {
    CSbk sbk;
    MakeShapeBook(sbk);
    auto list = sbk.BuildTagList();
    struct {
        const char* label;
        int unitSize;
    } expected[] = {
        {"SBKDMS", 1088},
        {"Spg0\\SPGDMS", 80},
        {"Spg0\\Sob0\\SOBDMS", 48},
        {"Spg0\\Sob0\\Shape:Rectangle\\ShapeBase\\SHAPEBASEDMS", 96},
        {"Spg0\\Sob0\\Shape:Rectangle\\POLYGONSHAPEDMS", 12},
        {"Spg0\\Sob0\\Shape:Rectangle\\PolygonPlot\\POLYGONPLOTDMS", 64},
        {"Spg0\\Sob0\\Shape:Rectangle\\PolygonPlot\\POLYGONPLOTCOORD", 16},
        {"Spg0\\Sob2\\Shape:Ellipse\\POLYGONSHAPEDMS", 12},
        {"Spg0\\Sob3\\Shape:Polygon\\MaskImg0\\PixBuf\\PIXBUFDMS", 28},
        {"Spg0\\Sob3\\Shape:Polygon\\MaskImg0\\Mask\\MASKDMS", 4},
        {"Spg1\\Sob0\\SOBDMS", 48},
        {"MaskImg0\\MASKIMGDMS", 4},
        {"IdCenter\\IDCDMS", 16},
        {"Ini\\INIDMS", 4},
    };
    for (const auto& e : expected) {
        const CTagBuf* tag = list->FindTag(e.label);
        ASSERT_NE(tag, nullptr) << e.label;
        EXPECT_EQ(tag->ElementSize(), e.unitSize) << e.label;
        EXPECT_TRUE(tag->IsWellFormed()) << e.label;
    }
    EXPECT_EQ(list->Get(0)->TagLabel(), "SBKDMS");
}

TEST(Sbk, ASavedBookLoadsBackTheSame) {
    CSbk sbk;
    MakeShapeBook(sbk);
    CTempDir dir;
    std::vector<int> progress;
    CSbkFile file;
    file.SetProgress([&](int p) { progress.push_back(p); });
    ASSERT_TRUE(file.Save(dir.Path("keys.Sbk"), sbk, "Keys"));
    Bytes bytes = dir.Read("keys.Sbk");
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 16),
              (Bytes{'S', 'B', 'K', ' ', 'V', '0', '0', 0, 0, 0, 0, 0, 0, 0, 0, 0}));

    CSbk back;
    std::string version;
    ASSERT_TRUE(file.Load(dir.Path("keys.Sbk"), back, "Keys", std::nullopt, &version));
    EXPECT_EQ(progress, (std::vector<int>{10, 100, 10, 100}));
    EXPECT_EQ(version, "V00");
    EXPECT_TRUE(TestPlatform().Texts().empty());
    EXPECT_EQ(DumpOf(back), DumpOf(sbk));
    EXPECT_EQ(SbkFileBytes(back, "Keys"), bytes);

    const CSpg* keys = back.Page(0);
    ASSERT_EQ(keys->SobCount(), 4);
    EXPECT_EQ(keys->Sob(1)->Shape()->Outline().right, 30);
    EXPECT_EQ(keys->Sob(2)->ShapeKind(), kShapeEllipse);
    EXPECT_EQ(keys->Sob(2)->Comment(), "round key");
    EXPECT_EQ(keys->Sob(3)->Shape()->Plot().Point(1).y, 50);
    ASSERT_EQ(keys->Sob(3)->Shape()->MaskCount(), 1);
    EXPECT_EQ(keys->Sob(3)->Shape()->Mask(0)->Id(), 5);
    EXPECT_EQ(keys->Sob(3)->Shape()->Mask(0)->Picture().Type(), 4);
    EXPECT_EQ(keys->Sob(3)->Shape()->Mask(0)->Mask().Width(), 2);
    ASSERT_EQ(back.MaskCount(), 1);
    EXPECT_EQ(back.Mask(0)->Id(), 9);
    EXPECT_EQ(back.Ids().IdLast(), 20);
    EXPECT_EQ(back.Keys().Entries(), sbk.Keys().Entries());
    EXPECT_EQ(back.Comment(), "demo keys");
    EXPECT_EQ(back.Settings().logFont[0], 14);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(back.Settings().logFont + 28)), "Arial");
    // The span maps are ready after loading.
    EXPECT_EQ(back.HitTest(20, 20), 1);
}

TEST(Sbk, HitTestsRunOnTheActivePage) {
    CSbk sbk;
    MakeShapeBook(sbk);
    struct {
        int active, x, y, expected;
        const char* what;
    } cases[] = {
        {0, 20, 20, 1, "a key inside the frame gives the key"},
        {0, 50, 5, 0, "the frame alone"},
        {0, 60, 20, 2, "the ellipse"},
        {0, 50, 80, 3, "the triangle inside the frame"},
        {0, 150, 5, -1, "outside everything"},
        {1, 20, 20, 0, "the second page"},
        {-1, 20, 20, -1, "no active page"},
        {7, 20, 20, -1, "an active index past the pages"},
    };
    for (const auto& c : cases) {
        sbk.SetActivePage(c.active);
        EXPECT_EQ(sbk.HitTest(c.x, c.y), c.expected) << c.what;
    }
}

TEST(Sbk, UnknownShapeKindsAndGapsInTheNumbering) {
    CTagBufLst list;
    for (const char* label :
         {"Spg0\\SPGDMS", "Spg0\\Sob0\\SOBDMS", "Spg0\\Sob0\\Shape:Arc\\POLYGONSHAPEDMS",
          "Spg0\\Sob1\\Shape:Bezier\\POLYGONSHAPEDMS", "Spg0\\Sob2\\Shape:Blob\\X",
          "Spg0\\Sob4\\SOBDMS", "Spg2\\SPGDMS", "MaskImg1\\MASKIMGDMS"})
        list.Add(Raw(label));
    CSbk sbk;
    sbk.LoadFromTagList(list);
    ASSERT_EQ(sbk.PageCount(), 1);
    ASSERT_EQ(sbk.Page(0)->SobCount(), 3);
    for (int m = 0; m < 3; ++m)
        EXPECT_EQ(sbk.Page(0)->Sob(m)->Shape(), nullptr) << m;
    EXPECT_EQ(sbk.MaskCount(), 0);
    EXPECT_EQ(list.Count(), 0);
    sbk.SetActivePage(0);
    EXPECT_EQ(sbk.HitTest(0, 0), -1);
}

TEST(Sbk, RemovingAPageMovesTheActiveIndex) {
    struct {
        int pages, active, removed, expected;
    } cases[] = {{3, 2, 0, 1},  {3, 1, 1, 1},   {3, 2, 2, 1}, {3, 0, 2, 0},
                 {1, 0, 0, -1}, {2, -1, 0, -1}, {3, 1, 5, 1}};
    for (const auto& c : cases) {
        CSbk sbk;
        for (int i = 0; i < c.pages; ++i)
            sbk.AddPage(i, "p");
        sbk.SetActivePage(c.active);
        sbk.RemovePage(c.removed);
        EXPECT_EQ(sbk.ActivePageIndex(), c.expected)
            << c.pages << " pages, active " << c.active << ", removed " << c.removed;
    }
}

TEST(SbkFile, LoadFailuresShowTheirMessagesWithTheFileName) {
    CSbk sbk;
    MakeShapeBook(sbk);
    CTempDir dir;
    Bytes good = SbkFileBytes(sbk, "Keys");
    Bytes wrongKind = good;
    wrongKind[3] = '!';
    Bytes badList = good;
    badList[16 + 68 + 9] = 0;
    dir.Write("good.Sbk", good);
    dir.Write("kind.Sbk", wrongKind);
    dir.Write("list.Sbk", badList);
    struct {
        const char* file;
        const char* label;
        std::optional<int32_t> num;
        std::string message;
    } cases[] = {
        {"kind.Sbk", "Keys", std::nullopt, "Not SBK file !"},
        {"good.Sbk", "Other", std::nullopt, "Label 'Other' not found"},
        {"good.Sbk", "Keys", 3, "Label 'Keys' with number 3 not found"},
        {"list.Sbk", "Keys", std::nullopt, "read data failed !"},
    };
    for (const auto& c : cases) {
        TestPlatform().ClearMessages();
        CSbk book;
        MakeShapeBook(book);
        CSbkFile file;
        EXPECT_FALSE(file.Load(dir.Path(c.file), book, c.label, c.num)) << c.message;
        std::string expected = c.message + " - '" + dir.Path(c.file) + "'";
        EXPECT_EQ(file.LastMessage(), expected);
        auto messages = TestPlatform().Messages();
        ASSERT_EQ(messages.size(), 1u) << c.message;
        EXPECT_EQ(messages[0].text, expected);
        EXPECT_EQ(messages[0].icon, MsgIcon::Error);
        EXPECT_EQ(book.PageCount(), 0) << "the book is reset before reading";
    }
    TestPlatform().ClearMessages();
    CSbkFile quiet;
    quiet.SetShowMessages(false);
    EXPECT_FALSE(quiet.Load(dir.Path("kind.Sbk"), sbk, "Keys"));
    EXPECT_FALSE(quiet.Load(dir.Path("missing.Sbk"), sbk, "Keys"));
    EXPECT_EQ(quiet.LastMessage(), "Failed to open '" + dir.Path("missing.Sbk") + "' !");
    EXPECT_TRUE(TestPlatform().Texts().empty());
    EXPECT_TRUE(CSbkFile().Load(dir.Path("good.Sbk"), sbk, "Keys", 0));
    EXPECT_FALSE(CSbkFile().Save(dir.Path("x.Sbk"), sbk, std::string(50, 'L').c_str()));
}

TEST(Sbk, TheDumpListsTheBookPagesAndObjects) {
    CSbk sbk;
    sbk.SetComment("c");
    sbk.SetActivePage(0);
    CSpg* page = sbk.AddPage(4, "Keys");
    page->AddSob(CSob::NewRectangle(7, 0, 0, 1, 1));
    page->AddSob(std::make_unique<CSob>());
    std::vector<std::string> expected = {
        "Sbk===============",
        "acComment = 'c'",
        "nSpgActive = 0",
        "Spg[0/1]------",
        "  nId = 4",
        "  dwMark = 0",
        "  acName = 'Keys'",
        "  bSelected = FALSE",
        "  nSobCnt = 2",
        "  nSobActive = -1",
        "  Sob[0/2]------",
        "    nId = 7",
        "    dwMark = 0",
        "    acComment = ''",
        "    TxtAlign = 0",
        "    m_pShape = Rectangle",
        "    m_bShowShape = TRUE",
        "  Sob[1/2]------",
        "    nId = 0",
        "    dwMark = 0",
        "    acComment = ''",
        "    TxtAlign = 0",
        "    m_pShape = NULL",
        "    m_bShowShape = TRUE",
    };
    EXPECT_EQ(DumpOf(sbk), expected);
}

TEST(Sbk, TheKeyStoreAndTheIdAllocatorRoundTrip) {
    CKeyStore keys;
    keys.Set("A", "x", "1");
    keys.Set("B", "x", std::string("cut\0here", 8));
    keys.Set("A", "x", "2");
    keys.Set("", "", "");
    ASSERT_EQ(keys.Count(), 3);
    CKeyStore back;
    back.LoadFromTagList(*keys.BuildTagList());
    EXPECT_EQ(back.Entries(), keys.Entries());
    std::string value;
    ASSERT_TRUE(back.Get("B", "x", &value));
    EXPECT_EQ(value, "cut");
    EXPECT_FALSE(back.Get("b", "x", &value));

    CIdCenter ids;
    EXPECT_EQ(ids.NewId(), 1);
    ids.SetIdStep(10);
    EXPECT_EQ(ids.NewId(), 11);
    CIdCenter loaded;
    loaded.LoadFromTagList(*ids.BuildTagList());
    EXPECT_EQ(loaded.NewId(), 21);
}

}  // namespace
