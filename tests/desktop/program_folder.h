// A program folder of the tests' own: the built orvane (hard-linked, or copied where a link
// is not possible) with the demo model's files that a test chooses, in a fresh temporary
// folder. orvane reads its model from the folder it runs from, so each test can leave files
// out, damage them or add a Novaro.ini. The folder goes with the object.
#pragma once

#include <string>
#include <vector>

inline constexpr const char* kSmallPanelFile = "ZT_K318V_SP.CalPnl";
inline constexpr const char* kLargePanelFile = "ZT_K318V_LP.CalPnl";
inline constexpr const char* kSegLcdFile = "ZT_K318V.SegLcd";
inline constexpr const char* kContainerFile = "ZT_K318V.eepm";

class CProgramFolder {
public:
    // Every model file, or the ones named.
    CProgramFolder();
    explicit CProgramFolder(const std::vector<std::string>& modelFiles);
    ~CProgramFolder();
    CProgramFolder(const CProgramFolder&) = delete;
    CProgramFolder& operator=(const CProgramFolder&) = delete;

    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }
    std::string Program() const { return File("orvane"); }
    void Write(const std::string& name, const std::string& bytes) const;

private:
    std::string m_path;
};

// A fresh temporary folder, removed with the object.
class CTempFolder {
public:
    CTempFolder();
    ~CTempFolder();
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};
