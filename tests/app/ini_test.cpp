#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "app/ini.h"
#include "app/ini_file.h"
#include "app/ini_value_spec.h"
#include "tests/support/recording_platform.h"

namespace {

CIni Parse(const std::string& text) {
    CIni ini;
    CIniFile::LoadText(text, ini);
    return ini;
}

std::vector<std::string> Values(const CIni& ini, const char* section, const char* key) {
    int s = ini.FindSection(section);
    int k = ini.FindKey(s, key);
    std::vector<std::string> out;
    std::string v;
    for (int i = 0; ini.GetString(s, k, i, v); ++i)
        out.push_back(v);
    return out;
}

using Strings = std::vector<std::string>;

TEST(IniReader, SectionsKeysCommentsAndQuotes) {
    CIni ini = Parse(
        "; leading comment\n"
        "orphan = 1\n"
        "[panelbmp]\r\n"
        "  SMALLNORMALPANELBMP =  small.bmp  ; the normal picture\n"
        "[ TitleBar ]\n"
        "TitleStr = \"Hello, world\", x // second value\n"
        "Empty =\n"
        "Blank =  , ,\n"
        "[TitleBar]\n"
        "TitleStr = shadowed\n");
    EXPECT_EQ(ini.FindSection("PanelBmp"), 0);
    EXPECT_EQ(Values(ini, "PanelBmp", "SmallNormalPanelBmp"), Strings{"small.bmp"});
    EXPECT_EQ(Values(ini, "titlebar", "titlestr"), (Strings{"\"Hello, world\"", "x"}));
    EXPECT_EQ(Values(ini, "TitleBar", "Empty"), Strings{});
    EXPECT_EQ(Values(ini, "TitleBar", "Blank"), (Strings{"", "", ""}));
    EXPECT_EQ(ini.FindSection("missing"), -1);
    EXPECT_EQ(ini.FindKey(0, "orphan"), -1);
    EXPECT_EQ(ini.FindKey(-1, "x"), -1);
    std::string v = "kept";
    EXPECT_EQ(ini.GetString(0, 0, 1, v), 0);
    EXPECT_EQ(v, "kept");
}

TEST(IniReader, GetIntTruncatesTowardZero) {
    CIni ini = Parse("[S]\nK = 3.9, -2.7, abc, 0x1F, 1e30, -0\n");
    int s = ini.FindSection("S"), k = ini.FindKey(s, "K");
    std::vector<int> got;
    int v;
    for (int i = 0; ini.GetInt(s, k, i, v); ++i)
        got.push_back(v);
    EXPECT_EQ(got, (std::vector<int>{3, -2, 0, 31, 2147483647, 0}));
}

TEST(IniReader, ContinuationLinesJoin) {
    CIni ini = Parse("[Test]\nExtraLcd = 0, \\  \n 1, \\\n2\nNext = y\n");
    EXPECT_EQ(Values(ini, "Test", "ExtraLcd"), (Strings{"0", "1", "2"}));
    EXPECT_EQ(Values(ini, "Test", "Next"), Strings{"y"});
}

TEST(IniReader, MacrosReplaceWholeCapitalisedValues) {
    CIni ini = Parse(
        "[PanelBmp]\n"
        "SmallNormalPanelBmp = SMALLN\n"
        "SmallPressPanelBmp = smalln\n"
        "Other = SMALLN.bmp, LOW, lower\n"
        "#define\tSMALLN   small.bmp\n"  // defined after use: still applies
        "#define lower low.bmp\n"        // starts in lower case: never replaced
        "#define " +
        std::string(63, 'X') + " too_long\n");
    EXPECT_EQ(Values(ini, "PanelBmp", "SmallNormalPanelBmp"), Strings{"small.bmp"});
    EXPECT_EQ(Values(ini, "PanelBmp", "SmallPressPanelBmp"), Strings{"smalln"});
    EXPECT_EQ(Values(ini, "PanelBmp", "Other"), (Strings{"SMALLN.bmp", "LOW", "lower"}));
}

TEST(IniReader, EnumerationsCountAndBecomeMacros) {
    CIni ini = Parse(
        "enum Layout\n"
        "{\n"
        "  MAIN,            // 0\n"
        "  LARGE = 5,\n"
        "  WINDOW,          // 6\n"
        "  HAS SPACE = 9,   // skipped, the counter stays\n"
        "  Lower,           // 7\n"
        "  1BAD = 3,        // not a name\n"
        "  Fake = 2\n"
        "}\n"
        "[Test]\n"
        "ExtraLcd = MAIN, LARGE, WINDOW, Lower\n");
    EXPECT_EQ(Values(ini, "Test", "ExtraLcd"), (Strings{"0", "5", "6", "7"}));
    EXPECT_EQ(ini.SectionCount(), 1) << "the block's lines are emptied";
    EXPECT_TRUE(TestPlatform().Messages().empty());
}

TEST(IniReader, EnumOnTheLastLineStopsThePreprocessing) {
    CIni ini = Parse("#define NAME x.bmp\n[S]\nK = NAME\nenum Broken");
    auto m = TestPlatform().Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].text, "enum declaration error !");
    EXPECT_EQ(m[0].icon, MsgIcon::Error);
    EXPECT_EQ(Values(ini, "S", "K"), Strings{"NAME"}) << "no macro substitution";
    EXPECT_TRUE(ini.IsLoaded());
}

