// The calculator's behaviour end to end: key sequences tapped on the demo firmware and the
// display read back from the LCD memory.
#include <gtest/gtest.h>

#include <span>

#include "tests/firmware/calculator_rig.h"
#include "tests/firmware/example_calculations.h"

namespace {

struct Case {
    const char* keys;
    const char* text;               // what the digit places read, minus sign first
    const char* annunciators = "";  // "M", "E", "ME"
};

void ExpectDisplays(std::span<const Case> cases) {
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        CalculatorRig rig(ProductFirmware());
        ASSERT_TRUE(rig.Keys(c.keys));
        LcdReading shown = rig.Display();
        EXPECT_EQ(shown.text, c.text);
        EXPECT_EQ(shown.annunciators, c.annunciators);
        EXPECT_EQ(rig.RunState(), CCpu::kStandby);
    }
}

TEST(Calculator, PocketCalculatorExamples) {
    for (const ExampleCalculation& e : kExampleCalculations) {
        SCOPED_TRACE(e.keys);
        CalculatorRig rig(ProductFirmware());
        ASSERT_TRUE(rig.Keys(e.keys));
        EXPECT_EQ(rig.Display().text, e.text);
        EXPECT_EQ(rig.Display().annunciators, "");
    }
}

TEST(Calculator, PowersOnShowingZero) {
    CalculatorRig rig(ProductFirmware());
    EXPECT_EQ(rig.Display().text, "0.");
    EXPECT_EQ(rig.Display().annunciators, "");
}

TEST(Calculator, NumberEntry) {
    static constexpr Case kCases[] = {
        {"7", "7."},
        {"0 0 7", "7."},  // leading zeros stay blank
        {"0 0", "0."},
        {".", "0."},
        {". 5", "0.5"},
        {"1 . . 2", "1.2"},  // a second point is ignored
        {"1 . 2 .", "1.2"},
        {"1 . 5 0", "1.50"},  // typed zeros show while typing
        {"0 . 0 0", "0.00"},
        {"1 2 3 4 5 6 7 8 9 0 1 2", "1234567890."},  // entry stops at 10 digits
        {"1 2 3 4 5 6 7 8 9 0 . 5", "1234567890."},
        {". 1 2 3 4 5 6 7 8 9 0", "0.123456789"},  // "0." takes a digit place
        {"1 2 3 4 5 . 6 7 8 9 1 2", "12345.67891"},
        {"2 + 3 = 4", "4."},  // a digit after = starts anew
        {"2 + 3 = .", "0."},
        {"5 + 3", "3."},
    };
    ExpectDisplays(kCases);
}

TEST(Calculator, ResultsDropTrailingZerosAndRound) {
    static constexpr Case kCases[] = {
        {"1 . 5 0 =", "1.5"},
        {"1 . 5 0 +", "1.5"},
        {"0 . 1 + 0 . 2 =", "0.3"},
        {"1 . 5 x 1 . 5 =", "2.25"},
        {"1 . 2 5 + 1 . 7 5 =", "3."},
        {"1 0 / 3 =", "3.333333333"},
        {"2 0 / 3 =", "6.666666667"},
        {"1 0 0 0 0 0 0 0 0 0 / 3 =", "333333333.3"},
        {"2 0 0 0 0 0 0 0 0 0 / 3 =", "666666666.7"},
        {"1 / 3 x 3 =", "0.999999999"},                // the result kept is the one shown
        {". 0 0 0 0 0 0 0 0 1 / 2 =", "0.000000001"},  // half rounds up
        {". 0 0 0 0 0 0 0 0 1 / 3 =", "0."},           // too small to show
        {". 0 0 0 0 0 0 0 0 1 +/- / 3 =", "0."},       // and then not negative
        {"1 +/- / 3 =", "-0.333333333"},
        {"2 +/- / 3 =", "-0.666666667"},  // rounding on the magnitude
        {"9 9 9 9 9 9 9 9 9 . 9 + . 0 6 =", "1000000000."},
        {"9 9 9 9 9 9 9 9 9 9 + . 4 =", "9999999999."},
        {"1 2 3 . 4 5 6 x 1 0 0 0 =", "123456."},
        {"0 - 1 2 3 4 5 6 7 8 9 0 =", "-1234567890."},
        {"9 9 9 9 9 x 1 0 0 0 0 1 =", "9999999999."},
        {"1 / . 0 0 0 0 0 0 0 0 1 =", "1000000000."},
        {"1 2 3 4 5 6 7 8 9 / 1 0 0 0 0 0 0 0 0 0 =", "0.123456789"},
    };
    ExpectDisplays(kCases);
}

