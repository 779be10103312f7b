// The child cutter gives what repeated contiguous exact Extract calls give.
#include <gtest/gtest.h>

#include <random>

#include "data/child_cutter.h"
#include "data/tag_buf_list.h"

namespace {

std::vector<std::string> Labels(const CTagBufLst& list) {
    std::vector<std::string> out;
    for (int i = 0; i < list.Count(); ++i)
        out.emplace_back(list.Get(i)->TagLabel());
    return out;
}

TEST(ChildCutter, TakesWhatSequentialExtractsWouldTake) {
    const char* labels[] = {"Sob0\\A", "Sob0", "Sob1\\B", "Sob1\\C\\D", "Sob10\\E",
                            "SPGDMS",  "",     "Sob2\\F", "Sob\\G",     "Sob1x\\H"};
    const char* names[] = {"Sob0", "Sob1", "Sob2", "Sob10", "Sob3", "Sob1", "Sob"};
    std::mt19937 rng(12345);
    for (int round = 0; round < 300; ++round) {
        CTagBufLst a, b;
        int n = int(rng() % 16);
        for (int i = 0; i < n; ++i) {
            const char* label = labels[rng() % std::size(labels)];
            a.Add(std::make_unique<CTagBuf>(label, "x", 1));
            b.Add(std::make_unique<CTagBuf>(label, "x", 1));
        }
        CChildCutter cutter(b);
        EXPECT_EQ(b.Count(), 0);
        for (const char* name : names) {
            auto expected = a.Extract(name, true, nullptr, true);
            auto got = cutter.Take(name);
            ASSERT_EQ(Labels(*got), Labels(*expected)) << "round " << round << " " << name;
        }
    }
}

}  // namespace
