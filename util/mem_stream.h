// CMemStream: a CByteStream over bytes in memory (reads from the position, writes append
// or overwrite at the position).
#pragma once

#include <algorithm>
#include <cstring>
#include <vector>

#include "util/byte_stream.h"

class CMemStream : public CByteStream {
public:
    CMemStream() = default;
    explicit CMemStream(std::vector<uint8_t> bytes) : m_bytes(std::move(bytes)) {}

    int64_t ReadBytes(void* dst, int64_t n) override {
        int64_t take = std::max<int64_t>(0, std::min<int64_t>(n, BytesLeft()));
        if (take > 0) std::memcpy(dst, m_bytes.data() + m_pos, size_t(take));
        m_pos += size_t(take);
        return take;
    }
    int64_t WriteBytes(const void* src, int64_t n) override {
        if (n <= 0) return 0;
        if (m_pos + size_t(n) > m_bytes.size()) m_bytes.resize(m_pos + size_t(n));
        std::memcpy(m_bytes.data() + m_pos, src, size_t(n));
        m_pos += size_t(n);
        return n;
    }
    int64_t BytesLeft() override { return int64_t(m_bytes.size()) - int64_t(m_pos); }

    const std::vector<uint8_t>& Bytes() const { return m_bytes; }
    void Seek(size_t pos) { m_pos = std::min(pos, m_bytes.size()); }
    size_t Position() const { return m_pos; }

private:
    std::vector<uint8_t> m_bytes;
    size_t m_pos = 0;
};
