// BMP files: the written layout, round trips, the reader's options and its refusals.
#include <gtest/gtest.h>

#include "data/colour.h"
#include "data/gen_file.h"
#include "data/image_file_io.h"
#include "data/pix_buf.h"
#include "tests/data/data_fixtures.h"
#include "util/le.h"

namespace {

Bytes WriteToMemory(const CPixBuf& pic) {
    CGenFile f;
    f.CreateMemory();
    EXPECT_TRUE(CImageFileIO::WriteBmp(f, pic));
    f.Close();
    return BytesOf(f);
}

int ReadFromMemory(const Bytes& bytes, CPixBuf& pic, const SBmpReadOptions* options = nullptr) {
    CGenFile f;
    f.OpenMemory(bytes.data(), int64_t(bytes.size()));
    return CImageFileIO::ReadBmp(f, pic, options);
}

TEST(Bmp, A32BitPictureIsWrittenAs24BitRowsPaddedToFourBytes) {
    CPixBuf pic;
    pic.Create(3, 2, 0);
    pic.SetColour(0, 0, Rgb(1, 2, 3));  // top left: the last row of the file
    pic.SetColour(2, 1, Rgb(4, 5, 6));  // bottom right: the first row
    pic.SetDpi(96);
    Bytes b = WriteToMemory(pic);
    ASSERT_EQ(b.size(), size_t(54 + 2 * 12));
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(GetLe32(&b[2]), int32_t(b.size()));
    EXPECT_EQ(GetLe32(&b[10]), 54);
    EXPECT_EQ(GetLe32(&b[14]), 40);
    EXPECT_EQ(GetLe32(&b[18]), 3);
    EXPECT_EQ(GetLe32(&b[22]), 2);
    EXPECT_EQ(GetLe16(&b[28]), 24);
    EXPECT_EQ(GetLe32(&b[34]), 24);
    EXPECT_EQ(GetLe32(&b[38]), 3779);  // 96 / 0.0254, truncated
    EXPECT_EQ(Bytes(b.begin() + 54 + 6, b.begin() + 54 + 12), (Bytes{6, 5, 4, 0, 0, 0}));
    EXPECT_EQ(Bytes(b.begin() + 66, b.begin() + 69), (Bytes{3, 2, 1}));
}

TEST(Bmp, OneBitRowsCarryEightPixelsPerByteAndTheBackgroundPastTheEdge) {
    CPixBuf pic;
    pic.Create(5, 1, 4);
    for (int x : {0, 2, 4})
        pic.SetRaw(x, 0, 1);
    pic.SetBkColor(0);
    Bytes b = WriteToMemory(pic);
    ASSERT_EQ(b.size(), size_t(54 + 2 * 4 + 4));  // palette of two, one 4-byte row
    EXPECT_EQ(GetLe16(&b[28]), 1);
    EXPECT_EQ(b[62], 0b10101000);
    pic.SetBkColor(1);
    EXPECT_EQ(WriteToMemory(pic)[62], 0b10101111);
    // Four bits: two pixels a byte, even x in the high nibble.
    CPixBuf nibbles;
    nibbles.Create(3, 1, 3);
    nibbles.SetRaw(0, 0, 0xA);
    nibbles.SetRaw(1, 0, 0x5);
    nibbles.SetRaw(2, 0, 0xC);
    nibbles.SetBkColor(0xF);
    Bytes n = WriteToMemory(nibbles);
    EXPECT_EQ(n[54 + 16 * 4], 0xA5);
    EXPECT_EQ(n[54 + 16 * 4 + 1], 0xCF);
}

TEST(Bmp, EveryPaletteTypeAndTrueColourRoundTrips) {
    for (int type : {0, 2, 3, 4}) {
        for (int width : {1, 5, 8, 13}) {
            CPixBuf pic;
            pic.Create(width, 3, type);
            int levels = 1 << std::min(8, pic.BitsPerPixel());
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < width; ++x)
                    pic.SetRaw(x, y,
                               type == 0 ? uint32_t(x * 0x010305 + y * 0x110000)
                                         : uint32_t((x + 3 * y) % levels));
            pic.SetDpi(200);
            Bytes b = WriteToMemory(pic);
            CPixBuf back;
            ASSERT_TRUE(ReadFromMemory(b, back)) << type << " " << width;
            EXPECT_EQ(back.Type(), type);
            EXPECT_EQ(back.Dpi(), 200.0);
            EXPECT_EQ(back.Palette(), pic.Palette()) << type;
            ASSERT_EQ(back.Pixels().TotalBytes(), pic.Pixels().TotalBytes());
            EXPECT_TRUE(std::equal(pic.Data(), pic.Data() + pic.Pixels().TotalBytes(), back.Data()))
                << type << " " << width;
            // And written again, the same file.
            EXPECT_EQ(WriteToMemory(back), b) << type << " " << width;
        }
    }
}

