// The keyboard's profile record: packed keyboard settings and the per-key
// colours of the custom light mode.
#pragma once

#include "profiles/CBasicProfiledata.h"

namespace profiles {

class CKeyboardProfiledata : public CBasicProfiledata {
public:
    // Groups and key counts beyond these are refused (nothing read or
    // written), so a damaged file cannot make the record allocate without
    // bound.
    static constexpr int kMaxColorGroups = 256;
    static constexpr int kMaxColorKeys = 1024;

    KeyboardSystemSettings GetKeyboardSystemSettings();
    void SetKeyboardSystemSettings(std::uint32_t w1, std::uint32_t w2, std::uint32_t w3);
    void SetKeyboardSystemSettings(const KeyboardSystemSettings& s) {
        SetKeyboardSystemSettings(s.word1, s.word2, s.word3);
    }

    // Reads the colours of keys 0..count-1 of a group; missing ones are
    // written into the document as zeros and returned as zeros.
    std::vector<CustomKeyColor> GetCustomKeyColors(int group, int keyCount);
    void SetCustomKeyColors(int group, const std::vector<CustomKeyColor>& colors);
    const std::vector<CustomKeyColor>& CustomKeyColors() const { return m_customColors; }

    int GetCustomColorGroup();
    void SetCustomColorGroup(int group);

private:
    KeyboardSystemSettings m_system;
    std::vector<CustomKeyColor> m_customColors;
    int m_customGroup = 0;
};

}  // namespace profiles
