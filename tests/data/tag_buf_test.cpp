// Tag buffers and tag buffer lists: layouts, file form, conversion, nesting and the dump.
#include <gtest/gtest.h>

#include <cstring>

#include "data/dms.h"
#include "data/gen_file.h"
#include "data/pix_buf.h"
#include "data/tag_buf.h"
#include "data/tag_buf_list.h"
#include "tests/data/data_fixtures.h"
#include "util/le.h"
#include "util/mem_stream.h"

namespace {

std::unique_ptr<CTagBuf> Raw(const char* label, const std::string& bytes = "x") {
    return std::make_unique<CTagBuf>(label, bytes.data(), int(bytes.size()));
}

std::vector<std::string> Labels(const CTagBufLst& list) {
    std::vector<std::string> out;
    for (int i = 0; i < list.Count(); ++i)
        out.emplace_back(list.Get(i)->TagLabel());
    return out;
}

Bytes WrittenList(const CTagBufLst& list) {
    CMemStream s;
    list.WriteList(s);
    return s.Bytes();
}

TEST(TagBuf, ADescribedTagBufferHoldsUnitsOnlyWhenItsLayoutAddsUp) {
    const STagField fields[] = {{"A", kTagInt32, 1}, {"B", kTagDouble, 2}, {"C", kTagString, 3}};
    uint8_t unit[23] = {1};
    CTagBuf good("GOOD", 3, fields, unit, 2, 23, nullptr, 0, 0);
    EXPECT_EQ(good.Count(), 2);
    EXPECT_EQ(good.ElementSize(), 23);
    EXPECT_TRUE(good.IsConsistent());
    EXPECT_EQ(good.DefaultUnit().Count(), 1);
    EXPECT_EQ(good.FieldOffset(2), 20);
    EXPECT_EQ(good.FieldSize(1), 16);
    EXPECT_EQ(good.LayoutUnitSize(), 23);
    // Out of range: type 2, count 0.
    EXPECT_EQ(good.FieldType(3), kTagUInt8);
    EXPECT_EQ(good.FieldElements(-1), 0);

    CTagBuf bad;
    EXPECT_EQ(bad.Init("BAD", 3, fields, nullptr, 1, 24, nullptr, 0, 0), nullptr);
    EXPECT_EQ(bad.Count(), 0);
}

TEST(TagBuf, WellFormedNeedsALabelAndDistinctNamesOfAtMost16Characters) {
    const STagField twice[] = {{"Same", kTagInt32, 1}, {"Same", kTagInt32, 1}};
    const STagField fine[] = {{"SixteenCharsName", kTagInt32, 1}, {"Other", kTagInt32, 1}};
    EXPECT_FALSE(CTagBuf("T", 2, twice, nullptr, 1, 8, nullptr, 0, 0).IsWellFormed());
    EXPECT_TRUE(CTagBuf("T", 2, fine, nullptr, 1, 8, nullptr, 0, 0).IsWellFormed());
    EXPECT_FALSE(CTagBuf("", 2, fine, nullptr, 1, 8, nullptr, 0, 0).IsWellFormed());
}

TEST(TagBuf, FileFormRoundTripsAndMarksTheReadTagAsStored) {
    const STagField fields[] = {{"V", kTagInt16, 3}};
    const int16_t values[2][3] = {{1, -2, 3}, {4, 5, -6}};
    CTagBuf tag("VALUES", 1, fields, nullptr, 2, 6, values, 1, 0);
    CMemStream s;
    ASSERT_TRUE(tag.WriteTag(s));
    // Label (7 bytes with NUL), one 25-byte descriptor, two 6-byte units; 12-byte headers.
    EXPECT_EQ(s.Bytes().size(), size_t(12 + 7 + 12 + 25 + 12 + 12));
    s.Seek(0);
    CTagBuf back;
    ASSERT_TRUE(back.ReadTag(s));
    EXPECT_TRUE(back.AsStored());
    EXPECT_EQ(back.TagLabel(), "VALUES");
    EXPECT_EQ(back.FieldName(0), "V");
    EXPECT_EQ(back.FieldType(0), kTagInt16);
    ASSERT_EQ(back.TotalBytes(), 12);
    EXPECT_EQ(std::memcmp(back.Data(), values, 12), 0);
}

TEST(TagBufLst, ListHeadersWithTheMagicOrTwoZerosAreRead) {
    CTagBufLst list;
    list.Add(Raw("ONE"));
    list.Add(Raw("TWO"));
    Bytes bytes = WrittenList(list);
    EXPECT_EQ(GetLe32(bytes.data()), 2);
    EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 12), "TBL ");
    struct {
        uint8_t reserved, magic0;
        bool reads;
    } cases[] = {{0, 'T', true}, {0, 0, true}, {1, 0, false}, {0, 'X', false}};
    for (const auto& c : cases) {
        Bytes b = bytes;
        b[4] = c.reserved;
        if (c.magic0 != 'T') {
            b[8] = c.magic0;
            b[9] = b[10] = b[11] = 0;
        }
        CMemStream s(b);
        CTagBufLst back;
        EXPECT_EQ(back.ReadList(s), c.reads ? 1 : 0) << int(c.reserved) << int(c.magic0);
        if (c.reads) {
            EXPECT_EQ(Labels(back), (std::vector<std::string>{"ONE", "TWO"}));
        }
    }
}

