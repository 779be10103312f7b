// The container file: sections with scrambled headers, the header index, lookups, helpers.
#include <gtest/gtest.h>

#include <string>

#include "data/gen_file.h"
#include "data/section_header.h"
#include "tests/data/data_fixtures.h"
#include "tests/support/recording_platform.h"
#include "util/le.h"

namespace {

void WriteZeros(CGenFile& f, int n) {
    std::string zeros(size_t(n), '\0');
    f.Write(zeros.data(), n);
}

CGenFile& Reopen(CGenFile& f, const Bytes& bytes) {
    f.OpenMemory(bytes.data(), int64_t(bytes.size()));
    return f;
}

TEST(SectionHeader, LabelOf49CharactersIsTakenAnd50IsRefused) {
    for (int length : {0, 1, 49, 50, 80}) {
        CGenFile f;
        f.CreateMemory();
        std::string label(size_t(length), 'x');
        int begun = f.BeginSection(label.c_str(), 3);
        EXPECT_EQ(begun, length < 50 ? 1 : 0) << length;
        if (begun) f.EndSection();
        f.Close();
        EXPECT_EQ(f.Memory().Count(), begun ? kSectionHeaderSize : 0) << length;
        if (!begun) continue;
        CGenFile r;
        Reopen(r, BytesOf(f));
        SSectionInfo info;
        ASSERT_TRUE(r.NextSection(&info)) << length;
        EXPECT_EQ(info.label, label);
        EXPECT_EQ(info.num, 3);
        EXPECT_EQ(info.dataLen, 0);
    }
}

TEST(SectionHeader, IsStoredScrambledWithBothChecksums) {
    SSectionHeader h{"SegLcdDatSet", 5, 1234, 16};
    uint8_t stored[kSectionHeaderSize];
    PackSectionHeader(h, stored);
    EXPECT_EQ(stored[0], 0x96);
    EXPECT_EQ(stored[1], 0x32);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(stored + 2), 50).find("SegLcd"),
              std::string::npos);
    uint16_t a = 0, b = 0;
    for (int i = 0; i < 50; ++i) {
        a = uint16_t(a + stored[2 + i]);
        if (i % 2 == 0) b = uint16_t(b + stored[2 + i]);
    }
    EXPECT_EQ(stored[64] | stored[65] << 8, a);
    EXPECT_EQ(stored[66] | stored[67] << 8, b);
    SSectionHeader back;
    ASSERT_TRUE(UnpackSectionHeader(stored, &back));
    EXPECT_EQ(back.label, "SegLcdDatSet");
    EXPECT_EQ(back.num, 5);
    EXPECT_EQ(back.dataLen, 1234);
    EXPECT_EQ(back.innerOff, 16);
    for (int at : {0, 1, 2, 30, 51, 64, 67}) {
        uint8_t damaged[kSectionHeaderSize];
        std::copy(stored, stored + kSectionHeaderSize, damaged);
        damaged[at] ^= 0x01;
        EXPECT_FALSE(UnpackSectionHeader(damaged, &back)) << at;
    }
}

// A file of two top-level sections, the second with a nested one:
//   16 bytes of kind header | A (10 data bytes) | B: 4 bytes, C (6 data bytes), 2 bytes
Bytes NestedFile() {
    CGenFile f;
    f.CreateMemory();
    WriteZeros(f, 16);
    f.BeginSection("A", 0);
    WriteZeros(f, 10);
    f.EndSection("A");
    f.BeginSection("B", 7);
    WriteZeros(f, 4);
    f.BeginSection("C", 0);
    WriteZeros(f, 6);
    f.EndSection("C");
    WriteZeros(f, 2);
    f.EndSection("B");
    f.Close();
    return BytesOf(f);
}

