// The firmware's key handling: debounce, holding, and every key of the panel reaching its
// function.
#include <gtest/gtest.h>

#include "tests/firmware/calculator_rig.h"

namespace {

TEST(Keyboard, AKeyHeldLongCountsOnce) {
    CalculatorRig rig(ProductFirmware());
    ASSERT_TRUE(rig.Tap("7", 500'000));
    EXPECT_EQ(rig.Display().text, "7.");
    // The firmware stays awake while the key is down and sleeps once it is up.
    EXPECT_EQ(rig.RunState(), CCpu::kStandby);
    ASSERT_TRUE(rig.Tap("7"));
    EXPECT_EQ(rig.Display().text, "77.");
}

TEST(Keyboard, APressShorterThanTheDebounceIsIgnored) {
    CalculatorRig rig(ProductFirmware());
    ASSERT_TRUE(rig.Tap("7", 30));
    EXPECT_EQ(rig.Display().text, "0.");
    ASSERT_TRUE(rig.Tap("7"));
    EXPECT_EQ(rig.Display().text, "7.");
}

TEST(Keyboard, ContactBounceOnPressAndReleaseCountsOnce) {
    CalculatorRig rig(ProductFirmware());
    for (int bounce = 0; bounce < 3; ++bounce) {
        rig.Press("4");
        rig.RunPasses(40);
        rig.Release("4");
        rig.RunPasses(40);
    }
    rig.Press("4");
    rig.RunPasses(20'000);
    for (int bounce = 0; bounce < 3; ++bounce) {
        rig.Release("4");
        rig.RunPasses(40);
        rig.Press("4");
        rig.RunPasses(40);
    }
    rig.Release("4");
    ASSERT_TRUE(rig.RunUntilIdle());
    EXPECT_EQ(rig.Display().text, "4.");
}

TEST(Keyboard, ASecondKeyPressedWhileTheFirstIsHeldIsNotTaken) {
    CalculatorRig rig(ProductFirmware());
    rig.Press("1");
    rig.RunPasses(5'000);
    rig.Press("2");
    rig.RunPasses(5'000);
    rig.Release("1");
    rig.RunPasses(5'000);
    rig.Release("2");
    ASSERT_TRUE(rig.RunUntilIdle());
    EXPECT_EQ(rig.Display().text, "1.");
}

TEST(Keyboard, EveryKeyReachesItsFunction) {
    struct Case {
        const char* keys;
        const char* text;
        const char* annunciators;
    };
    // Each line fails when one key is read at the wrong place of the matrix.
    static constexpr Case kCases[] = {
        {"1 2 3 4 5 6 7 8 9 0", "1234567890.", ""},
        {"9 . 5 +/-", "-9.5", ""},
        {"8 + 1 =", "9.", ""},
        {"8 - 1 =", "7.", ""},
        {"8 x 2 =", "16.", ""},
        {"8 / 2 =", "4.", ""},
        {"4 0 %", "0.4", ""},
        {"4 9 SQRT", "7.", ""},
        {"6 M+ 1 M- C MR", "5.", "M"},
        {"6 M+ MC", "6.", ""},
        {"6 + 1 C AC =", "0.", ""},
        {"6 + 1 ON =", "0.", ""},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.keys);
        CalculatorRig rig(ProductFirmware());
        ASSERT_TRUE(rig.Keys(c.keys));
        EXPECT_EQ(rig.Display().text, c.text);
        EXPECT_EQ(rig.Display().annunciators, c.annunciators);
    }
}

}  // namespace
