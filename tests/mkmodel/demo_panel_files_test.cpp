// The demo calculator's two panel files as the simulator reads them: every key is hit where
// it is drawn and nowhere else, the LCD is drawn on the glass, and the pictures agree.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "data/polygon_map.h"
#include "data/seg_lcd.h"
#include "tests/firmware/demo_panel.h"
#include "tests/mkmodel/demo_model.h"

namespace {

const std::vector<std::string> kKeyNames = {"0",   "1",  "2",  "3",  "4",  "5", "6",  "7", "8",
                                            "9",   ".",  "+",  "-",  "x",  "/", "=",  "%", "SQRT",
                                            "+/-", "MC", "MR", "M-", "M+", "C", "AC", "ON"};

struct PanelCase {
    const char* file;
    int lcdLayout;  // the layout the simulator draws on this panel
    int minWidth, maxWidth, minHeight, maxHeight;
};

void PrintTo(const PanelCase& panelCase, std::ostream* os) {
    *os << panelCase.file;
}

// The small panel must leave room for the LCD window and the buttons in the normal window;
// the large one is for a maximised window on a tall screen.
const PanelCase kPanels[] = {
    {kSmallPanelFile, 0, 200, 290, 400, 570},
    {kLargePanelFile, 1, 390, 450, 740, 830},
};

class DemoPanel : public testing::TestWithParam<PanelCase> {
protected:
    void SetUp() override {
        panel = LoadPanel(ModelFile(GetParam().file));
        ASSERT_TRUE(panel);
        ASSERT_NE(panel->vkb.Sbk().ActivePage(), nullptr);
    }
    const CSpg& Keys() const { return *panel->vkb.Sbk().ActivePage(); }
    const CPixBuf& Picture(int i) const { return *panel->vkb.Picture(i); }
    std::unique_ptr<SPanelUnderTest> panel;
};

bool Inside(const SSegRecord& box, int x, int y) {
    return x >= box.left && x < box.right && y >= box.top && y < box.bottom;
}

TEST_P(DemoPanel, EveryKeyNameHasItsMatrixPositionAndARectangleOnTheActivePage) {
    EXPECT_EQ(panel->vkb.Sbk().ActivePageIndex(), 0);
    ASSERT_EQ(panel->vkb.Sbk().PageCount(), 2);
    EXPECT_EQ(Keys().SobCount(), int(kKeyNames.size()));

    std::vector<std::string> names;
    for (const SKeyMapEntry& e : panel->keyMap) {
        names.push_back(e.name);
        std::optional<KeyPosition> documented = KeyByName(e.name);
        ASSERT_TRUE(documented) << e.name;
        EXPECT_EQ(e.row, documented->row) << e.name;
        EXPECT_EQ(e.column, documented->col) << e.name;
    }
    std::vector<std::string> expected = kKeyNames;
    std::sort(names.begin(), names.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names, expected);

    for (const std::string& name : kKeyNames) {
        SCOPED_TRACE(name);
        SKeyOnPanel key = FindKey(*panel, name);
        ASSERT_GE(key.objectIndex, 0);
        // Only rectangle keys are drawn pressed and highlighted.
        EXPECT_EQ(Keys().Sob(key.objectIndex)->ShapeKind(), kShapeRectangle);
        const SSegRecord& b = key.box;
        EXPECT_EQ(panel->vkb.Sbk().HitTest((b.left + b.right) / 2, (b.top + b.bottom) / 2),
                  key.objectIndex);
    }
}

TEST_P(DemoPanel, TheHitTestFindsAKeyExactlyInsideItsRectangle) {
    std::vector<SSegRecord> boxes;
    for (int i = 0; i < Keys().SobCount(); ++i)
        boxes.push_back(ObjectBox(*Keys().Sob(i)));
    const CPixBuf& normal = Picture(CVkbData::kNormal);
    int wrong = 0;
    for (int y = 0; y < normal.Height(); ++y)
        for (int x = 0; x < normal.Width(); ++x) {
            int expected = -1;
            for (size_t i = 0; i < boxes.size(); ++i)
                if (Inside(boxes[i], x, y)) expected = int(i);
            int hit = panel->vkb.Sbk().HitTest(x, y);
            if (hit != expected && wrong++ < 5)
                ADD_FAILURE() << "at " << x << ", " << y << ": hit " << hit << ", key " << expected;
        }
    EXPECT_EQ(wrong, 0);

    // Between neighbouring keys there is a gap where nothing is hit.
    struct Gap {
        const char* a;
        const char* b;
    };
    for (Gap g : {Gap{"7", "8"}, Gap{"7", "4"}, Gap{"3", "="}, Gap{"0", "."}, Gap{"ON", "MC"}}) {
        SCOPED_TRACE(std::string(g.a) + " " + g.b);
        SSegRecord a = FindKey(*panel, g.a).box, b = FindKey(*panel, g.b).box;
        bool beside = a.right <= b.left;
        int x = beside ? (a.right + b.left) / 2 : (a.left + a.right) / 2;
        int y = beside ? (a.top + a.bottom) / 2 : (a.bottom + b.top) / 2;
        EXPECT_TRUE(beside || a.bottom <= b.top);
        EXPECT_EQ(panel->vkb.Sbk().HitTest(x, y), -1);
    }
}

TEST_P(DemoPanel, IdsAreUniqueAndTheKeyShapeMapUsesThem) {
    const CSbk& book = panel->vkb.Sbk();
    std::set<int> ids;
    int objects = 0;
    for (int p = 0; p < book.PageCount(); ++p) {
        ids.insert(book.Page(p)->Id());
        for (int o = 0; o < book.Page(p)->SobCount(); ++o, ++objects) {
            const CSob& sob = *book.Page(p)->Sob(o);
            ids.insert(sob.Id());
            const SShapeBaseDms& base = sob.Shape()->Base();
            EXPECT_EQ(base.docScale.x, 1);
            EXPECT_EQ(base.docScale.y, 1);
            EXPECT_EQ(base.rotAngle, 0);
        }
    }
    EXPECT_EQ(int(ids.size()), book.PageCount() + objects);
    EXPECT_GE(book.Ids().IdLast(), *ids.rbegin());  // ids an editor adds stay unique

    const CBuf& map = panel->vkb.KeyShapeMap();
    ASSERT_EQ(map.Count(), Keys().SobCount());
    for (int i = 0; i < map.Count(); ++i) {
        SKeyShapeMapEntry e;
        map.GetElement(i, &e);
        EXPECT_EQ(e.pageKey, Keys().Id());
        EXPECT_EQ(e.shapeKey, Keys().Sob(i)->Id());
    }
}

TEST_P(DemoPanel, TheLcdIsDrawnOnThePlainGlass) {
    // Where the simulator puts the LCD: the top-left corner of the first object of page 1.
    const CSpg* lcdPage = panel->vkb.Sbk().Page(1);
    ASSERT_TRUE(lcdPage && lcdPage->Sob(0) && lcdPage->Sob(0)->SpanMap());
    const CPolygonMap& area = *lcdPage->Sob(0)->SpanMap();
    auto lcd = LoadSegLcd(ModelFile(kSegLcdFile));
    ASSERT_TRUE(lcd);
    const CPixBuf& segments = lcd->Layout(GetParam().lcdLayout)->Picture();
    const int left = area.MinX(), top = area.MinY();
    const int right = left + segments.Width(), bottom = top + segments.Height();
    EXPECT_EQ(area.MaxX(), right);
    EXPECT_EQ(area.MaxY(), bottom);

    for (int i = 0; i < CVkbData::kPictureCount; ++i) {
        const CPixBuf& picture = Picture(i);
        ASSERT_LT(right, picture.Width());
        ASSERT_LT(bottom, picture.Height());
        int white = 0, frameWhite = 0;
        for (int y = top - 1; y <= bottom; ++y)
            for (int x = left - 1; x <= right; ++x) {
                bool glass = x >= left && x < right && y >= top && y < bottom;
                bool isWhite = picture.GetColour(x, y) == 0xFFFFFF;
                (glass ? white : frameWhite) += isWhite;
            }
        EXPECT_EQ(white, segments.Width() * segments.Height()) << i;
        EXPECT_EQ(frameWhite, 0) << i;  // the glass ends exactly where the LCD does
    }
    for (int i = 0; i < Keys().SobCount(); ++i) {
        SSegRecord key = ObjectBox(*Keys().Sob(i));
        EXPECT_TRUE(key.right <= left || key.left >= right || key.bottom <= top ||
                    key.top >= bottom)
            << "key " << i << " covers the LCD";
    }
}

TEST_P(DemoPanel, PicturesShowTheCalculatorOnTheTransparentColour) {
    const CPixBuf& normal = Picture(CVkbData::kNormal);
    EXPECT_GE(normal.Width(), GetParam().minWidth);
    EXPECT_LE(normal.Width(), GetParam().maxWidth);
    EXPECT_GE(normal.Height(), GetParam().minHeight);
    EXPECT_LE(normal.Height(), GetParam().maxHeight);

    const uint32_t transparent = panel->vkb.Settings().clrTransparent;
    const int w = normal.Width(), h = normal.Height();
    for (auto [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}})
        EXPECT_EQ(normal.GetColour(x, y), transparent) << x << ", " << y;
    EXPECT_NE(normal.GetColour(w / 2, h / 2), transparent);

