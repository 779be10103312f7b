#include "util/cbuf.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstring>
#include <new>
#include <vector>

#include "util/byte_stream.h"
#include "util/encrypt.h"
#include "util/le.h"

static_assert(std::endian::native == std::endian::little,
              "element data is stored little-endian and read in place");

namespace {
constexpr int64_t kMaxBytes = INT32_MAX;

// A grow step read from a file or a serial form is a setting, not an allocation: the buffer
// gets exactly count elements, and the stored step is kept (so a buffer written back has the
// same header) but limited to what lets a later append take twice the data or 4 KiB more.
// Taken as stored, a damaged header of a few bytes could otherwise reserve gigabytes.
int StoredGrowStep(int32_t growStep, int64_t dataBytes, int32_t elementSize) {
    int64_t spare = std::max<int64_t>(2 * dataBytes, 4096) / elementSize;
    return int(std::clamp<int64_t>(growStep, 0, spare));
}

uint8_t* AllocZeroed(int64_t bytes) {
    if (bytes <= 0) return nullptr;
    return new (std::nothrow) uint8_t[static_cast<size_t>(bytes)]();
}
}  // namespace

CBuf::CBuf(int count, int elementSize, const void* source, int copyFlag, int growStep) {
    Assign(count, elementSize, source, copyFlag, growStep);
}

CBuf::CBuf(const CBuf& other) {
    CopyFrom(other);
}

CBuf& CBuf::operator=(const CBuf& other) {
    if (this != &other) {
        if (m_borrowed) Clear();  // a value copy replaces a borrowed view with owned data
        CopyFrom(other);
    }
    return *this;
}

CBuf::CBuf(CBuf&& other) noexcept {
    *this = std::move(other);
}

CBuf& CBuf::operator=(CBuf&& other) noexcept {
    if (this != &other) {
        FreeData();
        m_count = other.m_count;
        m_elementSize = other.m_elementSize;
        m_growStep = other.m_growStep;
        m_capacity = other.m_capacity;
        m_borrowed = other.m_borrowed;
        m_data = other.m_data;
        std::memcpy(m_label, other.m_label, kLabelSize);
        other.m_data = nullptr;
        other.m_borrowed = 0;
        other.Clear();
    }
    return *this;
}

CBuf::~CBuf() {
    FreeData();
}

void CBuf::FreeData() {
    if (!m_borrowed) delete[] m_data;
    m_data = nullptr;
}

void CBuf::Clear() {
    FreeData();
    m_count = 0;
    m_elementSize = 1;
    m_growStep = 100;
    m_capacity = 0;
    m_borrowed = 0;
    std::memset(m_label, 0, kLabelSize);
}

uint8_t* CBuf::Assign(int count, int elementSize, const void* source, int copyFlag, int growStep) {
    if (count < 0 || elementSize <= 0) return m_data;
    if (growStep < 0) growStep = 0;
    int64_t bytes = int64_t(count) * elementSize;
    if (bytes > kMaxBytes) return m_data;
    bool borrow = source != nullptr && copyFlag == 0;
    int64_t capacity =
        borrow ? count : std::min<int64_t>(int64_t(count) + growStep, kMaxBytes / elementSize);
    uint8_t* data = nullptr;
    if (borrow) {
        data = static_cast<uint8_t*>(const_cast<void*>(source));
    } else if (capacity > 0) {
        data = AllocZeroed(capacity * elementSize);
        if (!data) return m_data;
        if (source && bytes > 0) std::memcpy(data, source, static_cast<size_t>(bytes));
    }
    FreeData();
    std::memset(m_label, 0, kLabelSize);
    m_elementSize = elementSize;
    m_count = count;
    m_growStep = growStep;
    m_capacity = static_cast<int>(capacity);
    m_borrowed = borrow ? 1 : 0;
    m_data = data;
    return m_data;
}

int CBuf::CopyFrom(const CBuf& other) {
    if (m_borrowed) return 0;
    if (&other == this) return 1;
    char label[kLabelSize];
    std::memcpy(label, other.m_label, kLabelSize);
    int count = other.m_count;
    Assign(count, other.m_elementSize, other.m_data, 1, other.m_growStep);
    if (m_count != count) return 0;
    std::memcpy(m_label, label, kLabelSize);
    return 1;
}

