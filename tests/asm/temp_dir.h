// A fresh folder per test for source files and images, removed afterwards.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string Path(const std::string& name) const { return (m_dir / name).string(); }
    // Writes a file (creating its folders) and returns its path.
    std::string Write(const std::string& name, const std::string& text) const;
    std::string WriteWords(const std::string& name, const std::vector<uint16_t>& words) const;
    std::string Read(const std::string& name) const;
    std::vector<uint16_t> ReadWords(const std::string& name) const;
    bool Exists(const std::string& name) const { return std::filesystem::exists(m_dir / name); }

private:
    std::filesystem::path m_dir;
};
