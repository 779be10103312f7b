#include "tools/run/staged_output.h"

#include <filesystem>
#include <system_error>

int CStagedOutput::Open(const std::string& path) {
    Discard();
    m_path = path;
    m_tempPath = path + ".part";
    m_file = std::fopen(m_tempPath.c_str(), "wb");
    m_failed = false;
    m_buffer.clear();
    m_buffer.reserve(kBufferBytes);
    return m_file != nullptr;
}

void CStagedOutput::Flush() {
    if (!m_buffer.empty()) WriteThrough({m_buffer.data(), m_buffer.size()});
    m_buffer.clear();
}

void CStagedOutput::WriteThrough(std::string_view bytes) {
    if (!m_file || m_failed) return;
    if (std::fwrite(bytes.data(), 1, bytes.size(), m_file) != bytes.size()) m_failed = true;
}

int CStagedOutput::Commit() {
    if (!m_file) return 0;
    Flush();
    bool ok = !m_failed;
    ok = std::fclose(m_file) == 0 && ok;
    m_file = nullptr;
    std::error_code ec;
    if (ok) std::filesystem::rename(m_tempPath, m_path, ec);
    if (!ok || ec) {
        std::filesystem::remove(m_tempPath, ec);
        return 0;
    }
    m_tempPath.clear();
    return 1;
}

void CStagedOutput::Discard() {
    if (!m_file) return;
    std::fclose(m_file);
    m_file = nullptr;
    std::error_code ec;
    std::filesystem::remove(m_tempPath, ec);
    m_buffer.clear();
}
