// CKeyStore: the key store of a shape book, a list of (section, key, value) texts that the
// editing tools keep with the book. The simulator loads and saves it unchanged.
//
// Tag form (under the child "Ini" of the book): "INIDMS" with "KeyCnt" (the number of keys,
// for people reading a dump) and the raw tag "INIKEYS": for every key, in order, its
// section, its key name and its value, each followed by a NUL. Texts are cut at a NUL of
// their own. Reading takes every complete triple of "INIKEYS".
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "data/tag_field.h"

class CTagBufLst;

struct SIniDms {
    static constexpr const char* kLabel = "INIDMS";
    static constexpr STagField kFields[] = {{"KeyCnt", kTagInt32, 1}};
    int32_t keyCount = 0;
    template <class Self, class Io>
    static void Fields(Self& s, Io& io) {
        io(s.keyCount);
    }
};

class CKeyStore {
public:
    struct SEntry {
        std::string section;
        std::string key;
        std::string value;
        bool operator==(const SEntry&) const = default;
    };

    void Clear() { m_entries.clear(); }
    int Count() const { return int(m_entries.size()); }
    const std::vector<SEntry>& Entries() const { return m_entries; }
    // Replaces the value of an existing (section, key), else appends. Names match exactly.
    void Set(const std::string& section, const std::string& key, const std::string& value);
    // false when there is no such key.
    bool Get(const std::string& section, const std::string& key, std::string* value) const;

    std::unique_ptr<CTagBufLst> BuildTagList() const;
    int LoadFromTagList(const CTagBufLst& list);

private:
    std::vector<SEntry> m_entries;
};
