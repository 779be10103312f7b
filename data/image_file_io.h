// CImageFileIO: BMP files to and from pictures.
//
// Reading accepts uncompressed BMP files of 1, 4, 8, 16, 24 and 32 bits per pixel:
//   1 -> type 4, 4 -> type 3, 8 -> type 2 (palette indexes; the palette comes from the
//   file), 16 -> type 1 (raw 16-bit values), 24 and 32 -> type 0 (B, G, R, 0).
// Rows are bottom-up (a negative height means top-down). Resolution: Dpi = pixels per
// metre * 0.0254, rounded. Bytes between the headers and the pixel data (at most 1024) are
// the palette. A file that cannot hold the pixel rows it declares is refused before any
// picture is allocated for them.
//
// Options: header only (a one-row picture, no rows read), row-by-row delivery (a one-row
// picture into which each file row is decoded in turn and handed to the callback), a
// progress callback (percentage of rows done) and a place for the header fields.
//
// Writing: 24-bit for type 0, 16-bit raw for type 1, and 8, 4 or 1 bits with the palette
// for types 2, 3 and 4; rows bottom-up, padded with zeros to a multiple of 4 bytes.
// Pixel slots of a 4-bit or 1-bit row's last byte beyond the right edge take BkColor.
// Progress is reported under the step name "WritePixBufToBMPFile", 0 to 100. Writing to a
// path goes through a temporary file, so a failed write leaves the old file in place.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

class CGenFile;
class CPixBuf;

// The fields of the two headers, as stored.
struct SBmpInfo {
    uint16_t signature = 0;
    uint32_t fileSize = 0;
    uint32_t dataOffset = 0;
    uint32_t headerSize = 0;
    int32_t width = 0;
    int32_t height = 0;
    uint16_t planes = 0;
    uint16_t bitCount = 0;
    uint32_t compression = 0;
    uint32_t imageSize = 0;
    int32_t xPelsPerMeter = 0;
    int32_t yPelsPerMeter = 0;
    uint32_t colorsUsed = 0;
    uint32_t colorsImportant = 0;
    uint8_t infoHeader[40] = {};
};

struct SBmpReadOptions {
    bool headerOnly = false;
    // Set: row-by-row delivery. fileRow counts the rows as stored, pictureRow is the row
    // of the whole picture (0 at the top).
    std::function<void(int fileRow, int pictureRow, const CPixBuf& row)> onRow;
    std::function<void(int percent)> onProgress;
    SBmpInfo* info = nullptr;
};

struct SBmpWriteOptions {
    std::function<void(const char* step, int percent)> onProgress;
};

class CImageFileIO {
public:
    static constexpr int kFileHeaderSize = 14;
    static constexpr int kInfoHeaderSize = 40;
    static constexpr uint16_t kSignature = 19778;  // "BM"
    // Larger pictures are refused: they are no panel or LCD picture.
    static constexpr int kMaxSide = 1 << 20;

    static int ReadBmp(const std::string& path, CPixBuf& picture,
                       const SBmpReadOptions* options = nullptr);
    static int ReadBmp(CGenFile& file, CPixBuf& picture, const SBmpReadOptions* options = nullptr);
    // Fails unless the extension, upper-cased, is ".BMP".
    static int ReadBmpChecked(const std::string& path, CPixBuf& picture,
                              const SBmpReadOptions* options = nullptr);
    // The two headers only; 0 when they are not there or the signature is not "BM".
    static int ReadBmpInfo(CGenFile& file, SBmpInfo* info);

    // report: show "Failed to create '%s' !" when the file cannot be created.
    static int WriteBmp(const std::string& path, const CPixBuf& picture,
                        const SBmpWriteOptions* options = nullptr, int report = 1);
    static int WriteBmp(CGenFile& file, const CPixBuf& picture,
                        const SBmpWriteOptions* options = nullptr);
};
