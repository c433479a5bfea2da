#include "panels/MpDevicePowerUI.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "controls/CircleProgressUI.h"
#include "ui/UIControlFactory.h"
#include "ui/UIManager.h"

namespace panels {

namespace {
constexpr int kTypeKeyboard = 1;
constexpr int kTypeMouse = 2;
constexpr int kTypeMousepad = 3;
}  // namespace

CMpDevicePowerUI::~CMpDevicePowerUI() = default;

QString CMpDevicePowerUI::GetClass() const {
    return QStringLiteral("MpDevicePower");
}

void* CMpDevicePowerUI::GetInterface(const QString& name) {
    if (name == QLatin1String("MpDevicePower"))
        return this;
    return ui::CHorizontalLayoutUI::GetInterface(name);
}

bool CMpDevicePowerUI::Activate() {
    if (!ui::CHorizontalLayoutUI::Activate())
        return false;
    if (m_pManager)
        m_pManager->SendNotify(this, QString::fromLatin1(ui::DUI_MSGTYPE_SELECTCHANGED));
    return true;
}

void CMpDevicePowerUI::DoEvent(ui::TEventUI& event) {
    ui::CHorizontalLayoutUI::DoEvent(event);
}

void CMpDevicePowerUI::SetDeviceType(int type, int value) {
    m_deviceType = type;
    m_deviceValue = value;
}

ui::CControlUI* CMpDevicePowerUI::Find(const char* name) {
    return m_pManager ? m_pManager->FindSubControlByName(this, QString::fromLatin1(name)) : nullptr;
}

void CMpDevicePowerUI::ShowPowerLayout(bool show) {
    if (!m_layout)
        m_layout = Find("device_power_Layout");
    if (m_layout)
        m_layout->SetVisible(show);
}

bool CMpDevicePowerUI::FindControls() {
    // Looked up on first use and kept; a missing one is looked for again
    // next time, in case the panel's content was added later.
    if (!m_value)
        m_value = Find("device_power_value");
    if (!m_wirelessLogo)
        m_wirelessLogo = Find("device_wuxian_logo");
    if (!m_progress) {
        ui::CControlUI* c = Find("device_Power_progress");
        m_progress = c ? static_cast<controls::CCircleProgressUI*>(
                             c->GetInterface(QStringLiteral("CircleProgress")))
                       : nullptr;
    }
    if (!m_status)
        m_status = Find("device_power_status");
    if (!m_phone)
        m_phone = Find("device_phone_type");
    return m_value && m_wirelessLogo && m_progress && m_status && m_phone;
}

void CMpDevicePowerUI::SetPowerState(const std::uint8_t* bytes, std::size_t length) {
    std::array<std::uint8_t, kRecordSize> record{};
    if (bytes)
        std::memcpy(record.data(), bytes, std::min<std::size_t>(length, kRecordSize));
    if (!FindControls())
        return;

    // A level above 100 is a faulty answer: shown as full, never as more.
    const int level = std::min<int>(record[0], 100);
    const int charging = record[1];
    const bool wireless = record[3] != 0;

    m_progress->SetValue(100 - level);
    m_value->SetText(QString::asprintf("%d%s", level, "%"));

    if (m_deviceType == kTypeKeyboard || m_deviceType == kTypeMouse)
        m_wirelessLogo->SetVisible(wireless);

    switch (charging) {
        case 0:
            m_progress->SetVisible(true);
            m_status->SetBkImage(QStringLiteral("file='power/powered.png'"));
            break;
        case 1:
            m_progress->SetVisible(!wireless);
            m_status->SetBkImage(QStringLiteral("file='power/powering.png'"));
            break;
        case 2:
            m_progress->SetVisible(true);
            m_status->SetBkImage(QStringLiteral("file='power/power.png'"));
            break;
        default:
            break;
    }

    if (m_deviceType == kTypeMousepad) {
        const char* phone = nullptr;
        switch (record[5]) {
            case 1:
                phone = "Phone_type_iphone";
                break;
            case 2:
                phone = "Phone_type_samsung";
                break;
            case 3:
                phone = "Phone_type_other";
                break;
            default:
                phone = "Phone_type_no_device";
                break;
        }
        const QString id = QString::fromLatin1(phone);
        m_phone->SetToolTipId(id);
        m_phone->SetBkImage(QStringLiteral("file='power/%1.png'").arg(id));
    }
}

void RegisterMpDevicePower() {
    ui::CControlFactory::GetInstance()->RegistControl<CMpDevicePowerUI>(
        QStringLiteral("CMpDevicePowerUI"));
}

}  // namespace panels
