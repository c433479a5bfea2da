// CDeviceKeyButtonUI: one key or light of a device picture. A button that
// draws, over its status image, a light image tinted with the current light
// colour and level, and the key-set / key-unset marks.
#pragma once

#include <cstdint>

#include "ui/UIButton.h"

namespace controls {

class CDeviceKeyButtonUI : public ui::CButtonUI {
public:
    CDeviceKeyButtonUI() = default;

    QString GetClass() const override;
    void* GetInterface(const QString& name) override;
    void SetAttribute(const QString& name, const QString& value) override;
    void DoEvent(ui::TEventUI& event) override;
    void PaintStatusImage(QPainter& p) override;

    // The light: colour word red | blue << 8 | green << 16 (as the light
    // preview hands it out), level 0..255 drawn as opacity, and the switch.
    // Stores only; the caller repaints.
    void SetKeyLight(std::uint32_t colour, int level, bool show);
    std::uint32_t GetLightColour() const { return m_lightColour; }
    int GetLightLevel() const { return m_lightLevel; }
    bool IsLightOn() const { return m_lightOn; }

    void SetKeySetImageHidden(bool hidden);
    bool IsKeySetImageHidden() const { return m_keySetHidden; }
    void SetKeyUnsetImageHidden(bool hidden);
    bool IsKeyUnsetImageHidden() const { return m_keyUnsetHidden; }
    // Whether the key has a function assigned; not drawn, read by the pages.
    void SetAssigned(bool mark);
    bool IsAssigned() const { return m_assigned; }
    // Selection made by the select panel's rubber band; not drawn.
    void SetSelected(bool selected) { m_selected = selected; }
    bool IsSelected() const { return m_selected; }

    void SetLightImage(const QString& image);
    QString GetLightImage() const { return m_lightImage; }
    void SetKeySetImage(const QString& image);
    QString GetKeySetImage() const { return m_keySetImage; }
    void SetKeyUnsetImage(const QString& image);
    QString GetKeyUnsetImage() const { return m_keyUnsetImage; }

    // The colour word as opaque ARGB.
    static std::uint32_t LightColourToArgb(std::uint32_t colour);

private:
    QString m_lightImage;
    QString m_keySetImage;
    QString m_keyUnsetImage;
    bool m_lightOn = false;
    std::uint32_t m_lightColour = 255;
    int m_lightLevel = 200;
    bool m_keySetHidden = true;
    bool m_keyUnsetHidden = true;
    bool m_assigned = false;
    bool m_selected = false;
};

}  // namespace controls
