// CCircleProgressUI: a progress bar drawn as a ring. A disc in the
// background colour, a pie in the fore colour starting straight down and
// running clockwise by value / (max - min) of a full turn, and an inner disc
// that leaves a ring 10 pixels wide.
#pragma once

#include "ui/UIProgress.h"

namespace controls {

class CCircleProgressUI : public ui::CProgressUI {
public:
    CCircleProgressUI() = default;

    QString GetClass() const override;
    void* GetInterface(const QString& name) override;
    void SetAttribute(const QString& name, const QString& value) override;
    void PaintBkColor(QPainter& p) override;
    void PaintForeColor(QPainter& p) override;
    void PaintForeImage(QPainter& p) override;

    // Degrees of the fore pie: the raw value over the range, truncated, and
    // 0 for an empty range.
    int SweepDegrees() const;
    // Inner disc colour (opaque white unless the skin gives "innercolor")
    // and ring width in 96-DPI pixels ("ringwidth", 10).
    ui::DWORD GetInnerColor() const { return m_innerColor; }
    int GetRingWidth() const { return m_ringWidth; }

private:
    ui::DWORD m_innerColor = 0xFFFFFFFF;
    int m_ringWidth = 10;
};

}  // namespace controls
