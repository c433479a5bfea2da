// CMpDevicePowerUI: a device's power status on its device-list entry:
// charge level as text and ring, charging-state picture, wireless logo
// (mouse, keyboard) and, for the mousepad, the phone on its charging pad.
// The device hands it the status bytes it polled.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ui/UIContainer.h"

namespace controls {
class CCircleProgressUI;
}

namespace panels {

class CMpDevicePowerUI : public ui::CHorizontalLayoutUI {
public:
    static constexpr char kSkinFile[] = "XML\\CustomControlXML\\MpDevicePower.xml";
    static constexpr int kRecordSize = 64;

    CMpDevicePowerUI() = default;
    ~CMpDevicePowerUI() override;

    QString GetClass() const override;
    void* GetInterface(const QString& name) override;
    bool Activate() override;  // sends "selectchanged" for the panel
    void DoEvent(ui::TEventUI& event) override;

    // 1 keyboard, 2 mouse, 3 mousepad, 7 headset; `value` is kept only.
    void SetDeviceType(int type, int value);
    int GetDeviceType() const { return m_deviceType; }
    int GetDeviceValue() const { return m_deviceValue; }
    // Shows or hides "device_power_Layout" (models without a power panel).
    void ShowPowerLayout(bool show);
    // Shows one status record: byte 0 level in percent, byte 1 charging
    // state (0, 1, 2), byte 3 link (1 wireless), byte 5 phone on the pad.
    // At most 64 bytes are read; missing bytes read as 0. Nothing changes
    // when the panel lacks one of its controls.
    void SetPowerState(const std::uint8_t* bytes, std::size_t length);

private:
    bool FindControls();
    ui::CControlUI* Find(const char* name);

    int m_deviceType = 0;
    int m_deviceValue = 0;
    ui::CControlUI* m_layout = nullptr;
    ui::CControlUI* m_value = nullptr;
    ui::CControlUI* m_wirelessLogo = nullptr;
    controls::CCircleProgressUI* m_progress = nullptr;
    ui::CControlUI* m_status = nullptr;
    ui::CControlUI* m_phone = nullptr;
};

// Registers CMpDevicePowerUI with the control factory as "CMpDevicePowerUI".
void RegisterMpDevicePower();

}  // namespace panels
