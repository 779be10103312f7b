#include "data/kind_file.h"

#include <cstring>

#include "data/gen_file.h"
#include "data/tag_buf_list.h"

int WriteKindFile(CGenFile& file, const char* kind, const char* version, const char* sectionLabel,
                  const CTagBufLst& list) {
    uint8_t header[kKindHeaderSize] = {};
    std::memcpy(header, kind, std::min<size_t>(std::strlen(kind), 4));
    if (version) std::strncpy(reinterpret_cast<char*>(header + 4), version, kKindHeaderSize - 5);
    return file.Seek(0) && file.Write(header, kKindHeaderSize) == kKindHeaderSize &&
           file.BeginSection(sectionLabel, 0) && list.WriteList(file) &&
           file.EndSection(sectionLabel);
}

int SaveKindFile(const std::string& path, const char* kind, const char* version,
                 const char* sectionLabel, const CTagBufLst& list, int report) {
    CGenFile file;
    if (!file.OpenWrite(path, 0, report)) return 0;
    if (!WriteKindFile(file, kind, version, sectionLabel, list)) {
        file.Abandon();
        return 0;
    }
    return file.Close();
}

EKindRead ReadKindFile(CGenFile& file, const char* kind, const char* sectionLabel, CTagBufLst& list,
                       std::string* version, std::optional<int32_t> num) {
    uint8_t header[kKindHeaderSize] = {};
    if (!file.Seek(0) || file.Read(header, kKindHeaderSize) != kKindHeaderSize ||
        std::memcmp(header, kind, 4) != 0)
        return EKindRead::WrongKind;
    if (version) {
        const char* text = reinterpret_cast<const char*>(header + 4);
        version->assign(text, strnlen(text, kKindHeaderSize - 4));
    }
    int found = num ? file.FindSection(sectionLabel, *num, nullptr)
                    : file.FindSection(sectionLabel, nullptr);
    if (!found) return EKindRead::NoSection;
    return list.ReadList(file) ? EKindRead::Ok : EKindRead::BadList;
}
