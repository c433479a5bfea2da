// The decoded records of a profile's device section.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

namespace profiles {

// Light setting of a profile ("LightInfo").
struct LightInfo {
    std::uint8_t SelectItem = 0;  // effect index
    std::uint8_t Light = 0;       // brightness index
    std::uint8_t Speed = 0;
    std::uint8_t Fx = 0;          // direction
    std::uint8_t MultiColor = 0;  // colourful flag, 0 or 1
    std::uint8_t Red = 0;
    std::uint8_t Green = 0;
    std::uint8_t Blue = 0;
    std::uint8_t Unstored[3] = {0, 0, 0};  // not kept in the file
    std::uint8_t ZZCCLedMode = 0;
    std::uint8_t CustomGroup = 0;
    std::uint8_t OldLedmode = 0;
    bool operator==(const LightInfo&) const = default;
};

// Music light setting of a profile ("AudioLightInfo").
struct AudioLightInfo {
    std::uint8_t AudioMode = 0;
    std::uint8_t BkColorR = 0, BkColorG = 0, BkColorB = 0;
    std::uint8_t FgColorR = 0, FgColorG = 0, FgColorB = 0;
    std::uint8_t SevenColorFlags = 0;  // "7ColorFlags", 0 or 1
    std::uint8_t ColorTypeFlags = 0;   // 0 or 1
    bool operator==(const AudioLightInfo&) const = default;
};

// One per-light zone record of "LightList".
struct LightListEntry {
    std::uint8_t LEDREGMode = 0;
    std::uint8_t LEDBrightness = 0;
    std::uint8_t LEDSpeed = 0;
    std::uint8_t LEDDirection = 0;   // 0 or 1
    std::uint8_t LEDMultiColor = 0;  // 0 or 1
    std::uint8_t red = 0, green = 0, blue = 0;
    std::uint8_t present = 0;  // 1 for an element that exists in the array
    bool operator==(const LightListEntry&) const = default;
};

// One step of a custom light effect (".light" file, "LEDEffectList").
struct LedEffectStep {
    std::uint8_t LEDREGMode = 0;
    std::uint8_t LEDBrightness = 0;
    std::uint8_t LEDSpeed = 0;
    std::uint8_t LEDDirection = 0;
    std::uint8_t LEDMultiColor = 0;
    std::uint8_t red = 0, green = 0, blue = 0;
    std::int32_t Time = 0;  // duration in ms
    std::int32_t Cyle = 0;  // repeat count
    bool operator==(const LedEffectStep&) const = default;
};

// The function of a key: group, code 1, code 2. In JSON one integer
// group * 65536 + code1 * 256 + code2.
struct KeyAction {
    std::uint8_t group = 0;
    std::uint8_t code1 = 0;
    std::uint8_t code2 = 0;
    static KeyAction FromInt(int v) {
        return {static_cast<std::uint8_t>((v >> 16) & 0xFF),
                static_cast<std::uint8_t>((v >> 8) & 0xFF), static_cast<std::uint8_t>(v & 0xFF)};
    }
    int ToInt() const { return group * 65536 + code1 * 256 + code2; }
    bool operator==(const KeyAction&) const = default;
};

// One element of "KeyList": current and default function of a key.
struct KeyAssignmentEntry {
    std::uint16_t keyIndex = 0;
    KeyAction current;
    std::uint16_t defaultKeyIndex = 0;
    KeyAction defaultAction;
    bool operator==(const KeyAssignmentEntry&) const = default;
};

// One sensitivity stage of "DPIStages"."StageDPIs".
struct DpiStage {
    std::uint8_t StageActive = 0;
    std::uint8_t StageXY = 0;
    std::uint16_t StageDPIX = 0;
    std::uint16_t StageDPIY = 0;
    std::uint8_t StageColorR = 0, StageColorG = 0, StageColorB = 0;
    bool operator==(const DpiStage&) const = default;
};

// Three packed words, each two 16-bit halves with the low half first.
struct PackedSystemWords {
    std::uint32_t word1 = 0;
    std::uint32_t word2 = 0;
    std::uint32_t word3 = 0;
    bool operator==(const PackedSystemWords&) const = default;
};
// "DoubleClickTime" | "MouseSpeed"; "PointerPrecision" | "ScorllPage";
// "WheelScorlllinse" | "ReportStages"."StageActive".
using MouseSystemSettings = PackedSystemWords;
// "Repeat" | "RepeatDelay"; "Key6Flag" | "PollingRate"; "WFlag" | "WinFlag".
using KeyboardSystemSettings = PackedSystemWords;

// Headset settings ("SystemSetStages").
struct HeadsetSystemSettings {
    std::int32_t MagicEnable = 0;
    std::int32_t MagicType = 0;
    std::int32_t EqType = 0;
    std::int32_t CustomEqSeletIndex = 0;
    std::int32_t MicInSelect = 0;
    std::int32_t MicInValue = 0;
    std::int32_t MicMoniterSelect = 0;
    std::int32_t MicMoniterValue = 0;
    bool operator==(const HeadsetSystemSettings&) const = default;
};

// One per-key colour of the keyboard's custom light mode.
struct CustomKeyColor {
    std::uint8_t Red = 0, Green = 0, Blue = 0, Alpha = 0;
    bool operator==(const CustomKeyColor&) const = default;
};

// One sensor correction choice of "CorrectInfo".
struct CorrectEntry {
    std::uint8_t CorrectPixThresh = 0;
    std::uint8_t CorrectMinSq = 0;
    std::uint8_t CorrectSelect = 0;
    QString CorrectName;
    bool operator==(const CorrectEntry&) const = default;
};

// Ten equaliser band values.
using EqBands = std::vector<std::int32_t>;
inline constexpr int kEqBandCount = 10;

}  // namespace profiles
