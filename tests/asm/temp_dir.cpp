#include "tests/asm/temp_dir.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

TempDir::TempDir() {
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string("orvane-asm-") + (info ? info->test_suite_name() : "x") + "-" +
                       (info ? info->name() : "x") + "-" + std::to_string(getpid());
    for (char& c : name)
        if (c == '/') c = '_';
    m_dir = fs::temp_directory_path() / name;
    fs::create_directories(m_dir);
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(m_dir, ec);
}

std::string TempDir::Write(const std::string& name, const std::string& text) const {
    fs::path p = m_dir / name;
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << text;
    return p.string();
}

std::string TempDir::WriteWords(const std::string& name, const std::vector<uint16_t>& words) const {
    std::string bytes;
    for (uint16_t w : words) {
        bytes += char(w & 0xFF);
        bytes += char(w >> 8);
    }
    return Write(name, bytes);
}

std::string TempDir::Read(const std::string& name) const {
    std::ifstream f(m_dir / name, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

std::vector<uint16_t> TempDir::ReadWords(const std::string& name) const {
    std::string bytes = Read(name);
    std::vector<uint16_t> words(bytes.size() / 2);
    for (size_t i = 0; i < words.size(); ++i)
        words[i] = uint16_t(uint8_t(bytes[2 * i]) | (uint8_t(bytes[2 * i + 1]) << 8));
    return words;
}
