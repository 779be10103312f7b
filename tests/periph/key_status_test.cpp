#include "periph/key_status.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "tests/periph/periph_rig.h"
#include "tests/support/recording_platform.h"

namespace {

struct PinCase {
    const char* what;
    uint32_t r20, r30, r31, r37, r39;
    int32_t strobeCode, inputCode;
    uint32_t r31After, r37After;
};

TEST(KeyStatus, HeldKeyGivesBothPinsTheLevelOfTheConnection) {
    const PinCase cases[] = {
        {"input pulled high", 0, 0, 0x08, 0x04, 0x00, 0x3103, 0x3702, 0x08, 0x04},
        {"input low pulls the strobe low", 0, 0, 0x08, 0x00, 0x00, 0x3103, 0x3702, 0x00, 0x00},
        {"input lines as outputs read high", 0, 0, 0x00, 0x00, 0xFF, 0x3103, 0x3702, 0x08, 0x04},
        {"one output line: key on it", 0, 0, 0x00, 0x00, 0x04, 0x3103, 0x3702, 0x08, 0x04},
        {"one output line: key off it", 0, 0, 0x08, 0x00, 0x04, 0x3103, 0x3701, 0x00, 0x00},
        {"forced strobes pull inputs low", 0, 0x40, 0x08, 0x04, 0x00, 0x3103, 0x3702, 0x00, 0x00},
        {"bank 1 selected: nothing changes", 0x80, 0, 0x08, 0x00, 0x00, 0x3103, 0x3702, 0x08, 0x00},
        {"not a port A strobe: skipped", 0, 0, 0x08, 0x00, 0x00, 0x3703, 0x3702, 0x08, 0x00},
    };
    for (const PinCase& c : cases) {
        SCOPED_TRACE(c.what);
        PeriphRig rig;
        rig.sfr.StoreBank0(0x30, c.r30);
        rig.sfr.StoreBank0(0x31, c.r31);
        rig.sfr.StoreBank0(0x37, c.r37);
        rig.sfr.StoreBank0(0x39, c.r39);
        rig.sfr.StoreBank0(0x20, c.r20);
        rig.keys.PressKey(c.strobeCode, c.inputCode);
        rig.keys.ScanKeys();
        EXPECT_EQ(rig.sfr.Bank0(0x31), c.r31After);
        EXPECT_EQ(rig.sfr.Bank0(0x37), c.r37After);
    }
}

TEST(KeyStatus, PinLevels) {
    PeriphRig rig;
    rig.sfr.StoreBank0(0x31, 0x01);
    rig.sfr.StoreBank0(0x37, 0x01);
    rig.sfr.StoreBank0(0x39, 0x02);
    rig.sfr.StoreBank0(0x42, 0x01);
    EXPECT_DOUBLE_EQ(rig.keys.PinLevel(0x31, 0), 0.6);
    EXPECT_DOUBLE_EQ(rig.keys.PinLevel(0x31, 1), 0.4);
    EXPECT_DOUBLE_EQ(rig.keys.PinLevel(0x37, 0), 0.9);
    EXPECT_DOUBLE_EQ(rig.keys.PinLevel(0x37, 1), 0.9);  // output line
    EXPECT_DOUBLE_EQ(rig.keys.PinLevel(0x37, 2), 0.0);
    EXPECT_DOUBLE_EQ(rig.keys.PinLevel(0x42, 0), 0.9);
    EXPECT_DOUBLE_EQ(rig.keys.PinLevel(0x43, 0), 0.0);
    EXPECT_DOUBLE_EQ(rig.keys.PinLevel(0x3A, 0), 0.0);
    rig.sfr.StoreBank0(0x30, 0x40);
    EXPECT_DOUBLE_EQ(rig.keys.PinLevel(0x37, 0), 0.0);
    EXPECT_DOUBLE_EQ(rig.keys.PinLevel(0x37, 1), 0.9);  // the direction wins
    EXPECT_DOUBLE_EQ(rig.keys.PinLevel(0x42, 0), 0.0);
}

TEST(KeyStatus, KeysOnOneStrobeLineApplyInListOrder) {
    // The first key pulls strobe line 3 low; the second, on a high input, raises it again.
    for (bool lowFirst : {true, false}) {
        PeriphRig rig;
        rig.sfr.StoreBank0(0x31, 0x08);
        rig.sfr.StoreBank0(0x37, 0x20);
        rig.sfr.StoreBank0(0x39, 0x00);
        if (lowFirst) rig.keys.PressKey(0x3103, 0x3702);
        rig.keys.PressKey(0x3103, 0x3705);
        if (!lowFirst) rig.keys.PressKey(0x3103, 0x3702);
        rig.keys.ScanKeys();
        EXPECT_EQ(rig.sfr.Bank0(0x31), lowFirst ? 0x08u : 0x00u);
        EXPECT_EQ(rig.keys.ScanCount(), 2u);
    }
}

TEST(KeyStatus, ReleaseRemovesTheKeyAndRestoresItsStrobePinOnTheNextScan) {
    PeriphRig rig;
    rig.sfr.StoreBank0(0x31, 0x08);
    rig.sfr.StoreBank0(0x32, 0x08);  // latch: line 3 high
    rig.sfr.StoreBank0(0x37, 0x00);
    rig.sfr.StoreBank0(0x39, 0x00);
    rig.keys.SetPressTime(900);
    rig.keys.PressKey(0x3103, 0x3702);
    rig.keys.PressKey(0x3101, 0x3700);
    rig.keys.ScanKeys();
    ASSERT_EQ(rig.sfr.Bank0(0x31), 0x00u);

    TestPlatform().SetTime(1060);
    rig.keys.ReleaseKey(3, 2);
    EXPECT_EQ(rig.keys.HeldCount(), 1);
    EXPECT_EQ(rig.keys.ReleaseTime(), 1060u);
    EXPECT_EQ(rig.keys.HeldDuration(), 160u);
    EXPECT_EQ(rig.keys.PendingRestores(), 0x08u);
    rig.sfr.StoreBank0(0x37, 0x04);  // the input pin is not restored
    rig.keys.ScanKeys();
    EXPECT_EQ(rig.sfr.Bank0(0x31), 0x08u);
    EXPECT_EQ(rig.sfr.Bank0(0x37), 0x04u);
    EXPECT_EQ(rig.keys.PendingRestores(), 0u);

    // No match: only the times change.
    TestPlatform().SetTime(2000);
    rig.keys.ReleaseKey(5, 5);
    EXPECT_EQ(rig.keys.HeldCount(), 1);
    EXPECT_EQ(rig.keys.ReleaseTime(), 2000u);
    EXPECT_EQ(rig.keys.PendingRestores(), 0u);

    rig.keys.ClearKeys();
    EXPECT_EQ(rig.keys.HeldCount(), 0);
}

TEST(KeyStatus, RestorePinTakesTheLatchBitIntoBank0) {
    PeriphRig rig;
    rig.sfr.StoreBank0(0x31, 0xF0);
    rig.sfr.StoreBank0(0x32, 0x0F);
    rig.sfr.StoreBank0(0x20, 0x80);
    rig.keys.RestorePin(0x31, 0);
    rig.keys.RestorePin(0x31, 7);
    rig.keys.RestorePin(0x37, 1);
    EXPECT_EQ(rig.sfr.Bank0(0x31), 0x71u);
}

struct StrobeCase {
    uint32_t r2E, r30;
    uint32_t r42, r43;
};

TEST(KeyStatus, RefreshKeyStrobe) {
    const StrobeCase cases[] = {
        {0x00, 0xA9, 0x00, 0x00},  // display control bit 5 off: both outputs 0
        {0x20, 0xA9, 0xFF, 0xFD},  // line 9 low
        {0x20, 0xA0, 0xFE, 0xFF},  // line 0 low
        {0x20, 0xAF, 0xFF, 0x7F},  // line 15 low
        {0x20, 0xB9, 0x00, 0x00},  // bit 4: all low
        {0x20, 0xE9, 0x5A, 0xA5},  // bit 6: unchanged
        {0x20, 0x29, 0x5A, 0xA5},  // bit 7 clear: unchanged
        {0x20, 0x89, 0x5A, 0xA5},  // bit 5 clear: unchanged
    };
    for (const StrobeCase& c : cases) {
        PeriphRig rig;
        rig.sfr.StoreBank0(0x42, 0x5A);
        rig.sfr.StoreBank0(0x43, 0xA5);
        rig.sfr.StoreBank0(0x2E, c.r2E);
        rig.sfr.StoreBank0(0x30, c.r30);
        rig.keys.RefreshKeyStrobe();
        EXPECT_EQ(rig.sfr.Bank0(0x42), c.r42) << std::hex << c.r2E << " " << c.r30;
        EXPECT_EQ(rig.sfr.Bank0(0x43), c.r43) << std::hex << c.r2E << " " << c.r30;
    }
}

struct WakeCase {
    uint32_t k, m, p, q, r;
    int wake;
};

TEST(KeyStatus, CheckKeyWake) {
    const WakeCase cases[] = {
        {0x00, 0x40, 0xFB, 0x00, 0x04, 1},  // forced strobes: an enabled low line
        {0x00, 0x40, 0xFF, 0x00, 0x04, 0},  // ... but the line is high
        {0x00, 0x00, 0xFB, 0x04, 0x04, 1},  // otherwise the latch must drive the line
        {0x00, 0x00, 0xFB, 0x00, 0x04, 0},
        {0x00, 0x00, 0xFB, 0x04, 0x00, 0},  // wake not enabled on the line
        {0x80, 0x40, 0x7F, 0x00, 0x80, 1},  // display bit 7: forced strobes
        {0x80, 0xA0, 0x7F, 0x00, 0x80, 1},  // ... or strobe bits 5 and 7
        {0x80, 0x20, 0x7F, 0xFF, 0x80, 0},  // ... else never
    };
    for (const WakeCase& c : cases) {
        PeriphRig rig;
        rig.sfr.StoreBank0(0x2E, c.k);
        rig.sfr.StoreBank0(0x30, c.m);
        rig.sfr.StoreBank0(0x31, c.p);
        rig.sfr.StoreBank0(0x32, c.q);
        rig.sfr.StoreBank0(0x34, c.r);
        EXPECT_EQ(rig.keys.CheckKeyWake(), c.wake)
            << std::hex << c.k << " " << c.m << " " << c.p << " " << c.q << " " << c.r;
    }
}

TEST(KeyStatus, PressAndReleaseWhileAnotherThreadScans) {
    PeriphRig rig;
    rig.sfr.StoreBank0(0x32, 0xFF);
    rig.sfr.StoreBank0(0x39, 0x00);
    std::atomic<bool> done{false};
    std::thread scanner([&] {
        while (!done.load()) {
            rig.keys.ScanKeys();
            rig.keys.CheckKeyWake();
        }
        rig.keys.ScanKeys();
    });
    for (int i = 0; i < 2000; ++i) {
        rig.keys.PressKey(0x3100 + i % 8, 0x3700 + i % 5);
        rig.keys.ReleaseKey(i % 8, i % 5);
    }
    done.store(true);
    scanner.join();
    EXPECT_EQ(rig.keys.HeldCount(), 0);
    EXPECT_EQ(rig.sfr.Bank0(0x31), 0xFFu);  // every strobe pin back at its latch value
}

}  // namespace
