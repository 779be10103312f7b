#include "ui/capture_name.h"

#include <gtest/gtest.h>

#include <set>

#include "tests/ui/local_time.h"

namespace {

TEST(CaptureName, FormatsLocalTimeAndAvoidsTakenNames) {
    std::set<std::string> taken;
    auto exists = [&](const std::string& n) { return taken.count(n) > 0; };
    std::tm t = LocalTimeAt(2026, 12, 6, 15, 17, 20);
    std::string first = CaptureFileName("/img/", t, exists);
    EXPECT_EQ(first, "/img/LCD_20261206_151720.bmp");
    taken.insert(first);
    std::string second = CaptureFileName("/img/", t, exists);
    EXPECT_EQ(second, "/img/LCD_20261206_151720_2.bmp");
    taken.insert(second);
    EXPECT_EQ(CaptureFileName("/img/", t, exists), "/img/LCD_20261206_151720_3.bmp");
    EXPECT_EQ(CaptureFileName("", LocalTimeAt(2027, 1, 2, 3, 4, 5), exists),
              "LCD_20270102_030405.bmp");
}

}  // namespace
