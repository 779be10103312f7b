#include "tools/mkmodel/description_reader.h"

#include <fstream>
#include <sstream>

#include "tools/mkmodel/description_checks.h"
#include "tools/mkmodel/json_fields.h"
#include "util/strfmt.h"

using nlohmann::json;

namespace {

constexpr int kFormatVersion = 1;

SBodyDesc ReadBody(CJsonObject o) {
    SBodyDesc b;
    b.width = o.Number("width");
    b.height = o.Number("height");
    b.margin = o.Number("margin", 0);
    b.cornerRadius = o.Number("cornerRadius", 0);
    b.bevel = o.Number("bevel", 0);
    b.color = o.Colour("color");
    b.edgeLight = o.Colour("edgeLight", b.color);
    b.edgeDark = o.Colour("edgeDark", b.color);
    o.RejectUnknownFields();
    return b;
}

EAnnunciator ReadSymbol(CJsonObject& o) {
    std::string symbol = o.String("symbol");
    if (symbol == "minus") return EAnnunciator::Minus;
    if (symbol == "M") return EAnnunciator::Memory;
    if (symbol == "E") return EAnnunciator::Error;
    FailAt(FieldPlace(o.Place(), "symbol"),
           "unknown symbol \"" + symbol + "\" (there are \"minus\", \"M\" and \"E\")");
}

SLcdDesc ReadLcd(CJsonObject o) {
    SLcdDesc lcd;
    lcd.bezel = o.Rect("bezel");
    lcd.bezelRadius = o.Number("bezelRadius", 0);
    lcd.bezelColor = o.Colour("bezelColor");
    lcd.glass = o.Rect("glass");
    lcd.slantDegrees = o.Number("slantDegrees", 0);
    CJsonObject digits = o.Object("digits");
    lcd.digitPage = digits.Integer("page");
    lcd.digitFirstColumn = digits.Integer("firstColumn");
    lcd.digitCount = digits.Integer("count");
    digits.RejectUnknownFields();
    const json& list = o.Array("annunciators");
    for (size_t i = 0; i < list.size(); ++i) {
        CJsonObject a(list[i], ElementPlace(FieldPlace(o.Place(), "annunciators"), i));
        SAnnunciatorDesc desc;
        desc.symbol = ReadSymbol(a);
        desc.bit = {a.Integer("page"), a.Integer("column"), a.Integer("bit")};
        a.RejectUnknownFields();
        lcd.annunciators.push_back(desc);
    }
    o.RejectUnknownFields();
    return lcd;
}

// Panels come in a fixed order: index 0 the small panel, 1 the large one.
std::vector<SPanelDesc> ReadPanels(CJsonObject o) {
    std::vector<SPanelDesc> panels;
    for (const char* role : {"small", "large"}) {
        CJsonObject p = o.Object(role);
        panels.push_back({role, p.Number("scale")});
        p.RejectUnknownFields();
    }
    o.RejectUnknownFields();
    return panels;
}

int PanelIndex(const std::string& role, const std::string& place) {
    if (role == "small") return 0;
    if (role == "large") return 1;
    FailAt(place, "unknown panel \"" + role + "\" (there are \"small\" and \"large\")");
}

std::vector<SLcdLayoutDesc> ReadLcdLayouts(const json& list, const std::string& place) {
    std::vector<SLcdLayoutDesc> layouts;
    for (size_t i = 0; i < list.size(); ++i) {
        CJsonObject o(list[i], ElementPlace(place, i));
        SLcdLayoutDesc layout;
        if (o.Has("panel")) {
            std::string role = o.String("panel");
            layout.panel = PanelIndex(role, FieldPlace(o.Place(), "panel"));
            layout.name = o.String("name", role == "small" ? "SmallPanel" : "LargePanel");
        } else {
            layout.width = o.Integer("width");
            layout.height = o.Integer("height");
            layout.name = o.String("name", "Window");
        }
        o.RejectUnknownFields();
        layouts.push_back(layout);
    }
    return layouts;
}

SDecorationDesc ReadDecoration(CJsonObject o) {
    SDecorationDesc d;
    if (o.Has("solarCell")) {
        d.kind = EDecoration::SolarCell;
        d.rect = o.Rect("solarCell");
    } else {
        d.kind = EDecoration::Text;
        d.text = o.String("text");
        d.font = o.String("font", "brand");
        if (d.font != "brand" && d.font != "label")
            FailAt(FieldPlace(o.Place(), "font"),
                   "unknown font \"" + d.font + "\" (there are \"brand\" and \"label\")");
        o.NumberPair("at", d.x, d.y);
        d.size = o.Number("size");
        d.color = o.Colour("color");
    }
    o.RejectUnknownFields();
    return d;
}

std::vector<SKeyStyle> ReadKeyStyles(const json& styles, const std::string& place) {
    std::vector<SKeyStyle> out;
    for (auto it = styles.begin(); it != styles.end(); ++it) {
        CJsonObject o(it.value(), FieldPlace(place, it.key()));
        out.push_back({it.key(), o.Colour("face"), o.Colour("label"), o.Number("labelSize", 0)});
        o.RejectUnknownFields();
    }
    return out;
}

struct SKeyGrid {
    bool present = false;
    double left = 0, top = 0, pitchX = 0, pitchY = 0, width = 0, height = 0;
};

SKeyGrid ReadKeyGrid(CJsonObject o) {
    SKeyGrid g;
    g.present = true;
    g.left = o.Number("left");
    g.top = o.Number("top");
    o.NumberPair("pitch", g.pitchX, g.pitchY);
    o.NumberPair("size", g.width, g.height);
    if (g.width <= 0 || g.height <= 0)
        FailAt(FieldPlace(o.Place(), "size"), "the width and the height must be above 0");
    if (g.pitchX < g.width || g.pitchY < g.height)
        FailAt(FieldPlace(o.Place(), "pitch"),
               "the pitch must be at least the key size, or neighbouring keys overlap");
    o.RejectUnknownFields();
    return g;
}

SDesignRect KeyRectFromGrid(CJsonObject& o, const SKeyGrid& grid) {
    if (!grid.present)
        FailAt(FieldPlace(o.Place(), "place"), "a key placed on the grid needs \"keyGrid\"");
    int row = 0, column = 0, rows = 1, columns = 1;
    o.IntegerPair("place", row, column);
    if (o.Has("span")) o.IntegerPair("span", rows, columns);
    if (row < 0 || column < 0) FailAt(FieldPlace(o.Place(), "place"), "grid places count from 0");
    if (rows < 1 || columns < 1)
        FailAt(FieldPlace(o.Place(), "span"), "a key spans at least one row and one column");
    return {grid.left + column * grid.pitchX, grid.top + row * grid.pitchY,
            (columns - 1) * grid.pitchX + grid.width, (rows - 1) * grid.pitchY + grid.height};
}

// Messages about a key name it too: "keys[7] (\"8\").matrix".
std::string KeyPlace(const json& key, size_t index) {
    std::string place = ElementPlace("keys", index);
    if (key.is_object() && key.contains("name") && key["name"].is_string())
        place += " (\"" + key["name"].get<std::string>() + "\")";
    return place;
}

SKeyDesc ReadKey(CJsonObject o, const SKeyGrid& grid, const std::vector<SKeyStyle>& styles) {
    SKeyDesc k;
    k.name = o.String("name");
    k.place = o.Place();
    k.label = o.String("label", k.name);
    k.value = o.Integer("value");
    o.IntegerPair("matrix", k.row, k.column);
    if (o.Has("rect") == o.Has("place"))
        FailAt(k.place, "give the key either \"place\" (on the key grid) or \"rect\"");
    k.rect = o.Has("rect") ? o.Rect("rect") : KeyRectFromGrid(o, grid);
    std::string style = o.String("style");
    k.style = -1;
    for (size_t i = 0; i < styles.size(); ++i)
        if (styles[i].name == style) k.style = int(i);
    if (k.style < 0)
        FailAt(FieldPlace(o.Place(), "style"), "no key style \"" + style + "\" in keyStyles");
    k.labelSize = o.Number("labelSize", 0);
    o.RejectUnknownFields();
    return k;
}

void ReadDescription(const json& root, SModelDescription& d) {
    CJsonObject top(root, "");
    int format = top.Integer("format");
    if (format != kFormatVersion)
        FailAt("format", StrFormat("this tool reads format %d, not %d", kFormatVersion, format));
    d.model = top.String("model");
    CJsonObject fonts = top.Object("fonts");
    d.labelFont = fonts.String("label");
    d.brandFont = fonts.String("brand", d.labelFont);
    fonts.RejectUnknownFields();
    CJsonObject colours = top.Object("colors");
    d.transparent = colours.Colour("transparent");
    d.edgeBlend = colours.Colour("edgeBlend");
    colours.RejectUnknownFields();
    d.body = ReadBody(top.Object("body"));
    d.lcd = ReadLcd(top.Object("lcd"));
    d.panels = ReadPanels(top.Object("panels"));
    d.lcdLayouts = ReadLcdLayouts(top.Array("lcdLayouts"), "lcdLayouts");
    if (top.Has("decorations")) {
        const json& list = top.Array("decorations");
        for (size_t i = 0; i < list.size(); ++i)
            d.decorations.push_back(
                ReadDecoration(CJsonObject(list[i], ElementPlace("decorations", i))));
    }
    d.keyStyles = ReadKeyStyles(top.Members("keyStyles"), "keyStyles");
    SKeyGrid grid;
    if (top.Has("keyGrid")) grid = ReadKeyGrid(top.Object("keyGrid"));
    const json& keys = top.Array("keys");
    for (size_t i = 0; i < keys.size(); ++i)
        d.keys.push_back(ReadKey(CJsonObject(keys[i], KeyPlace(keys[i], i)), grid, d.keyStyles));
    top.RejectUnknownFields();
}

// "line L, column C" of a byte position of the text (1-based, as the parser counts).
std::string LineAndColumn(const std::string& text, size_t byte) {
    size_t line = 1, column = 1;
    for (size_t i = 0; i + 1 < byte && i < text.size(); ++i) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return StrFormat("line %zu, column %zu", line, column);
}

}  // namespace