TEST(SectionIndex, SiblingsShareALevelAndANestedSectionIsOneDeeper) {
    CGenFile f;
    Reopen(f, NestedFile());
    const auto& index = f.SectionIndex();
    ASSERT_EQ(index.size(), 3u);
    EXPECT_EQ(index[0].label, "A");
    EXPECT_EQ(index[0].position, 16);
    EXPECT_EQ(index[0].dataLen, 10);
    EXPECT_EQ(index[1].label, "B");
    EXPECT_EQ(index[1].position, 16 + 68 + 10);
    EXPECT_EQ(index[1].innerOff, 4);
    EXPECT_EQ(index[1].dataLen, 4 + 68 + 6 + 2);
    EXPECT_EQ(index[2].label, "C");
    EXPECT_EQ(index[2].position, index[1].position + 68 + 4);
    EXPECT_EQ(index[2].innerOff, -1);
    int levels[] = {0, 0, 1};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(index[size_t(i)].level, levels[i]) << i;
        EXPECT_TRUE(index[size_t(i)].connected) << i;
        EXPECT_TRUE(index[size_t(i)].levelKnown) << i;
    }
    std::vector<std::string> dump = f.SectionListDump();
    ASSERT_EQ(dump.size(), 3u);
    EXPECT_EQ(dump[0], "[  0]      16:<0>'A', Num=0, DataLen=10(NextPos=94),  InnerOff=-1");
    EXPECT_EQ(dump[1],
              "[  1]      94:<0>'B', Num=7, DataLen=80(NextPos=242),  InnerOff=4"
              "(NextInnerPos=166)");
    EXPECT_EQ(dump[2], "[  2]     166:\t<1>'C', Num=0, DataLen=6(NextPos=240),  InnerOff=-1");
}

TEST(SectionIndex, AnEntryThatNoChainReachesIsUnconnected) {
    Bytes bytes = NestedFile();
    // A stray copy of C's header further on: valid, but no sibling or inner offset leads there.
    Bytes stray(bytes.begin() + 166, bytes.begin() + 166 + 68);
    bytes.insert(bytes.end(), 5, 0);
    bytes.insert(bytes.end(), stray.begin(), stray.end());
    CGenFile f;
    Reopen(f, bytes);
    std::vector<std::string> dump = f.SectionListDump();
    ASSERT_EQ(dump.size(), 4u);
    EXPECT_EQ(dump[3].substr(0, 27), "[  3]     247:<Unconnected>");
    EXPECT_NE(dump[3].find("<?>'C'"), std::string::npos) << dump[3];
}

TEST(Sections, EndingAnOuterSectionClosesTheInnerOnesAtTheSamePosition) {
    CGenFile f;
    f.CreateMemory();
    f.BeginSection("Outer", 0);
    WriteZeros(f, 3);
    f.BeginSection("Inner", 0);
    WriteZeros(f, 5);
    EXPECT_EQ(f.EndSection("Nope"), 0);
    const CBuf& written = f.Memory();
    EXPECT_EQ(written.Count(), 68 + 3 + 68 + 5);
    EXPECT_EQ(written.Data()[0], 0);  // no header written by the refused end
    ASSERT_EQ(f.EndSection("Outer"), 1);
    EXPECT_EQ(f.EndSection(), 0);  // nothing is open any more
    f.Close();
    CGenFile r;
    Reopen(r, BytesOf(f));
    const auto& index = r.SectionIndex();
    ASSERT_EQ(index.size(), 2u);
    EXPECT_EQ(index[0].position + 68 + index[0].dataLen, 68 + 3 + 68 + 5);
    EXPECT_EQ(index[1].position + 68 + index[1].dataLen, 68 + 3 + 68 + 5);
    EXPECT_EQ(index[0].innerOff, 3);
}

TEST(Sections, CloseEndsEveryOpenSectionEvenWhenLabelsRepeat) {
    CGenFile f;
    f.CreateMemory();
    f.BeginSection("Same", 0);
    WriteZeros(f, 2);
    f.BeginSection("Same", 1);
    WriteZeros(f, 2);
    ASSERT_EQ(f.Close(), 1);
    CGenFile r;
    Reopen(r, BytesOf(f));
    const auto& index = r.SectionIndex();
    ASSERT_EQ(index.size(), 2u);
    EXPECT_EQ(index[0].num, 0);
    EXPECT_EQ(index[0].dataLen, 2 + 68 + 2);
    EXPECT_EQ(index[1].num, 1);
    EXPECT_EQ(index[1].level, 1);
}

