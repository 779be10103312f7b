// Writing calculator panel files (".CalPnl").
//
// Layout: "CPNL" and a version text in a 16-byte header, then the section "CalPnlDatSet"
// whose list holds the virtual keyboard window's description under the child "VbkWnd"
// (vkb_data.h) and the key map "CPKEYMAPUI": 44-byte entries (SKeyMapEntry) that give each
// key value its row and column in the calculator's key matrix and a name.
//
// The front end reads these files with its own messages; this is the writer for the tools
// that build a calculator model:
//   CVkbData vkb;  ... fill the book, the key shape map and the pictures ...
//   CBuf keyMap = NewKeyMap();
//   AddKeyMapEntry(keyMap, 65, 2, 3, "SIN");
//   SavePanelFile("ZT_K318V_SP.CalPnl", vkb, keyMap);
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "util/cbuf.h"

class CGenFile;
class CTagBufLst;
class CVkbData;

struct SKeyMapEntry {
    int32_t keyValue;
    int32_t row;
    int32_t column;
    char name[32];  // NUL-terminated
};
static_assert(sizeof(SKeyMapEntry) == 44);

constexpr const char* kPanelFileKind = "CPNL";
constexpr const char* kPanelSection = "CalPnlDatSet";
constexpr const char* kPanelVkbChild = "VbkWnd";
constexpr const char* kPanelKeyMapTag = "CPKEYMAPUI";

// An empty key map (44-byte elements).
CBuf NewKeyMap();
// The name is cut to 31 characters.
void AddKeyMapEntry(CBuf& keyMap, int32_t keyValue, int32_t row, int32_t column,
                    const std::string& name);

std::unique_ptr<CTagBufLst> BuildPanelTagList(const CVkbData& vkb, const CBuf& keyMap);
int WritePanelFile(CGenFile& file, const CVkbData& vkb, const CBuf& keyMap);
// report: show "Failed to create '%s' !" when the file cannot be created. A failed write
// leaves the file that was there before.
int SavePanelFile(const std::string& path, const CVkbData& vkb, const CBuf& keyMap, int report = 1);
