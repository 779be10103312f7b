// Key taps from the panel on the GUI thread while the emulation thread runs a firmware that
// halts between keys. Also run under ThreadSanitizer.
#include <gtest/gtest.h>

#include <QTest>
#include <chrono>
#include <fstream>
#include <thread>

#include "core/ice.h"
#include "core/key_tap.h"
#include "tests/data/data_fixtures.h"
#include "tests/support/recording_platform.h"
#include "tests/ui/qt_test_app.h"
#include "tests/ui/ui_fixtures.h"
#include "ui/calc_panel.h"

namespace {

using Clock = std::chrono::steady_clock;

// The test platform with a real clock: the key tap's 60 ms hold and 20 ms gap take place.
class CRealTimePlatform : public CRecordingPlatform {
public:
    uint32_t TickCount() override {
        using namespace std::chrono;
        return uint32_t(duration_cast<milliseconds>(Clock::now().time_since_epoch()).count());
    }
    void Sleep(uint32_t ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
};

std::vector<uint16_t> ReadImage(const char* path) {
    std::ifstream f(path, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(f)), {});
    std::vector<uint16_t> words(bytes.size() / 2);
    for (size_t i = 0; i < words.size(); ++i)
        words[i] = uint16_t(uint8_t(bytes[2 * i]) | uint8_t(bytes[2 * i + 1]) << 8);
    return words;
}

template <class Cond>
bool WaitFor(Cond cond) {
    auto deadline = Clock::now() + std::chrono::seconds(5);
    while (!cond()) {
        if (Clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// Common RAM 0x40 of tap_counter.s.
constexpr int kTapCountCell = 0;

TEST(KeyTapThread, FiftyQuickTapsOnAHaltingFirmwareAreAllCounted) {
    SQtApplicationInUse app;
    CRealTimePlatform platform;
    SetPlatform(&platform);
    std::vector<uint16_t> image = ReadImage(ORVANE_TAP_COUNTER_IMAGE);
    ASSERT_FALSE(image.empty());
    auto ice = std::make_unique<CIce>();
    ice->SetVariant();
    ASSERT_EQ(ice->Restart(image.data(), image.size()), 1);
    ASSERT_TRUE(WaitFor([&] { return ice->Cpu().RunState() == CCpu::kHalted; }));

    CTempDir dir;
    ASSERT_TRUE(WriteTestPanel(dir.Path("p.CalPnl")));
    CCalcPanel panel;
    ASSERT_EQ(panel.LoadPanelFile(dir.Path("p.CalPnl")), 1);
    QObject::connect(&panel, &CCalcPanel::keyTapRequested,
                     [&](int row, int col) { KeyTap(*ice, row, col); });
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));

    // The firmware halts and stands by in turns. A tap of the halting firmware arrives
    // while its stby instruction sleeps 200 ms (the tap ends 20 ms after the release, long
    // before the sleep): the key must be held until the thread has scanned it, or it is
    // gone when the firmware looks. A tap of the firmware in standby wakes it at once.
    // Every tenth tap waits until the firmware has halted, so that the wake event ends
    // its halt wait: the key must be held before that.
    const QPoint keys[] = {kKey5, kKeySin, kKeyOn, kKeyAc};
    constexpr int kTaps = 50;
    int inStandby = 0, halted = 0;
    for (int i = 0; i < kTaps; ++i) {
        if (i % 10 == 0) WaitFor([&] { return ice->Cpu().RunState() == CCpu::kHalted; });
        inStandby += ice->Cpu().RunState() == CCpu::kStandby;
        halted += ice->Cpu().RunState() == CCpu::kHalted;
        QTest::mouseClick(&panel, Qt::LeftButton, {}, keys[i % 4]);
    }
    bool counted = WaitFor([&] { return ice->Cpu().CommonRam(kTapCountCell) == kTaps; });
    ice->Stop();
    SetPlatform(&TestPlatform());
    EXPECT_TRUE(counted) << "counted " << ice->Cpu().CommonRam(kTapCountCell);
    EXPECT_EQ(ice->Cpu().CommonRam(kTapCountCell), uint32_t(kTaps));
    EXPECT_EQ(inStandby, kTaps / 2);
    EXPECT_EQ(halted, kTaps / 10);
    EXPECT_TRUE(platform.Texts().empty());
}

}  // namespace
