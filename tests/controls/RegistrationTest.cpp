// Factory registration, builder-callback tags, and the two controls the
// program does not feed (chart, hosted window).
#include <gtest/gtest.h>

#include <memory>

#include "ControlsTestSupport.h"
#include "controls/ChartViewUI.h"
#include "controls/WndUI.h"
#include "ui/UIControlFactory.h"

namespace {

TEST(Registration, EveryClassNameCreatesItsControl) {
    ctltest::EnsureRegistered();
    const struct {
        const char* className;
        const char* classString;
    } expected[] = {
        {"CCircleProgressUI", "CircleProgress"},
        {"CChartViewUI", "ControlUI"},
        {"CWndUI", "Wnd"},
        {"CSelectPanelUI", "SelectPanel"},
        {"CDeviceKeyButtonUI", "DeviceKeyButton"},
        {"CComboEditContainerElementUI", "ComboEditContainerElement"},
        {"CHandImgButtonUI", "HandImgButton"},
        {"CHandImgSelectButtonUI", "HandImgSelectButton"},
        {"CRedioMacroButtonUI", "RedioMacroButton"},
        {"CAudioRecordUI", "AudioRecord"},
    };
    EXPECT_EQ(controls::CustomControlClassNames().size(), int(std::size(expected)));
    for (const auto& e : expected) {
        std::unique_ptr<ui::CControlUI> c(
            ui::CControlFactory::GetInstance()->CreateControl(QString::fromLatin1(e.className)));
        ASSERT_NE(c, nullptr) << e.className;
        EXPECT_EQ(c->GetClass(), QString::fromLatin1(e.classString)) << e.className;
    }
}

TEST(Registration, BuilderCallbackTags) {
    const struct {
        const char* tag;
        const char* classString;
    } tags[] = {
        {"CircleProgress", "CircleProgress"},
        {"selectpanel", "SelectPanel"},
        {"DEVICEKEYBUTTON", "DeviceKeyButton"},
        {"HandImgButton", "HandImgButton"},
        {"AudioRecord", "AudioRecord"},
        {"HandImgSelectButton", "HandImgSelectButton"},
        {"RedioMacroButton", "RedioMacroButton"},
        {"ComboEditContainerElement", "ComboEditContainerElement"},
    };
    for (const auto& t : tags) {
        std::unique_ptr<ui::CControlUI> c(
            controls::CreateCustomControl(QString::fromLatin1(t.tag)));
        ASSERT_NE(c, nullptr) << t.tag;
        EXPECT_EQ(c->GetClass(), QString::fromLatin1(t.classString));
    }
    for (const char* other : {"ChartView", "Wnd", "CCircleProgressUI", "LightControl", ""})
        EXPECT_EQ(controls::CreateCustomControl(QString::fromLatin1(other)), nullptr) << other;
}

TEST(Registration, SkinsUseTheCallbackTags) {
    ctltest::EnsureRegistered();
    struct Callback : ui::IDialogBuilderCallback {
        ui::CControlUI* CreateControl(const QString& tag) override {
            return controls::CreateCustomControl(tag);
        }
    } callback;
    uitest::Host host(QStringLiteral("<SelectPanel name=\"panel\"><DeviceKeyButton name=\"key_0\"/>"
                                     "<CircleProgress name=\"ring\"/></SelectPanel>"),
                      QSize(100, 100), 96, &callback);
    ASSERT_NE(host.Find(QStringLiteral("panel")), nullptr);
    EXPECT_EQ(host.Find(QStringLiteral("panel"))->GetClass(), QStringLiteral("SelectPanel"));
    ASSERT_NE(host.Find(QStringLiteral("key_0")), nullptr);
    EXPECT_EQ(host.Find(QStringLiteral("ring"))->GetClass(), QStringLiteral("CircleProgress"));
}

TEST(ChartView, WithoutValuesPaintsAsItsBase) {
    ctltest::EnsureRegistered();
    uitest::Host host(
        QStringLiteral("<HorizontalLayout><CChartViewUI name=\"c\" width=\"200\" height=\"100\" "
                       "bkcolor=\"#000000\" view=\"pie\"/><Control/></HorizontalLayout>"),
        QSize(300, 100));
    auto* chart = host.Find<controls::CChartViewUI>(QStringLiteral("c"));
    ASSERT_NE(chart, nullptr);
    QImage img = ctltest::Render(chart);
    for (int x = 0; x < 200; x += 10)
        ASSERT_EQ(img.pixel(x, 50), qRgb(0, 0, 0));
    EXPECT_FALSE(chart->Add(QStringLiteral("bad"), -1));
    EXPECT_FALSE(chart->Add(QStringLiteral("nan"), std::nan("")));
    EXPECT_TRUE(chart->Add(QStringLiteral("a"), 3));
    EXPECT_TRUE(chart->Add(QStringLiteral("b"), 1));
    img = ctltest::Render(chart);
    EXPECT_NE(img.pixel(40, 80), qRgb(0, 0, 0)) << "the pie is drawn";
    chart->SetAttribute(QStringLiteral("view"), QStringLiteral("histpgram"));
    EXPECT_EQ(chart->GetView(), controls::CChartViewUI::View::Histogram);
    ctltest::Render(chart);
    EXPECT_TRUE(chart->RemoveAt(0));
    EXPECT_FALSE(chart->RemoveAt(5));
}

TEST(Wnd, HostedWidgetFollowsTheControl) {
    ctltest::EnsureRegistered();
    uitest::Host host(
        QStringLiteral("<HorizontalLayout><Control width=\"30\"/><CWndUI name=\"w\" width=\"50\"/>"
                       "<Control/></HorizontalLayout>"),
        QSize(200, 40));
    auto* w = host.Find<controls::CWndUI>(QStringLiteral("w"));
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->GetClass(), QStringLiteral("Wnd"));
    auto* child = new QWidget(host.widget.get());
    child->hide();
    ASSERT_TRUE(w->Attach(child));
    EXPECT_EQ(child->geometry(), QRect(30, 0, 50, 40));
    EXPECT_FALSE(child->isHidden());
    w->SetVisible(false);
    EXPECT_TRUE(child->isHidden());
    w->SetVisible(true);
    EXPECT_FALSE(child->isHidden());
    delete child;  // a deleted widget is forgotten
    EXPECT_EQ(w->GetHostedWidget(), nullptr);
    w->SetPos(QRect(0, 0, 10, 10));
}

}  // namespace