TEST(Sections, FindRunsForwardOnlyAndCanAskForTheNumber) {
    CGenFile f;
    Reopen(f, NestedFile());
    SSectionInfo info;
    ASSERT_TRUE(f.FindSection("C", &info));
    EXPECT_EQ(f.Position(), 166 + 68);
    EXPECT_FALSE(f.FindSection("B"));  // already passed
    f.Seek(0);
    EXPECT_FALSE(f.FindSection("B", 6, &info));
    f.Seek(0);
    ASSERT_TRUE(f.FindSection("B", 7, &info));
    EXPECT_EQ(info.innerOff, 4);
    EXPECT_FALSE(f.FindSection("b"));  // case matters
}

TEST(Sections, DamagedHeadersAndStrayMagicBytesAreNotSections) {
    Bytes bytes = NestedFile();
    bytes[94 + 10] ^= 0x40;     // B's label
    bytes[16 + 68 + 2] = 0x96;  // the magic inside A's data
    bytes[16 + 68 + 3] = 0x32;
    CGenFile f;
    Reopen(f, bytes);
    const auto& index = f.SectionIndex();
    ASSERT_EQ(index.size(), 2u);
    EXPECT_EQ(index[0].label, "A");
    EXPECT_EQ(index[1].label, "C");
}

TEST(Sections, TheWindowedDiskScanFindsWhatTheMemoryScanFinds) {
    // Windows start every 59998 bytes. Headers across the first window's end, with the
    // magic split across it (59999) and on the second window's last byte (119997).
    CGenFile f;
    f.CreateMemory();
    for (int64_t at : {59900, 59999, 60200, 119997}) {
        WriteZeros(f, int(at - f.Position()));
        f.BeginSection(("S" + std::to_string(at)).c_str(), int32_t(at));
        WriteZeros(f, 3);
        f.EndSection();
    }
    f.Close();
    Bytes bytes = BytesOf(f);
    CTempDir dir;
    dir.Write("big.bin", bytes);
    CGenFile disk;
    ASSERT_TRUE(disk.OpenRead(dir.Path("big.bin")));
    CGenFile memory;
    Reopen(memory, bytes);
    const auto& fromDisk = disk.SectionIndex();
    ASSERT_EQ(fromDisk.size(), 4u);
    EXPECT_EQ(fromDisk[1].position, 59999);
    EXPECT_EQ(disk.SectionListDump(), memory.SectionListDump());
}

TEST(GenFile, DiskAndMemoryFilesHoldTheSameBytes) {
    CTempDir dir;
    auto write = [](CGenFile& f) {
        f.WriteU8(0xAB);
        f.WriteU16(0x1234);
        f.WriteU32(0xDEADBEEF);
        f.WriteU64(0x0102030405060708ull);
        f.WriteString("text");
        f.WriteLine("line");
        f.BeginSection("S", 1);
        f.WriteU32(9);
        return f.Close();
    };
    CGenFile disk, memory;
    ASSERT_TRUE(disk.OpenWrite(dir.Path("f.bin")));
    ASSERT_TRUE(write(disk));
    memory.CreateMemory();
    ASSERT_TRUE(write(memory));
    EXPECT_EQ(dir.Read("f.bin"), BytesOf(memory));

    CGenFile r;
    ASSERT_TRUE(r.OpenRead(dir.Path("f.bin")));
    uint8_t u8;
    uint16_t u16;
    uint32_t u32;
    uint64_t u64;
    std::string text, line;
    ASSERT_TRUE(r.ReadU8(&u8) && r.ReadU16(&u16) && r.ReadU32(&u32) && r.ReadU64(&u64));
    EXPECT_EQ(u8, 0xAB);
    EXPECT_EQ(u16, 0x1234);
    EXPECT_EQ(u32, 0xDEADBEEFu);
    EXPECT_EQ(u64, 0x0102030405060708ull);
    ASSERT_TRUE(r.ReadString(&text));
    EXPECT_EQ(text, "text");
    ASSERT_TRUE(r.ReadLine(&line));
    EXPECT_EQ(line, "line");
    ASSERT_TRUE(r.FindSection("S"));
    ASSERT_TRUE(r.ReadU32(&u32));
    EXPECT_EQ(u32, 9u);
    EXPECT_FALSE(r.ReadU32(&u32));
}