TEST(Calculator, ChainsRepeatsAndReplacesOperators) {
    static constexpr Case kCases[] = {
        {"1 0 - 4 / 3 =", "2."},  {"2 x 3 + 4 x 5 =", "50."},
        {"5 + x 3 =", "15."},  // the second operator replaces
        {"8 - + 2 =", "10."},     {"2 x 3 = =", "18."},
        {"1 0 - 1 = = =", "7."},  {"8 / 2 = =", "2."},
        {"2 + 3 = 7 =", "10."},  // = repeats on a new number
        {"2 + =", "4."},         // the display is the operand
        {"2 + = =", "6."},        {"=", "0."},
        {"2 + 3 = x 4 =", "20."}, {"2 +/- x 3 +/- =", "6."},
    };
    ExpectDisplays(kCases);
}

TEST(Calculator, Errors) {
    static constexpr Case kCases[] = {
        {"1 / 0 =", "E", "E"},
        {"0 / 0 =", "E", "E"},
        {"1 / 0 +", "E", "E"},
        {"9 9 9 9 9 9 9 9 9 9 + 1 =", "E", "E"},  // 10^10
        {"9 9 9 9 9 9 9 9 9 9 +/- - 1 =", "E", "E"},
        {"9 9 9 9 9 9 9 9 9 9 + . 5 =", "E", "E"},  // rounds up to 10^10
        {"1 0 0 0 0 0 x 1 0 0 0 0 0 =", "E", "E"},
        {"1 0 / . 0 0 0 0 0 0 0 0 1 =", "E", "E"},
        {"9 +/- SQRT", "E", "E"},
        {"1 / 0 = 5 + 3 =", "E", "E"},  // every key is ignored ...
        {"1 / 0 = C", "E", "E"},
        {"1 / 0 = MR M+ SQRT +/- %", "E", "E"},
        {"1 / 0 = AC", "0."},  // ... but AC and ON
        {"1 / 0 = ON", "0."},
        {"1 / 0 = AC 2 + 3 =", "5."},
        {"1 / 0 = AC =", "0."},  // the pending operation is gone
    };
    ExpectDisplays(kCases);
}

TEST(Calculator, ClearKeys) {
    static constexpr Case kCases[] = {
        {"1 2 + 3 C 4 =", "16."},  // C: the entry only
        {"1 2 + C =", "12."},      {"1 2 + 3 C", "0."},
        {"1 2 + 3 AC 4 =", "4."},  // AC: the operation too
        {"1 + 2 ON 3 =", "3."},    // ON is AC while on
        {"5 M+ AC", "0.", "M"},    // neither clears the memory
        {"5 M+ ON MR", "5.", "M"},
    };
    ExpectDisplays(kCases);
}

TEST(Calculator, Memory) {
    static constexpr Case kCases[] = {
        {"5 M+", "5.", "M"},
        {"5 M+ 3 M+ MR", "8.", "M"},
        {"5 M+ 3 M- MR", "2.", "M"},
        {"2 M- MR", "-2.", "M"},
        {"5 M+ 5 M-", "5."},  // M goes off at zero
        {"5 M+ MC", "5."},
        {"5 M+ MC MR", "0."},
        {"MR", "0."},
        {"5 M+ 2 x MR =", "10.", "M"},
        {"5 M+ MR 1", "1.", "M"},  // a digit after MR starts anew
        {"1 . 5 0 M+", "1.5", "M"},
        {"1 / 3 = M+ M+ MR", "0.666666666", "M"},
        {"9 9 9 9 9 9 9 9 9 9 M+ M+", "E", "ME"},  // memory overflow
        {"9 9 9 9 9 9 9 9 9 9 M+ M+ AC MR", "9999999999.", "M"},
    };
    ExpectDisplays(kCases);
}

TEST(Calculator, PercentAndSquareRoot) {
    static constexpr Case kCases[] = {
        {"5 0 %", "0.5"},  // no pending operation: / 100
        {"1 0 / 4 %", "250."},
        {"3 x 1 %", "0.03"},
        {"1 . 5 x 1 . 5 %", "0.0225"},
        {"2 0 0 x 5 % + 1 =", "11."},  // % ends the operation
        {"2 SQRT", "1.414213562"},
        {"1 6 SQRT", "4."},
        {"0 SQRT", "0."},
        {"1 0 0 0 0 0 0 0 0 0 SQRT", "31622.7766"},
        {"9 9 9 9 9 9 9 9 9 9 SQRT", "99999.99999"},
        {". 0 0 0 0 0 0 0 0 1 SQRT", "0.000031623"},
        {"9 + 1 6 SQRT =", "13."},             // works on the display only
        {"2 SQRT x 2 SQRT =", "1.999999999"},  // the shown root is the one kept
    };
    ExpectDisplays(kCases);
}

TEST(Calculator, ChangeSign) {
    static constexpr Case kCases[] = {
        {"5 +/-", "-5."},
        {"5 +/- +/-", "5."},
        {"+/-", "0."},             // zero has no sign
        {"1 . 5 +/- 0", "-1.50"},  // typing goes on after +/-
        {"1 - 2 = +/-", "1."},
        {"1 / 3 = +/-", "-0.333333333"},
        {"5 +/- + 3 =", "-2."},
        {"5 + +/- =", "0."},  // the negated display is the operand
    };
    ExpectDisplays(kCases);
}

}  // namespace
