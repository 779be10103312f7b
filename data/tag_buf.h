// CTagBuf: a labelled array of equal-sized units, optionally described by named, typed
// fields (see tag_field.h).
//
// The units are the elements of the CBuf base. On top of it a tag buffer holds its label
// (bytes with the terminating NUL; a fresh tag buffer holds a single NUL), its field
// descriptors (none for a raw tag buffer), a default unit, the load status of each field
// and the as-stored flag.
//
// Objects store their scalar settings as one unit of a described tag buffer (labels ending
// in "DMS") and their arrays as raw tag buffers. When a stored layout differs from the
// program's, LoadFromStored converts the stored units field by field, matching fields by
// name (see tag_convert.cpp for the rules). This keeps files of older and newer layouts
// readable.
//
// File form (WriteTag / ReadTag): the label, the descriptors and the units, each in the
// element buffer's file form (12-byte header, then the data). The default unit, the load
// status and the flag are not stored.
//
// Text dump (diagnostic):
//   {CTagBuf lable = 'PIXBUFDMS', UnitCnt = 1}
//   {Unit 0/1}
//   [Type            ] = 0
//   [Dpi             ] = 72.000000
// Elements are separated by ",\t"; after every tenth a new line starts, indented to the
// values. Raw units print as their bytes under an empty field name.
#pragma once

#include <climits>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/tag_field.h"
#include "util/cbuf.h"

class CByteStream;

class CTagBuf : public CBuf {
public:
    // Load status of a field after LoadFromStored: (found, how).
    struct SFieldStatus {
        int32_t found;  // 1 when the stored layout has a field of that name
        int32_t how;    // 0 default kept, 1 copied as it was, 2 converted element by element
    };

    CTagBuf();
    // A tag buffer with the program's layout; see Init.
    CTagBuf(const char* label, int fieldCount, const STagField* fields, const void* defaultUnit,
            int unitCount, int unitSize, const void* data, int copy, int growStep);
    // A raw tag buffer holding a copy of the buffer's units.
    CTagBuf(const char* label, const CBuf& units);
    // A raw tag buffer of 1-byte units.
    CTagBuf(const char* label, const void* bytes, int length);

    // Copies the label and the descriptors, takes the default unit (one unit of unitSize
    // bytes, or none) and sets the units by Assign. Returns the unit data, or nullptr when
    // there are descriptors that do not add up to unitSize (no units are set then).
    uint8_t* Init(const char* label, int fieldCount, const STagField* fields,
                  const void* defaultUnit, int unitCount, int unitSize, const void* data, int copy,
                  int growStep);

    std::string_view TagLabel() const;
    void SetTagLabel(std::string_view label);

    int FieldCount() const;
    // Descriptor i (25 bytes), or nullptr out of range.
    const uint8_t* FieldDescriptor(int i) const;
    std::string_view FieldName(int i) const;
    // Type 2 and count 0 for an index out of range.
    int32_t FieldType(int i) const;
    int32_t FieldElements(int i) const;
    int FieldElementSize(int i) const { return TagTypeSize(FieldType(i)); }
    // 0 for a field with an unknown type or a negative count.
    int64_t FieldSize(int i) const;
    int64_t FieldOffset(int i) const;
    // The unit size that the descriptors imply.
    int64_t LayoutUnitSize() const;
    // The descriptors add up to the unit size and every field has a known type.
    bool IsConsistent() const;
    bool LayoutFits(int64_t unitSize) const;
    // A label, field names of at most 16 characters, no name twice.
    bool IsWellFormed() const;

    const CBuf& Descriptors() const { return m_descriptors; }
    const CBuf& DefaultUnit() const { return m_defaultUnit; }
    const CBuf& LoadStatus() const { return m_loadStatus; }
    SFieldStatus FieldStatus(int i) const;
    bool AsStored() const { return m_asStored != 0; }
    void SetAsStored(bool on) { m_asStored = on ? 1 : 0; }

    // Copies count, unit size and bytes of the units into out.
    int CopyUnitsTo(CBuf& out) const;

    // Empties the units and takes those of the stored tag buffer, converted into this
    // layout when both have descriptors and they differ. At most maxUnits units are taken
    // (objects that read one unit of settings ask for one). Returns the unit data.
    uint8_t* LoadFromStored(const CTagBuf& stored, int maxUnits = INT_MAX);

    void DumpText(std::vector<std::string>& lines, const std::string& indent = "",
                  int maxUnits = INT_MAX) const;

    int WriteTag(CByteStream& file) const;
    // Reads the file form. On failure the parts read so far are kept. Marks the tag
    // buffer as stored.
    int ReadTag(CByteStream& file);

private:
    void SetRawUnits(const void* bytes, int count, int unitSize);
    bool TakeUnchanged(const CTagBuf& stored, int units);
    void ConvertFrom(const CTagBuf& stored, int units);

    CBuf m_labelBytes;
    CBuf m_descriptors;
    CBuf m_defaultUnit;
    CBuf m_loadStatus;
    int32_t m_asStored = 0;
};
