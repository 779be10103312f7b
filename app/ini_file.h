// CIniFile: reads a configuration file into a CIni, with its preprocessing.
//
// Preprocessing, in order:
//   1. lines whose last character (after trailing spaces) is a backslash are joined with the
//      next line, the backslash dropped;
//   2. "#define NAME VALUE" lines define macros (NAME and VALUE at most 62 characters each,
//      else the line is an ordinary line) and are not lines of the result;
//   3. "enum " blocks, up to the next line that starts with "}", define one macro per
//      enumerator (NAME or NAME = number; a counter runs from 0) and are emptied; an "enum "
//      line that is the last line of the file shows "enum declaration error !" and stops the
//      preprocessing there (no later enumerations, no macro substitution);
//   4. every value that, trimmed, is exactly a macro NAME beginning with a capital A..Z is
//      replaced by the macro's VALUE.
// The file is read as bytes; any content is accepted.
#pragma once

#include <string>
#include <string_view>

#include "app/ini.h"

class CIniFile {
public:
    virtual ~CIniFile() = default;
    // 0 when the file cannot be read (no message); else fills ini, marks it loaded, 1.
    static int Load(const std::string& path, CIni& ini);
    // The same from text already in memory.
    static void LoadText(std::string_view text, CIni& ini);
};
