#include "data/tag_buf_list.h"

#include <algorithm>
#include <cstring>

#include "util/byte_stream.h"
#include "util/le.h"

namespace {

constexpr uint8_t kMagic[4] = {'T', 'B', 'L', ' '};

std::string_view Head(std::string_view label) {
    size_t slash = label.find('\\');
    return slash == std::string_view::npos ? label : label.substr(0, slash);
}

}  // namespace

CTagBuf* CTagBufLst::Add(std::unique_ptr<CTagBuf> tag) {
    if (!tag) return nullptr;
    m_tags.push_back(std::move(tag));
    return m_tags.back().get();
}

CTagBuf* CTagBufLst::Get(int i) {
    return i >= 0 && i < Count() ? m_tags[size_t(i)].get() : nullptr;
}

const CTagBuf* CTagBufLst::Get(int i) const {
    return i >= 0 && i < Count() ? m_tags[size_t(i)].get() : nullptr;
}

int CTagBufLst::Remove(int i) {
    if (i < 0 || i >= Count()) return 0;
    m_tags.erase(m_tags.begin() + i);
    return 1;
}

int CTagBufLst::Find(std::string_view label) const {
    for (int i = 0; i < Count(); ++i)
        if (m_tags[size_t(i)]->TagLabel() == label) return i;
    return -1;
}

const CTagBuf* CTagBufLst::FindTag(std::string_view label) const {
    return Get(Find(label));
}

int CTagBufLst::Nest(std::string_view prefix, CTagBufLst& child) {
    while (!prefix.empty() && prefix.back() == '\\')
        prefix.remove_suffix(1);
    if (prefix.empty()) return Count();
    std::string head = std::string(prefix) + "\\";
    for (auto& tag : child.m_tags) {
        tag->SetTagLabel(head + std::string(tag->TagLabel()));
        m_tags.push_back(std::move(tag));
    }
    child.m_tags.clear();
    return Count();
}

int CTagBufLst::Nest(std::string_view prefix, std::unique_ptr<CTagBufLst> child) {
    return child ? Nest(prefix, *child) : Count();
}

std::unique_ptr<CTagBufLst> CTagBufLst::Extract(std::string_view name, bool exact,
                                                std::vector<std::string>* suffixes,
                                                bool contiguous) {
    auto out = std::make_unique<CTagBufLst>();
    if (suffixes) suffixes->clear();
    size_t keep = 0, i = 0;
    bool matched = false;
    for (; i < m_tags.size(); ++i) {
        std::unique_ptr<CTagBuf>& tag = m_tags[i];
        std::string_view label = tag->TagLabel();
        std::string_view head = Head(label);
        bool match = !label.empty() && (exact ? head == name : head.starts_with(name));
        if (!match) {
            if (contiguous && matched) break;
            if (keep != i) m_tags[keep] = std::move(tag);
            ++keep;
            continue;
        }
        matched = true;
        if (!exact && suffixes) suffixes->emplace_back(head.substr(name.size()));
        std::string rest =
            head.size() < label.size() ? std::string(label.substr(head.size() + 1)) : std::string();
        tag->SetTagLabel(rest);
        out->m_tags.push_back(std::move(tag));
    }
    // Whatever follows a contiguous run stays as it is, in one move.
    auto tail = std::move(m_tags.begin() + std::ptrdiff_t(i), m_tags.end(),
                          m_tags.begin() + std::ptrdiff_t(keep));
    m_tags.erase(tail, m_tags.end());
    return out;
}

int CTagBufLst::WriteList(CByteStream& file) const {
    uint8_t header[kHeaderSize] = {};
    PutLe32(header, Count());
    std::memcpy(header + 8, kMagic, 4);
    if (file.WriteBytes(header, kHeaderSize) != kHeaderSize) return 0;
    for (const auto& tag : m_tags)
        if (!tag->WriteTag(file)) return 0;
    return 1;
}

int CTagBufLst::ReadList(CByteStream& file) {
    uint8_t header[kHeaderSize];
    if (file.ReadBytes(header, kHeaderSize) != kHeaderSize) return 0;
    bool magic = std::memcmp(header + 8, kMagic, 4) == 0;
    bool beforeMagic = GetLe32(header + 4) == 0 && GetLe32(header + 8) == 0;
    if (!magic && !beforeMagic) return 0;
    int32_t count = GetLe32(header);
    for (int32_t i = 0; i < count; ++i) {
        if (file.BytesLeft() == 0) break;  // a count the file cannot hold
        auto tag = std::make_unique<CTagBuf>();
        int read = tag->ReadTag(file);
        m_tags.push_back(std::move(tag));
        // A stream that cannot tell what is left ends the list at the first failure.
        if (!read && file.BytesLeft() < 0) break;
    }
    return 1;
}
