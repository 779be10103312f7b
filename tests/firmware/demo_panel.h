// The demo calculator as a user sees it: its key names with their matrix positions, and the
// LCD memory read back as text. Kept apart from the way the firmware is run, so that the
// same tables serve a rig that steps the emulator and one that drives orvane-run.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct KeyPosition {
    int row;
    int col;
};

// The position of a key by its name on the panel ("0".."9", ".", "+", "-", "x", "/", "=",
// "%", "SQRT", "+/-", "MC", "MR", "M-", "M+", "C", "AC", "ON"); ON is (-1, -1).
std::optional<KeyPosition> KeyByName(std::string_view name);

// "1 / 3 =" -> {"1", "/", "3", "="}.
std::vector<std::string> SplitKeys(std::string_view keys);

// The LCD as read: the digit places as text ("-0.333333333": the minus sign first when it is
// lit, blank places left out, "." after a digit whose point is lit, '?' for a segment pattern
// that is no digit) and the lit annunciators ("M", "E", "ME" or "").
struct LcdReading {
    std::string text;
    std::string annunciators;
};

// Decodes LCD page 0 (columns 0-9: digits) and page 1 (column 0: minus, M, E).
LcdReading DecodeLcd(const uint32_t* page0, const uint32_t* page1);

// True when every cell of both pages is zero.
bool LcdBlank(const uint32_t* page0, const uint32_t* page1, int columns);
