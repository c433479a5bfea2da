#include "profiles/CRe6533Profiledata.h"

#include "profiles/JsonAccess.h"

namespace profiles {

using json::Member;

HeadsetSystemSettings CRe6533Profiledata::GetHeadsetSettings() {
    HeadsetSystemSettings s;
    const Json::Value& v = Field("SystemSetStages");
    if (v.isObject()) {
        s.MagicEnable = json::ToInt(Member(v, "MagicEnable"));
        s.MagicType = json::ToInt(Member(v, "MagicType"));
        s.EqType = json::ToInt(Member(v, "EqType"));
        s.CustomEqSeletIndex = json::ToInt(Member(v, "CustomEqSeletIndex"));
        s.MicInSelect = json::ToInt(Member(v, "MicInSelect"));
        s.MicInValue = json::ToInt(Member(v, "MicInValue"));
        s.MicMoniterSelect = json::ToInt(Member(v, "MicMoniterSelect"));
        s.MicMoniterValue = json::ToInt(Member(v, "MicMoniterValue"));
    }
    m_settings = s;
    return s;
}

void CRe6533Profiledata::SetHeadsetSettings(const HeadsetSystemSettings& s) {
    m_settings = s;
    Json::Value& v = json::MemberRef(Section(), "SystemSetStages");
    json::SetInt(v, "MagicEnable", s.MagicEnable);
    json::SetInt(v, "MagicType", s.MagicType);
    json::SetInt(v, "EqType", s.EqType);
    json::SetInt(v, "CustomEqSeletIndex", s.CustomEqSeletIndex);
    json::SetInt(v, "MicInSelect", s.MicInSelect);
    json::SetInt(v, "MicInValue", s.MicInValue);
    json::SetInt(v, "MicMoniterSelect", s.MicMoniterSelect);
    json::SetInt(v, "MicMoniterValue", s.MicMoniterValue);
}

int CRe6533Profiledata::NormaliseEqType(int type) {
    return (type < 1 || type > kCustomEqType) ? 1 : type;
}

EqBands CRe6533Profiledata::ReadBands(const char* table, int row) {
    EqBands bands(kEqBandCount, 0);
    std::vector<int> missing;
    const Json::Value& existing = json::Element(Field(table), row);
    for (int b = 0; b < kEqBandCount; ++b) {
        const Json::Value& band = json::Element(existing, b);
        if (band.isObject())
            bands[b] = json::ToInt(Member(band, "value"));
        else
            missing.push_back(b);
    }
    // A missing table, row or band is filled in with 0.
    if (!missing.empty()) {
        Json::Value& rowRef = json::MakeArray(json::ElementRef(json::MemberRef(Section(), table),
                                                               static_cast<Json::ArrayIndex>(row)));
        for (int b : missing)
            json::SetInt(rowRef[static_cast<Json::ArrayIndex>(b)], "value", 0);
    }
    return bands;
}

void CRe6533Profiledata::WriteBands(const char* table, int row, const EqBands& bands) {
    Json::Value& rowRef = json::MakeArray(
        json::ElementRef(json::MemberRef(Section(), table), static_cast<Json::ArrayIndex>(row)));
    for (int b = 0; b < kEqBandCount && b < static_cast<int>(bands.size()); ++b)
        json::SetInt(rowRef[static_cast<Json::ArrayIndex>(b)], "value", bands[b]);
}

EqBands CRe6533Profiledata::GetEqBands(int type) {
    type = NormaliseEqType(type);
    if (type == kCustomEqType)
        return {};
    return ReadBands("EQHzValueInfo", type);
}

void CRe6533Profiledata::SetEqBands(int type, const EqBands& bands) {
    type = NormaliseEqType(type);
    if (type == kCustomEqType)
        return;
    WriteBands("EQHzValueInfo", type, bands);
}

EqBands CRe6533Profiledata::GetCustomEqBands(int index) {
    if (index < 0 || index > kMaxCustomEqIndex)
        return EqBands(kEqBandCount, 0);
    return ReadBands("CustomEQHzValueInfo", index);
}

void CRe6533Profiledata::SetCustomEqBands(int index, const EqBands& bands) {
    if (index < 0 || index > kMaxCustomEqIndex)
        return;
    WriteBands("CustomEQHzValueInfo", index, bands);
}

std::vector<QString> CRe6533Profiledata::GetCustomEqNames() {
    std::vector<QString> names;
    const Json::Value& list = Field("CustomEQNameInfo");
    for (Json::ArrayIndex i = 0; i < json::ArraySize(list); ++i)
        names.push_back(json::ToText(Member(list[i], "Name")));
    return names;
}

void CRe6533Profiledata::SetCustomEqNames(const std::vector<QString>& names) {
    Json::Value list(Json::arrayValue);
    for (const QString& name : names) {
        Json::Value entry(Json::objectValue);
        entry["Name"] = name.toStdString();
        list.append(entry);
    }
    Section()["CustomEQNameInfo"] = list;
}

}  // namespace profiles
