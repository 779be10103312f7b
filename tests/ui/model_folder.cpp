#include "tests/ui/model_folder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

CModelFolder::CModelFolder()
    : CModelFolder({kDemoSmallPanel, kDemoLargePanel, kDemoSegLcd, kDemoContainer}) {}

CModelFolder::CModelFolder(const std::vector<std::string>& files)
    : m_previousDirectory(fs::current_path().string()) {
    char path[] = "/tmp/orvane-model-XXXXXX";
    if (mkdtemp(path)) m_path = path;
    for (const std::string& name : files) {
        std::error_code error;
        fs::path from = fs::path(ORVANE_BIN_DIR) / name, to = fs::path(m_path) / name;
        fs::create_hard_link(from, to, error);
        if (error) fs::copy_file(from, to, error);
    }
}

CModelFolder::~CModelFolder() {
    std::error_code error;
    fs::current_path(m_previousDirectory, error);  // start-up makes the folder current
    if (!m_path.empty()) fs::remove_all(m_path, error);
}

void CModelFolder::Write(const std::string& name, const std::string& bytes) const {
    std::error_code error;
    fs::remove(File(name), error);
    std::ofstream(File(name), std::ios::binary) << bytes;
}
