#include "tests/run/run_test_support.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>

#include "app/encrypt_buffer.h"
#include "app/firmware_container.h"
#include "core/isa_table.h"
#include "data/kind_file.h"
#include "data/seg_lcd.h"
#include "data/tag_buf_list.h"

namespace fs = std::filesystem;

std::vector<uint16_t> I(const char* mnemonic, std::initializer_list<uint32_t> operands) {
    const InstrDesc* desc = FindInstr(mnemonic);
    if (!desc) {
        ADD_FAILURE() << "no instruction " << mnemonic;
        return {};
    }
    if (int(operands.size()) != desc->fieldCount) ADD_FAILURE() << mnemonic << ": operand count";
    uint16_t w = desc->match, w2 = 0;
    int i = 0;
    for (uint32_t value : operands) {
        if (i < desc->fieldCount && !InsertField(desc->fields[i], value, w, w2))
            ADD_FAILURE() << mnemonic << ": operand " << i << " does not fit";
        ++i;
    }
    if (desc->length == 2) return {w, w2};
    return {w};
}

std::vector<uint16_t> Seq(std::initializer_list<std::vector<uint16_t>> parts) {
    std::vector<uint16_t> words;
    for (const auto& p : parts)
        words.insert(words.end(), p.begin(), p.end());
    return words;
}

void RunFolderTest::SetUp() {
    dir =
        fs::temp_directory_path() / (std::string("orvane-run-") +
                                     testing::UnitTest::GetInstance()->current_test_info()->name() +
                                     "-" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
}

void RunFolderTest::TearDown() {
    fs::remove_all(dir);
}

void RunFolderTest::WriteText(const std::string& name, const std::string& text) const {
    std::ofstream(Path(name), std::ios::binary) << text;
}

void RunFolderTest::WriteWords(const std::string& name, const std::vector<uint16_t>& words) const {
    std::string bytes;
    for (uint16_t w : words) {
        bytes += char(w & 0xFF);
        bytes += char(w >> 8);
    }
    WriteText(name, bytes);
}

std::string RunFolderTest::ReadText(const std::string& name) const {
    std::ifstream f(Path(name), std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

std::vector<std::string> RunFolderTest::Files() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void WriteFirmwareContainer(const std::string& dir, const std::vector<uint16_t>& words) {
    CBuf bytes(0, 1, nullptr, 0, 10);
    for (uint16_t w : words) {
        uint8_t pair[2] = {uint8_t(w & 0xFF), uint8_t(w >> 8)};
        bytes.Append(pair, 2);
    }
    ASSERT_TRUE(CEncrypt::WrapBuffer(bytes, kCheckWord));
    std::ofstream((fs::path(dir) / "ZT_K318V.eepm").string(), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.Data()), bytes.TotalBytes());
}

void WriteSegLcdFile(const std::string& dir) {
    CSegLcdDatSet set;
    for (int n = 0; n < 3; ++n) {
        auto layout = std::make_unique<CSegLcdDat>();
        layout->SetSegDevCnt(4);
        ASSERT_TRUE(layout->Picture().Create(8, 3 + n, 0));
        layout->Picture().FillAll(0xFFFFFF);
        for (int k = 0; k < 8; ++k) {
            uint32_t key = 0x102030u + uint32_t(k);  // a colour of its own per segment
            for (int y = 0; y < 3 + n; ++y)
                layout->Picture().SetColour(k, y, key);
            layout->AddRecord({k, 0, k + 1, 3 + n, key});
        }
        set.AddLayout(std::move(layout));
    }
    ASSERT_TRUE(set.Save((fs::path(dir) / "ZT_K318V.SegLcd").string(), "SegLcdDatSet", 0));
}

bool SegLcdFileReadsBack(const std::string& dir) {
    CSegLcdDatSet set;
    if (!set.Load((fs::path(dir) / "ZT_K318V.SegLcd").string())) return false;
    const CSegLcdDat* layout = set.Layout(0);
    return set.LayoutCount() == 3 && layout->SegDevCnt() == 4 && layout->RecordCount() == 8 &&
           layout->Picture().Width() == 8 && layout->Picture().Height() == 3;
}

void WritePanelFile(const std::string& dir, std::initializer_list<TestPanelKey> keys) {
    constexpr int kEntry = 44;
    CBuf entries(0, kEntry, nullptr, 0, 10);
    int32_t value = 100;
    for (const TestPanelKey& k : keys) {
        uint8_t e[kEntry] = {};
        int32_t fields[3] = {value++, k.row, k.col};
        std::memcpy(e, fields, sizeof fields);
        std::strncpy(reinterpret_cast<char*>(e + 12), k.name, 31);
        entries.Append(e, 1);
    }
    CTagBufLst list;
    list.Add(std::make_unique<CTagBuf>("CPKEYMAPUI", entries));
    ASSERT_TRUE(SaveKindFile((fs::path(dir) / "ZT_K318V_SP.CalPnl").string(), "CPNL", "V00",
                             "CalPnlDatSet", list, 0));
}
