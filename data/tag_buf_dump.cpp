// Text dump of a tag buffer.
#include <algorithm>
#include <cstring>

#include "data/tag_buf.h"
#include "util/le.h"
#include "util/strfmt.h"

namespace {

constexpr int kPerLine = 10;
// "[" + a 16-character name + "] = "
constexpr size_t kValueColumn = 1 + kMaxFieldName + 4;

std::string ElementText(const uint8_t* p, int32_t type) {
    switch (type) {
        case kTagInt8:
            return StrFormat("%d", int(int8_t(p[0])));
        case kTagUInt8:
            return StrFormat("%u", unsigned(p[0]));
        case kTagInt16:
            return StrFormat("%d", int(int16_t(GetLe16(p))));
        case kTagUInt16:
            return StrFormat("%u", unsigned(GetLe16(p)));
        case kTagInt32:
            return StrFormat("%d", GetLe32(p));
        case kTagUInt32:
            return StrFormat("%u", uint32_t(GetLe32(p)));
        case kTagBool:
            return GetLe32(p) ? "TRUE" : "FALSE";
        case kTagDouble:
            return StrFormat("%f", GetLeDouble(p));
    }
    return "?";
}

std::string FieldHead(std::string_view name) {
    std::string head = "[" + std::string(name);
    if (head.size() < 1 + size_t(kMaxFieldName)) head.resize(1 + kMaxFieldName, ' ');
    return head + "] = ";
}

// One field of a unit; bytes beyond the unit are not shown.
void DumpField(std::vector<std::string>& lines, const std::string& indent, std::string_view name,
               int32_t type, int64_t count, const uint8_t* at, int64_t available) {
    std::string line = indent + FieldHead(name);
    if (type == kTagString) {
        int64_t n = std::max<int64_t>(0, std::min(count, available));
        const char* text = reinterpret_cast<const char*>(at);
        line += "'" + std::string(text, strnlen(text, size_t(n))) + "'";
        lines.push_back(std::move(line));
        return;
    }
    int size = TagTypeSize(type);
    int64_t shown = size > 0 ? std::min(count, available / size) : 0;
    for (int64_t k = 0; k < shown; ++k) {
        line += ElementText(at + k * size, type);
        if (k + 1 == shown) break;
        line += ",";
        if ((k + 1) % kPerLine == 0) {
            lines.push_back(std::move(line));
            line = indent + std::string(kValueColumn, ' ');
        } else {
            line += "\t";
        }
    }
    lines.push_back(std::move(line));
}

}  // namespace

void CTagBuf::DumpText(std::vector<std::string>& lines, const std::string& indent,
                       int maxUnits) const {
    lines.push_back(indent + StrFormat("{CTagBuf lable = '%s', UnitCnt = %d}",
                                       std::string(TagLabel()).c_str(), Count()));
    for (int u = 0; u < Count() && u < maxUnits; ++u) {
        lines.push_back(indent + StrFormat("{Unit %d/%d}", u, Count()));
        const uint8_t* unit = ElementPointer(u);
        if (FieldCount() == 0) {
            DumpField(lines, indent, "", kTagUInt8, ElementSize(), unit, ElementSize());
            continue;
        }
        // Offsets are summed along the way: a stored layout may have very many fields.
        int64_t offset = 0;
        for (int i = 0; i < FieldCount(); ++i) {
            int64_t available = std::max<int64_t>(0, ElementSize() - offset);
            DumpField(lines, indent, FieldName(i), FieldType(i), std::max(0, FieldElements(i)),
                      unit + std::min<int64_t>(offset, ElementSize()), available);
            offset += FieldSize(i);
        }
    }
}
