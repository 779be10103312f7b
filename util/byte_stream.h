// CByteStream: what an element buffer needs of a file to write and read its file form.
// The container file of data/ implements it over a disk file or a memory block.
#pragma once

#include <cstdint>

class CByteStream {
public:
    virtual ~CByteStream() = default;
    // Both return the number of bytes transferred (n on success).
    virtual int64_t ReadBytes(void* dst, int64_t n) = 0;
    virtual int64_t WriteBytes(const void* src, int64_t n) = 0;
    // Bytes between the position and the end, or -1 when unknown. Readers use it to refuse
    // a stored size that the file cannot hold before they allocate for it.
    virtual int64_t BytesLeft() = 0;
};
