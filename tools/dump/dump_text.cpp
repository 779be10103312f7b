#include "tools/dump/dump_text.h"

#include <cctype>
#include <climits>

#include "data/gen_file.h"
#include "data/image_file_io.h"
#include "data/section_header.h"
#include "data/tag_buf_list.h"
#include "util/strfmt.h"

namespace {

// The 16-byte file-kind header, when the file has one: four printable characters and a
// version text before the first section.
void DumpKindHeader(CGenFile& file, int64_t firstSection, std::vector<std::string>& lines) {
    uint8_t header[16] = {};
    if (firstSection != 16 || !file.Seek(0) || file.Read(header, 16) != 16) return;
    for (int i = 0; i < 4; ++i)
        if (!std::isprint(header[i])) return;
    std::string version;
    for (int i = 4; i < 16 && header[i]; ++i)
        version.push_back(std::isprint(header[i]) ? char(header[i]) : '?');
    lines.push_back(
        StrFormat("Kind: '%.4s', version '%s'", reinterpret_cast<char*>(header), version.c_str()));
}

// readUpTo: the end of the lists read so far. A section whose data lies inside one of them
// is not read again, so that a file of many overlapping sections is still read once.
void DumpSectionList(CGenFile& file, const SSectionEntry& e, const SDumpOptions& options,
                     int64_t& readUpTo, std::vector<std::string>& lines) {
    std::string head = StrFormat("Section '%s' at %ld", e.label.c_str(), long(e.position));
    if (e.position + kSectionHeaderSize < readUpTo) {
        lines.push_back(head + ": inside the list of an earlier section");
        return;
    }
    CTagBufLst list;
    // A section whose data starts with a nested section has no list of its own.
    bool hasList = e.innerOff != 0 && file.Seek(e.position + kSectionHeaderSize) &&
                   file.BytesLeft() >= CTagBufLst::kHeaderSize && list.ReadList(file);
    if (!hasList) {
        lines.push_back(head + ": no tag buffer list");
        return;
    }
    readUpTo = file.Position();
    lines.push_back(head + StrFormat(": %d tag buffers", list.Count()));
    int maxUnits = options.maxUnits < 0 ? INT_MAX : options.maxUnits;
    for (int i = 0; i < list.Count(); ++i) {
        const CTagBuf& tag = *list.Get(i);
        tag.DumpText(lines, "  ", maxUnits);
        if (tag.Count() > maxUnits)
            lines.push_back(StrFormat("  (%d more units not shown)", tag.Count() - maxUnits));
    }
}

}  // namespace

bool DumpBmp(CGenFile& file, std::vector<std::string>& lines) {
    SBmpInfo i;
    if (!CImageFileIO::ReadBmpInfo(file, &i)) return false;
    lines.push_back(StrFormat("BMP: %ld bytes", long(file.Length())));
    lines.push_back(StrFormat("bfType %u, bfSize %u, bfOffBits %u", unsigned(i.signature),
                              i.fileSize, i.dataOffset));
    lines.push_back(StrFormat("biSize %u, biWidth %d, biHeight %d, biPlanes %u, biBitCount %u",
                              i.headerSize, i.width, i.height, unsigned(i.planes),
                              unsigned(i.bitCount)));
    lines.push_back(StrFormat("biCompression %u, biSizeImage %u", i.compression, i.imageSize));
    lines.push_back(
        StrFormat("biXPelsPerMeter %d, biYPelsPerMeter %d", i.xPelsPerMeter, i.yPelsPerMeter));
    lines.push_back(StrFormat("biClrUsed %u, biClrImportant %u", i.colorsUsed, i.colorsImportant));
    int64_t headersEnd = CImageFileIO::kFileHeaderSize + int64_t(i.headerSize);
    if (i.dataOffset > headersEnd)
        lines.push_back(StrFormat("palette: %ld entries", long((i.dataOffset - headersEnd) / 4)));
    return true;
}

bool DumpContainer(CGenFile& file, const SDumpOptions& options, std::vector<std::string>& lines) {
    const std::vector<SSectionEntry> index = file.SectionIndex();
    if (index.empty()) return false;
    lines.push_back(
        StrFormat("Container: %ld bytes, %d sections", long(file.Length()), int(index.size())));
    DumpKindHeader(file, index.front().position, lines);
    std::vector<std::string> sections = file.SectionListDump();
    lines.insert(lines.end(), sections.begin(), sections.end());
    int64_t readUpTo = 0;
    for (const SSectionEntry& e : index)
        DumpSectionList(file, e, options, readUpTo, lines);
    return true;
}
