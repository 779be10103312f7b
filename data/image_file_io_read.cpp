// Reading BMP files.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <vector>

#include "data/gen_file.h"
#include "data/image_file_io.h"
#include "data/pix_buf.h"
#include "util/le.h"

namespace {

constexpr int kMaxPaletteBytes = 1024;

int TypeForBitCount(int bits) {
    switch (bits) {
        case 1:
            return 4;
        case 4:
            return 3;
        case 8:
            return 2;
        case 16:
            return 1;
        case 24:
        case 32:
            return 0;
    }
    return -1;
}

int64_t RowBytes(int64_t width, int bits) {
    return (width * bits + 31) / 32 * 4;
}

// Decodes one stored row into row y of the picture.
void DecodeRow(const uint8_t* in, int bits, CPixBuf& picture, int y) {
    int width = picture.Width();
    for (int x = 0; x < width; ++x) {
        uint32_t v = 0;
        switch (bits) {
            case 1:
                v = (in[x >> 3] >> (7 - (x & 7))) & 1;
                break;
            case 4:
                v = (x & 1) ? in[x >> 1] & 0x0F : in[x >> 1] >> 4;
                break;
            case 8:
                v = in[x];
                break;
            case 16:
                v = GetLe16(in + 2 * x);
                break;
            case 24:
                v = uint32_t(in[3 * x]) | uint32_t(in[3 * x + 1]) << 8 |
                    uint32_t(in[3 * x + 2]) << 16;
                break;
            case 32:
                v = uint32_t(in[4 * x]) | uint32_t(in[4 * x + 1]) << 8 |
                    uint32_t(in[4 * x + 2]) << 16;
                break;
        }
        picture.SetRaw(x - picture.OriginX(), y - picture.OriginY(), v);
    }
}

void UnpackInfo(const uint8_t* fileHeader, const uint8_t* info, SBmpInfo* out) {
    out->signature = GetLe16(fileHeader);
    out->fileSize = uint32_t(GetLe32(fileHeader + 2));
    out->dataOffset = uint32_t(GetLe32(fileHeader + 10));
    out->headerSize = uint32_t(GetLe32(info));
    out->width = GetLe32(info + 4);
    out->height = GetLe32(info + 8);
    out->planes = GetLe16(info + 12);
    out->bitCount = GetLe16(info + 14);
    out->compression = uint32_t(GetLe32(info + 16));
    out->imageSize = uint32_t(GetLe32(info + 20));
    out->xPelsPerMeter = GetLe32(info + 24);
    out->yPelsPerMeter = GetLe32(info + 28);
    out->colorsUsed = uint32_t(GetLe32(info + 32));
    out->colorsImportant = uint32_t(GetLe32(info + 36));
    std::copy(info, info + CImageFileIO::kInfoHeaderSize, out->infoHeader);
}

double DpiOf(int32_t pelsPerMeter) {
    return std::trunc(pelsPerMeter * 0.0254 + 0.5);
}

}  // namespace

int CImageFileIO::ReadBmpInfo(CGenFile& file, SBmpInfo* info) {
    uint8_t fileHeader[kFileHeaderSize], infoHeader[kInfoHeaderSize];
    if (!file.Seek(0) || file.Read(fileHeader, kFileHeaderSize) != kFileHeaderSize) return 0;
    if (GetLe16(fileHeader) != kSignature) return 0;
    if (file.Read(infoHeader, kInfoHeaderSize) != kInfoHeaderSize) return 0;
    SBmpInfo read;
    UnpackInfo(fileHeader, infoHeader, &read);
    if (info) *info = read;
    return 1;
}

int CImageFileIO::ReadBmp(CGenFile& file, CPixBuf& picture, const SBmpReadOptions* options) {
    SBmpReadOptions none;
    const SBmpReadOptions& opt = options ? *options : none;
    SBmpInfo info;
    if (!ReadBmpInfo(file, &info)) return 0;
    if (opt.info) *opt.info = info;
    if (info.compression != 0 || info.headerSize < uint32_t(kInfoHeaderSize)) return 0;
    int bits = info.bitCount, type = TypeForBitCount(bits);
    int64_t width = info.width, rows = std::abs(int64_t(info.height));
    bool topDown = info.height < 0;
    if (type < 0 || width < 0 || width > kMaxSide || rows > kMaxSide) return 0;

    int64_t headersEnd = int64_t(kFileHeaderSize) + info.headerSize;
    int64_t rowBytes = RowBytes(width, bits);
    if (info.dataOffset < headersEnd) return 0;
    bool readRows = !opt.headerOnly;
    if (readRows && int64_t(info.dataOffset) + rowBytes * rows > file.Length()) return 0;

    bool oneRow = opt.headerOnly || bool(opt.onRow);
    if (!picture.Create(int(width), oneRow ? 1 : int(rows), type)) return 0;
    picture.SetDpi(DpiOf(info.xPelsPerMeter));

    int64_t paletteBytes = std::min<int64_t>(info.dataOffset - headersEnd, kMaxPaletteBytes);
    if (paletteBytes >= 4) {
        std::vector<uint8_t> raw(static_cast<size_t>(paletteBytes));
        if (!file.Seek(headersEnd) || file.Read(raw.data(), paletteBytes) != paletteBytes) return 0;
        CBuf entries(int(paletteBytes / 4), 4, raw.data(), 1, 0);
        for (int i = 0; i < entries.Count(); ++i)
            std::swap(entries.ElementPointer(i)[0], entries.ElementPointer(i)[2]);
        if (!picture.SetPalette(entries)) return 0;
    }
    if (!readRows) return 1;

    if (!file.Seek(info.dataOffset)) return 0;
    std::vector<uint8_t> row(static_cast<size_t>(rowBytes));
    // 16-bit rows are decoded as raw values too (type 1 has no colour conversion).
    for (int64_t i = 0; i < rows; ++i) {
        if (rowBytes > 0 && file.Read(row.data(), rowBytes) != rowBytes) return 0;
        int pictureRow = int(topDown ? i : rows - 1 - i);
        DecodeRow(row.data(), bits, picture, oneRow ? 0 : pictureRow);
        if (opt.onRow) opt.onRow(int(i), pictureRow, picture);
        if (opt.onProgress) opt.onProgress(int((i + 1) * 100 / rows));
    }
    return 1;
}

int CImageFileIO::ReadBmp(const std::string& path, CPixBuf& picture,
                          const SBmpReadOptions* options) {
    CGenFile file;
    if (!file.OpenRead(path, 0, 0) || !file.LoadWholeFile()) return 0;
    return ReadBmp(file, picture, options);
}

int CImageFileIO::ReadBmpChecked(const std::string& path, CPixBuf& picture,
                                 const SBmpReadOptions* options) {
    std::string extension = std::filesystem::path(path).extension().string();
    for (char& c : extension)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    if (extension != ".BMP") return 0;
    return ReadBmp(path, picture, options);
}