TEST(Bmp, ASixteenBitFileIsAcceptedWithItsHeader) {
    CPixBuf pic;
    pic.Create(2, 2, 1);
    pic.SetRaw(1, 1, 0xABCD);
    Bytes b = WriteToMemory(pic);
    EXPECT_EQ(GetLe16(&b[28]), 16);
    CPixBuf back;
    ASSERT_TRUE(ReadFromMemory(b, back));
    EXPECT_EQ(back.Type(), 1);
    EXPECT_EQ(back.Width(), 2);
}

TEST(Bmp, HeaderOnlyAndRowByRowReading) {
    CPixBuf pic;
    pic.Create(4, 3, 2);
    for (int y = 0; y < 3; ++y)
        pic.SetRaw(1, y, uint32_t(y + 7));
    Bytes b = WriteToMemory(pic);

    SBmpInfo info;
    SBmpReadOptions headerOnly;
    headerOnly.headerOnly = true;
    headerOnly.info = &info;
    CPixBuf head;
    ASSERT_TRUE(ReadFromMemory(b, head, &headerOnly));
    EXPECT_EQ(head.Height(), 1);
    EXPECT_EQ(info.width, 4);
    EXPECT_EQ(info.height, 3);
    EXPECT_EQ(info.bitCount, 8);

    std::vector<std::pair<int, uint32_t>> rows;
    std::vector<int> progress;
    SBmpReadOptions byRow;
    byRow.onRow = [&](int, int pictureRow, const CPixBuf& row) {
        rows.push_back({pictureRow, row.GetRaw(1, 0)});
    };
    byRow.onProgress = [&](int percent) { progress.push_back(percent); };
    CPixBuf one;
    ASSERT_TRUE(ReadFromMemory(b, one, &byRow));
    EXPECT_EQ(rows, (std::vector<std::pair<int, uint32_t>>{{2, 9}, {1, 8}, {0, 7}}));
    EXPECT_EQ(progress, (std::vector<int>{33, 66, 100}));
}

TEST(Bmp, DamagedOrUnsupportedFilesAreRefused) {
    CPixBuf pic;
    pic.Create(4, 4, 0);
    Bytes good = WriteToMemory(pic);
    struct {
        size_t at;
        int32_t value;
        const char* what;
    } cases[] = {
        {0, 0x4D41, "signature"},      {30, 1, "compression"},  {28, 7, "bit count"},
        {18, -4, "negative width"},    {22, 1 << 28, "height"}, {10, 20, "data offset"},
        {14, 12, "short info header"},
    };
    for (const auto& c : cases) {
        Bytes b = good;
        if (c.at == 0 || c.at == 28)
            PutLe16(&b[c.at], uint16_t(c.value));
        else
            PutLe32(&b[c.at], c.value);
        CPixBuf back;
        EXPECT_FALSE(ReadFromMemory(b, back)) << c.what;
    }
    Bytes shortFile(good.begin(), good.end() - 1);
    CPixBuf back;
    EXPECT_FALSE(ReadFromMemory(shortFile, back));
}

TEST(Bmp, FilesByPathWithTheExtensionCheck) {
    CTempDir dir;
    CPixBuf pic;
    pic.Create(2, 2, 0);
    pic.SetColour(1, 0, Rgb(9, 8, 7));
    ASSERT_TRUE(CImageFileIO::WriteBmp(dir.Path("a.bmp"), pic));
    dir.Write("b.png", dir.Read("a.bmp"));
    dir.Write("C.BmP", dir.Read("a.bmp"));
    CPixBuf back;
    EXPECT_TRUE(CImageFileIO::ReadBmpChecked(dir.Path("C.BmP"), back));
    EXPECT_EQ(back.GetColour(1, 0), Rgb(9, 8, 7));
    EXPECT_FALSE(CImageFileIO::ReadBmpChecked(dir.Path("b.png"), back));
    EXPECT_TRUE(CImageFileIO::ReadBmp(dir.Path("b.png"), back));
    EXPECT_FALSE(CImageFileIO::ReadBmp(dir.Path("missing.bmp"), back));
    EXPECT_FALSE(CImageFileIO::WriteBmp(dir.Path("no/folder/x.bmp"), pic, nullptr, 0));
}

}  // namespace
