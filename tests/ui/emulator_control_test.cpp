#include "ui/emulator_control.h"

#include <gtest/gtest.h>

#include "core/ice.h"
#include "data/lit_segments.h"

namespace {

TEST(EmulatorControl, ImageBytesBecomeLittleEndianWordsAndAnOddByteIsDropped) {
    const uint8_t bytes[] = {0x34, 0x12, 0xCD, 0xAB, 0x77};
    CBuf image(5, 1, bytes, 1);
    EXPECT_EQ(ImageWords(image), (std::vector<uint16_t>{0x1234, 0xABCD}));
    EXPECT_TRUE(ImageWords(CBuf()).empty());
}

TEST(EmulatorControl, NothingReachesAnEmulatorBeforeItIsCreatedOrAfterItIsDestroyed) {
    CEmulatorControl control;
    const uint8_t bytes[] = {0, 0, 0, 0};
    CBuf image(4, 1, bytes, 1);
    EXPECT_EQ(control.Restart(image), 0);
    control.Tap(4, 1);
    CBuf list = NewLitSegmentList();
    AddLitSegment(list, 1, 2);
    EXPECT_FALSE(control.ReadLitSegments(list));
    EXPECT_EQ(list.Count(), 1) << "untouched";

    control.Create();
    ASSERT_TRUE(control.Exists());
    EXPECT_EQ(control.Ice()->LcdType(), 0);
    EXPECT_EQ(control.Ice()->ConfiguredBankCount(), 64);
    EXPECT_EQ(control.Ice()->ConfiguredVariant(), 4);
    EXPECT_TRUE(control.ReadLitSegments(list));
    EXPECT_EQ(list.Count(), 0) << "a fresh machine's LCD is dark";
    control.Destroy();
    EXPECT_FALSE(control.Exists());
    EXPECT_EQ(control.Restart(image), 0);
}

}  // namespace
