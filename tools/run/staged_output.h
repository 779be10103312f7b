// CStagedOutput: an output file that appears only when it is complete.
//
// Open creates "<path>.part" next to the destination (so an unwritable destination is
// found before a long run, not after it); Write buffers and writes in large blocks; Commit
// flushes, closes and renames the temporary over the path. A staged output that is never
// committed (an error, an early return) removes its temporary file, so a failed run never
// leaves a half-written output or replaces an earlier complete one.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

class CStagedOutput {
public:
    CStagedOutput() = default;
    ~CStagedOutput() { Discard(); }
    CStagedOutput(const CStagedOutput&) = delete;
    CStagedOutput& operator=(const CStagedOutput&) = delete;

    // 1 when the temporary file could be created.
    int Open(const std::string& path);
    bool IsOpen() const { return m_file != nullptr; }
    const std::string& Path() const { return m_path; }

    void Write(std::string_view bytes) {
        if (m_buffer.size() + bytes.size() > kBufferBytes) Flush();
        if (bytes.size() > kBufferBytes) {
            WriteThrough(bytes);
            return;
        }
        m_buffer.insert(m_buffer.end(), bytes.begin(), bytes.end());
    }
    // 1 when every byte reached the disk and the file now has its name.
    int Commit();
    // Closes and removes the temporary file (nothing happens after Commit).
    void Discard();

private:
    static constexpr size_t kBufferBytes = 1 << 20;
    void Flush();
    void WriteThrough(std::string_view bytes);

    std::FILE* m_file = nullptr;
    std::string m_path;
    std::string m_tempPath;
    std::vector<char> m_buffer;
    bool m_failed = false;
};
