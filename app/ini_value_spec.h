// The value-specification language of CIni::CheckValues, as pure functions.
//
// A specification is a list of items separated by ",", one per value in order. Each item,
// trimmed: an optional leading "S" or "s" makes the value a string; the rest is a range
// "min~max" (either side may be empty) or a single bound b (min = max = b). Without the
// letter the value is a float when a bound contains ".", an integer when a bound is given,
// and unchecked otherwise. For strings the bounds limit the length in characters.
// A bound of 2147483647 counts as no bound.
#pragma once

#include <string>
#include <string_view>
#include <vector>

enum class IniKind { Unchecked, Integer, Float, String };

inline constexpr double kNoBound = 2147483647.0;

struct IniValueItem {
    IniKind kind = IniKind::Unchecked;
    double min = kNoBound;  // kNoBound: absent
    double max = kNoBound;
};

std::vector<IniValueItem> ParseValueSpec(std::string_view specification);

// How a written value reads: a text with a space is a string; "0X" and 1 to 16 hex digits
// an integer; otherwise, after an optional "-", up to 35 digits make an integer, with exactly
// one "." a float; anything else is a string. An empty text is an integer.
IniKind ClassifyValue(std::string_view text);

// Two decimals, then trailing zeros and a trailing point removed: 5 -> "5", 2.5 -> "2.5".
std::string FormatIniNumber(double v);

// The message lines for one key, or none when every value fits. keyLine is the key's line
// without its comment; values are the key's values, trimmed.
std::vector<std::string> BuildCheckReport(const std::string& sectionName,
                                          const std::string& keyLine,
                                          const std::vector<std::string>& values, int expectedCount,
                                          int repeatStart, std::string_view specification);
