// CAlu: the arithmetic unit of the emulated core.
//
// The instruction loads the operands X and Y and the carry (or borrow) in, runs one of the
// four operations, and copies the result and the flag outputs it needs into the accumulator
// or the operand and into the status register. Every member is a plain 32-bit integer; the
// result and the flags are 0/1 or a byte.
//
//   Add()        X + Y + carry in, two's complement: C, DC, Z, OV, LE, GE.
//   Sub()        X - Y - borrow in. With borrow in 0 the flags are those of the comparison
//                of X and Y (C = no borrow: X >= Y unsigned; LE/GE signed); with borrow in
//                1 they are Add's flags of X + (two's complement of Y + 1), except that
//                X = Y gives OV 0, LE 1, GE 0. Y and the carry in keep the replaced values.
//   DecimalAdd() two-digit BCD X + Y + carry in: C, DC, Z (OV, LE, GE unchanged).
//   DecimalSub() two-digit BCD X - Y - borrow in: C (no borrow), DC, Z.
//
// Operands are taken as bytes (X, Y, carry in AND 0xFF); Set() loads all three.
#pragma once

#include <cstdint>

class CAlu {
public:
    void Set(uint32_t x, uint32_t y, uint32_t carryIn) {
        m_x = int32_t(x);
        m_y = int32_t(y);
        m_carryIn = int32_t(carryIn);
    }
    void Add();
    void Sub();
    void DecimalAdd();
    void DecimalSub();

    // Status bits (SFR 0x0F layout: C bit 0, DC 1, Z 2, OV 3, LE 4, GE 5) of the outputs.
    uint32_t FlagBits() const {
        return uint32_t(m_c) | uint32_t(m_dc) << 1 | uint32_t(m_z) << 2 | uint32_t(m_ov) << 3 |
               uint32_t(m_le) << 4 | uint32_t(m_ge) << 5;
    }

    int32_t carryIn() const { return m_carryIn; }
    int32_t y() const { return m_y; }
    int32_t x() const { return m_x; }
    int32_t result() const { return m_result; }
    int32_t c() const { return m_c; }
    int32_t dc() const { return m_dc; }
    int32_t z() const { return m_z; }
    int32_t ov() const { return m_ov; }
    int32_t ge() const { return m_ge; }
    int32_t le() const { return m_le; }

private:
    int32_t m_carryIn = 0;
    int32_t m_y = 0;
    int32_t m_x = 0;
    int32_t m_result = 0;
    int32_t m_c = 0;
    int32_t m_dc = 0;
    int32_t m_z = 0;
    int32_t m_ov = 0;
    int32_t m_ge = 0;
    int32_t m_le = 0;
};
