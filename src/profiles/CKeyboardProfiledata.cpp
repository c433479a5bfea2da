#include "profiles/CKeyboardProfiledata.h"

#include "profiles/JsonAccess.h"

namespace profiles {

using json::Member;
using json::ToByte;
using json::ToU16;

namespace {

void WriteColor(Json::Value& entry, const CustomKeyColor& c) {
    json::SetInt(entry, "Red", c.Red);
    json::SetInt(entry, "Green", c.Green);
    json::SetInt(entry, "Blue", c.Blue);
    json::SetInt(entry, "Alpha", c.Alpha);
}

}  // namespace

KeyboardSystemSettings CKeyboardProfiledata::GetKeyboardSystemSettings() {
    KeyboardSystemSettings s;
    const Json::Value& system = Field("SystemStages");
    if (system.isObject()) {
        auto pack = [&](const char* low, const char* high) {
            return static_cast<std::uint32_t>(ToU16(Member(system, low))) |
                   (static_cast<std::uint32_t>(ToU16(Member(system, high))) << 16);
        };
        s.word1 = pack("Repeat", "RepeatDelay");
        s.word2 = pack("Key6Flag", "PollingRate");
        s.word3 = pack("WFlag", "WinFlag");
    }
    m_system = s;
    return s;
}

void CKeyboardProfiledata::SetKeyboardSystemSettings(std::uint32_t w1, std::uint32_t w2,
                                                     std::uint32_t w3) {
    m_system = {w1, w2, w3};
    Json::Value& system = json::MemberRef(Section(), "SystemStages");
    json::SetInt(system, "Repeat", static_cast<int>(w1 & 0xFFFF));
    json::SetInt(system, "RepeatDelay", static_cast<int>(w1 >> 16));
    json::SetInt(system, "Key6Flag", static_cast<int>(w2 & 0xFFFF));
    json::SetInt(system, "PollingRate", static_cast<int>(w2 >> 16));
    json::SetInt(system, "WFlag", static_cast<int>(w3 & 0xFFFF));
    json::SetInt(system, "WinFlag", static_cast<int>(w3 >> 16));
}

std::vector<CustomKeyColor> CKeyboardProfiledata::GetCustomKeyColors(int group, int keyCount) {
    std::vector<CustomKeyColor> colors;
    if (group < 0 || group >= kMaxColorGroups || keyCount < 0 || keyCount > kMaxColorKeys)
        return colors;
    colors.resize(static_cast<std::size_t>(keyCount));
    const Json::Value& existing =
        json::Element(Member(Member(m_working, "CustomLightMode"), "LightColorInfo"), group);
    bool changed = !existing.isArray();
    if (!changed) {
        for (int k = 0; k < keyCount; ++k) {
            const Json::Value& e = json::Element(existing, k);
            if (!e.isObject()) {
                changed = true;
                continue;
            }
            colors[k] = {ToByte(Member(e, "Red")), ToByte(Member(e, "Green")),
                         ToByte(Member(e, "Blue")), ToByte(Member(e, "Alpha"))};
        }
    }
    if (changed) {
        Json::Value& row = json::MakeArray(json::ElementRef(
            json::MemberRef(json::MemberRef(Section(), "CustomLightMode"), "LightColorInfo"),
            static_cast<Json::ArrayIndex>(group)));
        for (int k = 0; k < keyCount; ++k) {
            Json::Value& e = row[static_cast<Json::ArrayIndex>(k)];
            if (!e.isObject())
                WriteColor(e, CustomKeyColor{});
        }
    }
    m_customColors = colors;
    return colors;
}

void CKeyboardProfiledata::SetCustomKeyColors(int group,
                                              const std::vector<CustomKeyColor>& colors) {
    if (group < 0 || group >= kMaxColorGroups || colors.size() > kMaxColorKeys)
        return;
    m_customColors = colors;
    Json::Value& row = json::MakeArray(json::ElementRef(
        json::MemberRef(json::MemberRef(Section(), "CustomLightMode"), "LightColorInfo"),
        static_cast<Json::ArrayIndex>(group)));
    for (std::size_t k = 0; k < colors.size(); ++k)
        WriteColor(row[static_cast<Json::ArrayIndex>(k)], colors[k]);
}

int CKeyboardProfiledata::GetCustomColorGroup() {
    m_customGroup =
        json::ToInt(Member(Member(m_working, "CustomLightMode"), "CustomLightModeGroupIndex"));
    return m_customGroup;
}

void CKeyboardProfiledata::SetCustomColorGroup(int group) {
    m_customGroup = group;
    json::SetInt(json::MemberRef(Section(), "CustomLightMode"), "CustomLightModeGroupIndex", group);
}

}  // namespace profiles
