// The firmware image of a run and the emulator it runs on.
//
// --image RAW: the file's bytes as little-endian 16-bit words (an odd last byte dropped).
// --model DIR: as the simulator starts: DIR/ZT_K318V.eepm read and unwrapped, then
// DIR/Novaro.ini, when it can be read, through the simulator's start-up reading (relative
// paths from DIR); its messages go to the installed platform, and an [ICEBin] BinPathName
// replaces the image. Either way an image without a single word is refused.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CIce;
struct RunOptions;

inline constexpr int kRunBankCount = 64;

// 0 and a reason when there is no usable image.
int LoadFirmwareWords(const RunOptions& options, std::vector<uint16_t>& words, std::string& error);

// The model folder's file with this name.
std::string ModelFile(const std::string& dir, const std::string& name);

// A new emulator set up as a restart does, without the thread and the pause: bank count
// 64, variant 4, Init, LoadImage, Reset.
std::unique_ptr<CIce> MakeMachine(const std::vector<uint16_t>& words);
