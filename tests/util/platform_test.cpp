#include "util/platform.h"

#include <gtest/gtest.h>

#include "tests/support/recording_platform.h"

namespace {

TEST(Platform, ShorthandsReachTheInstalledPlatform) {
    ShowError("Failed to open 'x' !");
    ShowPlain("plain");
    TestPlatform().QueueAnswers({MsgAnswer::No});
    EXPECT_FALSE(AskYesNo("Continue ?"));
    EXPECT_TRUE(AskYesNo("Again ?"));  // an empty script answers Yes
    auto m = TestPlatform().Messages();
    ASSERT_EQ(m.size(), 4u);
    EXPECT_EQ(m[0].icon, MsgIcon::Error);
    EXPECT_EQ(m[0].caption, "orvane");
    EXPECT_EQ(m[1].icon, MsgIcon::None);
    EXPECT_EQ(m[2].buttons, MsgButtons::YesNo);
}

TEST(Platform, FakeClockAdvancesWithoutWaiting) {
    uint32_t t0 = Platform().TickCount();
    Platform().Sleep(60);
    EXPECT_EQ(Platform().TickCount(), t0 + 60);
    EXPECT_EQ(TestPlatform().SleptMs(), 60u);
}

}  // namespace
