#include "ui/dialog_layout.h"

#include <gtest/gtest.h>

namespace {

LayoutInput Input(ShowState state, LayoutSize work) {
    LayoutInput in;
    in.state = state;
    in.workArea = work;
    in.panels[0] = {300, 560};
    in.panels[1] = {420, 800};
    in.lcdLayouts = {{250, 70}, {360, 100}, {200, 60}};
    return in;
}

TEST(DialogLayout, NormalWindowPlacesPanelLcdAndButtons) {
    auto l = ComputeDialogLayout(Input(ShowState::Normal, {640, 480}));  // whatever the screen
    ASSERT_TRUE(l);
    EXPECT_EQ(l->profile, 0);
    EXPECT_EQ(l->panel, 0);
    EXPECT_EQ(l->overlayLayout, 0);
    EXPECT_EQ(l->lcdWindowLayout, 2);
    EXPECT_EQ(l->panelRect, (LayoutRect{20, 30, 320, 590}));
    EXPECT_EQ(l->lcdRect, (LayoutRect{340, 30, 540, 90}));
    EXPECT_EQ(l->captureRect, (LayoutRect{340, 120, 464, 152}));
    EXPECT_EQ(l->openFolderRect, (LayoutRect{479, 120, 627, 152}));
    EXPECT_EQ(l->resetRect, (LayoutRect{642, 120, 766, 152}));
}

TEST(DialogLayout, MaximisedChoosesPanelAndWidestFittingLcd) {
    struct Case {
        LayoutSize work;
        bool laidOut;
        int panel, profile, lcdWindowLayout;
    } cases[] = {
        {{1920, 1040}, true, 1, 2, 2},  // tall: large panel; the last layout fits first
        {{1920, 829}, true, 0, 0, 2},   // 829 < 800 + 30: the small panel stays
        {{1920, 830}, true, 1, 2, 2},
        {{420 + 50 + 201, 1040}, true, 1, 2, 2},  // 201 left for a 200-wide layout
        {{420 + 50 + 200, 1040},
         true,
         1,
         3,
         2},  // profile 2 has no room; profile 3 (margin 20) has
        {{420 + 40 + 200, 1040}, false, 0, 0, 0},  // no layout narrower than the room: no change
    };
    for (const auto& c : cases) {
        auto l = ComputeDialogLayout(Input(ShowState::Maximised, c.work));
        ASSERT_EQ(l.has_value(), c.laidOut) << c.work.width << "x" << c.work.height;
        if (!l) continue;
        EXPECT_EQ(l->panel, c.panel) << c.work.width << "x" << c.work.height;
        EXPECT_EQ(l->overlayLayout, c.panel);
        EXPECT_EQ(l->profile, c.profile) << c.work.width;
        EXPECT_EQ(l->lcdWindowLayout, c.lcdWindowLayout);
    }
}

TEST(DialogLayout, MaximisedScansLayoutsFromTheLast) {
    LayoutInput in = Input(ShowState::Maximised, {420 + 50 + 300, 1040});
    in.lcdLayouts = {{100, 40}, {350, 90}, {360, 90}};  // only layout 0 fits beside the panel
    auto l = ComputeDialogLayout(in);
    ASSERT_TRUE(l);
    EXPECT_EQ(l->lcdWindowLayout, 0);
    EXPECT_EQ(l->lcdRect, (LayoutRect{470, 30, 570, 70}));
    EXPECT_EQ(l->panelRect, (LayoutRect{25, 30, 445, 830}));
}

TEST(DialogLayout, MinimisedAndOtherStatesAreLeftAlone) {
    EXPECT_FALSE(ComputeDialogLayout(Input(ShowState::Minimised, {1920, 1040})));
    EXPECT_FALSE(ComputeDialogLayout(Input(ShowState::Other, {1920, 1040})));
}

TEST(DialogLayout, WindowSizeFormulas) {
    EXPECT_EQ(InitialDialogSize(4, 36).width, 766);  // floor(1.4 * 4 + 761)
    EXPECT_EQ(InitialDialogSize(4, 36).height, 36 + 8 + 613);
    LayoutSize extra = ExtraLcdWindowSize({400, 120}, 3, 20);
    EXPECT_EQ(extra.width, 404);  // floor(1.4 * 3) = 4
    EXPECT_EQ(extra.height, 146);
}

}  // namespace
