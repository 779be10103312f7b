// CIni: a parsed configuration file, queried by section and key index.
//
// Sections and keys are matched without regard to case; the first of several equal names
// wins. A key line is "name = value, value, ..."; the values are split on commas outside
// double quotes (the quotes stay part of the value) and trimmed when read. Key lines before
// the first section header belong to no section and are not reachable.
//
// CheckValues tests a key's values against a value specification and reports what does not
// fit in a Yes/No message box ("Continue parsing ini ?"); answering No switches the checks off
// for the rest of the reading. See ini_check.cpp for the specification language.
//
// Indexes are 0-based; -1 means not found.
#pragma once

#include <string>
#include <vector>

class CIni {
public:
    CIni() = default;
    virtual ~CIni() = default;

    // Replaces the contents with these preprocessed lines (comments still in them).
    void SetLines(std::vector<std::string> lines);
    void Clear();
    bool IsLoaded() const { return m_loaded; }
    void SetLoaded(bool loaded) { m_loaded = loaded; }

    int SectionCount() const { return int(m_sections.size()); }
    int KeyCount(int section) const;
    const std::string& SectionName(int section) const;
    const std::string& KeyName(int section, int key) const;

    int FindSection(const std::string& name) const;
    int FindKey(int section, const std::string& name) const;
    int ValueCount(int section, int key) const;
    // 1 and the value (trimmed) when valueIndex is within 0 .. count-1, else 0.
    int GetString(int section, int key, int valueIndex, std::string& out) const;
    // 1 and the value read as a floating-point number truncated toward zero, else 0.
    int GetInt(int section, int key, int valueIndex, int& out) const;

    // Always 1. expectedCount -1: any count; repeatStart -1: no repetition.
    int CheckValues(int section, int key, int expectedCount, int repeatStart,
                    const std::string& specification);
    void SetChecksOn(bool on) { m_checksOn = on; }
    bool ChecksOn() const { return m_checksOn; }

private:
    struct Key {
        std::string name;
        std::string line;                 // the whole line, comment removed, trimmed
        std::vector<std::string> values;  // untrimmed pieces of the value text
    };
    struct Section {
        std::string name;
        std::vector<Key> keys;
    };
    const Key* KeyAt(int section, int key) const;

    std::vector<Section> m_sections;
    bool m_loaded = false;
    bool m_checksOn = true;
};
