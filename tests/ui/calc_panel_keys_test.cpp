// The panel's lookups without a window: key map, press lookup, shape labels, LCD area.
#include <gtest/gtest.h>

#include <cstring>

#include "data/vkb_data.h"
#include "tests/ui/ui_fixtures.h"
#include "ui/calc_panel_keys.h"

namespace {

class PanelKeys : public testing::Test {
protected:
    void SetUp() override { MakeTestPanel(vkb, keyMap); }
    CVkbData vkb;
    CBuf keyMap;
};

TEST_F(PanelKeys, PressLookupGoesThroughTheShapeIdsAndTheKeyMap) {
    struct Case {
        int page, object;
        std::optional<SKeyPosition> expected;
    };
    const Case cases[] = {
        {0, 0, SKeyPosition{4, 1}},    // the first of two key shape map entries wins
        {0, 1, SKeyPosition{-1, -1}},  // the key outside the matrix
        {0, 2, SKeyPosition{0, 1}},    // an ellipse key
        {0, 3, std::nullopt},          // not in the key shape map
        {0, 4, SKeyPosition{2, 3}},    // the first of two key map entries wins
        {0, 5, std::nullopt},          // key value without a key map entry
        {0, 6, std::nullopt},         {0, -1, std::nullopt}, {1, 0, std::nullopt},
        {2, 0, std::nullopt},         {-1, 0, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PressLookup(vkb, keyMap, c.page, c.object), c.expected)
            << c.page << "," << c.object;
}

TEST_F(PanelKeys, AKeyMapOfAnotherElementSizeIsNeverRead) {
    // The same bytes declared as 48-byte elements: a lookup stepping 44 bytes would read
    // past the entries' layout, so the map counts as unusable.
    CBuf wide(0, 48, nullptr, 0, 0);
    CBuf entry(1, 48, nullptr, 1, 0);
    SKeyMapEntry first{64, 4, 1, "5"};
    std::memcpy(entry.Data(), &first, sizeof first);
    wide.AppendBuffer(entry);
    EXPECT_FALSE(IsUsableKeyMap(wide));
    EXPECT_FALSE(FindKeyMapEntry(wide, 64));
    EXPECT_FALSE(PressLookup(vkb, wide, 0, 0));
    EXPECT_FALSE(FindKeyMapEntry(CBuf(), 64));
}

TEST(PanelKeyNames, ANameWithoutItsNulStopsAtTheEntry) {
    SKeyMapEntry e{1, 0, 0, {}};
    std::memset(e.name, 'K', sizeof e.name);
    EXPECT_EQ(KeyMapEntryName(e), std::string(32, 'K'));
}

TEST(ShapeLabels, LinesFollowTheSwitches) {
    SKeyMapEntry sin{65, 2, 3, "SIN"};
    SLabelSwitches all;
    SLabelSwitches idsOnly;
    idsOnly.keyValue = idsOnly.keyPosition = idsOnly.keyName = false;
    SLabelSwitches nameOnly{false, false, false, false, true};
    SLabelSwitches positionOnly{false, false, false, true, false};
    struct Case {
        SLabelSwitches on;
        int32_t keyValue;
        std::optional<SKeyMapEntry> entry;
        const char* text;
    };
    const Case cases[] = {
        {all, 65, sin, "Ob#=4\nObId=12\nVk=65\nKeyPos=2,3\nSIN"},
        // No key value: no position line, and the name line is there but empty.
        {all, -1, std::nullopt, "Ob#=4\nObId=12\nVk=-1\n"},
        // A key value without a key map entry.
        {all, 69, std::nullopt, "Ob#=4\nObId=12\nVk=69\nKeyPos=-1,-1\n"},
        {idsOnly, 65, sin, "Ob#=4\nObId=12"},
        {nameOnly, 65, sin, "SIN"},
        {nameOnly, -1, std::nullopt, ""},
        {positionOnly, 65, sin, "KeyPos=2,3"},
        {SLabelSwitches{false, false, false, false, false}, 65, sin, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShapeLabelText(c.on, 4, 12, c.keyValue, c.entry), c.text) << c.text;
}

TEST_F(PanelKeys, EveryShapeOfEveryPageGetsItsLabel) {
    UpdateShapeLabels(vkb, keyMap, SLabelSwitches{});
    EXPECT_EQ(vkb.Sbk().Page(0)->Sob(4)->LabelText(), "Ob#=4\nObId=12\nVk=65\nKeyPos=2,3\nSIN");
    EXPECT_EQ(vkb.Sbk().Page(0)->Sob(3)->LabelText(), "Ob#=3\nObId=33\nVk=-1\n");
    EXPECT_EQ(vkb.Sbk().Page(1)->Sob(0)->LabelText(), "Ob#=0\nObId=40\nVk=-1\n");
}

TEST_F(PanelKeys, TheLcdAreaIsTheFirstObjectOfTheSecondPage) {
    std::optional<SPointI> origin = LcdAreaOrigin(vkb.Sbk());
    ASSERT_TRUE(origin);
    EXPECT_EQ(*origin, (SPointI{20, 8}));

    // Without a second page, or with an empty one, or one whose first object has no shape,
    // the panel has no LCD area.
    vkb.Sbk().RemovePage(1);
    EXPECT_FALSE(LcdAreaOrigin(vkb.Sbk()));
    vkb.Sbk().AddPage(8, "Lcd");
    EXPECT_FALSE(LcdAreaOrigin(vkb.Sbk()));
    vkb.Sbk().Page(1)->AddSob(std::make_unique<CSob>());
    EXPECT_FALSE(LcdAreaOrigin(vkb.Sbk()));
}

}  // namespace
