#include "tools/mkmodel/json_fields.h"

#include <climits>
#include <cmath>

#include "util/strfmt.h"

using nlohmann::json;

namespace {

const char* KindName(const json& value) {
    switch (value.type()) {
        case json::value_t::null:
            return "null";
        case json::value_t::object:
            return "an object";
        case json::value_t::array:
            return "an array";
        case json::value_t::string:
            return "a text";
        case json::value_t::boolean:
            return "true or false";
        default:
            return "a number";
    }
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

void FailAt(const std::string& place, const std::string& reason) {
    throw SDescriptionError{place, reason};
}

std::string FieldPlace(const std::string& place, const std::string& name) {
    return place.empty() ? name : place + "." + name;
}

std::string ElementPlace(const std::string& place, size_t index) {
    return place + "[" + std::to_string(index) + "]";
}

double NumberValue(const json& value, const std::string& place) {
    if (!value.is_number())
        FailAt(place, StrFormat("expected a number, found %s", KindName(value)));
    double number = value.get<double>();
    if (!std::isfinite(number)) FailAt(place, "expected a finite number");
    return number;
}

int IntegerValue(const json& value, const std::string& place) {
    double number = NumberValue(value, place);
    if (number != std::floor(number) || number < INT_MIN || number > INT_MAX)
        FailAt(place, StrFormat("expected a whole number, found %g", number));
    return int(number);
}

HexColour ParseColour(const json& value, const std::string& place) {
    if (value.is_string()) {
        const std::string& text = value.get_ref<const std::string&>();
        if (text.size() == 7 && text[0] == '#') {
            HexColour rgb = 0;
            bool ok = true;
            for (size_t i = 1; i < 7; ++i) {
                int digit = HexDigit(text[i]);
                ok = ok && digit >= 0;
                rgb = (rgb << 4) | HexColour(digit < 0 ? 0 : digit);
            }
            if (ok) return rgb;
        }
        FailAt(place, "expected a colour \"#rrggbb\", found \"" + text + "\"");
    }
    FailAt(place, StrFormat("expected a colour \"#rrggbb\", found %s", KindName(value)));
}

CJsonObject::CJsonObject(const json& value, std::string place)
    : m_value(value), m_place(std::move(place)) {
    if (!value.is_object())
        FailAt(m_place, StrFormat("expected an object, found %s", KindName(value)));
}

bool CJsonObject::Has(const char* name) const {
    return m_value.contains(name);
}

const json& CJsonObject::Field(const char* name) {
    m_used.insert(name);
    auto it = m_value.find(name);
    if (it == m_value.end()) FailAt(m_place, StrFormat("the field \"%s\" is missing", name));
    return *it;
}

double CJsonObject::Number(const char* name) {
    return NumberValue(Field(name), FieldPlace(m_place, name));
}

double CJsonObject::Number(const char* name, double fallback) {
    m_used.insert(name);
    return Has(name) ? Number(name) : fallback;
}

int CJsonObject::Integer(const char* name) {
    return IntegerValue(Field(name), FieldPlace(m_place, name));
}

int CJsonObject::Integer(const char* name, int fallback) {
    m_used.insert(name);
    return Has(name) ? Integer(name) : fallback;
}

std::string CJsonObject::String(const char* name) {
    const json& value = Field(name);
    if (!value.is_string())
        FailAt(FieldPlace(m_place, name),
               StrFormat("expected a text in quotes, found %s", KindName(value)));
    return value.get<std::string>();
}

std::string CJsonObject::String(const char* name, const std::string& fallback) {
    m_used.insert(name);
    return Has(name) ? String(name) : fallback;
}

HexColour CJsonObject::Colour(const char* name) {
    return ParseColour(Field(name), FieldPlace(m_place, name));
}

HexColour CJsonObject::Colour(const char* name, HexColour fallback) {
    m_used.insert(name);
    return Has(name) ? Colour(name) : fallback;
}

SDesignRect CJsonObject::Rect(const char* name) {
    const json& value = Field(name);
    std::string place = FieldPlace(m_place, name);
    if (!value.is_array() || value.size() != 4)
        FailAt(place, "expected four numbers [x, y, width, height]");
    SDesignRect r{NumberValue(value[0], ElementPlace(place, 0)),
                  NumberValue(value[1], ElementPlace(place, 1)),
                  NumberValue(value[2], ElementPlace(place, 2)),
                  NumberValue(value[3], ElementPlace(place, 3))};
    if (r.w <= 0 || r.h <= 0) FailAt(place, "the width and the height must be above 0");
    return r;
}

void CJsonObject::IntegerPair(const char* name, int& first, int& second) {
    const json& value = Field(name);
    std::string place = FieldPlace(m_place, name);
    if (!value.is_array() || value.size() != 2) FailAt(place, "expected two whole numbers");
    first = IntegerValue(value[0], ElementPlace(place, 0));
    second = IntegerValue(value[1], ElementPlace(place, 1));
}

void CJsonObject::NumberPair(const char* name, double& first, double& second) {
    const json& value = Field(name);
    std::string place = FieldPlace(m_place, name);
    if (!value.is_array() || value.size() != 2) FailAt(place, "expected two numbers");
    first = NumberValue(value[0], ElementPlace(place, 0));
    second = NumberValue(value[1], ElementPlace(place, 1));
}

CJsonObject CJsonObject::Object(const char* name) {
    return CJsonObject(Field(name), FieldPlace(m_place, name));
}

const json& CJsonObject::Array(const char* name) {
    const json& value = Field(name);
    if (!value.is_array())
        FailAt(FieldPlace(m_place, name),
               StrFormat("expected an array [...], found %s", KindName(value)));
    return value;
}

const json& CJsonObject::Members(const char* name) {
    const json& value = Field(name);
    if (!value.is_object())
        FailAt(FieldPlace(m_place, name),
               StrFormat("expected an object {...}, found %s", KindName(value)));
    return value;
}

void CJsonObject::RejectUnknownFields() const {
    for (auto it = m_value.begin(); it != m_value.end(); ++it)
        if (!m_used.count(it.key()))
            FailAt(FieldPlace(m_place, it.key()), "unknown field (misspelt, or not used here)");
}
