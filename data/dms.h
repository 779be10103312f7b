// Settings units: how persistent objects store their scalar members.
//
// An object keeps its stored settings in a plain struct that lists them once, for saving
// and loading alike:
//
//   struct SPixBufDms {
//       static constexpr const char* kLabel = "PIXBUFDMS";
//       static constexpr STagField kFields[] = {{"Type", kTagInt32, 1}, ...};
//       int32_t type = 0; ...
//       template <class Self, class Io> static void Fields(Self& s, Io& io) {
//           io(s.type); ...
//       }
//   };
//
// Fields() visits the members in the order of kFields; CUnitWriter packs them into a
// unit, CUnitReader unpacks one. NewDmsTag builds the described tag buffer (its default
// unit is a default-constructed struct); ReadDms finds the tag in a list, converts the
// stored unit into this layout (fields matched by name, missing ones left at the default)
// and copies it over the struct. Without the tag, the struct keeps its values.
#pragma once

#include <cassert>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <memory>
#include <type_traits>
#include <vector>

#include "data/tag_buf.h"
#include "data/tag_buf_list.h"

template <size_t N>
constexpr int DmsUnitSize(const STagField (&fields)[N]) {
    int size = 0;
    for (const STagField& f : fields)
        size += f.count * TagTypeSize(f.type);
    return size;
}

class CUnitWriter {
public:
    explicit CUnitWriter(uint8_t* unit) : m_start(unit), m_at(unit) {}
    template <class T>
    void operator()(const T& value) {
        static_assert(std::is_trivially_copyable_v<T>);
        std::memcpy(m_at, &value, sizeof value);
        m_at += sizeof value;
    }
    size_t Written() const { return size_t(m_at - m_start); }

private:
    uint8_t* m_start;
    uint8_t* m_at;
};

class CUnitReader {
public:
    explicit CUnitReader(const uint8_t* unit) : m_at(unit) {}
    template <class T>
    void operator()(T& value) {
        static_assert(std::is_trivially_copyable_v<T>);
        std::memcpy(&value, m_at, sizeof value);
        m_at += sizeof value;
    }

private:
    const uint8_t* m_at;
};

template <class S>
std::vector<uint8_t> PackDms(const S& s) {
    std::vector<uint8_t> unit(static_cast<size_t>(DmsUnitSize(S::kFields)));
    CUnitWriter writer(unit.data());
    S::Fields(s, writer);
    assert(writer.Written() == unit.size() && "Fields() must visit exactly the fields of kFields");
    return unit;
}

template <class S>
void UnpackDms(const uint8_t* unit, S& s) {
    CUnitReader reader(unit);
    S::Fields(s, reader);
}

template <class S>
std::unique_ptr<CTagBuf> NewDmsTag(const S& s) {
    std::vector<uint8_t> unit = PackDms(s), defaults = PackDms(S{});
    constexpr int kCount = int(std::size(S::kFields));
    return std::make_unique<CTagBuf>(S::kLabel, kCount, S::kFields, defaults.data(), 1,
                                     int(unit.size()), unit.data(), 1, 0);
}

// 1 when the list holds the tag and a unit was taken from it.
template <class S>
int ReadDms(const CTagBufLst& list, S& s) {
    const CTagBuf* stored = list.FindTag(S::kLabel);
    if (!stored) return 0;
    std::unique_ptr<CTagBuf> own = NewDmsTag(S{});
    own->LoadFromStored(*stored, 1);
    if (own->Count() < 1 || own->ElementSize() != DmsUnitSize(S::kFields)) return 0;
    UnpackDms(own->Data(), s);
    return 1;
}
