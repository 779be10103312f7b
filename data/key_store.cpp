#include "data/key_store.h"

#include <cstring>

#include "data/dms.h"
#include "data/tag_buf_list.h"

namespace {

constexpr const char* kKeysTag = "INIKEYS";

std::string UpToNul(const std::string& text) {
    return text.substr(0, text.find('\0'));
}

}  // namespace

void CKeyStore::Set(const std::string& section, const std::string& key, const std::string& value) {
    SEntry entry{UpToNul(section), UpToNul(key), UpToNul(value)};
    for (SEntry& e : m_entries) {
        if (e.section == entry.section && e.key == entry.key) {
            e.value = entry.value;
            return;
        }
    }
    m_entries.push_back(std::move(entry));
}

bool CKeyStore::Get(const std::string& section, const std::string& key, std::string* value) const {
    for (const SEntry& e : m_entries) {
        if (e.section == section && e.key == key) {
            if (value) *value = e.value;
            return true;
        }
    }
    return false;
}

std::unique_ptr<CTagBufLst> CKeyStore::BuildTagList() const {
    auto list = std::make_unique<CTagBufLst>();
    SIniDms dms;
    dms.keyCount = Count();
    list->Add(NewDmsTag(dms));
    std::string bytes;
    for (const SEntry& e : m_entries) {
        for (const std::string* text : {&e.section, &e.key, &e.value}) {
            bytes += *text;
            bytes.push_back('\0');
        }
    }
    list->Add(std::make_unique<CTagBuf>(kKeysTag, bytes.data(), int(bytes.size())));
    return list;
}

int CKeyStore::LoadFromTagList(const CTagBufLst& list) {
    m_entries.clear();
    const CTagBuf* keys = list.FindTag(kKeysTag);
    if (!keys || keys->ElementSize() != 1) return 1;
    const char* at = reinterpret_cast<const char*>(keys->Data());
    const char* end = at + keys->TotalBytes();
    std::string texts[3];
    int filled = 0;
    while (at && at < end) {
        size_t length = strnlen(at, size_t(end - at));
        if (at + length == end) break;  // a text without its NUL: the triple is incomplete
        texts[filled++].assign(at, length);
        at += length + 1;
        if (filled == 3) {
            m_entries.push_back({texts[0], texts[1], texts[2]});
            filled = 0;
        }
    }
    return 1;
}
