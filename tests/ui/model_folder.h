// A temporary program folder with the demo model's files (hard links to, or copies of, the
// built ones), for tests of the start-up and the main dialog. Files can be left out, written
// over or added. The folder, and any current directory inside it, go with the object.
#pragma once

#include <string>
#include <vector>

inline constexpr const char* kDemoSmallPanel = "ZT_K318V_SP.CalPnl";
inline constexpr const char* kDemoLargePanel = "ZT_K318V_LP.CalPnl";
inline constexpr const char* kDemoSegLcd = "ZT_K318V.SegLcd";
inline constexpr const char* kDemoContainer = "ZT_K318V.eepm";

class CModelFolder {
public:
    // Every model file, or the ones named.
    CModelFolder();
    explicit CModelFolder(const std::vector<std::string>& files);
    ~CModelFolder();
    CModelFolder(const CModelFolder&) = delete;
    CModelFolder& operator=(const CModelFolder&) = delete;

    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }
    // Replaces a file (never writing through a link to the build's file).
    void Write(const std::string& name, const std::string& bytes) const;

private:
    std::string m_path;
    std::string m_previousDirectory;
};
