// Loading the firmware container (model code + ".eepm") into the image buffer.
#pragma once

#include <string>

#include "util/cbuf.h"

inline constexpr const char* kCheckWord = "TAVRODAT";
inline constexpr const char* kModelCode = "ZT_K318V";
inline constexpr const char* kContainerSuffix = ".eepm";

enum class FirmwareLoad { Ok, OpenFailed, ReadFailed, DecryptFailed };

// Reads the container whole into image and unwraps it in place. Each failure shows its
// message through the platform (error icon): "Failed to open '%s' !", "Failed to read '%s' !"
// or "Can't decrypt the file". After a refused unwrap the buffer holds the container bytes.
FirmwareLoad LoadFirmwareContainer(const std::string& path, CBuf& image);