TEST(GenFile, ReadingAndWritingInTurnsGivesTheSameBytesOnDiskAndInMemory) {
    CTempDir dir;
    auto work = [](CGenFile& f) {
        for (uint32_t i = 0; i < 300; ++i)
            f.WriteU32(i);
        uint32_t sum = 0, v = 0;
        f.Seek(40);
        for (int i = 0; i < 50 && f.ReadU32(&v); ++i) {
            sum += v;
            f.Seek(-4, CGenFile::Origin::Current);
            f.WriteU32(v * 3);  // write where the value was read
        }
        f.Seek(0, CGenFile::Origin::End);
        f.WriteU32(sum);
        return f.Close();
    };
    CGenFile disk, memory;
    ASSERT_TRUE(disk.OpenWrite(dir.Path("turns.bin")));
    ASSERT_TRUE(work(disk));
    memory.CreateMemory();
    ASSERT_TRUE(work(memory));
    Bytes bytes = BytesOf(memory);
    ASSERT_EQ(bytes.size(), 301u * 4);
    EXPECT_EQ(GetLe32(&bytes[40]), 30);
    EXPECT_EQ(GetLe32(&bytes[300 * 4]), (10 + 59) * 50 / 2);
    EXPECT_EQ(dir.Read("turns.bin"), bytes);
}

TEST(GenFile, ReadHelpersRefuseWhatIsNotThere) {
    const uint8_t hugeString[] = {0xFF, 0xFF, 0xFF, 0x7F, 'a', 'b'};
    CGenFile f;
    f.OpenMemory(hugeString, sizeof hugeString);
    std::string s = "kept";
    EXPECT_FALSE(f.ReadString(&s));
    EXPECT_EQ(s, "kept");
    const char lines[] = "one\r\ntwo\r\r\nthree";
    f.OpenMemory(lines, sizeof lines - 1);
    std::vector<std::string> got;
    for (std::string line; f.ReadLine(&line);)
        got.push_back(line);
    EXPECT_EQ(got, (std::vector<std::string>{"one", "two", "three"}));
}

TEST(GenFile, OpenFailuresAreReportedOnlyWhenAsked) {
    CTempDir dir;
    CGenFile f;
    EXPECT_FALSE(f.OpenRead(dir.Path("missing.bin"), 0, 0));
    EXPECT_TRUE(TestPlatform().Texts().empty());
    EXPECT_FALSE(f.OpenRead(dir.Path("missing.bin")));
    EXPECT_FALSE(f.OpenWrite(dir.Path("no/such/folder/x.bin")));
    auto messages = TestPlatform().Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, "Failed to open '" + dir.Path("missing.bin") + "' !");
    EXPECT_EQ(messages[0].icon, MsgIcon::Error);
    EXPECT_EQ(messages[1].text, "Failed to create '" + dir.Path("no/such/folder/x.bin") + "' !");
}

TEST(GenFile, AnAbandonedWriteLeavesTheOldFile) {
    CTempDir dir;
    dir.Write("keep.bin", {1, 2, 3});
    CGenFile f;
    ASSERT_TRUE(f.OpenWrite(dir.Path("keep.bin")));
    f.WriteU32(77);
    f.Abandon();
    EXPECT_EQ(dir.Read("keep.bin"), (Bytes{1, 2, 3}));
    ASSERT_TRUE(f.OpenWrite(dir.Path("keep.bin")));
    f.WriteU8(9);
    ASSERT_TRUE(f.Close());
    EXPECT_EQ(dir.Read("keep.bin"), (Bytes{9}));
}

}  // namespace
