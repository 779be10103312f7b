// Helpers of the runner's tests: instructions encoded through the instruction table, a
// scratch folder per test, and the model files (firmware container, configuration,
// segment LCD file, panel key map) written with the project's own writers.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "tests/core/test_machine.h"

// One instruction (one or two words). Operands in the table's assembly order.
std::vector<uint16_t> I(const char* mnemonic, std::initializer_list<uint32_t> operands = {});
// Instructions placed one after the other.
std::vector<uint16_t> Seq(std::initializer_list<std::vector<uint16_t>> parts);

// A folder of its own for each test, removed afterwards.
class RunFolderTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    std::string Path(const std::string& name) const { return (dir / name).string(); }
    void WriteText(const std::string& name, const std::string& text) const;
    void WriteWords(const std::string& name, const std::vector<uint16_t>& words) const;
    std::string ReadText(const std::string& name) const;
    bool Exists(const std::string& name) const { return std::filesystem::exists(dir / name); }
    // Every file of the folder, for tests that check nothing half-written is left behind.
    std::vector<std::string> Files() const;

    std::filesystem::path dir;
};

// DIR/ZT_K318V.eepm holding the words.
void WriteFirmwareContainer(const std::string& dir, const std::vector<uint16_t>& words);

// DIR/ZT_K318V.SegLcd with three layouts, each 4 segment columns wide (SegDevCnt 4) with
// records for rows 0 and 1: segment (c, r) is record c + 4r, drawn as the one-pixel-wide
// column x = c + 4r of an 8-pixel-wide picture. Layout n is 3 + n pixels tall, so a
// picture's height tells which layout drew it.
void WriteSegLcdFile(const std::string& dir);
// Whether that file reads back with its pictures and segment counts. The LCD picture tests
// skip, saying why, while the data-file library cannot give them back.
bool SegLcdFileReadsBack(const std::string& dir);

struct TestPanelKey {
    int row;
    int col;
    const char* name;
};
// DIR/ZT_K318V_SP.CalPnl with a key map of these keys (key values 100, 101, ...).
void WritePanelFile(const std::string& dir, std::initializer_list<TestPanelKey> keys);
