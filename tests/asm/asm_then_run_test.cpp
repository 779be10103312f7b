// The firmware author's loop through the command line: orvane-asm builds an image from
// source, orvane-run runs it headless and its state dump shows what the program did.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "tests/asm/temp_dir.h"
#include "tests/tools/run_tool.h"

namespace {

constexpr const char* kSource = R"(
; Counts 200 down to 0 in banked RAM, adds 3 to a common RAM cell each round in a
; subroutine, writes the digit pattern of "7" to LCD page 0 column 0, then idles in a loop.
counter equ ram(5, 0x80)
sum     equ 0x40

        org 0
        pjmp main
main:   clr sum
        bank bank(counter)
        ldi 200
        sta off(counter)
.loop:  scall add3
        djnz off(counter), .loop
        clr 0x22                ; LCD address 0, page 0
        clr 0x23
        ldi 0x07                ; segments a, b, c
        sta LCDDAT
        ldi 0x21                ; display on
        sta 0x2E
idle:   pjmp idle
add3:   ldi 3
        addm sum
        ret
)";

TEST(AsmThenRun, StateDumpShowsWhatTheSourceComputes) {
    TempDir dir;
    dir.Write("prog.s", kSource);
    ToolResult a = RunTool("orvane-asm", {dir.Path("prog.s"), "-o", dir.Path("prog.bin")});
    ASSERT_EQ(a.exitCode, 0) << a.err;
    ToolResult r = RunTool("orvane-run", {"--image", dir.Path("prog.bin"), "--passes", "2000",
                                          "--dump-state", dir.Path("state.json")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    auto d = nlohmann::json::parse(dir.Read("state.json"));
    EXPECT_EQ(d["common_ram"][0], (200 * 3) & 0xFF);
    EXPECT_EQ(d["banked_ram"][5 * 128 + 0x80], 0);
    EXPECT_EQ(d["sfr"][0x02], 5) << "bank register";
    EXPECT_EQ(d["sfr"][0x06], 0) << "every call returned";
    EXPECT_EQ(d["lcd_rows"][0][0], 0x07);
    EXPECT_TRUE(d["stopped"].is_null());
}

}  // namespace
