#include "app/ini.h"

#include "app/ini_text.h"

using namespace ini_text;

namespace {
const std::string kEmpty;
}

void CIni::Clear() {
    m_sections.clear();
    m_loaded = false;
}

void CIni::SetLines(std::vector<std::string> lines) {
    m_sections.clear();
    for (const std::string& raw : lines) {
        std::string_view line = Trim(StripComment(raw));
        if (line.empty()) continue;
        if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
            m_sections.push_back({std::string(Trim(line.substr(1, line.size() - 2))), {}});
            continue;
        }
        size_t eq = line.find('=');
        if (eq == std::string_view::npos || m_sections.empty()) continue;
        std::string_view name = Trim(line.substr(0, eq));
        if (name.empty()) continue;
        Key key;
        key.name = std::string(name);
        key.line = std::string(line);
        for (std::string_view v : SplitValues(Trim(line.substr(eq + 1))))
            key.values.emplace_back(v);
        m_sections.back().keys.push_back(std::move(key));
    }
}

int CIni::KeyCount(int section) const {
    return section >= 0 && section < SectionCount() ? int(m_sections[size_t(section)].keys.size())
                                                    : 0;
}

const std::string& CIni::SectionName(int section) const {
    return section >= 0 && section < SectionCount() ? m_sections[size_t(section)].name : kEmpty;
}

const std::string& CIni::KeyName(int section, int key) const {
    const Key* k = KeyAt(section, key);
    return k ? k->name : kEmpty;
}

int CIni::FindSection(const std::string& name) const {
    for (size_t i = 0; i < m_sections.size(); ++i)
        if (EqualNoCase(m_sections[i].name, name)) return int(i);
    return -1;
}

int CIni::FindKey(int section, const std::string& name) const {
    if (section < 0 || section >= SectionCount()) return -1;
    const auto& keys = m_sections[size_t(section)].keys;
    for (size_t i = 0; i < keys.size(); ++i)
        if (EqualNoCase(keys[i].name, name)) return int(i);
    return -1;
}

const CIni::Key* CIni::KeyAt(int section, int key) const {
    if (section < 0 || section >= SectionCount()) return nullptr;
    const auto& keys = m_sections[size_t(section)].keys;
    return key >= 0 && key < int(keys.size()) ? &keys[size_t(key)] : nullptr;
}

int CIni::ValueCount(int section, int key) const {
    const Key* k = KeyAt(section, key);
    return k ? int(k->values.size()) : 0;
}

int CIni::GetString(int section, int key, int valueIndex, std::string& out) const {
    const Key* k = KeyAt(section, key);
    if (!k || valueIndex < 0 || valueIndex >= int(k->values.size())) return 0;
    out = std::string(Trim(k->values[size_t(valueIndex)]));
    return 1;
}

int CIni::GetInt(int section, int key, int valueIndex, int& out) const {
    std::string text;
    if (!GetString(section, key, valueIndex, text)) return 0;
    out = TruncToInt(ToNumber(text));
    return 1;
}