bool CBuf::Reallocate(int n) {
    int64_t bytes = int64_t(n) * m_elementSize;
    if (bytes > kMaxBytes) return false;
    int64_t capacity = std::min<int64_t>(int64_t(n) + m_growStep, kMaxBytes / m_elementSize);
    uint8_t* data = AllocZeroed(capacity * m_elementSize);
    if (!data && capacity > 0) return false;
    int64_t keep = std::min<int64_t>(capacity * m_elementSize, int64_t(m_count) * m_elementSize);
    if (keep > 0) std::memcpy(data, m_data, static_cast<size_t>(keep));
    FreeData();
    m_data = data;
    m_capacity = static_cast<int>(capacity);
    m_count = n;
    return true;
}

uint8_t* CBuf::Resize(int n, int shrinkFlag) {
    if (n < 0 || n == m_count || m_borrowed) return m_data;
    if (n <= m_capacity) {
        bool reallocate = shrinkFlag && n < m_capacity && (m_capacity - m_count) / 2 > m_growStep;
        if (!reallocate) {
            // Elements that come back into use after a shrink read as zero, as new ones do.
            if (n > m_count)
                std::memset(m_data + int64_t(m_count) * m_elementSize, 0,
                            size_t(int64_t(n - m_count) * m_elementSize));
            m_count = n;
            return m_data;
        }
    }
    Reallocate(n);
    return m_data;
}

uint8_t* CBuf::ElementPointer(int i, int boundsTest) {
    if (!m_data) return nullptr;
    if (boundsTest && (i < 0 || i >= m_count)) return nullptr;
    return m_data + int64_t(i) * m_elementSize;
}

const uint8_t* CBuf::ElementPointer(int i, int boundsTest) const {
    return const_cast<CBuf*>(this)->ElementPointer(i, boundsTest);
}

int CBuf::SetElement(int i, const void* source) {
    uint8_t* p = ElementPointer(i, 1);
    if (!p || !source) return 0;
    std::memmove(p, source, size_t(m_elementSize));
    return 1;
}

int CBuf::SetElementSized(int i, const void* source, int length) {
    if (length == m_elementSize) return SetElement(i, source);
    uint8_t* p = ElementPointer(i, 1);
    if (!p) return 0;
    if (length < 0) length = 0;
    std::vector<uint8_t> scratch(size_t(std::max(length, m_elementSize)), 0);
    if (source && length > 0) std::memcpy(scratch.data(), source, size_t(length));
    std::memcpy(p, scratch.data(), size_t(m_elementSize));
    return 1;
}

int CBuf::GetElement(int i, void* destination) const {
    const uint8_t* p = ElementPointer(i, 1);
    if (!p || !destination) return 0;
    std::memcpy(destination, p, size_t(m_elementSize));
    return 1;
}

int32_t CBuf::GetInt(int i) const {
    int32_t v = 0;
    if (const uint8_t* p = ElementPointer(i, 1))
        std::memcpy(&v, p, size_t(std::min(m_elementSize, 4)));
    return v;
}

double CBuf::GetDouble(int i) const {
    double v = 0.0;
    if (const uint8_t* p = ElementPointer(i, 1))
        std::memcpy(&v, p, size_t(std::min(m_elementSize, 8)));
    return v;
}

void CBuf::ApplyGrowthRule() {
    m_growStep =
        int(std::max<int64_t>(m_growStep, std::min<int64_t>(2 * int64_t(m_count), INT32_MAX)));
}

uint8_t* CBuf::Append(const void* source, int n) {
    if (m_borrowed || n < 0) return m_data;
    int64_t bytes = int64_t(n) * m_elementSize;
    // The source may lie inside this buffer, which the resize may move.
    std::vector<uint8_t> alias;
    if (source && m_data && source >= m_data &&
        source < m_data + int64_t(m_capacity) * m_elementSize) {
        alias.assign(static_cast<const uint8_t*>(source),
                     static_cast<const uint8_t*>(source) + bytes);
        source = alias.data();
    }
    int old = m_count;
    if (int64_t(old) + n > INT32_MAX) return m_data;
    Resize(old + n, 0);
    if (m_count != old + n) return m_data;
    if (bytes > 0) {
        uint8_t* dst = m_data + int64_t(old) * m_elementSize;
        if (source)
            std::memcpy(dst, source, size_t(bytes));
        else
            std::memset(dst, 0, size_t(bytes));
    }
    ApplyGrowthRule();
    return m_data;
}

