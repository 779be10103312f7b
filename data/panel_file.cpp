#include "data/panel_file.h"

#include <algorithm>
#include <cstring>

#include "data/kind_file.h"
#include "data/tag_buf_list.h"
#include "data/vkb_data.h"

namespace {
constexpr const char* kVersion = "V00";
}  // namespace

CBuf NewKeyMap() {
    return CBuf(0, sizeof(SKeyMapEntry), nullptr, 0, 10);
}

void AddKeyMapEntry(CBuf& keyMap, int32_t keyValue, int32_t row, int32_t column,
                    const std::string& name) {
    SKeyMapEntry e{keyValue, row, column, {}};
    std::memcpy(e.name, name.data(), std::min(name.size(), sizeof e.name - 1));
    if (keyMap.ElementSize() != int(sizeof e)) keyMap.Assign(0, sizeof e, nullptr, 0, 10);
    keyMap.Append(&e, 1);
}

std::unique_ptr<CTagBufLst> BuildPanelTagList(const CVkbData& vkb, const CBuf& keyMap) {
    auto list = std::make_unique<CTagBufLst>();
    list->Nest(kPanelVkbChild, vkb.BuildTagList());
    list->Add(std::make_unique<CTagBuf>(kPanelKeyMapTag, keyMap));
    return list;
}

int WritePanelFile(CGenFile& file, const CVkbData& vkb, const CBuf& keyMap) {
    return WriteKindFile(file, kPanelFileKind, kVersion, kPanelSection,
                         *BuildPanelTagList(vkb, keyMap));
}

int SavePanelFile(const std::string& path, const CVkbData& vkb, const CBuf& keyMap, int report) {
    return SaveKindFile(path, kPanelFileKind, kVersion, kPanelSection,
                        *BuildPanelTagList(vkb, keyMap), report);
}
