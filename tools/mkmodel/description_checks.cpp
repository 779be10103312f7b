#include "tools/mkmodel/description_checks.h"

#include <map>
#include <set>
#include <utility>

#include "tools/mkmodel/json_fields.h"
#include "tools/mkmodel/machine_limits.h"
#include "tools/mkmodel/panel_geometry.h"
#include "util/strfmt.h"

namespace {

// Pictures larger than this are a mistake in the description, not a calculator.
constexpr double kMaxPictureSide = 4096;
constexpr size_t kMaxLcdLayouts = 100;
constexpr size_t kMaxLayoutNameBytes = 32;

std::string RectText(const SDesignRect& r) {
    return StrFormat("[%g, %g, %g, %g]", r.x, r.y, r.w, r.h);
}

SDesignRect BodyInside(const SBodyDesc& b) {
    return {b.margin, b.margin, b.width - 2 * b.margin, b.height - 2 * b.margin};
}

void CheckModelCode(const std::string& model) {
    if (model.empty()) FailAt("model", "the model code is empty");
    for (char c : model)
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
              c == '_' || c == '-'))
            FailAt("model", "the model code names files: use letters, digits, '_' and '-' only");
}

void CheckBody(const SBodyDesc& b) {
    if (b.width <= 0 || b.height <= 0 || b.width > kMaxPictureSide || b.height > kMaxPictureSide)
        FailAt("body", StrFormat("the size %g x %g is outside 1 to %g", b.width, b.height,
                                 kMaxPictureSide));
    if (b.margin < 0 || 2 * b.margin >= b.width || 2 * b.margin >= b.height)
        FailAt("body.margin", "the margin leaves no room for the body");
    if (b.cornerRadius < 0) FailAt("body.cornerRadius", "must not be negative");
    if (b.bevel < 0) FailAt("body.bevel", "must not be negative");
}

void CheckLcdBit(const SLcdBit& bit, const std::string& place) {
    if (bit.page < 0 || bit.page >= kLcdPages)
        FailAt(place,
               StrFormat("page %d is outside the LCD memory (0 to %d)", bit.page, kLcdPages - 1));
    if (bit.column < 0 || bit.column >= kLcdColumns)
        FailAt(place, StrFormat("column %d is outside the LCD memory (0 to %d)", bit.column,
                                kLcdColumns - 1));
    if (bit.bit < 0 || bit.bit >= kLcdBitsPerPage)
        FailAt(place,
               StrFormat("bit %d is outside a cell (0 to %d)", bit.bit, kLcdBitsPerPage - 1));
}

void CheckLcd(const SModelDescription& d) {
    const SLcdDesc& lcd = d.lcd;
    if (!BodyInside(d.body).Contains(lcd.bezel))
        FailAt("lcd.bezel", "the LCD bezel " + RectText(lcd.bezel) + " is not inside the body");
    if (!lcd.bezel.Contains(lcd.glass))
        FailAt("lcd.glass", "the LCD glass " + RectText(lcd.glass) + " is not inside the bezel");
    if (lcd.slantDegrees < -20 || lcd.slantDegrees > 20)
        FailAt("lcd.slantDegrees", "keep the slant between -20 and 20 degrees");
    if (lcd.digitCount < 1 || lcd.digitFirstColumn < 0 ||
        lcd.digitFirstColumn + lcd.digitCount > kLcdColumns)
        FailAt("lcd.digits", StrFormat("columns %d to %d are outside the LCD memory (0 to %d)",
                                       lcd.digitFirstColumn,
                                       lcd.digitFirstColumn + lcd.digitCount - 1, kLcdColumns - 1));
    CheckLcdBit({lcd.digitPage, lcd.digitFirstColumn, 0}, "lcd.digits");

    // Each LCD bit lights one segment: a bit given twice would light two.
    std::set<std::pair<int, int>> used;  // (column, row)
    for (int i = 0; i < lcd.digitCount; ++i)
        for (int bit = 0; bit < kDigitSegments; ++bit)
            used.insert({lcd.digitFirstColumn + i, lcd.digitPage * kLcdBitsPerPage + bit});
    for (size_t i = 0; i < lcd.annunciators.size(); ++i) {
        std::string place = ElementPlace("lcd.annunciators", i);
        const SLcdBit& bit = lcd.annunciators[i].bit;
        CheckLcdBit(bit, place);
        if (!used.insert({bit.column, bit.Row()}).second)
            FailAt(place, StrFormat("page %d, column %d, bit %d already lights another segment",
                                    bit.page, bit.column, bit.bit));
    }
}

void CheckPanels(const SModelDescription& d) {
    for (size_t i = 0; i < d.panels.size(); ++i) {
        const SPanelDesc& p = d.panels[i];
        std::string place = "panels." + p.role + ".scale";
        if (p.scale <= 0) FailAt(place, "the scale must be above 0");
        double w = d.body.width * p.scale, h = d.body.height * p.scale;
        if (w < 16 || h < 16 || w > kMaxPictureSide || h > kMaxPictureSide)
            FailAt(place, StrFormat("gives a picture of %.0f x %.0f pixels", w, h));
    }
}

