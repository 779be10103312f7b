// Typed access to the fields of one JSON object of the description, with messages that say
// where a mistake is ("keys[3].place") and what is wrong with it.
//
// Every accessor throws SDescriptionError on a missing required field or a value of the
// wrong kind. RejectUnknownFields() afterwards reports the first field that no accessor
// asked for, so that a misspelt name ("colour" for "color") is an error instead of being
// ignored silently.
#pragma once

#include <cstdint>
#include <set>
#include <string>

#include <nlohmann/json.hpp>

#include "tools/mkmodel/model_description.h"

struct SDescriptionError {
    std::string place;  // "keys[3].place", or empty for the file as a whole
    std::string reason;
};

[[noreturn]] void FailAt(const std::string& place, const std::string& reason);

// "place.name", or "name" at the top level.
std::string FieldPlace(const std::string& place, const std::string& name);
// "place[index]".
std::string ElementPlace(const std::string& place, size_t index);

// "#rrggbb" -> 0xRRGGBB; throws with the place otherwise.
HexColour ParseColour(const nlohmann::json& value, const std::string& place);

class CJsonObject {
public:
    CJsonObject(const nlohmann::json& value, std::string place);

    const std::string& Place() const { return m_place; }
    bool Has(const char* name) const;

    double Number(const char* name);
    double Number(const char* name, double fallback);
    int Integer(const char* name);
    int Integer(const char* name, int fallback);
    std::string String(const char* name);
    std::string String(const char* name, const std::string& fallback);
    HexColour Colour(const char* name);
    HexColour Colour(const char* name, HexColour fallback);
    // [x, y, width, height] with a width and height above 0.
    SDesignRect Rect(const char* name);
    // [a, b]: two whole numbers, or two numbers.
    void IntegerPair(const char* name, int& first, int& second);
    void NumberPair(const char* name, double& first, double& second);
    CJsonObject Object(const char* name);
    // A required array (possibly empty).
    const nlohmann::json& Array(const char* name);
    // A required object, for walking its members by name.
    const nlohmann::json& Members(const char* name);

    void RejectUnknownFields() const;

private:
    const nlohmann::json& Field(const char* name);

    const nlohmann::json& m_value;
    std::string m_place;
    std::set<std::string> m_used;
};

// The integer value of a JSON number that has no fraction; throws with the place otherwise.
int IntegerValue(const nlohmann::json& value, const std::string& place);
double NumberValue(const nlohmann::json& value, const std::string& place);
