// Rubber-band selection over key buttons.
#include <gtest/gtest.h>

#include <QTest>

#include "ControlsTestSupport.h"
#include "controls/DeviceKeyButtonUI.h"
#include "controls/SelectPanelUI.h"

namespace {

using controls::CDeviceKeyButtonUI;
using controls::CSelectPanelUI;

// Panel at (0,0) 200x100; key_0 covers x 20..59, y 20..59; key_1 x 100..139.
struct PanelFixture {
    PanelFixture()
        : host(QStringLiteral(
                   "<CSelectPanelUI name=\"panel\">"
                   "<CDeviceKeyButtonUI name=\"key_0\" float=\"true\" pos=\"20,20,60,60\"/>"
                   "<CDeviceKeyButtonUI name=\"key_1\" float=\"true\" pos=\"100,20,140,60\"/>"
                   "<Button name=\"other\" float=\"true\" pos=\"150,20,190,60\"/>"
                   "</CSelectPanelUI>"),
               QSize(200, 100)) {
        panel = host.Find<CSelectPanelUI>(QStringLiteral("panel"));
        k0 = host.Find<CDeviceKeyButtonUI>(QStringLiteral("key_0"));
        k1 = host.Find<CDeviceKeyButtonUI>(QStringLiteral("key_1"));
    }
    void Drag(QPoint from, QPoint to) {
        ctltest::Send(panel, ui::UIEVENT_BUTTONDOWN, from, Qt::LeftButton);
        ctltest::Send(panel, ui::UIEVENT_MOUSEMOVE, (from + to) / 2, Qt::LeftButton);
        ctltest::Send(panel, ui::UIEVENT_MOUSEMOVE, to, Qt::LeftButton);
        ctltest::Send(panel, ui::UIEVENT_BUTTONUP, to);
    }
    int Ends() const { return host.recorder.Count(QStringLiteral("click_select_end"), panel); }
    uitest::Host host;
    CSelectPanelUI* panel = nullptr;
    CDeviceKeyButtonUI* k0 = nullptr;
    CDeviceKeyButtonUI* k1 = nullptr;
};

struct BandCase {
    const char* what;
    QPoint from, to;
    bool select0, select1;
};

class SelectPanelBand : public ::testing::TestWithParam<BandCase> {};

TEST_P(SelectPanelBand, SelectsByOverlapArea) {
    ctltest::EnsureRegistered();
    PanelFixture f;
    ASSERT_TRUE(f.panel && f.k0 && f.k1);
    ASSERT_EQ(f.k0->GetPos(), QRect(20, 20, 40, 40));
    // Both selected beforehand, so "unselected" is visible too.
    f.k0->SetSelected(true);
    f.k1->SetSelected(true);
    const BandCase c = GetParam();
    f.Drag(c.from, c.to);
    EXPECT_EQ(f.k0->IsSelected(), c.select0) << c.what;
    EXPECT_EQ(f.k1->IsSelected(), c.select1) << c.what;
    EXPECT_EQ(f.Ends(), 1) << c.what;
    EXPECT_FALSE(f.panel->IsSelecting());
    EXPECT_FALSE(f.panel->IsSelectionPending());
}

INSTANTIATE_TEST_SUITE_P(
    Bands, SelectPanelBand,
    ::testing::Values(BandCase{"over key_0", {10, 10}, {30, 30}, true, false},
                      BandCase{"dragged backwards over both", {150, 90}, {50, 50}, true, true},
                      BandCase{"touching key_0's left edge", {0, 0}, {20, 90}, false, false},
                      BandCase{"touching key_0's right edge", {60, 0}, {100, 90}, false, false},
                      BandCase{"touching key_0's top edge", {0, 5}, {90, 20}, false, false},
                      BandCase{"one pixel into key_1", {90, 0}, {101, 21}, false, true},
                      BandCase{"over no button", {0, 70}, {199, 99}, false, false}));

TEST(SelectPanel, ClickWithoutMovementChangesNothing) {
    ctltest::EnsureRegistered();
    PanelFixture f;
    ASSERT_TRUE(f.panel && f.k0 && f.k1);
    f.k1->SetSelected(true);
    ctltest::Send(f.panel, ui::UIEVENT_BUTTONDOWN, {30, 30}, Qt::LeftButton);
    ctltest::Send(f.panel, ui::UIEVENT_MOUSEMOVE, {30, 30}, Qt::LeftButton);  // no distance
    ctltest::Send(f.panel, ui::UIEVENT_BUTTONUP, {30, 30});
    EXPECT_FALSE(f.k0->IsSelected());
    EXPECT_TRUE(f.k1->IsSelected());
    EXPECT_EQ(f.Ends(), 0);
}

TEST(SelectPanel, DisabledPanelAndLostReleaseSelectNothing) {
    ctltest::EnsureRegistered();
    PanelFixture f;
    ASSERT_TRUE(f.panel && f.k0);
    f.panel->SetEnabled(false);
    f.Drag({10, 10}, {70, 70});
    EXPECT_FALSE(f.k0->IsSelected());
    EXPECT_EQ(f.Ends(), 0);

    // A press whose release went elsewhere: later bare moves start no band.
    f.panel->SetEnabled(true);
    ctltest::Send(f.panel, ui::UIEVENT_BUTTONDOWN, {10, 10}, Qt::LeftButton);
    ctltest::Send(f.panel, ui::UIEVENT_MOUSEMOVE, {70, 70}, 0);
    ctltest::Send(f.panel, ui::UIEVENT_MOUSEMOVE, {90, 90}, 0);
    EXPECT_FALSE(f.panel->IsSelecting());
    EXPECT_FALSE(f.panel->IsSelectionPending());
}

TEST(SelectPanel, RealPointerDragSelects) {
    ctltest::EnsureRegistered();
    PanelFixture f;
    ASSERT_TRUE(f.panel && f.k0 && f.k1);
    QTest::mousePress(f.panel, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseMove(f.panel, QPoint(40, 40));
    QTest::mouseMove(f.panel, QPoint(80, 80));
    QTest::mouseRelease(f.panel, Qt::LeftButton, Qt::NoModifier, QPoint(80, 80));
    EXPECT_TRUE(f.k0->IsSelected());
    EXPECT_FALSE(f.k1->IsSelected());
    EXPECT_EQ(f.Ends(), 1);
    EXPECT_EQ(f.panel->GetSelectionRect(), QRect(QPoint(5, 5), QPoint(79, 79)));
}

}  // namespace
