// Type-checked access to JSON values. The JSON library throws when a value
// is used as the wrong type (an integer read from a string, a key looked up
// in an array); these helpers read a value of the wrong type as absent and
// make containers of the right type before writing into them, so no
// exception ever leaves the profile layer.
#pragma once

#include <json/json.h>

#include <QString>
#include <cstdint>

namespace profiles::json {

// A null value that lives for the program's life.
const Json::Value& Null();

// The member of an object, or null when v is no object or lacks the key.
const Json::Value& Member(const Json::Value& v, const char* key);
// The element of an array, or null when v is no array or too short.
const Json::Value& Element(const Json::Value& v, Json::ArrayIndex index);
const Json::Value& Element(const Json::Value& v, int index);

// Number of elements when v is an array, else 0.
Json::ArrayIndex ArraySize(const Json::Value& v);

// An integer from a number or boolean; any other type gives the fallback.
// Values outside 32 bits keep their low 32 bits; fractions are cut off.
int ToInt(const Json::Value& v, int fallback = 0);
// The low 8 or 16 bits of ToInt.
inline std::uint8_t ToByte(const Json::Value& v) {
    return static_cast<std::uint8_t>(ToInt(v) & 0xFF);
}
inline std::uint16_t ToU16(const Json::Value& v) {
    return static_cast<std::uint16_t>(ToInt(v) & 0xFFFF);
}
// 1 when ToInt is not zero, else 0.
inline std::uint8_t ToFlag(const Json::Value& v) {
    return ToInt(v) != 0 ? 1 : 0;
}
// The text of a string (UTF-8); empty for any other type.
QString ToText(const Json::Value& v);
std::string ToUtf8(const Json::Value& v);

// Decimal text to integer the way C's atoi reads it: leading blanks, an
// optional sign, digits; anything else ends the number. Saturates at the
// 32-bit limits; no digits gives 0.
int DecimalTextToInt(const std::string& text);
// A "Delay"-like value: a string is read with DecimalTextToInt, a number
// with ToInt; anything else gives 0.
int TextOrNumberToInt(const Json::Value& v);

// Makes v an object (replacing any other type) and returns it.
Json::Value& MakeObject(Json::Value& v);
// Makes v an array (replacing any other type) and returns it.
Json::Value& MakeArray(Json::Value& v);
// The member of v made into an object.
Json::Value& MemberRef(Json::Value& v, const char* key);
// The element of v made into an array; the array grows as needed.
Json::Value& ElementRef(Json::Value& v, Json::ArrayIndex index);

// Shorthands for writing an integer or text member.
void SetInt(Json::Value& object, const char* key, int value);
void SetText(Json::Value& object, const char* key, const QString& value);

}  // namespace profiles::json
