#include "data/sbk_file.h"

#include "data/gen_file.h"
#include "data/kind_file.h"
#include "data/sbk.h"
#include "data/tag_buf_list.h"
#include "util/platform.h"
#include "util/strfmt.h"

namespace {

std::string VersionText() {
    return StrFormat("V%02d", CSbkFile::kVersion);
}

}  // namespace

int CSbkFile::Fail(const CGenFile& file, const std::string& text) {
    m_lastMessage = text;
    if (!file.Path().empty()) m_lastMessage += " - '" + file.Path() + "'";
    if (m_showMessages) ShowError(m_lastMessage);
    return 0;
}

int CSbkFile::Save(CGenFile& file, const CSbk& sbk, const char* fileLabel) {
    m_lastMessage.clear();
    Progress(10);
    if (!WriteKindFile(file, kFileKind, VersionText().c_str(), fileLabel, *sbk.BuildTagList()))
        return 0;
    Progress(100);
    return 1;
}

int CSbkFile::Save(const std::string& path, const CSbk& sbk, const char* fileLabel) {
    m_lastMessage.clear();
    CGenFile file;
    if (!file.OpenWrite(path, 0, m_showMessages)) {
        m_lastMessage = StrFormat("Failed to create '%s' !", path.c_str());
        return 0;
    }
    if (!Save(file, sbk, fileLabel)) {
        file.Abandon();
        return 0;
    }
    return file.Close();
}

int CSbkFile::Load(CGenFile& file, CSbk& sbk, const char* fileLabel, std::optional<int32_t> num,
                   std::string* version) {
    m_lastMessage.clear();
    Progress(10);
    sbk.Reset();
    CTagBufLst list;
    switch (ReadKindFile(file, kFileKind, fileLabel, list, version, num)) {
        case EKindRead::Ok:
            break;
        case EKindRead::WrongKind:
            return Fail(file, "Not SBK file !");
        case EKindRead::NoSection: {
            std::string text = StrFormat("Label '%s' ", fileLabel);
            if (num) text += StrFormat("with number %d ", *num);
            return Fail(file, text + "not found");
        }
        case EKindRead::BadList:
            return Fail(file, "read data failed !");
    }
    sbk.LoadFromTagList(list);
    Progress(100);
    return 1;
}

int CSbkFile::Load(const std::string& path, CSbk& sbk, const char* fileLabel,
                   std::optional<int32_t> num, std::string* version) {
    m_lastMessage.clear();
    CGenFile file;
    if (!file.OpenRead(path, 0, m_showMessages)) {
        m_lastMessage = StrFormat("Failed to open '%s' !", path.c_str());
        return 0;
    }
    if (!file.LoadWholeFile()) return Fail(file, "read data failed !");
    return Load(file, sbk, fileLabel, num, version);
}
