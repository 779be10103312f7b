// CEmulatorControl: the main dialog's hold on the emulated calculator, without a window.
//
// It owns the one emulator object (created once the firmware image is ready, deleted when
// the dialog closes) and is the only way the front end reaches it: restart with the image,
// key taps, the display read, stop. Everything is called on the GUI thread; the emulator's
// own thread is started and joined by CIce.
//
//   CEmulatorControl emulator;
//   emulator.Create();              // LCD memory type 0, 64 banks, the front end's variant
//   emulator.Restart(image);        // Stop, Init, LoadImage, Reset, 200 ms, Start
//   emulator.Tap(row, column);      // a panel key (core/key_tap.h)
//   emulator.ReadLitSegments(list); // every display refresh
//   emulator.Destroy();             // Stop and delete
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "util/cbuf.h"

class CIce;

class CEmulatorControl {
public:
    CEmulatorControl();
    ~CEmulatorControl();
    CEmulatorControl(const CEmulatorControl&) = delete;
    CEmulatorControl& operator=(const CEmulatorControl&) = delete;

    void Create();
    bool Exists() const { return m_ice != nullptr; }
    // The image's bytes as little-endian 16-bit words (an odd last byte is dropped). Does
    // nothing before Create. 1 when the emulation thread was started.
    int Restart(const CBuf& image);
    // Does nothing before Create or for a position outside the key matrix.
    void Tap(int row, int column);
    // The lit segments of the LCD; false (list untouched) before Create.
    bool ReadLitSegments(CBuf& list) const;
    void Destroy();

    // For tests and diagnostics; nullptr before Create.
    CIce* Ice() { return m_ice.get(); }
    const CIce* Ice() const { return m_ice.get(); }

private:
    std::unique_ptr<CIce> m_ice;
};

// The image buffer's bytes as program-memory words.
std::vector<uint16_t> ImageWords(const CBuf& image);
