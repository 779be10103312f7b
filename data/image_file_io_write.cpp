// Writing BMP files.
#include <algorithm>
#include <cmath>
#include <vector>

#include "data/gen_file.h"
#include "data/image_file_io.h"
#include "data/pix_buf.h"
#include "util/le.h"

namespace {

constexpr const char* kStep = "WritePixBufToBMPFile";

int32_t PelsPerMeter(double dpi) {
    double v = dpi / 0.0254;
    if (!(v > 0)) return 0;
    return v >= 2147483647.0 ? INT32_MAX : int32_t(v);
}

// Encodes picture row y; pixels x >= width up to the end of the last byte take the
// background value.
void EncodeRow(const CPixBuf& picture, int y, int bits, std::vector<uint8_t>& out) {
    std::fill(out.begin(), out.end(), 0);
    int width = picture.Width();
    const uint8_t* in = picture.Data() + int64_t(y) * picture.BytesPerRow();
    auto value = [&](int x) -> uint32_t {
        if (x >= width) return picture.BkColor();
        uint32_t v = 0;
        std::copy(in + int64_t(x) * picture.UnitSize(), in + int64_t(x + 1) * picture.UnitSize(),
                  reinterpret_cast<uint8_t*>(&v));
        return v;
    };
    switch (bits) {
        case 1:
            for (int x = 0; x < (width + 7) / 8 * 8; ++x)
                out[size_t(x >> 3)] |= uint8_t((value(x) & 1) << (7 - (x & 7)));
            break;
        case 4:
            for (int x = 0; x < (width + 1) / 2 * 2; ++x)
                out[size_t(x >> 1)] |= uint8_t((value(x) & 0x0F) << ((x & 1) ? 0 : 4));
            break;
        case 8:
            for (int x = 0; x < width; ++x)
                out[size_t(x)] = uint8_t(value(x));
            break;
        case 16:
            for (int x = 0; x < width; ++x)
                PutLe16(&out[size_t(2 * x)], uint16_t(value(x)));
            break;
        case 24:
            for (int x = 0; x < width; ++x) {
                uint32_t v = value(x);
                out[size_t(3 * x)] = uint8_t(v);
                out[size_t(3 * x + 1)] = uint8_t(v >> 8);
                out[size_t(3 * x + 2)] = uint8_t(v >> 16);
            }
            break;
    }
}

}  // namespace

int CImageFileIO::WriteBmp(CGenFile& file, const CPixBuf& picture,
                           const SBmpWriteOptions* options) {
    if (!picture.IsConsistent()) return 0;
    auto progress = [&](int percent) {
        if (options && options->onProgress) options->onProgress(kStep, percent);
    };
    progress(0);
    int bits = std::min(picture.BitsPerPixel(), 24);
    int64_t rowBytes = (int64_t(picture.Width()) * bits + 31) / 32 * 4;
    int64_t imageBytes = rowBytes * picture.Height();
    if (imageBytes > INT32_MAX - 2048) return 0;

    uint8_t fileHeader[kFileHeaderSize] = {};
    PutLe16(fileHeader, kSignature);
    uint8_t info[kInfoHeaderSize] = {};
    PutLe32(info, kInfoHeaderSize);
    PutLe32(info + 4, picture.Width());
    PutLe32(info + 8, picture.Height());
    PutLe16(info + 12, 1);
    PutLe16(info + 14, uint16_t(bits));
    PutLe32(info + 20, int32_t(imageBytes));
    PutLe32(info + 24, PelsPerMeter(picture.Dpi()));
    PutLe32(info + 28, PelsPerMeter(picture.Dpi()));
    // Other programs assume 2^bits palette entries unless told how many there are.
    if (bits <= 8 && picture.Palette().Count() != 1 << bits)
        PutLe32(info + 32, picture.Palette().Count());
    if (!file.Seek(0) || file.Write(fileHeader, kFileHeaderSize) != kFileHeaderSize ||
        file.Write(info, kInfoHeaderSize) != kInfoHeaderSize)
        return 0;
    if (bits <= 8) {
        const CPalette& palette = picture.Palette();
        for (int i = 0; i < palette.Count(); ++i) {
            const SPaletteEntry* e = palette.Entry(i);
            uint8_t entry[4] = {e->blue, e->green, e->red, e->flags};
            if (file.Write(entry, 4) != 4) return 0;
        }
    }
    int64_t dataOffset = file.Position();
    std::vector<uint8_t> row(static_cast<size_t>(rowBytes));
    for (int y = picture.Height() - 1; y >= 0; --y) {
        EncodeRow(picture, y, bits, row);
        if (rowBytes > 0 && file.Write(row.data(), rowBytes) != rowBytes) return 0;
    }
    int64_t end = file.Position();
    PutLe32(fileHeader + 2, int32_t(end));
    PutLe32(fileHeader + 10, int32_t(dataOffset));
    if (!file.Seek(0) || file.Write(fileHeader, kFileHeaderSize) != kFileHeaderSize) return 0;
    file.Seek(end);
    progress(100);
    return 1;
}

int CImageFileIO::WriteBmp(const std::string& path, const CPixBuf& picture,
                           const SBmpWriteOptions* options, int report) {
    CGenFile file;
    if (!file.OpenWrite(path, 0, report)) return 0;
    if (!WriteBmp(file, picture, options)) {
        file.Abandon();
        return 0;
    }
    return file.Close();
}
