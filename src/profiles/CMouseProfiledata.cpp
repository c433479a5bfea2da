#include "profiles/CMouseProfiledata.h"

#include "profiles/JsonAccess.h"

namespace profiles {

using json::Member;
using json::ToByte;
using json::ToU16;

namespace {

std::uint32_t Pack(const Json::Value& object, const char* low, const char* high) {
    return static_cast<std::uint32_t>(ToU16(Member(object, low))) |
           (static_cast<std::uint32_t>(ToU16(Member(object, high))) << 16);
}

}  // namespace

const std::vector<DpiStage>& CMouseProfiledata::GetDpiStages() {
    const Json::Value& dpi = Field("DPIStages");
    if (!dpi.isObject())
        return m_dpiStages;
    m_activeDpiStage = json::ToInt(Member(dpi, "StageActive"));
    const Json::Value& stages = Member(dpi, "StageDPIs");
    for (Json::ArrayIndex i = 0; i < json::ArraySize(stages); ++i) {
        const Json::Value& s = stages[i];
        DpiStage stage;
        stage.StageActive = ToByte(Member(s, "StageActive"));
        stage.StageXY = ToByte(Member(s, "StageXY"));
        stage.StageDPIX = ToU16(Member(s, "StageDPIX"));
        stage.StageDPIY = ToU16(Member(s, "StageDPIY"));
        stage.StageColorR = ToByte(Member(s, "StageColorR"));
        stage.StageColorG = ToByte(Member(s, "StageColorG"));
        stage.StageColorB = ToByte(Member(s, "StageColorB"));
        if (i < m_dpiStages.size())
            m_dpiStages[i] = stage;
        else
            m_dpiStages.push_back(stage);
    }
    return m_dpiStages;
}

void CMouseProfiledata::SetDpiStages(const std::vector<DpiStage>& stages) {
    m_dpiStages = stages;
    Json::Value& list =
        json::MakeArray(json::MemberRef(json::MemberRef(Section(), "DPIStages"), "StageDPIs"));
    for (std::size_t i = 0; i < stages.size(); ++i) {
        Json::Value& s = list[static_cast<Json::ArrayIndex>(i)];
        json::SetInt(s, "StageActive", stages[i].StageActive);
        json::SetInt(s, "StageXY", stages[i].StageXY);
        json::SetInt(s, "StageDPIX", stages[i].StageDPIX);
        json::SetInt(s, "StageDPIY", stages[i].StageDPIY);
        json::SetInt(s, "StageColorR", stages[i].StageColorR);
        json::SetInt(s, "StageColorG", stages[i].StageColorG);
        json::SetInt(s, "StageColorB", stages[i].StageColorB);
    }
}

void CMouseProfiledata::SetActiveDpiStage(int index) {
    m_activeDpiStage = index;
    json::SetInt(json::MemberRef(Section(), "DPIStages"), "StageActive", index);
}

MouseSystemSettings CMouseProfiledata::GetMouseSystemSettings() {
    MouseSystemSettings s;
    const Json::Value& system = Field("SystemStages");
    if (system.isObject()) {
        s.word1 = Pack(system, "DoubleClickTime", "MouseSpeed");
        s.word2 = Pack(system, "PointerPrecision", "ScorllPage");
        s.word3 = ToU16(Member(system, "WheelScorlllinse"));
    }
    const Json::Value& report = Field("ReportStages");
    if (report.isObject())
        s.word3 |= static_cast<std::uint32_t>(ToU16(Member(report, "StageActive"))) << 16;
    m_system = s;
    return s;
}

void CMouseProfiledata::SetMouseSystemSettings(std::uint32_t w1, std::uint32_t w2,
                                               std::uint32_t w3) {
    m_system = {w1, w2, w3};
    Json::Value& system = json::MemberRef(Section(), "SystemStages");
    json::SetInt(system, "DoubleClickTime", static_cast<int>(w1 & 0xFFFF));
    json::SetInt(system, "MouseSpeed", static_cast<int>(w1 >> 16));
    json::SetInt(system, "PointerPrecision", static_cast<int>(w2 & 0xFFFF));
    json::SetInt(system, "ScorllPage", static_cast<int>(w2 >> 16));
    json::SetInt(system, "WheelScorlllinse", static_cast<int>(w3 & 0xFFFF));
    json::SetInt(json::MemberRef(Section(), "ReportStages"), "StageActive",
                 static_cast<int>(w3 >> 16));
}

const std::vector<CorrectEntry>& CMouseProfiledata::GetCorrectEntries() {
    m_correctEntries.clear();
    const Json::Value& list = Field("CorrectInfo");
    for (Json::ArrayIndex i = 0; i < json::ArraySize(list); ++i) {
        const Json::Value& e = list[i];
        CorrectEntry entry;
        entry.CorrectPixThresh = ToByte(Member(e, "CorrectPixThresh"));
        entry.CorrectMinSq = ToByte(Member(e, "CorrectMinSq"));
        entry.CorrectSelect = ToByte(Member(e, "CorrectSelect"));
        entry.CorrectName = json::ToText(Member(e, "CorrectName"));
        m_correctEntries.push_back(entry);
    }
    return m_correctEntries;
}

}  // namespace profiles
