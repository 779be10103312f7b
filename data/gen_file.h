// CGenFile: the file object of the data-file container.
//
// A CGenFile works on a disk file or on a block of memory; both give the same bytes, so
// everything that reads or writes a container can be run on either. It is a CByteStream,
// so element buffers (CBuf::WriteTo / ReadFrom) and tag buffers read and write through it.
//
// Reading:  OpenRead(path) or OpenMemory(bytes); LoadWholeFile() pulls a disk file into
//           memory so that every later read (the section scan included) is served from it.
// Writing:  OpenWrite(path) or CreateMemory(). A disk file is written to "<path>.part" and
//           renamed over the path by Close(), so a failed save never destroys the file that
//           was there before; Close() returns 0 when any write failed.
//
// Sections: BeginSection(label, num) reserves a 68-byte header at the position;
// EndSection(label) fills in the lengths and writes the header (and those of any sections
// opened inside it that are still open). Close() ends every open section. Labels have at
// most 49 characters.
//
// Finding sections: on the first lookup the whole file is scanned for section headers (see
// section_index.h). NextSection() moves to the first indexed section at or after the
// position; FindSection(label) repeats it until the label matches, so the search runs
// forward from the current position only.
//
// Open failures show "Failed to open '%s' !" / "Failed to create '%s' !" (error icon) only
// when the caller asks for a report.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "data/section_index.h"
#include "util/byte_stream.h"
#include "util/cbuf.h"

struct SSectionInfo {
    std::string label;
    int32_t num = 0;
    int32_t dataLen = 0;
    int32_t innerOff = -1;
};

class CGenFile : public CByteStream {
public:
    // Mode flag of the open operations. Text and binary mode read the same bytes on the
    // platforms orvane runs on; the flag is kept for callers that state their intent.
    static constexpr int kTextMode = 1;
    enum class Origin { Begin, Current, End };

    CGenFile() = default;
    CGenFile(const CGenFile&) = delete;
    CGenFile& operator=(const CGenFile&) = delete;
    ~CGenFile() override;

    int OpenRead(const std::string& path, int modeFlags = 0, int report = 1);
    int OpenWrite(const std::string& path, int modeFlags = 0, int report = 1);
    // Reads from a copy of the bytes.
    int OpenMemory(const void* bytes, int64_t length);
    int OpenMemory(const CBuf& bytes) { return OpenMemory(bytes.Data(), bytes.TotalBytes()); }
    // Writes into memory; the bytes stay available through Memory() after Close().
    int CreateMemory();
    // Reads the whole disk file into memory; later reads are served from it. 1 at once for
    // a memory file.
    int LoadWholeFile();

    // Ends the open sections and closes. For a disk file being written, commits it; 0 when
    // a write failed (the previous file at the path is then left as it was).
    int Close();
    // Closes without committing: a disk file being written is dropped and the file at the
    // path stays as it was. For writers that fail halfway.
    void Abandon();
    bool IsOpen() const { return m_kind != Kind::Closed; }
    bool IsWriting() const { return m_writing; }
    bool InMemory() const { return m_kind == Kind::Memory; }
    // Bytes of a memory file (valid after Close too).
    const CBuf& Memory() const { return m_memory; }
    const std::string& Path() const { return m_path; }

    int64_t Read(void* dst, int64_t n);
    int64_t Write(const void* src, int64_t n);
    int Seek(int64_t offset, Origin origin = Origin::Begin);
    int64_t Position() const { return m_position; }
    int64_t Length() const { return m_length; }

    int64_t ReadBytes(void* dst, int64_t n) override { return Read(dst, n); }
    int64_t WriteBytes(const void* src, int64_t n) override { return Write(src, n); }
    int64_t BytesLeft() override;

    // Little-endian values; the read helpers return 0 when the bytes are not there.
    int ReadU8(uint8_t* v) { return Read(v, 1) == 1; }
    int ReadU16(uint16_t* v);
    int ReadU32(uint32_t* v);
    int ReadU64(uint64_t* v);
    int WriteU8(uint8_t v) { return Write(&v, 1) == 1; }
    int WriteU16(uint16_t v);
    int WriteU32(uint32_t v);
    int WriteU64(uint64_t v);
    // An int32 length and then the characters. A length the file cannot hold fails.
    int ReadString(std::string* s);
    int WriteString(const std::string& s);
    // A line up to "\n" with every "\r" dropped; 0 at the end of the file.
    int ReadLine(std::string* line);
    // The text followed by the bytes 13 and 10.
    int WriteLine(const std::string& line);

    int BeginSection(const char* label, int32_t num);
    // Without a label, ends the innermost open section.
    int EndSection(const char* label = nullptr);
    int NextSection(SSectionInfo* out = nullptr);
    int FindSection(const char* label, SSectionInfo* out = nullptr);
    // The same, also requiring the section's Num.
    int FindSection(const char* label, int32_t num, SSectionInfo* out);

    const std::vector<SSectionEntry>& SectionIndex();
    std::vector<std::string> SectionListDump() { return SectionListLines(SectionIndex()); }

private:
    enum class Kind { Closed, Disk, Memory };
    struct OpenSection {
        std::string label;
        int32_t num;
        int64_t headerPos;
        int32_t innerOff;
    };

    void Reset();
    int64_t ReadAt(int64_t position, void* dst, int64_t n);
    bool DiskSeek(int64_t position, bool writing);
    int WriteHeader(const OpenSection& s, int64_t end);
    // Ends the open section at this depth and every one opened inside it.
    int EndSectionsFrom(size_t from);
    int FindSectionWhere(const char* label, const std::optional<int32_t>& num, SSectionInfo* out);

    Kind m_kind = Kind::Closed;
    bool m_writing = false;
    bool m_writeFailed = false;
    std::string m_path;
    std::string m_tempPath;
    std::FILE* m_file = nullptr;
    int64_t m_diskAt = -1;  // the disk stream's position, -1 when unknown
    bool m_diskWriting = false;
    CBuf m_memory;
    int64_t m_position = 0;
    int64_t m_length = 0;
    std::vector<OpenSection> m_open;
    std::vector<SSectionEntry> m_index;
    bool m_indexBuilt = false;
};
