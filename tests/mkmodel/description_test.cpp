// Reading a model description: the demo calculator's own, and broken ones, whose message
// must name the file, the place in it and what is wrong.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "tools/mkmodel/description_reader.h"
#include "tools/mkmodel/panel_geometry.h"

namespace {

using nlohmann::json;

std::string DemoText() {
    std::ifstream in(ORVANE_DEMO_DESCRIPTION);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

json Demo() {
    return json::parse(DemoText());
}

// The message for a description, or "" when it reads.
std::string ErrorOf(const std::string& text) {
    SModelDescription d;
    std::string error;
    return ParseModelDescription(text, "calc.json", d, error) ? "" : error;
}

TEST(ModelDescription, TheDemoDescriptionGivesPanelsThatFitTheWindows) {
    SModelDescription d;
    std::string error;
    ASSERT_TRUE(ParseModelDescription(DemoText(), "calculator.json", d, error)) << error;
    EXPECT_EQ(d.model, "ZT_K318V");
    EXPECT_EQ(d.keys.size(), 26u);

    // The normal window shows the small panel with the LCD window and three buttons beside
    // it (761 pixels wide); a maximised one shows the large panel on a tall screen.
    SPanelGeometry small = LayOutPanel(d, 0), large = LayOutPanel(d, 1);
    EXPECT_LE(small.width, 290);
    EXPECT_LE(small.height, 570);
    EXPECT_NEAR(large.width, 420, 30);
    EXPECT_NEAR(large.height, 800, 50);
    SPixelSize window = LcdLayoutSize(d, 2);
    EXPECT_LE(window.width, 400);
    EXPECT_LE(40 + small.width + window.width, 761);

    // The panels' LCD layouts are their glass, pixel for pixel.
    for (int panel : {0, 1}) {
        SPanelGeometry g = LayOutPanel(d, panel);
        SPixelSize lcd = LcdLayoutSize(d, panel);
        EXPECT_EQ(lcd.width, g.lcdGlass.Width()) << panel;
        EXPECT_EQ(lcd.height, g.lcdGlass.Height()) << panel;
    }
}

struct BrokenCase {
    const char* what;
    std::function<void(json&)> change;
    const char* message;  // after "calc.json: "
};

TEST(ModelDescription, AMistakeIsReportedWithItsPlace) {
    const BrokenCase kCases[] = {
        {"newer format", [](json& d) { d["format"] = 2; },
         "format: this tool reads format 1, not 2"},
        {"missing field", [](json& d) { d.erase("model"); }, "the field \"model\" is missing"},
        {"misspelt field", [](json& d) { d["keys"][3]["colour"] = "#000000"; },
         "keys[3] (\"SQRT\").colour: unknown field (misspelt, or not used here)"},
        {"wrong kind of value", [](json& d) { d["body"]["width"] = "wide"; },
         "body.width: expected a number, found a text"},
        {"colour", [](json& d) { d["body"]["color"] = "red"; },
         "body.color: expected a colour \"#rrggbb\", found \"red\""},
        {"key matrix row",
         [](json& d) {
             d["keys"][13]["matrix"] = {9, 0};
         },
         "keys[13] (\"8\").matrix: row 9 is outside the key matrix (0 to 6, or -1, -1 for the "
         "key outside it)"},
        {"key matrix column",
         [](json& d) {
             d["keys"][13]["matrix"] = {3, 8};
         },
         "keys[13] (\"8\").matrix: column 8 is outside the key matrix (0 to 7, or -1, -1 for "
         "the key outside it)"},
        {"name twice", [](json& d) { d["keys"][5]["name"] = "MC"; },
         "keys[5] (\"MC\").name: the name is given to two keys"},
        {"value twice", [](json& d) { d["keys"][12]["value"] = 8; },
         "keys[13] (\"8\").value: key keys[12] (\"7\") has the value 8 too"},
        {"position twice",
         [](json& d) {
             d["keys"][12]["matrix"] = {3, 1};
         },
         "keys[13] (\"8\").matrix: key keys[12] (\"7\") sits at row 3, column 1 too"},
        {"name with a space", [](json& d) { d["keys"][0]["name"] = "O N"; },
         "keys[0] (\"O N\").name: a key name is printable ASCII without spaces (key names are "
         "typed, separated by spaces)"},
        {"unknown style", [](json& d) { d["keys"][0]["style"] = "shiny"; },
         "keys[0] (\"ON\").style: no key style \"shiny\" in keyStyles"},
        {"place and rect",
         [](json& d) {
             d["keys"][0]["rect"] = {30, 200, 20, 20};
         },
         "keys[0] (\"ON\"): give the key either \"place\" (on the key grid) or \"rect\""},
        {"key on the LCD",
         [](json& d) {
             d["keys"][0].erase("place");
             d["keys"][0]["rect"] = {30, 70, 40, 30};
         },
         "keys[0] (\"ON\"): the key overlaps the LCD bezel"},
        {"key off the body",
         [](json& d) {
             d["keys"][0].erase("place");
             d["keys"][0]["rect"] = {260, 300, 40, 30};
         },
         "keys[0] (\"ON\"): the key [260, 300, 40, 30] is not inside the body"},
        {"keys overlapping",
         [](json& d) {
             d["keys"][1]["place"] = {0, 0};
         },
         "keys[1] (\"AC\"): the key overlaps keys[0] (\"ON\")"},
        {"pitch below the key size",
         [](json& d) {
             d["keyGrid"]["pitch"] = {50, 48};
         },
         "keyGrid.pitch: the pitch must be at least the key size, or neighbouring keys overlap"},
        {"glass outside the bezel",
         [](json& d) {
             d["lcd"]["glass"] = {28, 66, 260, 56};
         },
         "lcd.glass: the LCD glass [28, 66, 260, 56] is not inside the bezel"},
        {"annunciator on a digit's bit", [](json& d) { d["lcd"]["annunciators"][1]["page"] = 0; },
         "lcd.annunciators[1]: page 0, column 0, bit 1 already lights another segment"},
        {"annunciator beyond the LCD memory",
         [](json& d) { d["lcd"]["annunciators"][0]["page"] = 4; },
         "lcd.annunciators[0]: page 4 is outside the LCD memory (0 to 3)"},
        {"too many digits", [](json& d) { d["lcd"]["digits"]["count"] = 98; },
         "lcd.digits: columns 0 to 97 are outside the LCD memory (0 to 96)"},
        {"unknown annunciator", [](json& d) { d["lcd"]["annunciators"][2]["symbol"] = "F"; },
         "lcd.annunciators[2].symbol: unknown symbol \"F\" (there are \"minus\", \"M\" and "
         "\"E\")"},
        {"scale that makes keys touch", [](json& d) { d["panels"]["small"]["scale"] = 0.1; },
         "panels.small.scale: key keys[0] (\"ON\") becomes 5 x 4 pixels, too small to press"},
        {"two LCD layouts only", [](json& d) { d["lcdLayouts"].erase(2); },
         "lcdLayouts: give at least three LCD layouts: the small panel's, the large panel's and "
         "the LCD window's"},
        {"layouts in the wrong order",
         [](json& d) { std::swap(d["lcdLayouts"][0], d["lcdLayouts"][1]); },
         "lcdLayouts[0]: layout 0 is the small panel's LCD: { \"panel\": \"small\" }"},
        {"tiny LCD window", [](json& d) { d["lcdLayouts"][2]["height"] = 4; },
         "lcdLayouts[2]: the size 384 x 4 is too small or too large for an LCD"},
        {"transparent body", [](json& d) { d["colors"]["transparent"] = d["body"]["color"]; },
         "colors.transparent: the transparent colour is also a colour of the body"},
        {"model code with a slash", [](json& d) { d["model"] = "a/b"; },
         "model: the model code names files: use letters, digits, '_' and '-' only"},
    };
    for (const BrokenCase& c : kCases) {
        SCOPED_TRACE(c.what);
        json d = Demo();
        c.change(d);
        EXPECT_EQ(ErrorOf(d.dump()), std::string("calc.json: ") + c.message);
    }
}

TEST(ModelDescription, TextThatIsNotJsonIsReportedWithItsLine) {
    std::string error = ErrorOf("{\n  \"format\": 1,\n  \"model\": \"X\" \"oops\"\n}\n");
    EXPECT_EQ(error.rfind("calc.json: line 3, column ", 0), 0u) << error;
    EXPECT_NE(error.find("not valid JSON"), std::string::npos) << error;
    EXPECT_EQ(ErrorOf(""),
              "calc.json: line 1, column 1: not valid JSON: syntax error while "
              "parsing value - unexpected end of input; expected '[', '{', or a "
              "literal");
    EXPECT_EQ(ErrorOf("[1, 2]"), "calc.json: expected an object, found an array");
}

TEST(ModelDescription, AFileThatCannotBeReadIsNamed) {
    SModelDescription d;
    std::string error;
    EXPECT_FALSE(ReadModelDescription("/nonexistent/calc.json", d, error));
    EXPECT_EQ(error, "cannot open '/nonexistent/calc.json'");
}

}  // namespace
