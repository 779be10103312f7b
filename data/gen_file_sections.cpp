// Section writing and lookup of CGenFile.
#include <algorithm>
#include <cstring>

#include "data/gen_file.h"
#include "data/section_header.h"

int CGenFile::BeginSection(const char* label, int32_t num) {
    if (!m_writing || !label || std::strlen(label) > size_t(kMaxSectionLabel)) return 0;
    if (!m_open.empty()) {
        OpenSection& inner = m_open.back();
        if (inner.innerOff == -1)
            inner.innerOff = int32_t(m_position - (inner.headerPos + kSectionHeaderSize));
    }
    m_open.push_back({label, num, m_position, -1});
    m_position += kSectionHeaderSize;
    return 1;
}

int CGenFile::WriteHeader(const OpenSection& s, int64_t end) {
    SSectionHeader header;
    header.label = s.label;
    header.num = s.num;
    header.dataLen = int32_t(end - s.headerPos - kSectionHeaderSize);
    header.innerOff = s.innerOff;
    uint8_t stored[kSectionHeaderSize];
    PackSectionHeader(header, stored);
    m_position = s.headerPos;
    return Write(stored, kSectionHeaderSize) == kSectionHeaderSize;
}

int CGenFile::EndSection(const char* label) {
    if (!m_writing || m_open.empty()) return 0;
    size_t from = m_open.size() - 1;
    if (label) {
        auto it = std::find_if(m_open.rbegin(), m_open.rend(),
                               [&](const OpenSection& s) { return s.label == label; });
        if (it == m_open.rend()) return 0;
        from = size_t(m_open.rend() - it) - 1;
    }
    return EndSectionsFrom(from);
}

int CGenFile::EndSectionsFrom(size_t from) {
    if (from >= m_open.size()) return 0;
    int64_t end = m_position;
    // A section whose header sits at the end has no data yet: the file must still reach
    // the end of its header.
    end = std::max(end, m_open.back().headerPos + kSectionHeaderSize);
    int ok = 1;
    for (size_t i = from; i < m_open.size(); ++i)
        ok = WriteHeader(m_open[i], end) && ok;
    m_open.resize(from);
    m_position = end;
    return ok;
}

const std::vector<SSectionEntry>& CGenFile::SectionIndex() {
    if (!m_indexBuilt) {
        if (m_kind == Kind::Memory)
            m_index = BuildSectionIndex(m_memory.Data(), m_length);
        else if (m_kind == Kind::Disk)
            m_index = BuildSectionIndex(
                m_length, [this](int64_t p, void* d, int64_t n) { return ReadAt(p, d, n); });
        else
            m_index.clear();
        m_indexBuilt = true;
    }
    return m_index;
}

int CGenFile::NextSection(SSectionInfo* out) {
    const std::vector<SSectionEntry>& index = SectionIndex();
    auto it = std::lower_bound(index.begin(), index.end(), m_position,
                               [](const SSectionEntry& e, int64_t p) { return e.position < p; });
    if (it == index.end()) return 0;
    if (out) {
        out->label = it->label;
        out->num = it->num;
        out->dataLen = it->dataLen;
        out->innerOff = it->innerOff;
    }
    m_position = it->position + kSectionHeaderSize;
    return 1;
}

int CGenFile::FindSectionWhere(const char* label, const std::optional<int32_t>& num,
                               SSectionInfo* out) {
    if (!label) return 0;
    SSectionInfo info;
    while (NextSection(&info)) {
        if (info.label == label && (!num || info.num == *num)) {
            if (out) *out = std::move(info);
            return 1;
        }
    }
    return 0;
}

int CGenFile::FindSection(const char* label, SSectionInfo* out) {
    return FindSectionWhere(label, std::nullopt, out);
}

int CGenFile::FindSection(const char* label, int32_t num, SSectionInfo* out) {
    return FindSectionWhere(label, num, out);
}
