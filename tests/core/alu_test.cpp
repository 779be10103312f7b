#include "core/alu.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

struct Flags {
    int c, dc, z, ov, le, ge;
};

struct AluCase {
    uint32_t x, y, carry;
    uint32_t result;
    Flags flags;
};

void ExpectFlags(const CAlu& alu, const AluCase& k, bool signedFlags) {
    EXPECT_EQ(uint32_t(alu.result()), k.result);
    EXPECT_EQ(alu.c(), k.flags.c);
    EXPECT_EQ(alu.dc(), k.flags.dc);
    EXPECT_EQ(alu.z(), k.flags.z);
    if (!signedFlags) return;
    EXPECT_EQ(alu.ov(), k.flags.ov);
    EXPECT_EQ(alu.le(), k.flags.le);
    EXPECT_EQ(alu.ge(), k.flags.ge);
}

TEST(Alu, AddFlags) {
    // x + y + c; LE and GE come from the unwrapped signed sum.
    const AluCase cases[] = {
        {0x7F, 0x01, 0, 0x80, {0, 1, 0, 1, 0, 1}},  // +128: overflow, GE
        {0xFF, 0x01, 0, 0x00, {1, 1, 1, 0, 1, 1}},  // -1 + 1 = 0: LE and GE
        {0x80, 0x80, 0, 0x00, {1, 0, 1, 1, 1, 0}},  // -256
        {0x0F, 0x00, 1, 0x10, {0, 1, 0, 0, 0, 1}},  // carry in reaches the digit carry
        {0x00, 0x00, 0, 0x00, {0, 0, 1, 0, 1, 1}}, {0xFE, 0x01, 1, 0x00, {1, 1, 1, 0, 1, 1}},
        {0x40, 0x40, 0, 0x80, {0, 0, 0, 1, 0, 1}}, {0x90, 0x90, 0, 0x20, {1, 0, 0, 1, 1, 0}},
        {0x05, 0xFA, 0, 0xFF, {0, 0, 0, 0, 1, 0}},  // 5 + -6 = -1
    };
    for (const AluCase& k : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << k.x << " + " << k.y << " + " << k.carry);
        CAlu alu;
        alu.Set(k.x, k.y, k.carry);
        alu.Add();
        ExpectFlags(alu, k, true);
    }
}

TEST(Alu, SubFlags) {
    // x - y - b. Borrow 0: the flags of the comparison of x and y. Borrow 1: Add's flags of
    // x + (two's complement of y + 1), except that x = y gives OV 0, LE 1, GE 0.
    const AluCase cases[] = {
        {0x03, 0x05, 0, 0xFE, {0, 0, 0, 0, 1, 0}},
        {0x05, 0x03, 0, 0x02, {1, 1, 0, 0, 0, 1}},
        {0x07, 0x07, 0, 0x00, {1, 1, 1, 0, 1, 1}},
        {0x80, 0x01, 0, 0x7F, {1, 0, 0, 1, 1, 0}},  // -128 - 1 overflows
        {0x00, 0x80, 0, 0x80, {0, 1, 0, 1, 0, 1}},  // 0 - -128 overflows
        {0x10, 0x01, 0, 0x0F, {1, 0, 0, 0, 0, 1}},
        {0x07, 0x07, 1, 0xFF, {0, 0, 0, 0, 1, 0}},  // x = y with borrow
        {0x05, 0x03, 1, 0x01, {1, 1, 0, 0, 0, 1}},
        {0x03, 0x05, 1, 0xFD, {0, 0, 0, 0, 1, 0}},
        {0x00, 0xFF, 1, 0x00, {0, 0, 1, 0, 1, 1}},  // y + b wraps to 0
        {0x80, 0x00, 1, 0x7F, {1, 0, 0, 1, 1, 0}},  // -128 - 0 - 1 overflows
    };
    for (const AluCase& k : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << k.x << " - " << k.y << " - " << k.carry);
        CAlu alu;
        alu.Set(k.x, k.y, k.carry);
        alu.Sub();
        ExpectFlags(alu, k, true);
    }
}

TEST(Alu, SubLeavesTheReplacedOperandAndCarryIn) {
    CAlu alu;
    alu.Set(0x03, 0x05, 0);
    alu.Sub();
    EXPECT_EQ(alu.y(), 0xFB);
    EXPECT_EQ(alu.carryIn(), 0);
    alu.Set(0x03, 0xFF, 1);
    alu.Sub();
    EXPECT_EQ(alu.y(), 0x100);  // (NOT 0x100 AND 0xFF) + 1
}

