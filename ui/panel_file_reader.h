// Reading calculator panel files (".CalPnl"; the writer is data/panel_file.h).
//
// A panel file is the kind "CPNL" with the section "CalPnlDatSet", whose tag list holds the
// virtual keyboard's description under "VbkWnd\" and, optionally, the key map
// "CPKEYMAPUI". Failures show a message and leave the output untouched:
//   the first four bytes are not "CPNL"     "Not CalPnl File !" (plain box)
//   no section "CalPnlDatSet"               "file label 'CalPnlDatSet' not found"
//   the section's list cannot be read       "read data failed !"
// A file that cannot be opened fails without a message (the caller names the file).
#pragma once

#include <memory>
#include <string>

#include "util/cbuf.h"

class CGenFile;
class CTagBufLst;

struct SPanelFileContent {
    // The tags of "VbkWnd\", without the prefix (what CVkbData::LoadFromTagList takes).
    std::unique_ptr<CTagBufLst> vkb;
    // "CPKEYMAPUI" as stored when its elements are 44 bytes; otherwise (and without the
    // tag) empty, so that no lookup reads a key map of another layout.
    CBuf keyMap;
};

int ReadPanelFile(const std::string& path, SPanelFileContent& out);
int ReadPanelFile(CGenFile& file, SPanelFileContent& out);