TEST(TagBufLst, ADamagedTagBufferIsKeptAsFarAsReadAndTheRestFollows) {
    CTagBufLst list;
    list.Add(Raw("FIRST"));
    list.Add(Raw("BROKEN", "abcd"));
    list.Add(Raw("LAST"));
    Bytes bytes = WrittenList(list);
    // BROKEN's descriptors: element size 24 instead of 25 (no fields, so no bytes follow).
    size_t broken = 12 + (12 + 6 + 12 + 12 + 1);
    size_t descriptors = broken + 12 + 7;
    ASSERT_EQ(GetLe32(&bytes[descriptors + 4]), 25);
    PutLe32(&bytes[descriptors + 4], 24);
    CMemStream s(bytes);
    CTagBufLst back;
    ASSERT_TRUE(back.ReadList(s));
    ASSERT_EQ(Labels(back), (std::vector<std::string>{"FIRST", "BROKEN", "LAST"}));
    EXPECT_EQ(back.Get(1)->FieldCount(), 0);
    EXPECT_EQ(back.Get(1)->TotalBytes(), 4);

    // A negative unit count in BROKEN: its read fails, the list still has three tags.
    bytes = WrittenList(list);
    PutLe32(&bytes[descriptors + 12], -1);
    CMemStream s2(bytes);
    CTagBufLst back2;
    ASSERT_TRUE(back2.ReadList(s2));
    EXPECT_EQ(back2.Count(), 3);
    EXPECT_EQ(back2.Get(0)->TagLabel(), "FIRST");
}

TEST(TagBufLst, AListCountBeyondTheBytesStopsAtTheEnd) {
    CTagBufLst list;
    list.Add(Raw("ONLY"));
    Bytes bytes = WrittenList(list);
    PutLe32(bytes.data(), INT32_MAX);
    CMemStream s(bytes);
    CTagBufLst back;
    ASSERT_TRUE(back.ReadList(s));
    EXPECT_EQ(back.Count(), 1);
}

// Conversion of one stored field into a target field of another type or size.
struct SConversion {
    int32_t sourceType, sourceCount;
    std::vector<uint8_t> source;
    int32_t targetType, targetCount;
    std::vector<uint8_t> expected;
    const char* what;
};

std::vector<uint8_t> Le(uint64_t v, int n) {
    std::vector<uint8_t> b;
    for (int i = 0; i < n; ++i)
        b.push_back(uint8_t(v >> (8 * i)));
    return b;
}

std::vector<uint8_t> Dbl(double d) {
    std::vector<uint8_t> b(8);
    std::memcpy(b.data(), &d, 8);
    return b;
}