uint8_t* CBuf::AppendInt(int32_t value) {
    if (m_borrowed || m_count == INT32_MAX) return m_data;
    int old = m_count;
    Resize(old + 1, 0);
    if (m_count != old + 1) return m_data;
    SetElementSized(old, &value, 4);
    ApplyGrowthRule();
    return m_data;
}

uint8_t* CBuf::AppendBuffer(const CBuf& other) {
    if (m_borrowed) return m_data;
    if (&other == this) {
        CBuf copy(other);
        return AppendBuffer(copy);
    }
    if (other.m_elementSize == m_elementSize) return Append(other.m_data, other.m_count);
    for (int i = 0; i < other.m_count; ++i) {
        int old = m_count;
        Resize(old + 1, 0);
        if (m_count != old + 1) break;
        SetElementSized(old, other.ElementPointer(i), other.m_elementSize);
        ApplyGrowthRule();
    }
    return m_data;
}

uint8_t* CBuf::Insert(const void* source, int position, int n) {
    if (m_borrowed || n <= 0) return m_data;
    if (position < 0) position = 0;
    if (position >= m_count) return Append(source, n);
    int64_t bytes = int64_t(n) * m_elementSize;
    std::vector<uint8_t> alias;
    if (source && m_data && source >= m_data &&
        source < m_data + int64_t(m_capacity) * m_elementSize) {
        alias.assign(static_cast<const uint8_t*>(source),
                     static_cast<const uint8_t*>(source) + bytes);
        source = alias.data();
    }
    int old = m_count;
    if (int64_t(old) + n > INT32_MAX) return m_data;
    Resize(old + n, 0);
    if (m_count != old + n) return m_data;
    uint8_t* at = m_data + int64_t(position) * m_elementSize;
    std::memmove(at + bytes, at, size_t(int64_t(old - position) * m_elementSize));
    if (source)
        std::memcpy(at, source, size_t(bytes));
    else
        std::memset(at, 0, size_t(bytes));
    return m_data;
}

uint8_t* CBuf::InsertZeros(int position, int n) {
    return Insert(nullptr, position, n);
}

int CBuf::Remove(int position, int n, void* destination) {
    if (m_borrowed || position < 0 || position >= m_count || m_count == 0 || n <= 0) return 0;
    n = std::min(n, m_count - position);
    uint8_t* at = m_data + int64_t(position) * m_elementSize;
    int64_t bytes = int64_t(n) * m_elementSize;
    if (destination) std::memcpy(destination, at, size_t(bytes));
    std::memmove(at, at + bytes, size_t(int64_t(m_count - position - n) * m_elementSize));
    m_count -= n;
    return 1;
}

int CBuf::ChangeElementSize(int newSize) {
    if (newSize == m_elementSize) return 1;
    if (m_borrowed || newSize <= 0) return 0;
    if (int64_t(m_count) * newSize > kMaxBytes) return 0;
    CBuf other(m_count, newSize, nullptr, 0, 10);
    if (other.Count() != m_count) return 0;
    int keep = std::min(newSize, m_elementSize);
    for (int i = 0; i < m_count; ++i)
        std::memcpy(other.ElementPointer(i), ElementPointer(i), size_t(keep));
    std::memcpy(other.m_label, m_label, kLabelSize);
    *this = std::move(other);
    return 1;
}

void CBuf::Reverse() {
    if (!m_data || m_count < 2) return;
    std::vector<uint8_t> tmp(static_cast<size_t>(m_elementSize));
    for (int i = 0, j = m_count - 1; i < j; ++i, --j) {
        uint8_t* a = ElementPointer(i);
        uint8_t* b = ElementPointer(j);
        std::memcpy(tmp.data(), a, tmp.size());
        std::memcpy(a, b, tmp.size());
        std::memcpy(b, tmp.data(), tmp.size());
    }
}

