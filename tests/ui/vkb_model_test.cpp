// The virtual keyboard without its window: working pictures, pointer states, key drawing.
#include <gtest/gtest.h>

#include "data/tag_buf_list.h"
#include "tests/ui/ui_fixtures.h"
#include "ui/vkb_model.h"

namespace {

constexpr uint32_t kButtonFace = Rgb(236, 233, 216);

class VkbModel : public testing::Test {
protected:
    void SetUp() override {
        CVkbData source;
        CBuf keyMap;
        MakeTestPanel(source, keyMap);
        vkb.LoadFromTagList(*source.BuildTagList(), kButtonFace);
    }
    uint32_t Shown(QPoint p) const { return vkb.Display().GetColour(p.x(), p.y()); }
    void Mouse(CVkbModel::EMouse kind, QPoint p, bool leftDown = false) {
        vkb.MouseInput(kind, p.x(), p.y(), leftDown, 1000);
        vkb.RedrawKeys();
    }
    CVkbModel vkb;
};

TEST_F(VkbModel, TheTransparentColourTakesTheButtonFace) {
    EXPECT_EQ(Shown({5, 2}), kButtonFace);
    EXPECT_EQ(Shown({5, 10}), kPanelGrey);
    EXPECT_EQ(vkb.Data().Picture(CVkbData::kNormal)->GetColour(5, 2), kPanelTransparent);
    // A new button face repaints the same pixels, not those of the old one.
    vkb.ReplaceTransparency(Rgb(1, 2, 3));
    EXPECT_EQ(Shown({5, 2}), Rgb(1, 2, 3));
    EXPECT_EQ(Shown({5, 10}), kPanelGrey);
    EXPECT_EQ(vkb.ButtonFace(), Rgb(1, 2, 3));
}

TEST_F(VkbModel, PalettePicturesAreShownAs32Bits) {
    CPixBuf indexed = *vkb.Data().Picture(CVkbData::kNormal);
    ASSERT_TRUE(indexed.ChangeType(2));
    vkb.SetPictures(&indexed, nullptr, nullptr, Rgb(255, 255, 255));
    EXPECT_EQ(vkb.Display().Type(), 0);
    EXPECT_EQ(vkb.Display().Width(), kPanelWidth);
    EXPECT_EQ(Shown({5, 2}), Rgb(255, 255, 255));
    EXPECT_EQ(Shown({5, 10}), indexed.GetColour(5, 10));
    EXPECT_EQ(vkb.Working(CVkbData::kPressed)->GetColour(0, 0), kPanelPressed);
}

TEST_F(VkbModel, PressedAndHoveredRectangleKeysAreDrawn) {
    Mouse(CVkbModel::EMouse::Press, kKey5, true);
    EXPECT_EQ(Shown(kKey5), kPanelPressed);
    EXPECT_EQ(Shown({10, 40}), kPanelPressed);  // the key's rectangle, corners included
    EXPECT_EQ(Shown({29, 54}), kPanelPressed);
    EXPECT_EQ(Shown({30, 47}), kPanelGrey);  // right and bottom are outside
    EXPECT_EQ(Shown({20, 55}), kPanelGrey);
    EXPECT_EQ(Shown(kKeySin), kPanelGrey);

    Mouse(CVkbModel::EMouse::Release, kKey5);
    EXPECT_EQ(Shown(kKey5), kPanelHighlight);  // still over the key
    Mouse(CVkbModel::EMouse::Move, kKeySin);
    EXPECT_EQ(Shown(kKey5), kPanelGrey);
    EXPECT_EQ(Shown(kKeySin), kPanelHighlight);
    Mouse(CVkbModel::EMouse::Move, kKeySin, true);  // dragged in with the button down
    EXPECT_EQ(Shown(kKeySin), kPanelPressed);
    Mouse(CVkbModel::EMouse::Leave, {});
    EXPECT_EQ(Shown(kKeySin), kPanelGrey);
    EXPECT_EQ(vkb.RedrawKeys(), 0);
}

TEST_F(VkbModel, KeysOfOtherShapesArePressedButNotDrawn) {
    vkb.MouseInput(CVkbModel::EMouse::Press, kKeyAc.x(), kKeyAc.y(), true, 1000);
    EXPECT_EQ(vkb.RedrawKeys(), 0);
    EXPECT_EQ(Shown(kKeyAc), kPanelGrey);
    EXPECT_EQ(vkb.KeyValueOf(0, vkb.HitTest(kKeyAc.x(), kKeyAc.y())), 67);
}

TEST_F(VkbModel, MouseEventsUpdateThePointerAndAskForLookups) {
    using E = CVkbModel::EMouse;
    using L = CVkbModel::ELookup;
    struct Case {
        E kind;
        QPoint at;
        bool leftDown;
        L lookup;
        int object;
        int pressed, present;
    };
    const Case cases[] = {
        {E::Press, kKey5, true, L::Press, 0, 1, 1},
        {E::Move, kKeyOn, true, L::None, -1, 1, 1},
        {E::Release, kKeyOn, false, L::Release, 1, 0, 1},
        {E::Move, kBetweenKeys, false, L::None, -1, 0, 1},
        {E::DoubleClick, kKeySin, true, L::Press, 4, 1, 1},
        {E::Release, kBetweenKeys, false, L::Release, -1, 0, 1},
        {E::Leave, {}, false, L::None, -1, 0, 0},
    };
    for (const Case& c : cases) {
        PointerStates before = vkb.Pointers();
        CVkbModel::SMouseOutcome out = vkb.MouseInput(c.kind, c.at.x(), c.at.y(), c.leftDown, 77);
        EXPECT_TRUE(out.handled);
        EXPECT_EQ(out.lookup, c.lookup);
        if (c.lookup != L::None) {
            EXPECT_EQ(out.page, 0);
            EXPECT_EQ(out.object, c.object);
        }
        const SPointerState& p = vkb.Pointers()[0];
        EXPECT_EQ(p.pressed, c.pressed);
        EXPECT_EQ(p.present, c.present);
        EXPECT_EQ(p.changed, 1);
        EXPECT_EQ(p.time, 77u);
        EXPECT_EQ(vkb.PreviousPointers()[0].x, before[0].x);
    }
}

TEST_F(VkbModel, SwitchedOffInputChangesNothing) {
    vkb.SetDoubleClickPresses(false);
    EXPECT_FALSE(
        vkb.MouseInput(CVkbModel::EMouse::DoubleClick, kKey5.x(), kKey5.y(), true, 1).handled);
    vkb.SetInputEnabled(false);
    EXPECT_FALSE(vkb.MouseInput(CVkbModel::EMouse::Press, kKey5.x(), kKey5.y(), true, 1).handled);
    vkb.SetInputEnabled(true);
    vkb.SetInputBlocked(true);
    EXPECT_FALSE(vkb.MouseInput(CVkbModel::EMouse::Press, kKey5.x(), kKey5.y(), true, 1).handled);
    EXPECT_EQ(vkb.Pointers()[0].pressed, 0);
    vkb.Pointers()[0] = {kKey5.x(), kKey5.y(), 1, 0, 1, 1};
    EXPECT_EQ(vkb.RedrawKeys(), 0);  // blocked: no redraw either
    EXPECT_EQ(Shown(kKey5), kPanelGrey);
}

TEST_F(VkbModel, OtherPointersPressKeysToo) {
    // An owner may hold keys through the other pointer entries (from the PC keyboard).
    vkb.Pointers()[3] = {kKeySin.x(), kKeySin.y(), 1, 0, 1, 1};
    vkb.Pointers()[4] = {kKey5.x(), kKey5.y(), 0, 0, 1, 1};
    EXPECT_EQ(vkb.RedrawKeys(), 2);
    EXPECT_EQ(Shown(kKeySin), kPanelPressed);
    EXPECT_EQ(Shown(kKey5), kPanelHighlight);
    EXPECT_EQ(vkb.Pointers()[3].changed, 0);
}

TEST(VkbModelDefaults, AnEmptyDescriptionHitsNothing) {
    CVkbModel vkb;
    CTagBufLst empty;
    vkb.LoadFromTagList(empty, kButtonFace);
    EXPECT_EQ(vkb.Data().Settings().clrTransparent, 0xFFFFu);
    EXPECT_EQ(vkb.HitTest(0, 0), -1);
    EXPECT_EQ(vkb.KeyValueOf(0, 0), -1);
    EXPECT_TRUE(vkb.Display().IsEmpty());
    EXPECT_EQ(vkb.RedrawKeys(), 0);
}

}  // namespace
