// File names of LCD captures: "LCD_YYYYMMDD_hhmmss.bmp" in the capture folder.
#pragma once

#include <ctime>
#include <functional>
#include <string>

// folder ends with a separator. When a file of that name is already there (two captures in
// the same second), "_2", "_3", ... is put before ".bmp" so that no picture is overwritten.
std::string CaptureFileName(const std::string& folder, const std::tm& localTime,
                            const std::function<bool(const std::string&)>& exists);