TEST(Alu, SubComparisonFlagsMatchAPlainComparisonForEveryPair) {
    CAlu alu;
    for (int x = 0; x < 256; ++x) {
        for (int y = 0; y < 256; ++y) {
            alu.Set(uint32_t(x), uint32_t(y), 0);
            alu.Sub();
            int sx = int8_t(x), sy = int8_t(y), d = sx - sy;
            ASSERT_EQ(alu.result(), (x - y) & 0xFF) << x << " " << y;
            ASSERT_EQ(alu.c(), x >= y) << x << " " << y;
            ASSERT_EQ(alu.dc(), (x & 0xF) >= (y & 0xF)) << x << " " << y;
            ASSERT_EQ(alu.z(), x == y) << x << " " << y;
            ASSERT_EQ(alu.ov(), d < -128 || d > 127) << x << " " << y;
            ASSERT_EQ(alu.ge(), sx >= sy) << x << " " << y;
            ASSERT_EQ(alu.le(), sx <= sy) << x << " " << y;
        }
    }
}

TEST(Alu, SubWithBorrowGivesTheDifferenceAndItsBorrowForEveryPair) {
    CAlu alu;
    for (int x = 0; x < 256; ++x) {
        for (int y = 0; y < 256; ++y) {
            alu.Set(uint32_t(x), uint32_t(y), 1);
            alu.Sub();
            ASSERT_EQ(alu.result(), (x - y - 1) & 0xFF) << x << " " << y;
            ASSERT_EQ(alu.c(), x - y - 1 >= 0) << x << " " << y;
            ASSERT_EQ(alu.z(), ((x - y - 1) & 0xFF) == 0) << x << " " << y;
        }
    }
}

TEST(Alu, DecimalAddFlags) {
    const AluCase cases[] = {
        {0x45, 0x55, 0, 0x00, {1, 1, 1, 0, 0, 0}}, {0x19, 0x01, 0, 0x20, {0, 1, 0, 0, 0, 0}},
        {0x99, 0x00, 1, 0x00, {1, 1, 1, 0, 0, 0}}, {0x12, 0x34, 0, 0x46, {0, 0, 0, 0, 0, 0}},
        {0x50, 0x50, 0, 0x00, {1, 0, 1, 0, 0, 0}},
    };
    for (const AluCase& k : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << k.x << " + " << k.y << " + " << k.carry);
        CAlu alu;
        alu.Set(0x7F, 0x01, 0);
        alu.Add();  // OV 1, LE 0, GE 1: a decimal operation leaves them
        alu.Set(k.x, k.y, k.carry);
        alu.DecimalAdd();
        ExpectFlags(alu, k, false);
        EXPECT_EQ(alu.ov(), 1);
        EXPECT_EQ(alu.le(), 0);
        EXPECT_EQ(alu.ge(), 1);
    }
}

TEST(Alu, DecimalSubFlags) {
    const AluCase cases[] = {
        {0x10, 0x01, 0, 0x09, {1, 0, 0, 0, 0, 0}},
        {0x00, 0x01, 0, 0x99, {0, 0, 0, 0, 0, 0}},
        {0x45, 0x45, 0, 0x00, {1, 1, 1, 0, 0, 0}},
        {0x45, 0x00, 0, 0x45, {1, 1, 0, 0, 0, 0}},  // subtracting 0 never borrows
        {0x45, 0x10, 1, 0x34, {1, 1, 0, 0, 0, 0}},
        {0x00, 0x99, 1, 0x00, {0, 0, 1, 0, 0, 0}},
    };
    for (const AluCase& k : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << k.x << " - " << k.y << " - " << k.carry);
        CAlu alu;
        alu.Set(k.x, k.y, k.carry);
        alu.DecimalSub();
        ExpectFlags(alu, k, false);
        EXPECT_EQ(alu.y(), int32_t(k.y));  // operand and borrow come back unchanged
        EXPECT_EQ(alu.carryIn(), int32_t(k.carry));
    }
}

uint32_t Bcd(int n) {
    return uint32_t((n / 10) * 16 + n % 10);
}

TEST(Alu, DecimalArithmeticOfEveryPairOfTwoDigitNumbers) {
    CAlu alu;
    for (int a = 0; a < 100; ++a) {
        for (int b = 0; b < 100; ++b) {
            for (int c = 0; c < 2; ++c) {
                alu.Set(Bcd(a), Bcd(b), uint32_t(c));
                alu.DecimalAdd();
                int sum = a + b + c;
                ASSERT_EQ(uint32_t(alu.result()), Bcd(sum % 100)) << a << "+" << b << "+" << c;
                ASSERT_EQ(alu.c(), sum >= 100) << a << "+" << b << "+" << c;
                ASSERT_EQ(alu.dc(), a % 10 + b % 10 + c >= 10) << a << "+" << b << "+" << c;

                alu.Set(Bcd(a), Bcd(b), uint32_t(c));
                alu.DecimalSub();
                int diff = a - b - c;
                ASSERT_EQ(uint32_t(alu.result()), Bcd((diff + 200) % 100))
                    << a << "-" << b << "-" << c;
                ASSERT_EQ(alu.c(), diff >= 0) << a << "-" << b << "-" << c;
                ASSERT_EQ(alu.dc(), a % 10 - b % 10 - c >= 0) << a << "-" << b << "-" << c;
                ASSERT_EQ(alu.z(), diff % 100 == 0) << a << "-" << b << "-" << c;
            }
        }
    }
}

}  // namespace