int ParseModelDescription(const std::string& text, const std::string& path, SModelDescription& out,
                          std::string& error) {
    json root;
    try {
        root = json::parse(text);
    } catch (const json::parse_error& e) {
        // The library's message starts with its own prefix and position ("... parse error
        // at line 3, column 17: "); keep only the reason, which may hold ": " itself.
        std::string what = e.what();
        size_t column = what.find("column ");
        size_t colon = what.find(": ", column == std::string::npos ? 0 : column);
        error = StrFormat("%s: %s: not valid JSON: %s", path.c_str(),
                          LineAndColumn(text, e.byte).c_str(),
                          colon == std::string::npos ? what.c_str() : what.c_str() + colon + 2);
        return 0;
    }
    SModelDescription d;
    d.path = path;
    try {
        ReadDescription(root, d);
        CheckModelDescription(d);
    } catch (const SDescriptionError& e) {
        error = e.place.empty()
                    ? StrFormat("%s: %s", path.c_str(), e.reason.c_str())
                    : StrFormat("%s: %s: %s", path.c_str(), e.place.c_str(), e.reason.c_str());
        return 0;
    }
    out = std::move(d);
    return 1;
}

int ReadModelDescription(const std::string& path, SModelDescription& out, std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = StrFormat("cannot open '%s'", path.c_str());
        return 0;
    }
    std::ostringstream text;
    text << file.rdbuf();
    if (file.bad()) {
        error = StrFormat("cannot read '%s'", path.c_str());
        return 0;
    }
    return ParseModelDescription(text.str(), path, out, error);
}
