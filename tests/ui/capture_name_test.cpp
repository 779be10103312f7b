#include "ui/capture_name.h"

#include <gtest/gtest.h>

#include <set>

namespace {

std::tm At(int y, int mo, int d, int h, int mi, int s) {
    std::tm t{};
    t.tm_year = y - 1900;
    t.tm_mon = mo - 1;
    t.tm_mday = d;
    t.tm_hour = h;
    t.tm_min = mi;
    t.tm_sec = s;
    return t;
}

TEST(CaptureName, FormatsLocalTimeAndAvoidsTakenNames) {
    std::set<std::string> taken;
    auto exists = [&](const std::string& n) { return taken.count(n) > 0; };
    std::tm t = At(2026, 12, 6, 15, 17, 20);
    std::string first = CaptureFileName("/img/", t, exists);
    EXPECT_EQ(first, "/img/LCD_20261206_151720.bmp");
    taken.insert(first);
    std::string second = CaptureFileName("/img/", t, exists);
    EXPECT_EQ(second, "/img/LCD_20261206_151720_2.bmp");
    taken.insert(second);
    EXPECT_EQ(CaptureFileName("/img/", t, exists), "/img/LCD_20261206_151720_3.bmp");
    EXPECT_EQ(CaptureFileName("", At(2027, 1, 2, 3, 4, 5), exists), "LCD_20270102_030405.bmp");
}

}  // namespace