int CBuf::Scramble() {
    return C_Encrypt::Scramble(m_data, TotalBytes());
}

int CBuf::SerializeInto(CBuf* target) const {
    if (!target || target->m_elementSize != 1 || target->m_borrowed) return 0;
    int64_t bytes = int64_t(TotalBytes());
    if (int64_t(target->m_count) + 16 + bytes > kMaxBytes) return 0;
    std::vector<uint8_t> form(size_t(16 + bytes));
    PutLe32(&form[0], m_count);
    PutLe32(&form[4], m_elementSize);
    PutLe32(&form[8], m_growStep);
    PutLe32(&form[12], m_borrowed);
    if (bytes > 0) std::memcpy(&form[16], m_data, size_t(bytes));
    int old = target->m_count;
    target->Append(form.data(), int(form.size()));
    return target->m_count == old + int(form.size()) ? 1 : 0;
}

int CBuf::DeserializeFrom(const CBuf* bytes, int& offset) {
    if (!bytes) return 0;
    if (bytes == this) {
        CBuf copy(*bytes);
        return DeserializeFrom(copy.Data(), copy.TotalBytes(), offset);
    }
    return DeserializeFrom(bytes->Data(), bytes->TotalBytes(), offset);
}

int CBuf::DeserializeFrom(const uint8_t* bytes, int length, int& offset) {
    if (!bytes || offset < 0 || int64_t(offset) + 16 > length) return 0;
    const uint8_t* h = bytes + offset;
    int32_t count = GetLe32(h), elementSize = GetLe32(h + 4), growStep = GetLe32(h + 8);
    if (count < 0 || elementSize <= 0) return 0;
    int64_t size = int64_t(count) * elementSize;
    if (int64_t(offset) + 16 + size > length) return 0;
    CBuf read;
    read.Assign(count, elementSize, h + 16, 1, 0);
    if (read.Count() != count) return 0;
    read.SetGrowStep(StoredGrowStep(growStep, size, elementSize));
    if (m_borrowed) Clear();
    *this = std::move(read);
    offset += int(16 + size);
    return 1;
}

int CBuf::WriteTo(CByteStream& file) const {
    if (m_borrowed) return 0;
    uint8_t header[12];
    PutLe32(header, m_count);
    PutLe32(header + 4, m_elementSize);
    PutLe32(header + 8, m_growStep);
    if (file.WriteBytes(header, 12) != 12) return 0;
    int64_t bytes = TotalBytes();
    if (bytes > 0 && file.WriteBytes(m_data, bytes) != bytes) return 0;
    return 1;
}

int CBuf::ReadFrom(CByteStream& file) {
    if (m_borrowed) return 0;
    uint8_t header[12];
    if (file.ReadBytes(header, 12) != 12) return 0;
    int32_t count = GetLe32(header), elementSize = GetLe32(header + 4);
    int32_t growStep = GetLe32(header + 8);
    if (count < 0 || elementSize <= 0) return 0;
    int64_t size = int64_t(count) * elementSize;
    int64_t left = file.BytesLeft();
    if (size > kMaxBytes || (left >= 0 && size > left)) {
        // The data cannot be there: consume what is left, as a short read would, and refuse
        // without allocating for the claimed size.
        uint8_t sink[4096];
        while (left > 0 && file.ReadBytes(sink, std::min<int64_t>(left, sizeof sink)) > 0)
            left = file.BytesLeft();
        return 0;
    }
    Assign(count, elementSize, nullptr, 0, 0);
    if (m_count != count || m_elementSize != elementSize) return 0;
    SetGrowStep(StoredGrowStep(growStep, size, elementSize));
    if (size > 0 && file.ReadBytes(m_data, size) != size) return 0;
    return 1;
}

void CBuf::SetLabel(const char* text) {
    std::memset(m_label, 0, kLabelSize);
    if (text) std::strncpy(m_label, text, kLabelSize - 1);
}

void CBuf::SetRawLabel(const char (&label)[kLabelSize]) {
    std::memcpy(m_label, label, kLabelSize);
}
