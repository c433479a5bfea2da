// The power panel: status records shown on the level text, ring, charging
// picture, wireless logo and phone picture.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

#include "UiTestSupport.h"
#include "controls/CircleProgressUI.h"
#include "controls/CustomControls.h"
#include "panels/MpDevicePowerUI.h"

namespace {

using panels::CMpDevicePowerUI;

void EnsureRegistered() {
    static const bool done = [] {
        controls::RegisterCustomControls();
        panels::RegisterMpDevicePower();
        return true;
    }();
    (void)done;
}

// The panel built from the program's own skin file.
struct PowerFixture {
    explicit PowerFixture(int type) {
        EnsureRegistered();
        ui::CPaintManagerUI::SetResourcePath(QStringLiteral(NUVARO_SOURCE_DIR "/resources/skin/"));
        host = std::make_unique<uitest::Host>(
            QStringLiteral("XML/CustomControlXML/MpDevicePower.xml"), QSize(200, 60));
        panel = dynamic_cast<CMpDevicePowerUI*>(host->root);
        if (panel)
            panel->SetDeviceType(type, 0);
    }
    ui::CControlUI* C(const char* name) const { return host->Find(QString::fromLatin1(name)); }
    controls::CCircleProgressUI* Ring() const {
        return host->Find<controls::CCircleProgressUI>(QStringLiteral("device_Power_progress"));
    }
    void Show(std::vector<std::uint8_t> bytes) { panel->SetPowerState(bytes.data(), bytes.size()); }

