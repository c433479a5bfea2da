#include "profiles/JsonAccess.h"

#include <cctype>
#include <climits>
#include <cmath>

namespace profiles::json {

const Json::Value& Null() {
    static const Json::Value null;
    return null;
}

const Json::Value& Member(const Json::Value& v, const char* key) {
    if (!v.isObject())
        return Null();
    const Json::Value* found = v.find(key, key + std::char_traits<char>::length(key));
    return found ? *found : Null();
}

const Json::Value& Element(const Json::Value& v, Json::ArrayIndex index) {
    if (!v.isArray() || index >= v.size())
        return Null();
    return v[index];
}

const Json::Value& Element(const Json::Value& v, int index) {
    if (index < 0)
        return Null();
    return Element(v, static_cast<Json::ArrayIndex>(index));
}

Json::ArrayIndex ArraySize(const Json::Value& v) {
    return v.isArray() ? v.size() : 0;
}

int ToInt(const Json::Value& v, int fallback) {
    switch (v.type()) {
        case Json::intValue:
            return static_cast<int>(static_cast<std::uint32_t>(v.asLargestInt()));
        case Json::uintValue:
            return static_cast<int>(static_cast<std::uint32_t>(v.asLargestUInt()));
        case Json::realValue: {
            const double d = v.asDouble();
            if (!std::isfinite(d) || d >= 9.2e18 || d <= -9.2e18)
                return fallback;
            return static_cast<int>(static_cast<std::uint32_t>(static_cast<long long>(d)));
        }
        case Json::booleanValue:
            return v.asBool() ? 1 : 0;
        default:
            return fallback;
    }
}

QString ToText(const Json::Value& v) {
    if (!v.isString())
        return QString();
    const char* begin = nullptr;
    const char* end = nullptr;
    if (!v.getString(&begin, &end) || !begin)
        return QString();
    return QString::fromUtf8(begin, static_cast<qsizetype>(end - begin));
}

std::string ToUtf8(const Json::Value& v) {
    if (!v.isString())
        return std::string();
    const char* begin = nullptr;
    const char* end = nullptr;
    if (!v.getString(&begin, &end) || !begin)
        return std::string();
    return std::string(begin, end);
}

int DecimalTextToInt(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

int TextOrNumberToInt(const Json::Value& v) {
    if (v.isString())
        return DecimalTextToInt(ToUtf8(v));
    return ToInt(v);
}

Json::Value& MakeObject(Json::Value& v) {
    if (!v.isObject())
        v = Json::Value(Json::objectValue);
    return v;
}

Json::Value& MakeArray(Json::Value& v) {
    if (!v.isArray())
        v = Json::Value(Json::arrayValue);
    return v;
}

Json::Value& MemberRef(Json::Value& v, const char* key) {
    return MakeObject(v)[key];
}

Json::Value& ElementRef(Json::Value& v, Json::ArrayIndex index) {
    return MakeArray(v)[index];
}

void SetInt(Json::Value& object, const char* key, int value) {
    MakeObject(object)[key] = Json::Value(value);
}

void SetText(Json::Value& object, const char* key, const QString& value) {
    MakeObject(object)[key] = Json::Value(value.toStdString());
}

}  // namespace profiles::json
