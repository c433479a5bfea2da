// The headset's profile record: audio settings and equaliser tables.
#pragma once

#include "profiles/CBasicProfiledata.h"

namespace profiles {

class CRe6533Profiledata : public CBasicProfiledata {
public:
    static constexpr int kCustomEqType = 13;
    // Custom preset indexes beyond this are refused.
    static constexpr int kMaxCustomEqIndex = 255;

    HeadsetSystemSettings GetHeadsetSettings();
    void SetHeadsetSettings(const HeadsetSystemSettings& settings);

    // Band values of a built-in preset. The type is normalised (0 and
    // above 13 read preset 1); 13, the custom mode, gives an empty list.
    // Missing bands are written as 0 and returned as 0.
    EqBands GetEqBands(int type);
    // Writes up to ten bands; does nothing for the custom mode (13).
    void SetEqBands(int type, const EqBands& bands);
    // The same for the user's presets, without normalisation. An index
    // outside 0..255 gives ten zeros and writes nothing.
    EqBands GetCustomEqBands(int index);
    void SetCustomEqBands(int index, const EqBands& bands);

    std::vector<QString> GetCustomEqNames();
    void SetCustomEqNames(const std::vector<QString>& names);

    // 0 and values above 13 become 1; 1..13 stay.
    static int NormaliseEqType(int type);

private:
    EqBands ReadBands(const char* table, int row);
    void WriteBands(const char* table, int row, const EqBands& bands);

    HeadsetSystemSettings m_settings;
};

}  // namespace profiles
