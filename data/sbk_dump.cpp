// Diagnostic dump of a shape book:
//
//   Sbk===============
//   acComment = 'panel keys'
//   nSpgActive = 0
//   Spg[0/2]------
//     nId = 1
//     ...
//     Sob[0/30]------
//       nId = 10
//       ...
//       m_pShape = Rectangle      (the shape's kind, or NULL without a shape)
//       m_bShowShape = TRUE
#include "data/sbk.h"
#include "util/strfmt.h"

namespace {

const char* Bool(int32_t v) {
    return v ? "TRUE" : "FALSE";
}

void DumpSob(const CSob& sob, int index, int count, std::vector<std::string>& lines) {
    const std::string in = "    ";
    const SSobDms& s = sob.Settings();
    lines.push_back(StrFormat("  Sob[%d/%d]------", index, count));
    lines.push_back(in + StrFormat("nId = %d", s.id));
    lines.push_back(in + StrFormat("dwMark = %u", uint32_t(s.mark)));
    lines.push_back(in + StrFormat("acComment = '%s'", sob.Comment().c_str()));
    lines.push_back(in + StrFormat("TxtAlign = %d", s.txtAlign));
    const char* kind = sob.Shape() ? sob.Shape()->KindName() : nullptr;
    lines.push_back(in + StrFormat("m_pShape = %s", kind ? kind : "NULL"));
    lines.push_back(in + StrFormat("m_bShowShape = %s", Bool(sob.ShowShape())));
}

void DumpPage(const CSpg& page, int index, int count, std::vector<std::string>& lines) {
    const std::string in = "  ";
    const SSpgDms& s = page.Settings();
    lines.push_back(StrFormat("Spg[%d/%d]------", index, count));
    lines.push_back(in + StrFormat("nId = %d", s.id));
    lines.push_back(in + StrFormat("dwMark = %u", uint32_t(s.mark)));
    lines.push_back(in + StrFormat("acName = '%s'", page.Name().c_str()));
    lines.push_back(in + StrFormat("bSelected = %s", Bool(s.selected)));
    lines.push_back(in + StrFormat("nSobCnt = %d", page.SobCount()));
    lines.push_back(in + StrFormat("nSobActive = %d", s.sobActive));
    for (int m = 0; m < page.SobCount(); ++m)
        DumpSob(*page.Sob(m), m, page.SobCount(), lines);
}

}  // namespace

void CSbk::Dump(std::vector<std::string>& lines) const {
    lines.push_back("Sbk===============");
    lines.push_back(StrFormat("acComment = '%s'", Comment().c_str()));
    lines.push_back(StrFormat("nSpgActive = %d", m_dms.spgActive));
    for (int n = 0; n < PageCount(); ++n)
        DumpPage(*m_pages[size_t(n)], n, PageCount(), lines);
}
