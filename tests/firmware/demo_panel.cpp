#include "tests/firmware/demo_panel.h"

#include <array>
#include <sstream>

namespace {

struct NamedKey {
    std::string_view name;
    KeyPosition pos;
};

// Positions as on the panel: row from the top, column from the left.
// clang-format off
constexpr std::array<NamedKey, 26> kKeys{{
    {"ON", {-1, -1}}, {"AC", {0, 1}},  {"C", {0, 2}},   {"SQRT", {0, 3}},
    {"MC", {1, 0}},   {"MR", {1, 1}},  {"M-", {1, 2}},  {"M+", {1, 3}},
    {"%", {2, 0}},    {"+/-", {2, 1}}, {"/", {2, 2}},   {"x", {2, 3}},
    {"7", {3, 0}},    {"8", {3, 1}},   {"9", {3, 2}},   {"-", {3, 3}},
    {"4", {4, 0}},    {"5", {4, 1}},   {"6", {4, 2}},   {"+", {4, 3}},
    {"1", {5, 0}},    {"2", {5, 1}},   {"3", {5, 2}},   {"=", {5, 3}},
    {"0", {6, 0}},    {".", {6, 2}},
}};
// clang-format on

constexpr int kDigitPlaces = 10;
constexpr uint32_t kPointBit = 0x80;
constexpr uint32_t kMinusBit = 0x01, kMemoryBit = 0x02, kErrorBit = 0x04;

char CharForSegments(uint32_t segments) {
    static constexpr std::array<uint32_t, 10> kDigits{0x3F, 0x06, 0x5B, 0x4F, 0x66,
                                                      0x6D, 0x7D, 0x07, 0x7F, 0x6F};
    for (size_t d = 0; d < kDigits.size(); ++d)
        if (kDigits[d] == segments) return char('0' + d);
    if (segments == 0x27) return '7';  // 7 drawn with segment f
    if (segments == 0x79) return 'E';
    if (segments == 0x40) return '-';
    return '?';
}

}  // namespace

std::optional<KeyPosition> KeyByName(std::string_view name) {
    for (const NamedKey& k : kKeys)
        if (k.name == name) return k.pos;
    return std::nullopt;
}

std::vector<std::string> SplitKeys(std::string_view keys) {
    std::vector<std::string> out;
    std::istringstream in{std::string(keys)};
    std::string name;
    while (in >> name)
        out.push_back(name);
    return out;
}

LcdReading DecodeLcd(const uint32_t* page0, const uint32_t* page1) {
    LcdReading r;
    if (page1[0] & kMinusBit) r.text += '-';
    for (int col = 0; col < kDigitPlaces; ++col) {
        uint32_t cell = page0[col] & 0xFF;
        uint32_t segments = cell & ~kPointBit;
        if (segments == 0 && r.text.find_first_not_of('-') == std::string::npos &&
            !(cell & kPointBit))
            continue;  // a leading blank place
        r.text += segments == 0 ? ' ' : CharForSegments(segments);
        if (cell & kPointBit) r.text += '.';
    }
    if (page1[0] & kMemoryBit) r.annunciators += 'M';
    if (page1[0] & kErrorBit) r.annunciators += 'E';
    return r;
}

bool LcdBlank(const uint32_t* page0, const uint32_t* page1, int columns) {
    for (int col = 0; col < columns; ++col)
        if (page0[col] != 0 || page1[col] != 0) return false;
    return true;
}
