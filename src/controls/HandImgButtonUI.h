// CHandImgButtonUI: a button with a picture (the "hand image") drawn over its
// status image. Reports the pointer entering and leaving ("msenter",
// "msleave") so the window can show a hint.
#pragma once

#include "ui/UIButton.h"

namespace controls {

class CHandImgButtonUI : public ui::CButtonUI {
public:
    CHandImgButtonUI() = default;

    QString GetClass() const override;
    void* GetInterface(const QString& name) override;
    void SetAttribute(const QString& name, const QString& value) override;
    void DoEvent(ui::TEventUI& event) override;
    void PaintStatusImage(QPainter& p) override;

    void SetHandImage(const QString& image);
    QString GetHandImage() const { return m_handImage; }

private:
    QString m_handImage;
};

// Pointer enter/leave shared by both hand-image buttons: hot state,
// notification and repaint, only while the control is enabled. Returns true
// when the event was one of the two.
bool HandlePointerCrossing(ui::CButtonUI* button, ui::TEventUI& event, ui::UINT& state);

}  // namespace controls
