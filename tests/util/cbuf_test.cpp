#include "util/cbuf.h"

#include <gtest/gtest.h>

#include <cstring>
#include <numeric>
#include <vector>

#include "util/mem_stream.h"

namespace {

std::vector<int32_t> Ints(const CBuf& b) {
    std::vector<int32_t> v;
    for (int i = 0; i < b.Count(); ++i)
        v.push_back(b.GetInt(i));
    return v;
}

CBuf IntBuf(std::initializer_list<int32_t> values) {
    std::vector<int32_t> v(values);
    return CBuf(int(v.size()), 4, v.data(), 1, 10);
}

TEST(CBuf, DefaultStateAndClear) {
    CBuf b;
    EXPECT_EQ(b.Count(), 0);
    EXPECT_EQ(b.ElementSize(), 1);
    EXPECT_EQ(b.GrowStep(), 100);
    EXPECT_EQ(b.Data(), nullptr);
    EXPECT_EQ(b.ElementPointer(0, 1), nullptr);

    b.Assign(3, 4, nullptr, 0, 5);
    b.SetLabel("pixels");
    b.Clear();
    EXPECT_EQ(b.Count(), 0);
    EXPECT_EQ(b.ElementSize(), 1);
    EXPECT_EQ(b.GrowStep(), 100);
    EXPECT_EQ(b.Capacity(), 0);
    EXPECT_STREQ(b.Label(), "");
}

TEST(CBuf, AssignAllocatesZeroedSpareAndClearsLabel) {
    CBuf b;
    b.SetLabel("old");
    int32_t src[3] = {7, 8, 9};
    b.Assign(3, 4, src, 1, 5);
    EXPECT_EQ(b.Capacity(), 8);
    EXPECT_EQ(Ints(b), (std::vector<int32_t>{7, 8, 9}));
    EXPECT_STREQ(b.Label(), "");
    // The spare elements beyond the count are zero.
    for (int i = 3; i < 8; ++i)
        EXPECT_EQ(*reinterpret_cast<int32_t*>(b.ElementPointer(i, 0)), 0);
}

TEST(CBuf, BorrowedBufferIsNeverChangedOrFreed) {
    std::vector<int32_t> src = {1, 2, 3};
    {
        CBuf b(3, 4, src.data(), 0, 10);
        EXPECT_TRUE(b.IsBorrowed());
        EXPECT_EQ(b.Capacity(), 3);
        int32_t v = 5;
        b.Append(&v, 1);
        b.AppendInt(6);
        b.Insert(&v, 0, 1);
        EXPECT_EQ(b.Remove(0, 1), 0);
        b.Resize(10, 0);
        EXPECT_EQ(b.ChangeElementSize(2), 0);
        CBuf other = IntBuf({4});
        EXPECT_EQ(b.CopyFrom(other), 0);
        CMemStream s;
        EXPECT_EQ(b.WriteTo(s), 0);
        EXPECT_EQ(b.ReadFrom(s), 0);
        EXPECT_EQ(b.Count(), 3);
        EXPECT_EQ(b.Data(), reinterpret_cast<uint8_t*>(src.data()));
    }
    EXPECT_EQ(src, (std::vector<int32_t>{1, 2, 3}));  // still ours, untouched
}

TEST(CBuf, CopyTakesDataGrowStepAndLabel) {
    CBuf a = IntBuf({1, 2});
    a.SetLabel("pairs");
    a.SetGrowStep(33);
    CBuf b(a);
    EXPECT_NE(b.Data(), a.Data());
    EXPECT_EQ(Ints(b), Ints(a));
    EXPECT_EQ(b.GrowStep(), 33);
    EXPECT_STREQ(b.Label(), "pairs");
}

TEST(CBuf, ResizeRules) {
    CBuf b(4, 1, nullptr, 0, 4);  // capacity 8
    ASSERT_EQ(b.Capacity(), 8);
    uint8_t* before = b.Data();
    b.Resize(8, 0);
    EXPECT_EQ(b.Data(), before);  // fits: no reallocation
    b.Resize(2, 1);               // (8 - 8) / 2 = 0 does not exceed the grow step
    EXPECT_EQ(b.Data(), before);
    EXPECT_EQ(b.Count(), 2);
    b.Resize(9, 0);  // beyond capacity: 9 + 4
    EXPECT_EQ(b.Capacity(), 13);
    EXPECT_EQ(b.Count(), 9);

    CBuf big(2, 1, nullptr, 0, 1);  // capacity 3
    big.Resize(100, 0);             // capacity 101, count 100
    big.Resize(2, 1);               // capacity stays 101: (101 - 100) / 2 = 0
    EXPECT_EQ(big.Capacity(), 101);
    big.Resize(1, 1);  // now (101 - 2) / 2 = 49 > 1: shrink to 1 + 1
    EXPECT_EQ(big.Capacity(), 2);
    EXPECT_EQ(big.Count(), 1);
}

TEST(CBuf, ElementsBackInUseAfterShrinkReadAsZero) {
    CBuf b = IntBuf({1, 2, 3});
    b.Resize(1, 0);
    b.Resize(3, 0);
    EXPECT_EQ(Ints(b), (std::vector<int32_t>{1, 0, 0}));
}

TEST(CBuf, ElementAccessAndSizedCopies) {
    CBuf b(2, 4, nullptr, 0, 10);
    uint8_t two[2] = {0xAB, 0xCD};
    ASSERT_EQ(b.SetElementSized(0, two, 2), 1);
    uint8_t got[4];
    b.GetElement(0, got);
    EXPECT_EQ(got[0], 0xAB);
    EXPECT_EQ(got[1], 0xCD);
    EXPECT_EQ(got[2], 0);
    EXPECT_EQ(got[3], 0);
    uint8_t six[6] = {1, 2, 3, 4, 5, 6};
    b.SetElementSized(1, six, 6);  // cut to 4 bytes
    EXPECT_EQ(b.GetInt(1), 0x04030201);
    EXPECT_EQ(b.SetElement(2, six), 0);
    EXPECT_EQ(b.GetInt(-1), 0);
    EXPECT_EQ(b.GetDouble(5), 0.0);

    // GetInt of a wide element reads only the first four bytes.
    CBuf wide(1, 8, nullptr, 0, 0);
    int64_t v = 0x1122334455667788;
    wide.SetElement(0, &v);
    EXPECT_EQ(wide.GetInt(0), 0x55667788);
}

TEST(CBuf, AppendGrowthRule) {
    CBuf b(0, 1, nullptr, 0, 10);
    for (int i = 0; i < 1000; ++i) {
        uint8_t v = uint8_t(i);
        b.Append(&v, 1);
    }
    EXPECT_EQ(b.Count(), 1000);
    EXPECT_GE(b.GrowStep(), 2000);
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(b.Data()[i], uint8_t(i));
}

TEST(CBuf, AppendFromItselfSurvivesReallocation) {
    CBuf b = IntBuf({1, 2, 3});
    b.SetGrowStep(0);
    b.Append(b.Data(), 3);
    EXPECT_EQ(Ints(b), (std::vector<int32_t>{1, 2, 3, 1, 2, 3}));
    b.AppendBuffer(b);
    EXPECT_EQ(b.Count(), 12);
}

TEST(CBuf, AppendIntAndAppendBufferConvertSizes) {
    CBuf b(0, 2, nullptr, 0, 1);
    b.AppendInt(0x12345678);  // cut to the element size
    EXPECT_EQ(b.GetInt(0), 0x5678);
    CBuf wide(0, 8, nullptr, 0, 1);
    CBuf narrow = IntBuf({-1, 5});
    wide.AppendBuffer(narrow);  // zero-extended elements
    ASSERT_EQ(wide.Count(), 2);
    int64_t e0;
    wide.GetElement(0, &e0);
    EXPECT_EQ(e0, 0xFFFFFFFFLL);
}

TEST(CBuf, InsertRemoveReverse) {
    CBuf b = IntBuf({1, 2, 5});
    int32_t mid[2] = {3, 4};
    b.Insert(mid, 2, 2);
    EXPECT_EQ(Ints(b), (std::vector<int32_t>{1, 2, 3, 4, 5}));
    b.Insert(mid, -4, 1);  // negative position counts as 0
    EXPECT_EQ(Ints(b), (std::vector<int32_t>{3, 1, 2, 3, 4, 5}));
    b.InsertZeros(99, 1);  // past the end appends
    EXPECT_EQ(b.GetInt(6), 0);
    EXPECT_EQ(b.Count(), 7);

    CBuf r = IntBuf({0, 1, 2, 3, 4});
    int32_t removed[5] = {};
    EXPECT_EQ(r.Remove(3, 10, removed), 1);  // cut to the two elements there are
    EXPECT_EQ(Ints(r), (std::vector<int32_t>{0, 1, 2}));
    EXPECT_EQ(removed[0], 3);
    EXPECT_EQ(removed[1], 4);
    EXPECT_EQ(r.Remove(3, 1), 0);
    EXPECT_EQ(r.Remove(0, 0), 0);
    EXPECT_EQ(r.Remove(-1, 1), 0);

    r.Reverse();
    EXPECT_EQ(Ints(r), (std::vector<int32_t>{2, 1, 0}));
}

TEST(CBuf, ChangeElementSizeKeepsLeadingBytes) {
    CBuf b = IntBuf({0x11223344, 0x55667788});
    ASSERT_EQ(b.ChangeElementSize(2), 1);
    EXPECT_EQ(b.ElementSize(), 2);
    EXPECT_EQ(b.GetInt(0), 0x3344);
    EXPECT_EQ(b.GetInt(1), 0x7788);
    ASSERT_EQ(b.ChangeElementSize(4), 1);
    EXPECT_EQ(b.GetInt(1), 0x7788);
    EXPECT_EQ(b.ChangeElementSize(0), 0);
}

TEST(CBuf, SerializeIntoAndBack) {
    CBuf src = IntBuf({10, 20, 30});
    src.SetGrowStep(7);
    CBuf bytes(0, 1, nullptr, 0, 10);
    uint8_t lead[5] = {9, 9, 9, 9, 9};
    bytes.Append(lead, 5);
    ASSERT_EQ(src.SerializeInto(&bytes), 1);
    EXPECT_EQ(bytes.Count(), 5 + 16 + 12);

    CBuf back;
    int offset = 5;
    ASSERT_EQ(back.DeserializeFrom(&bytes, offset), 1);
    EXPECT_EQ(offset, 5 + 16 + 12);
    EXPECT_EQ(Ints(back), Ints(src));
    EXPECT_EQ(back.ElementSize(), 4);
    EXPECT_EQ(back.GrowStep(), 7);
    EXPECT_EQ(src.SerializeInto(nullptr), 0);
}

TEST(CBuf, DeserializeRefusesFormsThatDoNotFit) {
    CBuf src = IntBuf({1, 2});
    CBuf bytes(0, 1, nullptr, 0, 10);
    src.SerializeInto(&bytes);
    for (int cut = 0; cut < bytes.Count(); ++cut) {
        CBuf back = IntBuf({42});
        int offset = 0;
        EXPECT_EQ(back.DeserializeFrom(bytes.Data(), cut, offset), 0) << cut;
        EXPECT_EQ(offset, 0);
        EXPECT_EQ(Ints(back), (std::vector<int32_t>{42}));
    }
    int offset = 0;
    bytes.Data()[4] = 0;  // element size 0
    CBuf back;
    EXPECT_EQ(back.DeserializeFrom(&bytes, offset), 0);
}

TEST(CBuf, FileFormRoundTripAndRefusals) {
    CBuf src = IntBuf({-5, 6});
    CMemStream s;
    ASSERT_EQ(src.WriteTo(s), 1);
    EXPECT_EQ(s.Bytes().size(), 12u + 8u);
    s.Seek(0);
    CBuf back;
    ASSERT_EQ(back.ReadFrom(s), 1);
    EXPECT_EQ(Ints(back), Ints(src));

    struct Case {
        int32_t count, elementSize;
        const char* why;
    } cases[] = {{-1, 4, "negative count"},
                 {2, 0, "element size 0"},
                 {2, -4, "negative element size"},
                 {1000000, 1000, "more data than the stream holds"}};
    for (const auto& c : cases) {
        std::vector<uint8_t> header(12, 0);
        std::memcpy(&header[0], &c.count, 4);
        std::memcpy(&header[4], &c.elementSize, 4);
        CMemStream bad(header);
        CBuf b;
        EXPECT_EQ(b.ReadFrom(bad), 0) << c.why;
        EXPECT_EQ(b.Count(), 0) << c.why;
    }
    CMemStream shortHeader(std::vector<uint8_t>(11, 0));
    CBuf b;
    EXPECT_EQ(b.ReadFrom(shortHeader), 0);
}

// A damaged header of a few bytes must not reserve gigabytes of spare elements: the buffer
// gets exactly its elements, and the stored grow step is kept only up to twice the data.
TEST(CBuf, StoredGrowStepIsBoundedWhenRead) {
    const int32_t header[3] = {2, 1000, INT32_MAX};  // count, element size, grow step
    std::vector<uint8_t> bytes(12 + 2000, 0x5A);
    std::memcpy(bytes.data(), header, 12);
    CMemStream file(bytes);
    CBuf fromFile;
    ASSERT_EQ(fromFile.ReadFrom(file), 1);
    EXPECT_EQ(fromFile.Count(), 2);
    EXPECT_EQ(fromFile.Capacity(), 2);
    EXPECT_EQ(fromFile.GrowStep(), 4) << "twice the 2,000 data bytes, in elements";

    std::vector<uint8_t> serial(16 + 2000, 0x5A);
    std::memcpy(serial.data(), header, 12);
    CBuf fromBytes;
    int offset = 0;
    ASSERT_EQ(fromBytes.DeserializeFrom(serial.data(), int(serial.size()), offset), 1);
    EXPECT_EQ(fromBytes.Capacity(), 2);
    EXPECT_EQ(fromBytes.GrowStep(), 4);

    // A huge element size with no elements reserves nothing either.
    const int32_t empty[3] = {0, 1 << 30, 1000};
    CMemStream emptyFile(std::vector<uint8_t>(reinterpret_cast<const uint8_t*>(empty),
                                              reinterpret_cast<const uint8_t*>(empty) + 12));
    CBuf none;
    ASSERT_EQ(none.ReadFrom(emptyFile), 1);
    EXPECT_EQ(none.Capacity(), 0);
    EXPECT_EQ(std::memcmp(fromBytes.Data(), serial.data() + 16, 2000), 0);
}

TEST(CBuf, ScrambleIsItsOwnInverse) {
    std::vector<uint8_t> bytes(300);
    std::iota(bytes.begin(), bytes.end(), 3);
    CBuf b(int(bytes.size()), 1, bytes.data(), 1, 10);
    ASSERT_EQ(b.Scramble(), 1);
    EXPECT_NE(std::memcmp(b.Data(), bytes.data(), bytes.size()), 0);
    ASSERT_EQ(b.Scramble(), 1);
    EXPECT_EQ(std::memcmp(b.Data(), bytes.data(), bytes.size()), 0);
}

}  // namespace
