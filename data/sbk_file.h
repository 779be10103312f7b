// CSbkFile: ".Sbk" files, a shape book on its own.
//
// Layout: "SBK " and the version text "V00" in a 16-byte header, then one section labelled
// with the book's file label (given by the caller) holding the book's tag list.
//
// Loading resets the book first, then reports, in a message box with the error icon (while
// messages are on):
//   "Not SBK file !"                            the file is of another kind
//   "Label '%s' [with number %d ]not found"     no section of that label (and number)
//   "read data failed !"                        the section's list cannot be read
// followed by " - '<file>'" when the file has a name. A file that cannot be opened gives
// "Failed to open '%s' !". Progress is reported at 10 and 100.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class CGenFile;
class CSbk;

class CSbkFile {
public:
    static constexpr const char* kFileKind = "SBK ";
    static constexpr int kVersion = 0;

    void SetShowMessages(bool on) { m_showMessages = on; }
    void SetProgress(std::function<void(int percent)> progress) {
        m_progress = std::move(progress);
    }
    // The text of the last failure (also when messages are off), empty after a success.
    const std::string& LastMessage() const { return m_lastMessage; }

    // Writes through a temporary file: a failed save leaves the old file in place.
    int Save(const std::string& path, const CSbk& sbk, const char* fileLabel);
    int Save(CGenFile& file, const CSbk& sbk, const char* fileLabel);

    // num: the section's Num must match too. version receives the header's version text.
    int Load(const std::string& path, CSbk& sbk, const char* fileLabel,
             std::optional<int32_t> num = std::nullopt, std::string* version = nullptr);
    int Load(CGenFile& file, CSbk& sbk, const char* fileLabel,
             std::optional<int32_t> num = std::nullopt, std::string* version = nullptr);

private:
    int Fail(const CGenFile& file, const std::string& text);
    void Progress(int percent) const {
        if (m_progress) m_progress(percent);
    }

    bool m_showMessages = true;
    std::function<void(int)> m_progress;
    std::string m_lastMessage;
};
