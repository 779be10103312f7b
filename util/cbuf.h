// CBuf: the growable array of fixed-size elements used everywhere.
//
// A buffer either owns its memory (zero-filled when allocated, freed on destruction) or
// borrows memory that belongs to someone else (never freed, never resized). Every element
// has the same size in bytes. A buffer carries a 64-byte text label.
//
// Growth: each reallocation adds growStep spare elements, and after every append growStep
// becomes at least twice the new count, so that appending is amortised.
//
// Two serial forms:
//   - inside another byte buffer (SerializeInto / DeserializeFrom): a 16-byte header
//     count, elementSize, growStep, borrowed (int32 little-endian each), then the data;
//   - in a file (WriteTo / ReadFrom): a 12-byte header count, elementSize, growStep,
//     then the data.
//
// Operations that refuse return 0, or the current data pointer for those that return one,
// and change nothing. Sizes are signed 32-bit; a buffer never holds more than INT32_MAX bytes.
#pragma once

#include <cstdint>

class CByteStream;

class CBuf {
public:
    static constexpr int kLabelSize = 64;

    CBuf() = default;
    // Same as Assign on a fresh buffer.
    CBuf(int count, int elementSize, const void* source = nullptr, int copyFlag = 0,
         int growStep = 10);
    CBuf(const CBuf& other);
    CBuf& operator=(const CBuf& other);
    CBuf(CBuf&& other) noexcept;
    CBuf& operator=(CBuf&& other) noexcept;
    virtual ~CBuf();

    // Frees owned data, clears the label, sets the sizes. With a source and copyFlag 0 the
    // buffer borrows the source; otherwise it allocates count + growStep zeroed elements and
    // copies count elements from the source when there is one.
    uint8_t* Assign(int count, int elementSize, const void* source, int copyFlag, int growStep);
    // Assign from other (copying its data and label). A borrowed target refuses.
    int CopyFrom(const CBuf& other);
    // Frees owned data and returns to the default state.
    void Clear();

    uint8_t* Resize(int n, int shrinkFlag = 0);

    uint8_t* Data() { return m_data; }
    const uint8_t* Data() const { return m_data; }
    uint8_t* ElementPointer(int i, int boundsTest = 1);
    const uint8_t* ElementPointer(int i, int boundsTest = 1) const;

    int Count() const { return m_count; }
    int ElementSize() const { return m_elementSize; }
    int GrowStep() const { return m_growStep; }
    int Capacity() const { return m_capacity; }
    int IsBorrowed() const { return m_borrowed; }
    int TotalBytes() const { return m_count * m_elementSize; }
    void SetGrowStep(int n) { m_growStep = n < 0 ? 0 : n; }

    int SetElement(int i, const void* source);
    int SetElementSized(int i, const void* source, int length);
    int GetElement(int i, void* destination) const;
    int32_t GetInt(int i) const;
    double GetDouble(int i) const;

    uint8_t* Append(const void* source, int n);
    uint8_t* AppendInt(int32_t value);
    uint8_t* AppendBuffer(const CBuf& other);
    uint8_t* Insert(const void* source, int position, int n);
    uint8_t* InsertZeros(int position, int n);
    int Remove(int position, int n, void* destination = nullptr);
    int ChangeElementSize(int newSize);
    void Reverse();
    // Scrambles the data bytes in place (C_Encrypt::Scramble); its result.
    int Scramble();

    int SerializeInto(CBuf* target) const;
    // Reads a 16-byte-header form at offset of bytes (bytes of a byte buffer or a raw block)
    // and advances offset. Refuses a form that does not fit in the bytes that are there.
    int DeserializeFrom(const CBuf* bytes, int& offset);
    int DeserializeFrom(const uint8_t* bytes, int length, int& offset);

    int WriteTo(CByteStream& file) const;
    // Refuses a negative count, an element size <= 0, and data the stream cannot hold.
    int ReadFrom(CByteStream& file);

    const char* Label() const { return m_label; }
    // Copies at most 63 characters; the label stays NUL-terminated.
    void SetLabel(const char* text);
    const char* RawLabel() const { return m_label; }
    void SetRawLabel(const char (&label)[kLabelSize]);

private:
    void FreeData();
    void ApplyGrowthRule();
    // Reallocates to n elements with n + growStep capacity; keeps the existing bytes.
    bool Reallocate(int n);

    int m_count = 0;
    int m_elementSize = 1;
    int m_growStep = 100;
    int m_capacity = 0;
    int m_borrowed = 0;
    uint8_t* m_data = nullptr;
    char m_label[kLabelSize] = {};
};
