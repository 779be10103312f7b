#include "ui/capture_folder.h"

#include <filesystem>
#include <system_error>

#include "util/platform.h"
#include "util/strfmt.h"

namespace fs = std::filesystem;

namespace {

bool CreateFolder(const std::string& path) {
    std::error_code error;
    fs::create_directories(path, error);
    return FolderExists(path);
}

std::string JoinFolder(const std::string& parent, const char* name) {
    return WithTrailingSeparator(parent) + name;
}

}  // namespace

bool FolderExists(const std::string& path) {
    std::error_code error;
    return !path.empty() && fs::is_directory(path, error);
}

std::string WithTrailingSeparator(const std::string& folder) {
    if (folder.empty() || folder.back() == fs::path::preferred_separator) return folder;
    return folder + char(fs::path::preferred_separator);
}

std::string SetUpCaptureFolder(const std::string& documentsFolder,
                               const std::string& programFolder) {
    if (!documentsFolder.empty()) {
        std::string folder = JoinFolder(documentsFolder, kCaptureFolderName);
        if (!FolderExists(folder) && !CreateFolder(folder))
            ShowPlain(StrFormat("path '%s' create failed", folder.c_str()));
        return WithTrailingSeparator(folder);
    }
    std::string folder = JoinFolder(programFolder, kCaptureFolderName);
    if (FolderExists(folder)) return WithTrailingSeparator(folder);
    ShowPlain(StrFormat("Image files will be saved to '%s'", folder.c_str()));
    if (CreateFolder(folder)) return WithTrailingSeparator(folder);
    ShowPlain(StrFormat("Failed to create directory '%s'", folder.c_str()));
    return {};
}
