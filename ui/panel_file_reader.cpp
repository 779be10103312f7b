#include "ui/panel_file_reader.h"

#include "data/gen_file.h"
#include "data/kind_file.h"
#include "data/panel_file.h"
#include "data/tag_buf_list.h"
#include "ui/calc_panel_keys.h"
#include "util/platform.h"
#include "util/strfmt.h"

int ReadPanelFile(CGenFile& file, SPanelFileContent& out) {
    CTagBufLst list;
    switch (ReadKindFile(file, kPanelFileKind, kPanelSection, list)) {
        case EKindRead::Ok:
            break;
        case EKindRead::WrongKind:
            ShowPlain("Not CalPnl File !");
            return 0;
        case EKindRead::NoSection:
            ShowError(StrFormat("file label '%s' not found", kPanelSection));
            return 0;
        case EKindRead::BadList:
            ShowError("read data failed !");
            return 0;
    }
    CBuf keyMap = NewKeyMap();
    if (const CTagBuf* tag = list.FindTag(kPanelKeyMapTag)) {
        CBuf stored;
        tag->CopyUnitsTo(stored);
        if (IsUsableKeyMap(stored)) keyMap = std::move(stored);
    }
    out.vkb = list.Extract(kPanelVkbChild, true, nullptr, true);
    out.keyMap = std::move(keyMap);
    return 1;
}

int ReadPanelFile(const std::string& path, SPanelFileContent& out) {
    CGenFile file;
    if (!file.OpenRead(path, 0, 0) || !file.LoadWholeFile()) return 0;
    return ReadPanelFile(file, out);
}
