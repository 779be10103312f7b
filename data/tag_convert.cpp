// Loading a stored tag buffer into the program's layout.
//
// When either side has no descriptors, or the descriptors are byte-for-byte the same, the
// stored units are taken as they are (each unit zero-padded or cut to this unit size).
// Otherwise every field of this layout looks for the first stored field of the same name
// (first 16 bytes compared):
//   - not found: the field keeps its default (status 0, 0);
//   - same type: copied bytewise, as many bytes as both fields have (status 1, 1);
//   - another type: converted element by element (status 1, 2), as many elements as both
//     fields have, by this table (source read, target written):
//
//       target \ source   byte            16-bit           32-bit          double
//       byte              low byte        low byte         low byte        trunc, low byte
//       16-bit            zero-extended   low 16 bits      low 16 bits     trunc, low 16
//       32-bit            zero-extended   zero-extended    copied          trunc, low 32
//       double            byte value      16-bit value     unsigned value  (same type)
//
// Signed sources are zero-extended, not sign-extended: a stored int16 of -1 becomes 65535
// in a 32-bit field. A string field ends in a NUL after either kind of copy.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "data/tag_buf.h"
#include "util/le.h"

namespace {

struct SElement {
    bool isDouble = false;
    uint64_t bits = 0;
    double value = 0.0;
};

SElement ReadElement(const uint8_t* p, int32_t type) {
    SElement e;
    switch (TagTypeSize(type)) {
        case 1:
            e.bits = p[0];
            break;
        case 2:
            e.bits = GetLe16(p);
            break;
        case 4:
            e.bits = uint32_t(GetLe32(p));
            break;
        case 8:
            e.isDouble = true;
            e.value = GetLeDouble(p);
            break;
    }
    return e;
}

// Truncation toward zero to 64 bits. Values a 64-bit integer cannot hold saturate and NaN
// gives 0, where a plain cast would be undefined.
int64_t TruncateToInt64(double d) {
    if (std::isnan(d)) return 0;
    if (d >= 9223372036854775807.0) return INT64_MAX;
    if (d <= -9223372036854775808.0) return INT64_MIN;
    return int64_t(d);
}

void WriteElement(uint8_t* p, int32_t type, const SElement& e) {
    int size = TagTypeSize(type);
    if (size == 8) {
        double d = e.isDouble ? e.value : double(e.bits);
        std::memcpy(p, &d, 8);
        return;
    }
    uint64_t bits = e.isDouble ? uint64_t(TruncateToInt64(e.value)) : e.bits;
    for (int i = 0; i < size; ++i)
        p[i] = uint8_t(bits >> (8 * i));
}

struct SFieldPlan {
    int source = -1;  // stored field index, or -1
    int64_t targetOffset = 0;
    int64_t sourceOffset = 0;
    CTagBuf::SFieldStatus status{0, 0};
};

bool SameDescriptors(const CBuf& a, const CBuf& b) {
    return a.TotalBytes() == b.TotalBytes() &&
           (a.TotalBytes() == 0 || std::memcmp(a.Data(), b.Data(), size_t(a.TotalBytes())) == 0);
}

// First stored field of that name whose bytes lie within a stored unit, or -1.
int FindStoredField(const CTagBuf& stored, std::string_view name, int64_t* offset) {
    for (int j = 0; j < stored.FieldCount(); ++j) {
        if (stored.FieldName(j).substr(0, kMaxFieldName) != name.substr(0, kMaxFieldName)) continue;
        int64_t at = stored.FieldOffset(j);
        bool usable = stored.FieldElementSize(j) > 0 && stored.FieldElements(j) >= 0 &&
                      at + stored.FieldSize(j) <= stored.ElementSize();
        if (!usable) return -1;
        *offset = at;
        return j;
    }
    return -1;
}

}  // namespace

uint8_t* CTagBuf::LoadFromStored(const CTagBuf& stored, int maxUnits) {
    int units = std::max(0, std::min(stored.Count(), maxUnits));
    if (AsStored() || FieldCount() == 0 || stored.FieldCount() == 0 ||
        SameDescriptors(Descriptors(), stored.Descriptors())) {
        TakeUnchanged(stored, units);
    } else {
        ConvertFrom(stored, units);
    }
    return Data();
}

bool CTagBuf::TakeUnchanged(const CTagBuf& stored, int units) {
    Resize(0);
    if (stored.ElementSize() == ElementSize()) {
        Append(stored.Data(), units);
    } else {
        for (int u = 0; u < units; ++u) {
            int at = Count();
            Resize(at + 1);
            if (Count() != at + 1) break;
            SetElementSized(at, stored.ElementPointer(u), stored.ElementSize());
        }
    }
    m_loadStatus.Assign(0, sizeof(SFieldStatus), nullptr, 0, 10);
    for (int i = 0; i < FieldCount(); ++i) {
        SFieldStatus s{0, 1};
        m_loadStatus.Append(&s, 1);
    }
    return Count() == units;
}

void CTagBuf::ConvertFrom(const CTagBuf& stored, int units) {
    std::vector<SFieldPlan> plan(static_cast<size_t>(FieldCount()));
    for (int i = 0; i < FieldCount(); ++i) {
        SFieldPlan& p = plan[size_t(i)];
        p.targetOffset = FieldOffset(i);
        if (p.targetOffset + FieldSize(i) > ElementSize()) continue;
        p.source = FindStoredField(stored, FieldName(i), &p.sourceOffset);
        if (p.source < 0) continue;
        p.status = {1, stored.FieldType(p.source) == FieldType(i) ? 1 : 2};
    }
    m_loadStatus.Assign(0, sizeof(SFieldStatus), nullptr, 0, 10);
    for (const SFieldPlan& p : plan)
        m_loadStatus.Append(&p.status, 1);

    int unitSize = ElementSize();
    Assign(units, unitSize, nullptr, 0, 0);
    if (Count() != units) return;
    for (int u = 0; u < units; ++u) {
        uint8_t* out = ElementPointer(u);
        const uint8_t* in = stored.ElementPointer(u);
        if (m_defaultUnit.Count() > 0)
            std::memcpy(out, m_defaultUnit.Data(),
                        size_t(std::min(unitSize, m_defaultUnit.ElementSize())));
        for (int i = 0; i < FieldCount(); ++i) {
            const SFieldPlan& p = plan[size_t(i)];
            if (p.source < 0) continue;
            uint8_t* dst = out + p.targetOffset;
            const uint8_t* src = in + p.sourceOffset;
            int32_t type = FieldType(i);
            if (p.status.how == 1) {
                int64_t n = std::min(FieldSize(i), stored.FieldSize(p.source));
                std::memcpy(dst, src, size_t(n));
                if (type == kTagString && n > 0) dst[n - 1] = 0;
                continue;
            }
            int32_t sourceType = stored.FieldType(p.source);
            int n = std::min(FieldElements(i), stored.FieldElements(p.source));
            int dstStep = FieldElementSize(i), srcStep = TagTypeSize(sourceType);
            for (int k = 0; k < n; ++k)
                WriteElement(dst + int64_t(k) * dstStep, type,
                             ReadElement(src + int64_t(k) * srcStep, sourceType));
            if (type == kTagString && n > 0) dst[n - 1] = 0;
        }
    }
}
