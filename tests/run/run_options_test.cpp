#include <gtest/gtest.h>

#include "tools/run/run_options.h"

namespace {

ParseResult Parse(std::vector<std::string> args, RunOptions& out, std::string& error) {
    return ParseRunOptions(args, out, error);
}

TEST(RunOptions, FullCommandLine) {
    RunOptions o;
    std::string error;
    ASSERT_EQ(Parse({"--model",   "m",         "--passes",     "500",    "--key",   "3,1,10,20",
                     "--key",     "-1,-1,0,5", "--tap",        "4,2",    "--keys",  " 1  + 2 ",
                     "--tap",     "6,0",       "--dump-state", "d.json", "--trace", "t.txt",
                     "--lcd-bmp", "l.bmp",     "--layout",     "0",      "--quiet"},
                    o, error),
              ParseResult::Run)
        << error;
    EXPECT_EQ(o.modelDir, "m");
    EXPECT_EQ(o.passBudget, 500u);
    ASSERT_EQ(o.holds.size(), 2u);
    EXPECT_EQ(o.holds[0].row, 3);
    EXPECT_EQ(o.holds[0].col, 1);
    EXPECT_EQ(o.holds[0].from, 10u);
    EXPECT_EQ(o.holds[0].to, 20u);
    EXPECT_EQ(o.holds[1].row, -1);
    // Taps and named taps keep their command-line order.
    ASSERT_EQ(o.taps.size(), 5u);
    EXPECT_EQ(o.taps[0].row, 4);
    EXPECT_EQ(o.taps[0].name, "");
    EXPECT_EQ(o.taps[1].name, "1");
    EXPECT_EQ(o.taps[2].name, "+");
    EXPECT_EQ(o.taps[3].name, "2");
    EXPECT_EQ(o.taps[4].row, 6);
    EXPECT_EQ(o.dumpPath, "d.json");
    EXPECT_EQ(o.tracePath, "t.txt");
    EXPECT_EQ(o.bmpPath, "l.bmp");
    EXPECT_EQ(o.layout, 0);
    EXPECT_TRUE(o.quiet);
}

TEST(RunOptions, Defaults) {
    RunOptions o;
    std::string error;
    ASSERT_EQ(Parse({"--image", "x.bin"}, o, error), ParseResult::Run);
    EXPECT_EQ(o.imagePath, "x.bin");
    EXPECT_EQ(o.passBudget, 1000000u);
    EXPECT_EQ(o.layout, 2);
    EXPECT_FALSE(o.quiet);
    EXPECT_TRUE(o.holds.empty() && o.taps.empty());
}

TEST(RunOptions, HelpIsAnsweredWhereItIsReached) {
    RunOptions o;
    std::string error;
    EXPECT_EQ(Parse({"--image", "x", "--bogus", "-h"}, o, error), ParseResult::Error);
    EXPECT_EQ(Parse({"--image", "x", "--help"}, o, error), ParseResult::Help);
}

TEST(RunOptions, RefusalsSayWhatIsWrong) {
    struct Case {
        std::vector<std::string> args;
        const char* says;
    } cases[] = {
        {{}, "exactly one of --image"},
        {{"--image", "a", "--model", "b"}, "exactly one of --image"},
        {{"--image", "a", "--frobnicate"}, "unknown option '--frobnicate'"},
        {{"--image"}, "--image needs a value"},
        {{"--image", ""}, "--image needs a value"},
        {{"--image", "a", "--image", "b"}, "--image is given twice"},
        {{"--image", "a", "--passes", "-5"}, "--passes takes"},
        {{"--image", "a", "--passes", "12x"}, "--passes takes"},
        {{"--image", "a", "--key", "3,1,10"}, "--key takes ROW,COL,FROM,TO"},
        {{"--image", "a", "--key", "3,1,10,"}, "pass numbers"},
        {{"--image", "a", "--key", "7,0,0,5"}, "outside the key matrix"},
        {{"--image", "a", "--key", "0,8,0,5"}, "outside the key matrix"},
        {{"--image", "a", "--key", "0,-1,0,5"}, "outside the key matrix"},
        {{"--image", "a", "--key", "x,1,0,5"}, "two integers"},
        {{"--image", "a", "--key", "3,1,10,10"}, "must come after the press"},
        {{"--image", "a", "--key", "3,1,-1,10"}, "pass numbers"},
        {{"--image", "a", "--tap", "3"}, "--tap takes ROW,COL"},
        {{"--image", "a", "--tap", "-2,0"}, "outside the key matrix"},
        {{"--model", "m", "--keys", "   "}, "at least one key name"},
        {{"--image", "a", "--keys", "AC"}, "--keys needs --model"},
        {{"--image", "a", "--lcd-bmp", "o.bmp"}, "--lcd-bmp needs --model"},
        {{"--model", "m", "--layout", "1"}, "--layout chooses"},
        {{"--model", "m", "--lcd-bmp", "o.bmp", "--layout", "-1"}, "--layout takes"},
        {{"--model", "m", "--dump-state", "o", "--trace", "o"}, "'o' is named for two outputs"},
    };
    for (const auto& c : cases) {
        RunOptions o;
        std::string error;
        EXPECT_EQ(Parse(c.args, o, error), ParseResult::Error) << c.says;
        EXPECT_NE(error.find(c.says), std::string::npos)
            << "expected '" << c.says << "', got '" << error << "'";
    }
}

TEST(RunOptions, SpecialKeyAndMatrixCorners) {
    for (const char* key : {"-1,-1,0,1", "-1,7,0,1", "6,0,0,1", "0,7,0,1"}) {
        RunOptions o;
        std::string error;
        EXPECT_EQ(Parse({"--image", "a", "--key", key}, o, error), ParseResult::Run)
            << key << ": " << error;
    }
}

}  // namespace
