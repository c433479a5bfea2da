// The mouse's profile record: DPI stages, packed pointer settings and the
// sensor correction choices on top of the common record.
#pragma once

#include "profiles/CBasicProfiledata.h"

namespace profiles {

class CMouseProfiledata : public CBasicProfiledata {
public:
    // Reads "DPIStages": the active index, and the stages merged over the
    // cached list (stage j replaces cached stage j or is appended; cached
    // stages beyond the file's stay). Absent: the previous list.
    const std::vector<DpiStage>& GetDpiStages();
    void SetDpiStages(const std::vector<DpiStage>& stages);
    void SetActiveDpiStage(int index);
    int GetActiveDpiStage() const { return m_activeDpiStage; }

    MouseSystemSettings GetMouseSystemSettings();
    void SetMouseSystemSettings(std::uint32_t w1, std::uint32_t w2, std::uint32_t w3);
    void SetMouseSystemSettings(const MouseSystemSettings& s) {
        SetMouseSystemSettings(s.word1, s.word2, s.word3);
    }

    const std::vector<CorrectEntry>& GetCorrectEntries();

private:
    std::vector<DpiStage> m_dpiStages;
    int m_activeDpiStage = 0;
    MouseSystemSettings m_system;
    std::vector<CorrectEntry> m_correctEntries;
};

}  // namespace profiles