TEST(IniReader, AnyBytesAreReadWithoutHarm) {
    std::mt19937 rng(3);
    for (int round = 0; round < 50; ++round) {
        std::string junk(size_t(rng() % 5000), '\0');
        for (char& c : junk)
            c = char(rng());
        CIni ini = Parse(junk);
        for (int s = 0; s < ini.SectionCount(); ++s)
            for (int k = 0; k < ini.KeyCount(s); ++k)
                ini.CheckValues(s, k, 1, 0, "s,0~9,S2");
    }
    std::string huge = "[S]\nK = " + std::string(10'000'000, 'a') + ",b";
    CIni big = Parse(huge);
    EXPECT_EQ(big.ValueCount(0, 0), 2);
    std::string many;
    for (int i = 0; i < 5000; ++i)
        many += "[S" + std::to_string(i) + "]\nK=" + std::to_string(i) + "\n";
    CIni lots = Parse(many);
    EXPECT_EQ(lots.SectionCount(), 5000);
    EXPECT_EQ(Values(lots, "s4999", "k"), Strings{"4999"});
}

// --- value checks -----------------------------------------------------------------------

TEST(IniValueSpec, ClassifiesWrittenValues) {
    struct Case {
        const char* text;
        IniKind kind;
    } cases[] = {
        {"", IniKind::Integer},
        {"12", IniKind::Integer},
        {"-12", IniKind::Integer},
        {"0x1f", IniKind::Integer},
        {"0X", IniKind::String},
        {"0x12345678901234567", IniKind::String},
        {"0xG1", IniKind::String},
        {"1.5", IniKind::Float},
        {"-.5", IniKind::Float},
        {"1.2.3", IniKind::String},
        {"a b", IniKind::String},
        {"12 3", IniKind::String},
        {"small.bmp", IniKind::String},
        {"--1", IniKind::String},
        {"123456789012345678901234567890123456", IniKind::String},  // 36 digits
        {"12345678901234567890123456789012345", IniKind::Integer},  // 35 digits
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClassifyValue(c.text), c.kind) << "'" << c.text << "'";
}

TEST(IniValueSpec, ParsesItems) {
    auto items = ParseValueSpec(" s , 0~, ~9 , 1.5~2, 4, S3~8, ~, 2147483647");
    ASSERT_EQ(items.size(), 8u);
    EXPECT_EQ(items[0].kind, IniKind::String);
    EXPECT_EQ(items[0].min, kNoBound);
    EXPECT_EQ(items[1].kind, IniKind::Integer);
    EXPECT_EQ(items[1].min, 0);
    EXPECT_EQ(items[1].max, kNoBound);
    EXPECT_EQ(items[2].max, 9);
    EXPECT_EQ(items[3].kind, IniKind::Float);
    EXPECT_EQ(items[4].min, 4);
    EXPECT_EQ(items[4].max, 4);
    EXPECT_EQ(items[5].kind, IniKind::String);
    EXPECT_EQ(items[5].max, 8);
    EXPECT_EQ(items[6].kind, IniKind::Unchecked);
    EXPECT_EQ(items[7].kind, IniKind::Unchecked) << "2147483647 marks an absent bound";
}

