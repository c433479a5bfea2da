// CAudioRecordUI: a level trace. 500 level values on a 0..8192 scale, each
// drawn as a one-pixel bar rising from the bottom, every second pixel, as
// many as fit the control's width.
#pragma once

#include <array>
#include <cstdint>

#include "ui/UILabel.h"

namespace controls {

class CAudioRecordUI : public ui::CLabelUI {
public:
    static constexpr int kLevelCount = 500;
    static constexpr int kFullScale = 8192;

    CAudioRecordUI();

    QString GetClass() const override;
    void* GetInterface(const QString& name) override;
    void SetAttribute(const QString& name, const QString& value) override;
    void DoPaint(QPainter& p, const QRect& rcPaint) override;

    // Out-of-range indexes are ignored (reads give 0).
    void SetLevel(int index, std::int32_t value);
    std::int32_t GetLevel(int index) const;
    // Number of bars the current width shows.
    int VisibleBarCount() const;
    // Bar colour; opaque black unless the skin gives "barcolor".
    ui::DWORD GetBarColor() const { return m_barColor; }

private:
    std::array<std::int32_t, kLevelCount> m_levels{};
    ui::DWORD m_barColor = 0xFF000000;
};

}  // namespace controls
