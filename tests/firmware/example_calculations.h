// The demo calculator's defining examples: key names as tapped, and the display they end on.
// The in-process rig and the runner both check them.
#pragma once

struct ExampleCalculation {
    const char* keys;
    const char* text;  // what the digit places read, minus sign first
};

inline constexpr ExampleCalculation kExampleCalculations[] = {
    {"1 / 3 =", "0.333333333"},
    {"2 / 3 =", "0.666666667"},
    {"1 2 3 4 5 6 7 8 9 x 9 =", "1111111101."},
    {"1 - 2 =", "-1."},
    {"1 + 2 x 3 =", "9."},
    {"2 + 3 = =", "8."},
    {"2 0 0 x 5 %", "10."},
    {"2 0 0 + 5 %", "210."},
    {"2 0 0 - 5 %", "190."},
    {"5 0 / 2 0 0 %", "25."},
    {"AC", "0."},
};
