// The macro step row: content from its skin file, selection, notifications.
#include <gtest/gtest.h>

#include "ControlsTestSupport.h"
#include "controls/ComboEditContainerElementUI.h"
#include "ui/UIEdit.h"

namespace {

using controls::CComboEditContainerElementUI;

class ComboEditRow : public ::testing::Test {
protected:
    void SetUp() override {
        ctltest::EnsureRegistered();
        ui::CPaintManagerUI::SetResourcePath(QStringLiteral(NUVARO_SOURCE_DIR "/resources/skin/"));
        host = std::make_unique<uitest::Host>(
            QStringLiteral(
                "<VerticalLayout><List name=\"list\" multiselect=\"true\" "
                "itemselectedbkcolor=\"#19C6E6\" itemselectedbarcolor=\"#19C6E6\">"
                "<CComboEditContainerElementUI name=\"row\" height=\"30\" normalimage=\"x.png\"/>"
                "<CComboEditContainerElementUI name=\"row2\" "
                "height=\"30\"/></List></VerticalLayout>"),
            QSize(300, 100));
        row = host->Find<CComboEditContainerElementUI>(QStringLiteral("row"));
        row2 = host->Find<CComboEditContainerElementUI>(QStringLiteral("row2"));
    }
    std::unique_ptr<uitest::Host> host;
    CComboEditContainerElementUI* row = nullptr;
    CComboEditContainerElementUI* row2 = nullptr;
};

TEST_F(ComboEditRow, BuildsItsContentFromTheSkinFile) {
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->GetClass(), QStringLiteral("ComboEditContainerElement"));
    ASSERT_NE(row->GetText1(), nullptr);
    ASSERT_NE(row->GetText2(), nullptr);
    ASSERT_NE(row->GetDelayEdit(), nullptr);
    EXPECT_EQ(row->GetCount(), 1);
    EXPECT_EQ(row->GetText1()->GetName(), QStringLiteral("text1"));
    // "normalimage" is not handed to the base.
    EXPECT_TRUE(row->GetNormalImage().isEmpty());
}

TEST_F(ComboEditRow, ClickSelectsCtrlTogglesReleaseReports) {
    ASSERT_TRUE(row && row2);
    const QPoint pt = row->GetPos().center();
    ctltest::Send(row, ui::UIEVENT_BUTTONDOWN, pt, Qt::LeftButton);
    EXPECT_TRUE(row->IsSelected());
    ctltest::Send(row, ui::UIEVENT_BUTTONUP, pt);
    EXPECT_EQ(host->recorder.Count(QStringLiteral("itemclick"), row), 1);
    ctltest::Send(row, ui::UIEVENT_BUTTONDOWN, pt, Qt::LeftButton);
    EXPECT_TRUE(row->IsSelected()) << "a plain click keeps it selected";
    ctltest::Send(row, ui::UIEVENT_BUTTONDOWN, pt, int(Qt::LeftButton) | int(Qt::ControlModifier));
    EXPECT_FALSE(row->IsSelected()) << "Ctrl toggles";
    ctltest::Send(row, ui::UIEVENT_BUTTONDOWN, pt, int(Qt::LeftButton) | int(Qt::ControlModifier));
    EXPECT_TRUE(row->IsSelected());
    EXPECT_EQ(ctltest::Render(row).pixel(2, 2), qRgb(0x19, 0xC6, 0xE6)) << "selected background";

    // Ctrl adds the second row; a plain click on it leaves it alone.
    const QPoint pt2 = row2->GetPos().center();
    ctltest::Send(row2, ui::UIEVENT_BUTTONDOWN, pt2,
                  int(Qt::LeftButton) | int(Qt::ControlModifier));
    EXPECT_TRUE(row->IsSelected());
    EXPECT_TRUE(row2->IsSelected());
    ctltest::Send(row2, ui::UIEVENT_BUTTONDOWN, pt2, Qt::LeftButton);
    EXPECT_FALSE(row->IsSelected());
    EXPECT_TRUE(row2->IsSelected());
    EXPECT_GE(host->recorder.Count(QStringLiteral("itemselect")), 1)
        << "the list reports user selections";
}

TEST_F(ComboEditRow, ReturnTimerAndMenu) {
    ASSERT_NE(row, nullptr);
    ui::TEventUI key;
    key.Type = ui::UIEVENT_KEYDOWN;
    key.key = Qt::Key_Return;
    row->Event(key);
    EXPECT_EQ(host->recorder.Types(), (QStringList{"itemactivate", "return"}));

    host->recorder.Clear();
    ui::TEventUI timer;
    timer.Type = ui::UIEVENT_TIMER;
    timer.wParam = 7;
    timer.lParam = 9;
    row->Event(timer);
    ASSERT_EQ(host->recorder.Count(QStringLiteral("timer"), row), 1);
    EXPECT_EQ(host->recorder.entries[0].wParam, 7u);
    EXPECT_EQ(host->recorder.entries[0].lParam, 9);

    host->recorder.Clear();
    ui::TEventUI menu;
    menu.Type = ui::UIEVENT_CONTEXTMENU;
    row->Event(menu);
    EXPECT_EQ(host->recorder.Count(QStringLiteral("menu")), 0) << "context menus not in use";
    row->SetContextMenuUsed(true);
    row->Event(menu);
    EXPECT_EQ(host->recorder.Count(QStringLiteral("menu"), row), 1);
}

TEST_F(ComboEditRow, DisabledRowIgnoresThePointerAndKeys) {
    ASSERT_NE(row, nullptr);
    row->SetEnabled(false);
    const QPoint pt = row->GetPos().center();
    ctltest::Send(row, ui::UIEVENT_BUTTONDOWN, pt, Qt::LeftButton);
    ctltest::Send(row, ui::UIEVENT_BUTTONUP, pt);
    ctltest::Send(row, ui::UIEVENT_DBLCLICK, pt);
    ui::TEventUI key;
    key.Type = ui::UIEVENT_KEYDOWN;
    key.key = Qt::Key_Return;
    row->Event(key);
    EXPECT_FALSE(row->IsSelected());
    EXPECT_TRUE(host->recorder.entries.empty());
}

TEST(ComboEditRowMissingSkin, StaysEmptyWithoutCrashing) {
    ctltest::EnsureRegistered();
    ui::CPaintManagerUI::SetResourcePath(QStringLiteral("/nonexistent/skin/"));
    uitest::DebugCapture debug;
    uitest::Host host(QStringLiteral(
        "<VerticalLayout><CComboEditContainerElementUI name=\"row\"/></VerticalLayout>"));
    auto* row = host.Find<CComboEditContainerElementUI>(QStringLiteral("row"));
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->GetText1(), nullptr);
    EXPECT_EQ(row->GetDelayEdit(), nullptr);
    EXPECT_TRUE(debug.Contains(QStringLiteral("ComboEditContainerElement")));
}

}  // namespace
