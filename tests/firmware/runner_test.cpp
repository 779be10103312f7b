// The firmware through the headless runner, as a user of orvane-run sees it: taps by the key
// names of the model's panel file, the state dump's lcd_rows read through the LCD map.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/firmware/demo_panel.h"
#include "tests/firmware/example_calculations.h"
#include "tests/tools/run_tool.h"

namespace {

namespace fs = std::filesystem;

struct RunResult {
    int exitCode = -1;
    std::string err;
    LcdReading display;
    bool blank = false;
    int runState = 0;
};

// Runs orvane-run on a model folder with the extra arguments and reads its state dump.
RunResult RunModel(const std::string& modelDir, std::vector<std::string> args) {
    fs::path dump = fs::temp_directory_path() /
                    ("orvane-fw-" + std::to_string(getpid()) + "-" +
                     testing::UnitTest::GetInstance()->current_test_info()->name() + ".json");
    args.insert(args.begin(), {"--model", modelDir, "--quiet", "--dump-state", dump.string()});
    ToolResult tool = RunTool("orvane-run", args);
    RunResult r;
    r.exitCode = tool.exitCode;
    r.err = tool.err;
    std::ifstream in(dump);
    if (!in) return r;
    nlohmann::json state = nlohmann::json::parse(in);
    fs::remove(dump);
    std::vector<uint32_t> page0 = state["lcd_rows"][0], page1 = state["lcd_rows"][1];
    r.display = DecodeLcd(page0.data(), page1.data());
    r.blank = LcdBlank(page0.data(), page1.data(), int(page0.size()));
    r.runState = state["run_state"];
    return r;
}

// Taps by name ("1 / 3 ="), looked up in the model folder's small panel file.
std::vector<std::string> NamedTaps(const char* keys) {
    return {"--keys", keys};
}

std::string ModelFolder(const char* container) {
    return fs::path(container).parent_path().string();
}

TEST(Runner, PocketCalculatorExamples) {
    for (const ExampleCalculation& c : kExampleCalculations) {
        SCOPED_TRACE(c.keys);
        RunResult r = RunModel(ModelFolder(ORVANE_FIRMWARE_CONTAINER), NamedTaps(c.keys));
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.display.text, c.text);
        EXPECT_EQ(r.display.annunciators, "");
        EXPECT_EQ(r.runState, 4);  // standby, waiting for the next key
    }
}

TEST(Runner, ErrorAndMemoryAnnunciators) {
    RunResult r = RunModel(ModelFolder(ORVANE_FIRMWARE_CONTAINER), NamedTaps("5 M+ 1 / 0 ="));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.display.text, "E");
    EXPECT_EQ(r.display.annunciators, "ME");
}

TEST(Runner, PowersOffAndOnWithTheTestImage) {
    const std::string model = ModelFolder(ORVANE_FIRMWARE_TEST_CONTAINER);
    // The test image switches off after two timer-1 wake-ups, some 520 standby passes.
    RunResult off = RunModel(model, {"--passes", "5000"});
    ASSERT_EQ(off.exitCode, 0) << off.err;
    EXPECT_EQ(off.runState, 3);
    EXPECT_TRUE(off.blank);

    // ON held from pass 5,000 to 30,000; the dump comes soon after, before the next power-off.
    RunResult on = RunModel(model, {"--passes", "30300", "--key", "-1,-1,5000,30000"});
    ASSERT_EQ(on.exitCode, 0) << on.err;
    EXPECT_EQ(on.runState, 4);
    EXPECT_EQ(on.display.text, "0.");
}

}  // namespace
