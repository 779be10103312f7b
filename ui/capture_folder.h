// The folder that LCD captures are saved in: "CalcDispImage" in the user's documents folder,
// or in the program's folder when the desktop names no documents folder.
//
// SetUpCaptureFolder returns the capture folder, ending with the platform's separator, or an
// empty string when there is none. Its messages are plain boxes (no icon), shown through the
// platform:
//   - documents folder known, "CalcDispImage" cannot be created: "path '%s' create failed";
//     the folder is returned all the same (each capture then tries to set it up again);
//   - no documents folder, the program folder's "CalcDispImage" missing: "Image files will be
//     saved to '%s'", then it is created; when that fails, "Failed to create directory '%s'"
//     and no folder is returned.
#pragma once

#include <string>

inline constexpr const char* kCaptureFolderName = "CalcDispImage";

// documentsFolder: empty when the desktop names none. Missing parents are created too.
std::string SetUpCaptureFolder(const std::string& documentsFolder,
                               const std::string& programFolder);

// True when path names an existing folder.
bool FolderExists(const std::string& path);

// folder with the platform's separator at its end (nothing added to an empty string).
std::string WithTrailingSeparator(const std::string& folder);
