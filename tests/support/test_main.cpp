// Test entry point: installs a fresh recording platform before every test.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "tests/support/recording_platform.h"

namespace {

std::unique_ptr<CRecordingPlatform> g_platform;

class FreshPlatform : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override {
        g_platform = std::make_unique<CRecordingPlatform>();
        SetPlatform(g_platform.get());
    }
    void OnTestEnd(const testing::TestInfo&) override {
        SetPlatform(nullptr);
        g_platform.reset();
    }
};

}  // namespace

CRecordingPlatform& TestPlatform() {
    return *g_platform;
}

int main(int argc, char** argv) {
    testing::InitGoogleMock(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new FreshPlatform);
    return RUN_ALL_TESTS();
}
