#include "app/ini_value_spec.h"

#include <cstdio>

#include "app/ini_text.h"
#include "util/strfmt.h"

using namespace ini_text;

namespace {

bool HasBound(double b) {
    return b != kNoBound;
}

double ParseBound(std::string_view s) {
    s = Trim(s);
    return s.empty() ? kNoBound : ToNumber(s);
}

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

std::string Ordinal(size_t index) {
    return index == 0 ? "1st" : StrFormat("%zuth", index + 1);
}

// Item for value i: its own, or from the repeated tail, or none.
const IniValueItem* ItemFor(const std::vector<IniValueItem>& items, size_t i, int repeatStart) {
    if (i < items.size()) return &items[i];
    if (repeatStart >= 0 && int(items.size()) > repeatStart) {
        size_t period = items.size() - size_t(repeatStart);
        return &items[size_t(repeatStart) + (i - items.size()) % period];
    }
    return nullptr;
}

std::string KindReason(IniKind kind) {
    switch (kind) {
        case IniKind::Integer:
            return "value should be integer";
        case IniKind::Float:
            return "value should be float number";
        default:
            return "value should be string";
    }
}

std::string RangeText(const char* prefix, const IniValueItem& item, bool exactWhenEqual) {
    std::string lo = FormatIniNumber(item.min), hi = FormatIniNumber(item.max);
    if (HasBound(item.min) && HasBound(item.max)) {
        if (exactWhenEqual && item.min == item.max) return StrFormat("%s %s", prefix, lo.c_str());
        return StrFormat("%s in between %s and %s", prefix, lo.c_str(), hi.c_str());
    }
    if (HasBound(item.min)) return StrFormat("%s >= %s", prefix, lo.c_str());
    return StrFormat("%s <= %s", prefix, hi.c_str());
}

std::string DisplayLine(std::string_view line) {
    std::string out(TrimRight(Trim(line)));
    while (!out.empty() && (out.back() == ',' || IsSpace(out.back())))
        out.pop_back();
    for (char& c : out)
        if (c == '\t') c = ' ';
    return out;
}

}  // namespace

std::vector<IniValueItem> ParseValueSpec(std::string_view specification) {
    std::vector<IniValueItem> items;
    for (std::string_view raw : SplitValues(specification)) {
        std::string_view s = Trim(raw);
        IniValueItem item;
        bool isString = !s.empty() && (s[0] == 'S' || s[0] == 's');
        if (isString) s = Trim(s.substr(1));
        std::string_view lo = s, hi = s;
        size_t tilde = s.find('~');
        if (tilde != std::string_view::npos) {
            lo = s.substr(0, tilde);
            hi = s.substr(tilde + 1);
        }
        item.min = ParseBound(lo);
        item.max = ParseBound(hi);
        if (isString)
            item.kind = IniKind::String;
        else if (lo.find('.') != std::string_view::npos || hi.find('.') != std::string_view::npos)
            item.kind = IniKind::Float;
        else if (HasBound(item.min) || HasBound(item.max))
            item.kind = IniKind::Integer;
        items.push_back(item);
    }
    return items;
}

IniKind ClassifyValue(std::string_view text) {
    std::string t = Upper(text);
    if (t.find(' ') != std::string::npos) return IniKind::String;
    if (t.size() >= 2 && t[0] == '0' && t[1] == 'X') {
        size_t digits = t.size() - 2;
        if (digits < 1 || digits > 16) return IniKind::String;
        for (size_t i = 2; i < t.size(); ++i)
            if (!IsHexDigit(t[i])) return IniKind::String;
        return IniKind::Integer;
    }
    std::string_view body = t;
    if (!body.empty() && body[0] == '-') body.remove_prefix(1);
    if (body.size() > 35) return IniKind::String;
    int dots = 0;
    for (char c : body) {
        if (c == '.')
            ++dots;
        else if (c < '0' || c > '9')
            return IniKind::String;
    }
    if (dots == 0) return IniKind::Integer;
    return dots == 1 ? IniKind::Float : IniKind::String;
}

std::string FormatIniNumber(double v) {
    std::string s = StrFormat("%.2f", v);
    if (s.find('.') != std::string::npos) {
        while (!s.empty() && s.back() == '0')
            s.pop_back();
        if (!s.empty() && s.back() == '.') s.pop_back();
    }
    return s;
}

std::vector<std::string> BuildCheckReport(const std::string& sectionName,
                                          const std::string& keyLine,
                                          const std::vector<std::string>& values, int expectedCount,
                                          int repeatStart, std::string_view specification) {
    std::vector<IniValueItem> items = ParseValueSpec(specification);
    std::vector<std::string> valueErrors;
    for (size_t i = 0; i < values.size(); ++i) {
        const IniValueItem* item = ItemFor(items, i, repeatStart);
        if (!item || item->kind == IniKind::Unchecked) continue;
        IniKind written = ClassifyValue(values[i]);
        bool wantNumber = item->kind != IniKind::String;
        bool isNumber = written != IniKind::String;
        if (wantNumber != isNumber) {
            valueErrors.push_back(StrFormat("->%s value error : %s", Ordinal(i).c_str(),
                                            KindReason(item->kind).c_str()));
            continue;
        }
        double quantity = wantNumber ? ToNumber(values[i]) : double(values[i].size());
        bool low = HasBound(item->min) && item->min > quantity;
        bool high = HasBound(item->max) && item->max < quantity;
        if (!low && !high) continue;
        std::string reason =
            wantNumber ? RangeText("value should be", *item, false) + " while it is " +
                             FormatIniNumber(quantity)
                       : RangeText("string length should be", *item, true) +
                             StrFormat(" while the string length is %zu", values[i].size());
        valueErrors.push_back(
            StrFormat("->%s value error : %s", Ordinal(i).c_str(), reason.c_str()));
    }

    std::string countLine;
    int n = int(values.size());
    int period = int(items.size()) - repeatStart;
    if (repeatStart >= 0 && period > 0) {
        if ((n - repeatStart) % period != 0)
            countLine = ">Key value count does not fit the expected amount";
    } else if (expectedCount >= 0 && expectedCount != n) {
        countLine = StrFormat(">Key value count should be %d while it is %d", expectedCount, n);
    }

    if (countLine.empty() && valueErrors.empty()) return {};
    std::vector<std::string> lines = {"", "************ Ini error ************",
                                      "[" + sectionName + "]", DisplayLine(keyLine)};
    if (!countLine.empty()) lines.push_back(countLine);
    lines.insert(lines.end(), valueErrors.begin(), valueErrors.end());
    lines.push_back("");
    return lines;
}
