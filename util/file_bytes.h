// Whole-file reads and writes as plain bytes, for images, containers and configuration.
#pragma once

#include <string>

#include "util/cbuf.h"

enum class FileRead { Ok, OpenFailed, ReadFailed, TooLarge };

// Reads the whole file into out (element size 1, grow step 10). On failure out is left
// unchanged. Files of 2 GiB or more are refused (TooLarge).
FileRead ReadFileBytes(const std::string& path, CBuf& out);

// Writes the bytes to path through a temporary file in the same folder that is renamed over
// path, so that a failed write never leaves a half-written file behind. 1 on success.
int WriteFileAtomically(const std::string& path, const void* bytes, size_t length);
