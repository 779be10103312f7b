#include "tools/run/state_dump.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "tests/run/test_programs.h"
#include "tools/run/scripted_run.h"

namespace {

using nlohmann::ordered_json;

TEST(StateDump, KeysInTheDocumentedOrderWithTheirSizes) {
    TestMachine m(WakeCounterProgram());
    m.Ice().Keys().PressKey(0x3102, 0x3701);
    m.Ice().Keys().PressKey(0x3107, 0x3700);
    RunOutcome outcome{42, false, {}};
    ordered_json dump = ordered_json::parse(StateDumpJson(m.Ice(), outcome));

    std::vector<std::string> keys;
    for (auto it = dump.begin(); it != dump.end(); ++it)
        keys.push_back(it.key());
    std::vector<std::string> expected = {
        "sfr",           "sfr_bank1",    "strobe16",    "common_ram", "banked_ram",
        "lcd",           "lcd_rows",     "pc",          "run_state",  "repeat_count",
        "repeat_target", "cycle_pos",    "cycle_count", "timers",     "clock",
        "passes",        "instructions", "cycles",      "stopped",    "held_keys"};
    EXPECT_EQ(keys, expected);

    EXPECT_EQ(dump["sfr"].size(), 64u);
    EXPECT_EQ(dump["sfr_bank1"].size(), 27u);
    EXPECT_EQ(dump["strobe16"].size(), 2u);
    EXPECT_EQ(dump["common_ram"].size(), 64u);
    EXPECT_EQ(dump["banked_ram"].size(), 32896u);
    EXPECT_EQ(dump["lcd"].size(), 392u);
    ASSERT_EQ(dump["lcd_rows"].size(), 4u);
    for (const auto& row : dump["lcd_rows"])
        EXPECT_EQ(row.size(), 98u);
    ASSERT_EQ(dump["timers"].size(), 3u);
    for (const auto& t : dump["timers"]) {
        std::vector<std::string> fields;
        for (auto it = t.begin(); it != t.end(); ++it)
            fields.push_back(it.key());
        EXPECT_EQ(fields, (std::vector<std::string>{"counter", "prescale", "overflow"}));
    }
    std::vector<std::string> clockFields;
    for (auto it = dump["clock"].begin(); it != dump["clock"].end(); ++it)
        clockFields.push_back(it.key());
    EXPECT_EQ(clockFields,
              (std::vector<std::string>{"main_divider", "main_tick", "sub_tick", "main_counter",
                                        "sub_counter", "source_select"}));
    EXPECT_EQ(dump["passes"], 42);
    EXPECT_TRUE(dump["stopped"].is_null());
    EXPECT_EQ(dump["held_keys"], ordered_json::parse("[[12546, 14081], [12551, 14080]]"));
    EXPECT_EQ(dump["clock"]["source_select"], 1);
}

TEST(StateDump, StopAndTheStoresOutsideBankZero) {
    TestMachine m;
    CSFRRam& sfr = m.Sfr();
    // Bank-1 copies of 0x25-0x3F are selected by SFR 0x20 bit 7.
    sfr.StoreBank0(0x20, 0x80);
    sfr.Store(0x3F, 0xAB);
    sfr.StoreBank0(0x20, 0x00);
    sfr.StoreBank0(0x42, 0xFE);
    sfr.StoreBank0(0x43, 0x7F);
    m.Cpu().Lcd().WriteCell(3, 97, 0x81);
    ordered_json dump = ordered_json::parse(StateDumpJson(m.Ice(), {7, true, {}}));
    EXPECT_EQ(dump["sfr_bank1"][26], 0xAB);
    EXPECT_EQ(dump["sfr"][0x3F], 0x33) << "bank 0 keeps its own value";
    EXPECT_EQ(dump["strobe16"], ordered_json::parse("[254, 127]"));
    EXPECT_EQ(dump["lcd"][3 * 98 + 97], 0x81);
    EXPECT_EQ(dump["lcd_rows"][3][97], 0) << "display off: the display read is blank";
    EXPECT_EQ(dump["stopped"], "unknown instruction");
}

}  // namespace
