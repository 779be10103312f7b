// printf-style formatting into a std::string, for the system's fixed message texts
// ("Failed to open '%s'") and the diagnostic dumps.
#pragma once

#include <string>

std::string StrFormat(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