    std::vector<SSegRecord> keys;
    for (int i = 0; i < Keys().SobCount(); ++i)
        keys.push_back(ObjectBox(*Keys().Sob(i)));
    for (int i = 0; i < CVkbData::kPictureCount; ++i) {
        const CPixBuf& picture = Picture(i);
        ASSERT_EQ(picture.Type(), 0);
        ASSERT_EQ(picture.Width(), w);
        ASSERT_EQ(picture.Height(), h);
        std::vector<int> changed(keys.size(), 0);
        std::vector<SSegRecord> changedBox(keys.size(), SSegRecord{w, h, -1, -1, 0});
        int transparentOnKeys = 0, changedOutside = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                int key = -1;
                for (size_t k = 0; k < keys.size(); ++k)
                    if (Inside(keys[k], x, y)) key = int(k);
                bool differs = picture.GetRaw(x, y) != normal.GetRaw(x, y);
                if (key < 0) {
                    changedOutside += differs;
                    continue;
                }
                changed[size_t(key)] += differs;
                transparentOnKeys += picture.GetColour(x, y) == transparent;
                if (!differs) continue;
                SSegRecord& box = changedBox[size_t(key)];
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                       std::max(box.bottom, y + 1), 0};
            }
        // The pressed and highlight pictures differ from the normal one on every key and
        // nowhere else: the simulator copies only key rectangles from them.
        EXPECT_EQ(changedOutside, 0) << i;
        EXPECT_EQ(transparentOnKeys, 0) << i;
        for (size_t k = 0; k < keys.size(); ++k)
            EXPECT_EQ(changed[k] > 0, i != CVkbData::kNormal) << "picture " << i << ", key " << k;
        if (i != CVkbData::kPressed) continue;
        // The pressed key moves a pixel right and down, so it changes the rectangle's every
        // edge: the rectangle the simulator copies is exactly the drawn key.
        for (size_t k = 0; k < keys.size(); ++k) {
            const SSegRecord& b = changedBox[k];
            EXPECT_TRUE(b.left == keys[k].left && b.top == keys[k].top &&
                        b.right == keys[k].right && b.bottom == keys[k].bottom)
                << "key " << k << " drawn in " << b.left << ", " << b.top << ", " << b.right << ", "
                << b.bottom;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(SmallAndLarge, DemoPanel, testing::ValuesIn(kPanels),
                         [](const testing::TestParamInfo<PanelCase>& panelCase) {
                             return panelCase.param.lcdLayout == 0 ? std::string("Small")
                                                                   : std::string("Large");
                         });

}  // namespace