    std::unique_ptr<uitest::Host> host;
    CMpDevicePowerUI* panel = nullptr;
};

TEST(MpDevicePower, BuiltFromItsSkinFile) {
    PowerFixture f(2);
    ASSERT_NE(f.panel, nullptr);
    EXPECT_EQ(f.panel->GetClass(), QStringLiteral("MpDevicePower"));
    for (const char* name : {"device_power_Layout", "device_power_value", "device_wuxian_logo",
                             "device_Power_progress", "device_power_status", "device_phone_type"})
        EXPECT_NE(f.C(name), nullptr) << name;
    EXPECT_NE(f.Ring(), nullptr);
    EXPECT_EQ(f.panel->GetDeviceType(), 2);
}

struct StateCase {
    const char* what;
    int type;
    std::vector<std::uint8_t> bytes;
    QString text;
    int ringValue;
    bool ringVisible;
    QString statusImage;
    int logo;            // 1 shown, 0 hidden, -1 unchanged (starts hidden)
    QString phoneImage;  // empty: unchanged
};

class PowerState : public ::testing::TestWithParam<StateCase> {};

const QString kPowered = QStringLiteral("file='power/powered.png'");
const QString kPowering = QStringLiteral("file='power/powering.png'");
const QString kPower = QStringLiteral("file='power/power.png'");
const QString kStart = kPowered;  // the skin's first picture

TEST_P(PowerState, ShowsTheRecord) {
    const StateCase c = GetParam();
    PowerFixture f(c.type);
    ASSERT_NE(f.panel, nullptr);
    const QString phoneBefore = f.C("device_phone_type")->GetBkImage();
    // Start from a hidden ring and a foreign status picture, so "unchanged"
    // is visible.
    f.Ring()->SetVisible(false);
    f.C("device_power_status")->SetBkImage(QStringLiteral("none.png"));
    f.Show(c.bytes);
    EXPECT_EQ(f.C("device_power_value")->GetText(), c.text) << c.what;
    EXPECT_EQ(f.Ring()->GetValue(), c.ringValue) << c.what;
    EXPECT_EQ(f.Ring()->IsOwnVisible(), c.ringVisible) << c.what;
    EXPECT_EQ(f.C("device_power_status")->GetBkImage(), c.statusImage) << c.what;
    const bool logoShown = c.logo == 1;  // -1: unchanged from the skin's hidden logo
    EXPECT_EQ(f.C("device_wuxian_logo")->IsOwnVisible(), logoShown) << c.what;
    EXPECT_EQ(f.C("device_phone_type")->GetBkImage(),
              c.phoneImage.isEmpty() ? phoneBefore : c.phoneImage)
        << c.what;
}

const QString kNoPhone = QStringLiteral("file='power/Phone_type_no_device.png'");

INSTANTIATE_TEST_SUITE_P(
    Records, PowerState,
    ::testing::Values(
        StateCase{
            "wired mouse on battery", 2, {57, 0, 0, 0, 0, 0}, "57%", 43, true, kPowered, 0, {}},
        StateCase{"full mouse", 2, {100, 2, 0, 1, 0, 0}, "100%", 0, true, kPower, 1, {}},
        StateCase{"wireless mouse charging hides the ring",
                  2,
                  {30, 1, 0, 1, 0, 2},
                  "30%",
                  70,
                  false,
                  kPowering,
                  1,
                  {}},
        StateCase{"wired mouse charging keeps it",
                  2,
                  {30, 1, 0, 0, 0, 0},
                  "30%",
                  70,
                  true,
                  kPowering,
                  0,
                  {}},
        StateCase{"wireless keyboard", 1, {80, 0, 0, 1, 0, 0}, "80%", 20, true, kPowered, 1, {}},
        StateCase{"unknown charging state changes text, ring value, logo only",
                  1,
                  {40, 3, 0, 1, 0, 0},
                  "40%",
                  60,
                  false,
                  "none.png",
                  1,
                  {}},
        StateCase{"headset never touches the logo",
                  7,
                  {10, 0, 0, 1, 0, 0},
                  "10%",
                  90,
                  true,
                  kPowered,
                  -1,
                  {}},
        StateCase{
            "mousepad, no phone", 3, {90, 2, 0, 1, 0, 0}, "90%", 10, true, kPower, -1, kNoPhone},
        StateCase{"mousepad, first phone",
                  3,
                  {90, 1, 0, 0, 0, 1},
                  "90%",
                  10,
                  true,
                  kPowering,
                  -1,
                  "file='power/Phone_type_iphone.png'"},
        StateCase{"mousepad, second phone",
                  3,
                  {90, 0, 0, 0, 0, 2},
                  "90%",
                  10,
                  true,
                  kPowered,
                  -1,
                  "file='power/Phone_type_samsung.png'"},
        StateCase{"mousepad, other phone",
                  3,
                  {90, 0, 0, 0, 0, 3},
                  "90%",
                  10,
                  true,
                  kPowered,
                  -1,
                  "file='power/Phone_type_other.png'"},
        StateCase{"mousepad, unknown phone byte",
                  3,
                  {90, 0, 0, 0, 0, 9},
                  "90%",
                  10,
                  true,
                  kPowered,
                  -1,
                  kNoPhone},
        StateCase{"short record reads zeros", 3, {64}, "64%", 36, true, kPowered, -1, kNoPhone},
        StateCase{"empty record", 2, {}, "0%", 100, true, kPowered, 0, {}},
        StateCase{"level above 100 shows as full",
                  2,
                  {200, 0, 0, 0, 0, 0},
                  "100%",
                  0,
                  true,
                  kPowered,
                  0,
                  {}}));

TEST(MpDevicePower, PhoneTooltipAndLongRecords) {
    PowerFixture f(3);
    ASSERT_NE(f.panel, nullptr);
    std::vector<std::uint8_t> longRecord(1000, 0);
    longRecord[0] = 12;
    longRecord[5] = 1;
    f.Show(longRecord);  // only the first 64 bytes are read
    EXPECT_EQ(f.C("device_power_value")->GetText(), QStringLiteral("12%"));
    EXPECT_EQ(f.C("device_phone_type")->GetToolTip(), QStringLiteral("Phone_type_iphone"));
    f.panel->SetPowerState(nullptr, 6);  // no bytes at all: zeros
    EXPECT_EQ(f.C("device_power_value")->GetText(), QStringLiteral("0%"));
    EXPECT_EQ(f.C("device_phone_type")->GetToolTip(), QStringLiteral("Phone_type_no_device"));
}

TEST(MpDevicePower, PanelMissingAControlChangesNothing) {
    EnsureRegistered();
    for (const char* missing : {"device_power_value", "device_wuxian_logo", "device_Power_progress",
                                "device_power_status", "device_phone_type"}) {
        QString xml = QStringLiteral(
            "<CMpDevicePowerUI name=\"p\"><HorizontalLayout name=\"device_power_Layout\">"
            "<CCircleProgressUI name=\"device_Power_progress\" value=\"7\"/><Text "
            "name=\"device_power_value\" text=\"x\"/>"
            "<Control name=\"device_power_status\"/><Control name=\"device_wuxian_logo\"/>"
            "<Control name=\"device_phone_type\"/></HorizontalLayout></CMpDevicePowerUI>");
        xml.replace(QStringLiteral("\"%1\"").arg(QLatin1String(missing)),
                    QStringLiteral("\"renamed\""));
        uitest::Host host(xml, QSize(200, 40));
        auto* panel = dynamic_cast<CMpDevicePowerUI*>(host.root);
        ASSERT_NE(panel, nullptr);
        panel->SetDeviceType(3, 0);
        const std::array<std::uint8_t, 6> record{50, 2, 0, 1, 0, 1};
        panel->SetPowerState(record.data(), record.size());
        for (const char* name :
             {"device_power_value", "device_power_status", "device_phone_type"}) {
            if (ui::CControlUI* c = host.Find(QString::fromLatin1(name))) {
                EXPECT_TRUE(c->GetBkImage().isEmpty()) << missing << " missing, " << name;
                EXPECT_TRUE(c->GetToolTip().isEmpty()) << missing << " missing, " << name;
            }
        }
        if (ui::CControlUI* t = host.Find(QStringLiteral("device_power_value"))) {
            EXPECT_EQ(t->GetText(), QStringLiteral("x")) << missing;
        }
        if (auto* ring =
                host.Find<controls::CCircleProgressUI>(QStringLiteral("device_Power_progress"))) {
            EXPECT_EQ(ring->GetValue(), 7) << missing;
        }
    }
}

TEST(MpDevicePower, PowerLayoutAndActivation) {
    PowerFixture f(2);
    ASSERT_NE(f.panel, nullptr);
    f.panel->ShowPowerLayout(false);
    EXPECT_FALSE(f.C("device_power_Layout")->IsOwnVisible());
    f.panel->ShowPowerLayout(true);
    EXPECT_TRUE(f.C("device_power_Layout")->IsOwnVisible());
    EXPECT_TRUE(f.panel->Activate());
    EXPECT_EQ(f.host->recorder.Count(QStringLiteral("selectchanged"), f.panel), 1);
    f.panel->SetEnabled(false);
    EXPECT_FALSE(f.panel->Activate());
    EXPECT_EQ(f.host->recorder.Count(QStringLiteral("selectchanged")), 1);
}

}  // namespace