void CheckLcdLayouts(const std::vector<SLcdLayoutDesc>& layouts) {
    // The simulator draws layout 0 on the small panel, 1 on the large panel and 2 in its
    // LCD window; further layouts serve extra LCD windows.
    if (layouts.size() < 3)
        FailAt("lcdLayouts",
               "give at least three LCD layouts: the small panel's, the large panel's and the "
               "LCD window's");
    if (layouts.size() > kMaxLcdLayouts)
        FailAt("lcdLayouts",
               StrFormat("the simulator reads at most %zu LCD layouts", kMaxLcdLayouts));
    if (layouts[0].panel != 0)
        FailAt("lcdLayouts[0]", "layout 0 is the small panel's LCD: { \"panel\": \"small\" }");
    if (layouts[1].panel != 1)
        FailAt("lcdLayouts[1]", "layout 1 is the large panel's LCD: { \"panel\": \"large\" }");
    for (size_t i = 0; i < layouts.size(); ++i) {
        const SLcdLayoutDesc& l = layouts[i];
        if (l.name.size() > kMaxLayoutNameBytes || l.name.find('\\') != std::string::npos)
            FailAt(FieldPlace(ElementPlace("lcdLayouts", i), "name"),
                   StrFormat("a layout name has at most %zu characters and no backslash",
                             kMaxLayoutNameBytes));
        if (l.panel < 0 && (l.width < 16 || l.height < 8 || l.width > kMaxPictureSide ||
                            l.height > kMaxPictureSide))
            FailAt(ElementPlace("lcdLayouts", i),
                   StrFormat("the size %d x %d is too small or too large for an LCD", l.width,
                             l.height));
    }
}

void CheckKeyName(const SKeyDesc& k) {
    std::string place = FieldPlace(k.place, "name");
    if (k.name.empty()) FailAt(place, "the key name is empty");
    if (int(k.name.size()) >= kKeyNameBytes)
        FailAt(place, StrFormat("a key name has at most %d characters", kKeyNameBytes - 1));
    for (char c : k.name)
        if (c <= ' ' || c > '~')
            FailAt(place,
                   "a key name is printable ASCII without spaces (key names are typed, "
                   "separated by spaces)");
}

void CheckKeyPosition(const SKeyDesc& k) {
    std::string place = FieldPlace(k.place, "matrix");
    if (k.row == -1 && k.column == -1) return;
    if (k.row < 0 || k.row >= kMatrixRows)
        FailAt(place, StrFormat("row %d is outside the key matrix (0 to %d, or -1, -1 for the "
                                "key outside it)",
                                k.row, kMatrixRows - 1));
    if (k.column < 0 || k.column >= kMatrixColumns)
        FailAt(place, StrFormat("column %d is outside the key matrix (0 to %d, or -1, -1 for "
                                "the key outside it)",
                                k.column, kMatrixColumns - 1));
}

void CheckDecorations(const SModelDescription& d) {
    SDesignRect inside = BodyInside(d.body);
    for (size_t i = 0; i < d.decorations.size(); ++i) {
        const SDecorationDesc& deco = d.decorations[i];
        std::string place = ElementPlace("decorations", i);
        if (deco.kind == EDecoration::SolarCell && !inside.Contains(deco.rect))
            FailAt(FieldPlace(place, "solarCell"), "the solar cell is not inside the body");
        if (deco.kind == EDecoration::Text && deco.size <= 0)
            FailAt(FieldPlace(place, "size"), "the text size must be above 0");
    }
}

void CheckKeyStyles(const std::vector<SKeyStyle>& styles) {
    for (const SKeyStyle& s : styles)
        if (s.labelSize < 0)
            FailAt(FieldPlace("keyStyles." + s.name, "labelSize"), "must not be negative");
}

void CheckKeys(const SModelDescription& d) {
    if (d.keys.empty()) FailAt("keys", "a calculator needs keys");
    SDesignRect inside = BodyInside(d.body);
    std::map<std::string, const SKeyDesc*> names;
    std::map<int, const SKeyDesc*> values;
    std::map<std::pair<int, int>, const SKeyDesc*> positions;
    for (size_t i = 0; i < d.keys.size(); ++i) {
        const SKeyDesc& k = d.keys[i];
        CheckKeyName(k);
        CheckKeyPosition(k);
        if (k.value < 0) FailAt(FieldPlace(k.place, "value"), "key values are 0 or more");
        if (k.labelSize < 0) FailAt(FieldPlace(k.place, "labelSize"), "must not be negative");
        if (!names.insert({k.name, &k}).second)
            FailAt(FieldPlace(k.place, "name"), "the name is given to two keys");
        if (auto [it, fresh] = values.insert({k.value, &k}); !fresh)
            FailAt(FieldPlace(k.place, "value"),
                   StrFormat("key %s has the value %d too", it->second->place.c_str(), k.value));
        if (auto [it, fresh] = positions.insert({{k.row, k.column}, &k}); !fresh)
            FailAt(FieldPlace(k.place, "matrix"),
                   StrFormat("key %s sits at row %d, column %d too", it->second->place.c_str(),
                             k.row, k.column));
        if (!inside.Contains(k.rect))
            FailAt(k.place, "the key " + RectText(k.rect) + " is not inside the body");
        if (k.rect.Overlaps(d.lcd.bezel)) FailAt(k.place, "the key overlaps the LCD bezel");
        for (size_t j = 0; j < i; ++j)
            if (k.rect.Overlaps(d.keys[j].rect))
                FailAt(k.place, "the key overlaps " + d.keys[j].place);
    }
}

}  // namespace

void CheckModelDescription(const SModelDescription& d) {
    CheckModelCode(d.model);
    CheckBody(d.body);
    CheckLcd(d);
    CheckPanels(d);
    CheckLcdLayouts(d.lcdLayouts);
    CheckDecorations(d);
    CheckKeyStyles(d.keyStyles);
    CheckKeys(d);
    for (size_t i = 0; i < d.panels.size(); ++i)
        LayOutPanel(d, int(i));  // throws when a scale makes keys touch
    if (d.transparent == d.body.color || d.transparent == d.lcd.bezelColor)
        FailAt("colors.transparent", "the transparent colour is also a colour of the body");
}
