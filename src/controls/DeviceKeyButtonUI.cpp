#include "controls/DeviceKeyButtonUI.h"

#include "ui/UIManager.h"

namespace controls {

QString CDeviceKeyButtonUI::GetClass() const {
    return QStringLiteral("DeviceKeyButton");
}

void* CDeviceKeyButtonUI::GetInterface(const QString& name) {
    if (name == QLatin1String("DeviceKeyButton"))
        return this;
    return ui::CButtonUI::GetInterface(name);
}

void CDeviceKeyButtonUI::SetAttribute(const QString& name, const QString& value) {
    const QString n = name.toLower();
    if (n == QLatin1String("lightimage")) {
        SetLightImage(value);
    } else if (n == QLatin1String("keysetimage")) {
        SetKeySetImage(value);
    } else if (n == QLatin1String("keyunsetimage")) {
        SetKeyUnsetImage(value);
    } else if (n == QLatin1String("gmnametextcolor")) {
        // Accepted for older skins; the button has no game-mode name to colour.
    } else {
        ui::CButtonUI::SetAttribute(name, value);
    }
}

void CDeviceKeyButtonUI::SetLightImage(const QString& image) {
    m_lightImage = image;
    Invalidate();
}

void CDeviceKeyButtonUI::SetKeySetImage(const QString& image) {
    m_keySetImage = image;
    Invalidate();
}

void CDeviceKeyButtonUI::SetKeyUnsetImage(const QString& image) {
    m_keyUnsetImage = image;
    Invalidate();
}

void CDeviceKeyButtonUI::SetKeyLight(std::uint32_t colour, int level, bool show) {
    m_lightColour = colour;
    m_lightLevel = level;
    m_lightOn = show;
}

void CDeviceKeyButtonUI::SetKeySetImageHidden(bool hidden) {
    if (m_keySetHidden == hidden)
        return;
    m_keySetHidden = hidden;
    Invalidate();
}

void CDeviceKeyButtonUI::SetKeyUnsetImageHidden(bool hidden) {
    if (m_keyUnsetHidden == hidden)
        return;
    m_keyUnsetHidden = hidden;
    Invalidate();
}

void CDeviceKeyButtonUI::SetAssigned(bool mark) {
    if (m_assigned == mark)
        return;
    m_assigned = mark;
    Invalidate();
}

std::uint32_t CDeviceKeyButtonUI::LightColourToArgb(std::uint32_t colour) {
    const std::uint32_t red = colour & 0xFF;
    const std::uint32_t blue = (colour >> 8) & 0xFF;
    const std::uint32_t green = (colour >> 16) & 0xFF;
    return 0xFF000000u | red << 16 | green << 8 | blue;
}

void CDeviceKeyButtonUI::DoEvent(ui::TEventUI& event) {
    if (event.Type == ui::UIEVENT_DBLCLICK && IsEnabled() && m_rcItem.contains(event.ptMouse)) {
        m_uButtonState |= ui::UISTATE_PUSHED | ui::UISTATE_CAPTURED;
        if (m_pManager)
            m_pManager->SendNotify(this, QString::fromLatin1(ui::DUI_MSGTYPE_DBCLICK));
        Invalidate();
        return;
    }
    ui::CButtonUI::DoEvent(event);
}

void CDeviceKeyButtonUI::PaintStatusImage(QPainter& p) {
    ui::CButtonUI::PaintStatusImage(p);
    if (m_lightOn && !m_lightImage.isEmpty()) {
        // The light picture's shape filled with the light colour, with the
        // level as opacity: a soft-edged picture reads as a glowing key cap.
        ui::TImageTint tint;
        tint.color = LightColourToArgb(m_lightColour);
        tint.level = m_lightLevel;
        tint.enabled = true;
        DrawImage(p, m_lightImage, &tint);
    }
    if (!m_keyUnsetHidden && !m_keyUnsetImage.isEmpty())
        DrawImage(p, m_keyUnsetImage);
    if (!m_keySetHidden && !m_keySetImage.isEmpty())
        DrawImage(p, m_keySetImage);
}

}  // namespace controls