TEST(TagConvert, FieldsAreConvertedByTheTable) {
    const SConversion cases[] = {
        {kTagInt8, 1, {0xFF}, kTagInt32, 1, Le(255, 4), "int8 -1 zero-extends"},
        {kTagInt16, 1, Le(0xFFFF, 2), kTagInt32, 1, Le(65535, 4), "int16 -1 zero-extends"},
        {kTagInt16, 1, Le(0xFFFF, 2), kTagDouble, 1, Dbl(65535), "int16 -1 into a double"},
        {kTagInt32, 1, Le(0xFFFFFFFF, 4), kTagDouble, 1, Dbl(4294967295.0), "int32 unsigned"},
        {kTagUInt32, 1, Le(0x12345678, 4), kTagUInt16, 1, Le(0x5678, 2), "low 16 bits"},
        {kTagInt32, 1, Le(0x1234, 4), kTagUInt8, 1, {0x34}, "low byte"},
        {kTagUInt8, 1, {200}, kTagDouble, 1, Dbl(200), "byte value"},
        {kTagBool, 1, Le(1, 4), kTagInt16, 1, Le(1, 2), "bool into int16"},
        {kTagDouble, 1, Dbl(-2.7), kTagInt32, 1, Le(0xFFFFFFFE, 4), "double truncates"},
        {kTagDouble, 1, Dbl(300.9), kTagUInt8, 1, {44}, "double low byte"},
        {kTagInt32,
         3,
         {'H', 0, 0, 0, 'i', 0, 0, 0, 'x', 0, 0, 0},
         kTagString,
         3,
         {'H', 'i', 0},
         "into a string: the last converted byte is a NUL"},
        {kTagInt16,
         2,
         {1, 0, 2, 0},
         kTagInt32,
         3,
         {1, 0, 0, 0, 2, 0, 0, 0, 9, 9, 9, 9},
         "fewer source elements: the rest keeps the default"},
        {kTagString,
         6,
         {'H', 'e', 'l', 'l', 'o', 0},
         kTagString,
         4,
         {'H', 'e', 'l', 0},
         "same type: bytewise, the last copied byte a NUL"},
        {kTagUInt16, 2, {1, 2, 3, 4}, kTagUInt16, 1, {1, 2}, "same type: bytewise, cut"},
    };
    for (const SConversion& c : cases) {
        const STagField stored[] = {{"Pad", kTagInt32, 1}, {"F", c.sourceType, c.sourceCount}};
        std::vector<uint8_t> storedUnit(4 + c.source.size(), 7);
        std::copy(c.source.begin(), c.source.end(), storedUnit.begin() + 4);
        CTagBuf source("T", 2, stored, nullptr, 1, int(storedUnit.size()), storedUnit.data(), 1, 0);
        ASSERT_EQ(source.Count(), 1) << c.what;

        const STagField own[] = {{"F", c.targetType, c.targetCount}, {"New", kTagInt16, 1}};
        int size = int(c.expected.size()) + 2;
        std::vector<uint8_t> defaults(size_t(size), 9);
        CTagBuf target("T", 2, own, defaults.data(), 0, size, nullptr, 0, 0);
        target.LoadFromStored(source);
        ASSERT_EQ(target.Count(), 1) << c.what;
        std::vector<uint8_t> got(target.Data(), target.Data() + c.expected.size());
        EXPECT_EQ(got, c.expected) << c.what;
        EXPECT_EQ(target.Data()[size - 1], 9) << c.what;  // "New" keeps its default
        auto status = target.FieldStatus(0);
        EXPECT_EQ(status.found, 1) << c.what;
        EXPECT_EQ(status.how, c.sourceType == c.targetType ? 1 : 2) << c.what;
        EXPECT_EQ(target.FieldStatus(1).found, 0) << c.what;
        EXPECT_EQ(target.FieldStatus(1).how, 0) << c.what;
    }
}

TEST(TagConvert, AStoredPictureUnitWithoutDpiKeepsTheDefaultDpi) {
    // An older layout: the fields in another order, no "Dpi".
    const STagField old[] = {{"BkColor", kTagUInt32, 1},
                             {"Height", kTagInt32, 1},
                             {"Width", kTagInt32, 1},
                             {"Type", kTagInt32, 1},
                             {"BitsPerPixel", kTagInt32, 1}};
    const int32_t unit[] = {0x123456, 3, 2, 2, 8};
    CTagBufLst list;
    list.Add(std::make_unique<CTagBuf>("PIXBUFDMS", 5, old, nullptr, 1, 20, unit, 1, 0));
    SPixBufDms dms;
    dms.dpi = 72.0;
    ASSERT_TRUE(ReadDms(list, dms));
    EXPECT_EQ(dms.type, 2);
    EXPECT_EQ(dms.width, 2);
    EXPECT_EQ(dms.height, 3);
    EXPECT_EQ(dms.bitsPerPixel, 8);
    EXPECT_EQ(dms.bkColor, 0x123456u);
    EXPECT_EQ(dms.dpi, 72.0);
}

TEST(TagConvert, UnitsOfEqualOrMissingLayoutsAreTakenAsTheyAre) {
    const STagField fields[] = {{"A", kTagInt32, 2}};
    const int32_t unit[] = {5, 6};
    CTagBuf stored("T", 1, fields, nullptr, 1, 8, unit, 1, 0);
    CTagBuf same("T", 1, fields, nullptr, 0, 8, nullptr, 0, 0);
    same.LoadFromStored(stored);
    EXPECT_EQ(same.Count(), 1);
    EXPECT_EQ(same.FieldStatus(0).found, 0);
    EXPECT_EQ(same.FieldStatus(0).how, 1);
    // A raw target of 6-byte units: each unit is cut; of 12-byte units, zero-padded.
    for (int size : {6, 12}) {
        CTagBuf raw("T", 0, nullptr, nullptr, 0, size, nullptr, 0, 0);
        raw.LoadFromStored(stored);
        ASSERT_EQ(raw.Count(), 1);
        ASSERT_EQ(raw.ElementSize(), size);
        EXPECT_EQ(raw.Data()[4], 6);
        if (size == 12) {
            EXPECT_EQ(GetLe32(raw.Data() + 8), 0);
        }
    }
}

