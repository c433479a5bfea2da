// The key button: light image tinted with the light colour at the light
// level, key marks, "dbclick".
#include <gtest/gtest.h>

#include <QTest>

#include "ControlsTestSupport.h"
#include "controls/DeviceKeyButtonUI.h"

namespace {

using controls::CDeviceKeyButtonUI;

struct KeyFixture {
    KeyFixture()
        : host(QStringLiteral("<HorizontalLayout bkcolor=\"#000000\">"
                              "<CDeviceKeyButtonUI name=\"k\" width=\"40\" height=\"40\" "
                              "lightimage=\"light.png\" "
                              "keysetimage=\"file='mark.png' dest='0,0,10,10'\" "
                              "keyunsetimage=\"file='unset.png' dest='30,30,40,40'\" "
                              "gmnametextcolor=\"#12345\"/>"
                              "<Control/></HorizontalLayout>"),
               QSize(100, 40)) {
        ctltest::AddSolidImage(host.pm.get(), QStringLiteral("light.png"), QSize(40, 40),
                               Qt::white);
        ctltest::AddSolidImage(host.pm.get(), QStringLiteral("mark.png"), QSize(10, 10),
                               QColor(255, 255, 0));
        ctltest::AddSolidImage(host.pm.get(), QStringLiteral("unset.png"), QSize(10, 10),
                               QColor(255, 0, 255));
        key = host.Find<CDeviceKeyButtonUI>(QStringLiteral("k"));
    }
    uitest::Host host;
    CDeviceKeyButtonUI* key = nullptr;
};

TEST(DeviceKeyButton, DefaultsAndAttributes) {
    ctltest::EnsureRegistered();
    KeyFixture f;
    ASSERT_NE(f.key, nullptr);
    EXPECT_EQ(f.key->GetClass(), QStringLiteral("DeviceKeyButton"));
    EXPECT_FALSE(f.key->IsLightOn());
    EXPECT_EQ(f.key->GetLightColour(), 255u);
    EXPECT_EQ(f.key->GetLightLevel(), 200);
    EXPECT_TRUE(f.key->IsKeySetImageHidden());
    EXPECT_TRUE(f.key->IsKeyUnsetImageHidden());
    EXPECT_FALSE(f.key->IsAssigned());
    EXPECT_FALSE(f.key->IsSelected());
    EXPECT_EQ(f.key->GetLightImage(), QStringLiteral("light.png"));
    // "gmnametextcolor" is accepted and changes nothing (not the text colour).
    EXPECT_EQ(f.key->GetTextColor(), 0u);
    // Nothing but the background: light off, marks hidden.
    const QImage img = ctltest::Render(f.key);
    EXPECT_EQ(img.pixel(20, 20), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(5, 5), qRgb(0, 0, 0));
}

TEST(DeviceKeyButton, LightIsTintedWithItsColourAtItsLevel) {
    ctltest::EnsureRegistered();
    KeyFixture f;
    ASSERT_NE(f.key, nullptr);
    // Colour word red | blue << 8 | green << 16: pure blue, full level.
    f.key->SetKeyLight(0x0000FF00u, 255, true);
    EXPECT_EQ(ctltest::Render(f.key).pixel(20, 20), qRgb(0, 0, 255));
    // Green in byte 2, at half level over black.
    f.key->SetKeyLight(0x00FF0000u, 128, true);
    const QRgb half = ctltest::Render(f.key).pixel(20, 20);
    EXPECT_EQ(qRed(half), 0);
    EXPECT_NEAR(qGreen(half), 128, 2);
    EXPECT_EQ(qBlue(half), 0);
    // Level 0 or the switch off shows no light.
    f.key->SetKeyLight(0x000000FFu, 0, true);
    EXPECT_EQ(ctltest::Render(f.key).pixel(20, 20), qRgb(0, 0, 0));
    f.key->SetKeyLight(0x000000FFu, 255, false);
    EXPECT_EQ(ctltest::Render(f.key).pixel(20, 20), qRgb(0, 0, 0));
    EXPECT_EQ(CDeviceKeyButtonUI::LightColourToArgb(0x00332211u), 0xFF113322u);
}

TEST(DeviceKeyButton, MarksDrawOverTheLightWhenShown) {
    ctltest::EnsureRegistered();
    KeyFixture f;
    ASSERT_NE(f.key, nullptr);
    f.key->SetKeyLight(0x000000FFu, 255, true);
    f.key->SetKeySetImageHidden(false);
    f.key->SetKeyUnsetImageHidden(false);
    const QImage img = ctltest::Render(f.key);
    EXPECT_EQ(img.pixel(5, 5), qRgb(255, 255, 0)) << "key-set mark";
    EXPECT_EQ(img.pixel(35, 35), qRgb(255, 0, 255)) << "key-unset mark";
    EXPECT_EQ(img.pixel(20, 20), qRgb(255, 0, 0)) << "red light";
    f.key->SetAssigned(true);
    EXPECT_TRUE(f.key->IsAssigned());
}

TEST(DeviceKeyButton, DoubleClickSendsDbclickOnlyWhenEnabled) {
    ctltest::EnsureRegistered();
    KeyFixture f;
    ASSERT_NE(f.key, nullptr);
    QTest::mouseDClick(f.key, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    EXPECT_EQ(f.host.recorder.Count(QStringLiteral("dbclick"), f.key), 1);
    f.host.recorder.Clear();
    f.key->SetEnabled(false);
    QTest::mouseDClick(f.key, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    EXPECT_EQ(f.host.recorder.Count(QStringLiteral("dbclick")), 0);
    EXPECT_EQ(f.host.recorder.Count(QStringLiteral("click")), 0);
}

}  // namespace
