// Text helpers of the INI reader: trimming, case-blind comparison, comment removal and the
// comma split that respects double quotes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ini_text {

bool IsSpace(char c);
std::string_view Trim(std::string_view s);
std::string_view TrimRight(std::string_view s);
bool EqualNoCase(std::string_view a, std::string_view b);
std::string Upper(std::string_view s);
// The line up to the first ";" or "//", whichever comes first.
std::string_view StripComment(std::string_view line);
// Splits on commas that are not inside double quotes; quotes stay in the pieces. The
// pieces are not trimmed. An empty text gives no pieces.
std::vector<std::string_view> SplitValues(std::string_view text);
// Tabs and runs of spaces count as one separator.
std::vector<std::string_view> Words(std::string_view s);
// Reads a number the way values and bounds are read: a floating-point prefix, 0 when there
// is none (hexadecimal "0x1F" included).
double ToNumber(std::string_view s);
// Truncates toward zero, clamped to the int range (NaN gives 0).
int TruncToInt(double v);

}  // namespace ini_text