TEST(TagBufLst, ExtractInPrefixModeCollectsTheSuffixes) {
    CTagBufLst list;
    list.Add(Raw("MaskImg0\\A"));
    list.Add(Raw("MaskImg1\\B"));
    list.Add(Raw("Other\\C"));
    std::vector<std::string> suffixes = {"stale"};
    auto out = list.Extract("MaskImg", false, &suffixes, false);
    EXPECT_EQ(Labels(*out), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(Labels(list), (std::vector<std::string>{"Other\\C"}));
    EXPECT_EQ(suffixes, (std::vector<std::string>{"0", "1"}));
}

TEST(TagBufLst, ExtractMatchesHeadsExactlyAndStopsAfterAContiguousRun) {
    auto make = [] {
        CTagBufLst list;
        for (const char* label :
             {"", "DMS", "Pix\\A", "PixBuf\\B", "PixBuf", "Other\\C", "PixBuf\\D\\E"})
            list.Add(Raw(label));
        return list;
    };
    CTagBufLst list = make();
    auto exact = list.Extract("PixBuf", true, nullptr, false);
    EXPECT_EQ(Labels(*exact), (std::vector<std::string>{"B", "", "D\\E"}));
    EXPECT_EQ(Labels(list), (std::vector<std::string>{"", "DMS", "Pix\\A", "Other\\C"}));

    CTagBufLst list2 = make();
    auto run = list2.Extract("PixBuf", true, nullptr, true);
    EXPECT_EQ(Labels(*run), (std::vector<std::string>{"B", ""}));
    EXPECT_EQ(Labels(list2),
              (std::vector<std::string>{"", "DMS", "Pix\\A", "Other\\C", "PixBuf\\D\\E"}));
    EXPECT_EQ(list2.Extract("Nothing", true, nullptr, true)->Count(), 0);
}

TEST(TagBufLst, NestPutsOnePrefixAndOneBackslashInFront) {
    CTagBufLst parent;
    parent.Add(Raw("OWN"));
    auto child = std::make_unique<CTagBufLst>();
    child->Add(Raw("PIXBUFDMS"));
    child->Add(Raw("Inner\\X"));
    EXPECT_EQ(parent.Nest("PixBuf\\\\", std::move(child)), 3);
    EXPECT_EQ(Labels(parent),
              (std::vector<std::string>{"OWN", "PixBuf\\PIXBUFDMS", "PixBuf\\Inner\\X"}));

    CTagBufLst keep;
    keep.Add(Raw("Y"));
    EXPECT_EQ(parent.Nest("\\\\", keep), 3);
    EXPECT_EQ(keep.Count(), 1);
    // Nest and Extract are inverse.
    auto back = parent.Extract("PixBuf", true, nullptr, true);
    EXPECT_EQ(Labels(*back), (std::vector<std::string>{"PIXBUFDMS", "Inner\\X"}));
}

TEST(TagBuf, TextDumpShowsEveryFieldInItsTypesForm) {
    const STagField fields[] = {{"Name", kTagString, 8},   {"Flag", kTagBool, 1},
                                {"Small", kTagInt8, 1},    {"Dpi", kTagDouble, 1},
                                {"Colour", kTagUInt32, 1}, {"List", kTagInt16, 12}};
    struct __attribute__((packed)) {
        char name[8] = "key";
        int32_t flag = 1;
        int8_t small = -3;
        double dpi = 72.5;
        uint32_t colour = 4000000000u;
        int16_t list[12] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, -10, 11};
    } unit;
    static_assert(sizeof unit == 49);
    CTagBuf tag("DEMODMS", 6, fields, nullptr, 1, 49, &unit, 1, 0);
    std::vector<std::string> lines;
    tag.DumpText(lines, "> ");
    std::vector<std::string> expected = {
        "> {CTagBuf lable = 'DEMODMS', UnitCnt = 1}",
        "> {Unit 0/1}",
        "> [Name            ] = 'key'",
        "> [Flag            ] = TRUE",
        "> [Small           ] = -3",
        "> [Dpi             ] = 72.500000",
        "> [Colour          ] = 4000000000",
        "> [List            ] = 0,\t1,\t2,\t3,\t4,\t5,\t6,\t7,\t8,\t9,",
        "> " + std::string(21, ' ') + "-10,\t11",
    };
    EXPECT_EQ(lines, expected);
    lines.clear();
    CTagBuf raw("RAW", "\x01\x02", 2);
    raw.DumpText(lines, "", 1);
    EXPECT_EQ(lines, (std::vector<std::string>{"{CTagBuf lable = 'RAW', UnitCnt = 2}", "{Unit 0/2}",
                                               "[                ] = 1"}));
}

}  // namespace
