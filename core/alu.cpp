#include "core/alu.h"

namespace {
int32_t Signed(int32_t byte) {
    return int32_t(int8_t(uint8_t(byte)));
}
}  // namespace

void CAlu::Add() {
    int32_t x = m_x & 0xFF, y = m_y & 0xFF, c = m_carryIn & 0xFF;
    m_dc = (x & 0xF) + (y & 0xF) + (c & 0xF) >= 16;
    int32_t s = x + y + c;
    m_c = s >= 256;
    m_result = s & 0xFF;
    m_z = m_result == 0;
    int32_t t = Signed(x) + Signed(y) + c;
    m_ov = t < -128 || t > 127;
    m_le = t <= 0;
    m_ge = t >= 0;
}

void CAlu::Sub() {
    int32_t x = m_x & 0xFF, y = m_y & 0xFF, b = m_carryIn;
    // x - y - b as x + (two's complement of y + b); Add sees the complement as a byte.
    m_y = ((~(b + m_y)) & 0xFF) + 1;
    m_carryIn = 0;
    Add();
    if (b == 0) {
        // The flags of the comparison of x and y.
        m_c = x >= y;
        m_dc = (x & 0xF) >= (y & 0xF);
        m_z = x == y;
        bool xNeg = (x & 0x80) != 0, yNeg = (y & 0x80) != 0;
        m_ov = (x & 0x7F) >= (y & 0x7F) ? (!xNeg && yNeg) : (xNeg && !yNeg);
        m_ge = Signed(x) >= Signed(y);
        m_le = Signed(x) <= Signed(y);
    } else if (x == y) {
        m_ov = 0;
        m_le = 1;
        m_ge = 0;
    }
}

void CAlu::DecimalAdd() {
    int32_t x = m_x & 0xFF, y = m_y & 0xFF, c = m_carryIn & 0xFF;
    int32_t lo = (x & 0xF) + (y & 0xF) + (c & 0xF);
    int32_t digit0;
    if (lo < 10) {
        m_dc = 0;
        digit0 = lo;
    } else {
        m_dc = 1;
        digit0 = (lo + 6) & 0xF;
    }
    int32_t hi = (x >> 4) + (y >> 4) + ((c >> 4) & 0xF) + m_dc;
    int32_t digit1;
    if (hi < 10) {
        m_c = 0;
        digit1 = hi;
    } else {
        m_c = 1;
        digit1 = (hi + 6) & 0xF;
    }
    m_result = (digit0 + 16 * digit1) & 0xFF;
    m_z = m_result == 0;
}

void CAlu::DecimalSub() {
    int32_t x = m_x & 0xFF, y = m_y & 0xFF, b = m_carryIn & 1;
    int32_t m = (-b - y) & 0xFF;  // two's complement of y + b
    int32_t lo = (x & 0xF) + (m & 0xF);
    int32_t d0;
    if (lo < 16) {
        m_dc = 0;
        d0 = lo;
    } else {
        m_dc = 1;
        d0 = lo & 0xF;
    }
    int32_t hi = (x >> 4) + (m >> 4) + m_dc;
    int32_t d1;
    if (hi < 16) {
        m_c = 0;
        d1 = hi;
    } else {
        m_c = 1;
        d1 = hi & 0xF;
    }
    // Subtracting 0 (or 0 in the low digit) never borrows.
    if (((y + b) & 0xFF) == 0) m_c = 1;
    if (((y + b) & 0xF) == 0) m_dc = 1;
    if (!m_dc) d0 = (d0 - 6) & 0xF;
    if (!m_c) d1 = (d1 - 6) & 0xF;
    m_result = 16 * d1 + d0;
    m_z = m_result == 0;
}
