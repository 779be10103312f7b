#include "data/tag_buf.h"

#include <cstring>
#include <set>

#include "util/byte_stream.h"

CTagBuf::CTagBuf() {
    SetTagLabel("");
    m_descriptors.Assign(0, kFieldDescriptorSize, nullptr, 0, 10);
    m_loadStatus.Assign(0, sizeof(SFieldStatus), nullptr, 0, 10);
}

CTagBuf::CTagBuf(const char* label, int fieldCount, const STagField* fields,
                 const void* defaultUnit, int unitCount, int unitSize, const void* data, int copy,
                 int growStep)
    : CTagBuf() {
    Init(label, fieldCount, fields, defaultUnit, unitCount, unitSize, data, copy, growStep);
}

CTagBuf::CTagBuf(const char* label, const CBuf& units) : CTagBuf() {
    SetTagLabel(label ? label : "");
    SetRawUnits(units.Data(), units.Count(), units.ElementSize());
}

CTagBuf::CTagBuf(const char* label, const void* bytes, int length) : CTagBuf() {
    SetTagLabel(label ? label : "");
    SetRawUnits(bytes, length, 1);
}

void CTagBuf::SetRawUnits(const void* bytes, int count, int unitSize) {
    // No spare units: a buffer read from a damaged file may have a huge unit size.
    Assign(count, unitSize, bytes, 1, 0);
}

uint8_t* CTagBuf::Init(const char* label, int fieldCount, const STagField* fields,
                       const void* defaultUnit, int unitCount, int unitSize, const void* data,
                       int copy, int growStep) {
    SetTagLabel(label ? label : "");
    m_descriptors.Assign(0, kFieldDescriptorSize, nullptr, 0, 10);
    for (int i = 0; fields && i < fieldCount; ++i) {
        uint8_t d[kFieldDescriptorSize];
        PackFieldDescriptor(fields[i], d);
        m_descriptors.Append(d, 1);
    }
    m_loadStatus.Assign(0, sizeof(SFieldStatus), nullptr, 0, 10);
    m_defaultUnit.Assign(0, unitSize > 0 ? unitSize : 1, nullptr, 0, 0);
    if (defaultUnit && unitSize > 0) m_defaultUnit.Assign(1, unitSize, defaultUnit, 1, 0);
    if (FieldCount() > 0 && !LayoutFits(unitSize)) return nullptr;
    return Assign(unitCount, unitSize, data, copy, growStep);
}

std::string_view CTagBuf::TagLabel() const {
    const char* p = reinterpret_cast<const char*>(m_labelBytes.Data());
    if (!p) return {};
    return std::string_view(p, strnlen(p, size_t(m_labelBytes.TotalBytes())));
}

void CTagBuf::SetTagLabel(std::string_view label) {
    std::string text(label);
    m_labelBytes.Assign(int(text.size() + 1), 1, text.c_str(), 1, 0);
}

int CTagBuf::FieldCount() const {
    return m_descriptors.ElementSize() == kFieldDescriptorSize ? m_descriptors.Count() : 0;
}

const uint8_t* CTagBuf::FieldDescriptor(int i) const {
    if (i < 0 || i >= FieldCount()) return nullptr;
    return m_descriptors.ElementPointer(i);
}

std::string_view CTagBuf::FieldName(int i) const {
    const uint8_t* d = FieldDescriptor(i);
    return d ? DescriptorName(d) : std::string_view();
}

int32_t CTagBuf::FieldType(int i) const {
    const uint8_t* d = FieldDescriptor(i);
    return d ? DescriptorType(d) : kTagUInt8;
}

int32_t CTagBuf::FieldElements(int i) const {
    const uint8_t* d = FieldDescriptor(i);
    return d ? DescriptorCount(d) : 0;
}

int64_t CTagBuf::FieldSize(int i) const {
    int32_t count = FieldElements(i);
    return count < 0 ? 0 : int64_t(count) * FieldElementSize(i);
}

int64_t CTagBuf::FieldOffset(int i) const {
    int64_t offset = 0;
    for (int j = 0; j < i && j < FieldCount(); ++j)
        offset += FieldSize(j);
    return offset;
}

int64_t CTagBuf::LayoutUnitSize() const {
    return FieldOffset(FieldCount());
}

bool CTagBuf::LayoutFits(int64_t unitSize) const {
    for (int i = 0; i < FieldCount(); ++i)
        if (FieldElementSize(i) == 0 || FieldElements(i) < 0) return false;
    return LayoutUnitSize() == unitSize;
}

bool CTagBuf::IsConsistent() const {
    return LayoutFits(ElementSize());
}

bool CTagBuf::IsWellFormed() const {
    if (TagLabel().empty()) return false;
    std::set<std::string_view> names;
    for (int i = 0; i < FieldCount(); ++i) {
        std::string_view name = FieldName(i);
        if (name.size() > size_t(kMaxFieldName) || !names.insert(name).second) return false;
    }
    return true;
}

CTagBuf::SFieldStatus CTagBuf::FieldStatus(int i) const {
    SFieldStatus s{0, 0};
    m_loadStatus.GetElement(i, &s);
    return s;
}

int CTagBuf::CopyUnitsTo(CBuf& out) const {
    if (out.IsBorrowed()) return 0;
    // No spare elements: a stored element size can be huge when the count is 0.
    out.Assign(Count(), ElementSize(), Data(), 1, 0);
    return out.Count() == Count();
}

int CTagBuf::WriteTag(CByteStream& file) const {
    return m_labelBytes.WriteTo(file) && m_descriptors.WriteTo(file) && CBuf::WriteTo(file);
}

int CTagBuf::ReadTag(CByteStream& file) {
    m_asStored = 1;
    m_loadStatus.Assign(0, sizeof(SFieldStatus), nullptr, 0, 10);
    if (!m_labelBytes.ReadFrom(file)) return 0;
    if (!m_descriptors.ReadFrom(file)) return 0;
    int described = m_descriptors.ElementSize() == kFieldDescriptorSize;
    if (!described) {
        // Descriptors of another size cannot be read as fields: the tag buffer is taken as a
        // raw one. Its units still follow, so the next tag buffer is found where it is.
        m_descriptors.Assign(0, kFieldDescriptorSize, nullptr, 0, 10);
    }
    return CBuf::ReadFrom(file) && described;
}
