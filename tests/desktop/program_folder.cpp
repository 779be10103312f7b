#include "tests/desktop/program_folder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::string MakeTempFolder() {
    char path[] = "/tmp/orvane-test-XXXXXX";
    return mkdtemp(path) ? path : "";
}

void LinkOrCopy(const fs::path& from, const fs::path& to) {
    std::error_code error;
    fs::create_hard_link(from, to, error);
    if (error) fs::copy_file(from, to, fs::copy_options::overwrite_existing);
}

}  // namespace

CProgramFolder::CProgramFolder()
    : CProgramFolder({kSmallPanelFile, kLargePanelFile, kSegLcdFile, kContainerFile}) {}

CProgramFolder::CProgramFolder(const std::vector<std::string>& modelFiles)
    : m_path(MakeTempFolder()) {
    const fs::path bin(ORVANE_BIN_DIR);
    LinkOrCopy(bin / "orvane", fs::path(m_path) / "orvane");
    for (const std::string& name : modelFiles)
        LinkOrCopy(bin / name, fs::path(m_path) / name);
}

CProgramFolder::~CProgramFolder() {
    std::error_code error;
    if (!m_path.empty()) fs::remove_all(m_path, error);
}

void CProgramFolder::Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(File(name), std::ios::binary) << bytes;
}

CTempFolder::CTempFolder() : m_path(MakeTempFolder()) {}

CTempFolder::~CTempFolder() {
    std::error_code error;
    if (!m_path.empty()) fs::remove_all(m_path, error);
}
