// A test platform that notes which keys the key matrix holds whenever the key tap sleeps:
// the pressed pairs during the hold, none during the gap after the release.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "core/ice.h"
#include "tests/support/recording_platform.h"

class CHeldKeysPlatform : public CRecordingPlatform {
public:
    struct SSleep {
        uint32_t ms;
        std::vector<KeyPair> held;
    };

    explicit CHeldKeysPlatform(CIce& ice) : m_ice(ice) {}
    void Sleep(uint32_t ms) override {
        KeyPair held[4];
        int n = m_ice.Keys().HeldKeys(held, 4);
        sleeps.push_back({ms, std::vector<KeyPair>(held, held + std::min(n, 4))});
        CRecordingPlatform::Sleep(ms);
    }

    std::vector<SSleep> sleeps;

private:
    CIce& m_ice;
};