TEST(IniValueSpec, FormatsNumbers) {
    EXPECT_EQ(FormatIniNumber(5), "5");
    EXPECT_EQ(FormatIniNumber(2.5), "2.5");
    EXPECT_EQ(FormatIniNumber(-1), "-1");
    EXPECT_EQ(FormatIniNumber(0.125), "0.12");
    EXPECT_EQ(FormatIniNumber(10), "10");
}

TEST(IniValueSpec, ReportLinesForEachKindOfProblem) {
    struct Case {
        std::vector<std::string> values;
        int expected, repeat;
        const char* spec;
        std::vector<std::string> lines;  // after the section and key lines
    } cases[] = {
        {{"A", "B"}, 1, -1, "s", {">Key value count should be 1 while it is 2"}},
        {{"-1"}, -1, -1, "0~", {"->1st value error : value should be >= 0 while it is -1"}},
        {{"0", "2"}, -1, -1, "0~", {}},
        {{"1", "x", "12"},
         3,
         -1,
         "0~9, 0~9, ~9",
         {"->2th value error : value should be integer",
          "->3th value error : value should be <= 9 while it is 12"}},
        {{"2.5"},
         1,
         -1,
         "0.0~1",
         {"->1st value error : value should be in between 0 and 1 while it is 2.5"}},
        {{"7"}, 1, -1, "s", {"->1st value error : value should be string"}},
        {{"abc"}, 1, -1, "1.5", {"->1st value error : value should be float number"}},
        {{"abcd"},
         1,
         -1,
         "s3",
         {"->1st value error : string length should be 3 while the string length is 4"}},
        {{"ab"},
         1,
         -1,
         "s3~8",
         {"->1st value error : string length should be in between 3 and 8 while the string length "
          "is 2"}},
        {{"abcdefghij"},
         1,
         -1,
         "s~8",
         {"->1st value error : string length should be <= 8 while the string length is 10"}},
        {{"ab"},
         1,
         -1,
         "s5~",
         {"->1st value error : string length should be >= 5 while the string length is 2"}},
        // Repetition: items from 1 on are used again for values 3, 4, ...
        {{"n", "1", "2", "3", "99"},
         -1,
         1,
         "s, 0~9, 0~9",
         {"->5th value error : value should be in between 0 and 9 while it is 99"}},
        {{"n", "1", "2", "3"},
         -1,
         1,
         "s, 0~9, 0~9",
         {">Key value count does not fit the expected amount"}},
        // Without repetition values beyond the items are not tested.
        {{"1", "x"}, -1, -1, "0~9", {}},
    };
    for (const auto& c : cases) {
        auto lines =
            BuildCheckReport("Sec", "Key = v,\t w,,", c.values, c.expected, c.repeat, c.spec);
        if (c.lines.empty()) {
            EXPECT_TRUE(lines.empty()) << c.spec;
            continue;
        }
        std::vector<std::string> want = {"", "************ Ini error ************", "[Sec]",
                                         "Key = v,  w"};
        want.insert(want.end(), c.lines.begin(), c.lines.end());
        want.push_back("");
        EXPECT_EQ(lines, want) << c.spec;
    }
}

TEST(IniCheck, TitleWithTwoValuesAsksToContinue) {
    CIni ini = Parse("[TitleBar]\nTitleStr = A, B ; two titles\n");
    int s = ini.FindSection("TitleBar"), k = ini.FindKey(s, "TitleStr");
    EXPECT_EQ(ini.CheckValues(s, k, 1, -1, "s"), 1);
    auto m = TestPlatform().Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].text,
              "\n************ Ini error ************\n[TitleBar]\nTitleStr = A, B\n"
              ">Key value count should be 1 while it is 2\n\n\n\nContinue parsing ini ?");
    EXPECT_EQ(m[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(m[0].icon, MsgIcon::Error);
    EXPECT_TRUE(ini.ChecksOn());
}

TEST(IniCheck, AnsweringNoSilencesLaterChecks) {
    CIni ini = Parse("[Test]\nExtraLcd = -1\nOther = -2\n");
    TestPlatform().QueueAnswers({MsgAnswer::No});
    ini.CheckValues(0, 0, -1, -1, "0~");
    ini.CheckValues(0, 1, -1, -1, "0~");
    EXPECT_EQ(TestPlatform().Messages().size(), 1u);
    EXPECT_FALSE(ini.ChecksOn());
}

}  // namespace
