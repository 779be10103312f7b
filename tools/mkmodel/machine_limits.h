// What the simulated calculator can address: the key matrix a tap reaches and the LCD
// memory the display refresh reads. A description may only use positions inside them.
#pragma once

// Key matrix: row r is strobe line 6 - r, column c is input line c; (-1, -1) is the one
// key outside the matrix (strobe line 7, input line 0).
constexpr int kMatrixRows = 7;
constexpr int kMatrixColumns = 8;

// The refresh reads 4 pages of 97 columns and 8 bits per cell; the lit segment of column c,
// page p, bit b is record c + (8p + b) * 97 of a layout's segment table.
constexpr int kLcdColumns = 97;
constexpr int kLcdPages = 4;
constexpr int kLcdBitsPerPage = 8;
constexpr int kLcdRows = kLcdPages * kLcdBitsPerPage;
constexpr int kSegmentRecords = kLcdColumns * kLcdRows;

// Bits of a digit's cell: segments a..g, then the decimal point.
constexpr int kDigitSegments = 8;

// A key map entry holds the name in 32 bytes, zero-terminated.
constexpr int kKeyNameBytes = 32;
