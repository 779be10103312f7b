#include "ui/capture_name.h"

#include "util/strfmt.h"

std::string CaptureFileName(const std::string& folder, const std::tm& t,
                            const std::function<bool(const std::string&)>& exists) {
    std::string stem = folder + StrFormat("LCD_%04d%02d%02d_%02d%02d%02d", t.tm_year + 1900,
                                          t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
    std::string name = stem + ".bmp";
    for (int n = 2; exists && exists(name) && n < 100000; ++n)
        name = stem + StrFormat("_%d", n) + ".bmp";
    return name;
}
