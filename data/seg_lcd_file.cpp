// Loading and saving ".SegLcd" files.
#include "data/gen_file.h"
#include "data/kind_file.h"
#include "data/seg_lcd.h"
#include "data/tag_buf_list.h"
#include "util/platform.h"
#include "util/strfmt.h"

namespace {
constexpr const char* kVersion = "V00";
}  // namespace

int CSegLcdDatSet::Load(CGenFile& file, const char* label) {
    CTagBufLst list;
    switch (ReadKindFile(file, kFileKind, label, list)) {
        case EKindRead::Ok:
            break;
        case EKindRead::WrongKind:
            ShowError("Not SegLcd File !");
            return 0;
        case EKindRead::NoSection:
            ShowError(StrFormat("file label '%s' not found", label));
            return 0;
        case EKindRead::BadList:
            ShowError("read data failed !");
            return 0;
    }
    return LoadFromTagList(list);
}

int CSegLcdDatSet::Load(const std::string& path, const char* label) {
    CGenFile file;
    if (!file.OpenRead(path, 0, 0) || !file.LoadWholeFile()) return 0;
    return Load(file, label);
}

int CSegLcdDatSet::Save(CGenFile& file, const char* label) const {
    return WriteKindFile(file, kFileKind, kVersion, label, *BuildTagList());
}

int CSegLcdDatSet::Save(const std::string& path, const char* label, int report) const {
    return SaveKindFile(path, kFileKind, kVersion, label, *BuildTagList(), report);
}
