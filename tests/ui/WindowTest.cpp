// Windows built from skins: windowinit, caption buttons, modal close codes,
// messages, and notifications whose sender went away.
#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>

#include "TestSupport.h"
#include "UiTestSupport.h"

using namespace ui;

namespace {

class TestWnd : public WindowImplBase {
public:
    explicit TestWnd(QString xml) : m_xml(std::move(xml)) {}
    QString GetSkinFile() const override { return m_xml; }
    QString GetWindowClassName() const override { return QStringLiteral("TestWnd"); }
    void InitWindow() override { ++inits; }
    void Notify(TNotifyUI& msg) override {
        types << msg.sType;
        WindowImplBase::Notify(msg);
    }
    LRESULT HandleCustomMessage(UINT msg, WPARAM w, LPARAM, bool& handled) override {
        if (msg == WM_USER + 1) {
            handled = true;
            return static_cast<LRESULT>(w) * 2;
        }
        handled = false;
        return 0;
    }
    int inits = 0;
    QStringList types;

private:
    QString m_xml;
};

const char* kWnd = R"(<Window size="300,200" caption="0,0,0,30">
  <VerticalLayout>
    <HorizontalLayout height="30">
      <Label name="cap" text="caption"/>
      <Button name="maxbtn" width="30"/><Button name="restorebtn" width="30" visible="false"/>
      <Button name="closebtn" width="30"/>
    </HorizontalLayout>
    <Button name="ok" height="30" text="OK"/>
  </VerticalLayout>
</Window>)";

TEST(UiWindow, WindowInitCaptionButtonsAndMessages) {
    TestWnd w{QString::fromUtf8(kWnd)};
    ASSERT_TRUE(w.Create(nullptr, QStringLiteral("test")));
    EXPECT_TRUE(w.SkinLoaded());
    EXPECT_EQ(w.inits, 1);
    EXPECT_EQ(w.size(), QSize(300, 200));
    w.show();
    ASSERT_TRUE(testsupport::SpinUntil([&] { return w.types.contains(QStringLiteral("windowinit")); }));
    EXPECT_EQ(w.types.count(QStringLiteral("windowinit")), 1);
    // Messages through the platform layer reach HandleCustomMessage.
    EXPECT_EQ(platform::Send(w.GetHWND(), WM_USER + 1, 21, 0), 42);
    // Maximise swaps the caption buttons.
    w.HandleMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    ASSERT_TRUE(testsupport::SpinUntil([&] { return w.isMaximized(); }));
    EXPECT_FALSE(w.FindControl(QStringLiteral("maxbtn"))->IsVisible());
    EXPECT_TRUE(w.FindControl(QStringLiteral("restorebtn"))->IsVisible());
    w.HandleMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_TRUE(testsupport::SpinUntil([&] { return !w.isMaximized(); }));
    EXPECT_TRUE(w.FindControl(QStringLiteral("maxbtn"))->IsVisible());
    // DPI change message: new DPI, skin size at it.
    w.HandleMessage(WM_DPICHANGED, 144, 0);
    EXPECT_EQ(w.GetPaintManager().GetDPI(), 144);
    EXPECT_EQ(w.size(), QSize(450, 300));
    EXPECT_EQ(w.FindControl(QStringLiteral("ok"))->GetPos().height(), 45);
}

TEST(UiWindow, ModalRunReturnsCloseCode) {
    TestWnd w{QString::fromUtf8(kWnd)};
    w.Create(nullptr, QStringLiteral("modal"), UI_WNDSTYLE_DIALOG);
    QTimer::singleShot(0, [&] {
        CControlUI* close = w.FindControl(QStringLiteral("closebtn"));
        QTest::mouseClick(close, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    });
    EXPECT_EQ(w.ShowModal(), 0u);
    QTimer::singleShot(0, [&] { w.Close(7); });
    EXPECT_EQ(w.ShowModal(), 7u);
    QTimer::singleShot(0, [&] { w.PostMessage(WM_CLOSE, 3, 0); });
    EXPECT_EQ(w.ShowModal(), 3u);
    EXPECT_FALSE(w.isVisible());
}

TEST(UiWindow, MissingSkinGivesEmptyWindowAndDebugLine) {
    uitest::DebugCapture dbg;
    TestWnd w{QStringLiteral("no/such/skin.xml")};
    ASSERT_TRUE(w.Create(nullptr, QStringLiteral("empty"), UI_WNDSTYLE_FRAME, 0, 0, 0, 200, 100));
    EXPECT_FALSE(w.SkinLoaded());
    EXPECT_NE(w.GetPaintManager().GetRoot(), nullptr);
    EXPECT_FALSE(dbg.lines.isEmpty());
    w.show();
    (void)w.grab();
}

TEST(UiWindow, AsyncNotificationOfDeletedSenderIsDropped) {
    uitest::Host h(QStringLiteral("<VerticalLayout><Button name='b'/><Button name='c'/></VerticalLayout>"));
    CControlUI* b = h.pm->FindControl(QStringLiteral("b"));
    CControlUI* c = h.pm->FindControl(QStringLiteral("c"));
    h.pm->SendNotify(b, QStringLiteral("click"), 0, 0, true);
    h.pm->SendNotify(c, QStringLiteral("click"), 0, 0, true);
    EXPECT_TRUE(h.recorder.entries.empty());
    delete b;
    QTest::qWait(20);
    ASSERT_EQ(h.recorder.entries.size(), 1u);
    EXPECT_EQ(h.recorder.entries[0].sender, c);
    EXPECT_EQ(h.pm->FindControl(QStringLiteral("b")), nullptr);
}

TEST(UiWindow, RemovedSubtreeLeavesTheNameTable) {
    uitest::Host h(QStringLiteral("<VerticalLayout><HorizontalLayout name='row'><Button name='inner'/></HorizontalLayout>"
                                  "<VerticalLayout name='other'/></VerticalLayout>"));
    auto* root = static_cast<CContainerUI*>(h.root->GetInterface(QStringLiteral("Container")));
    CControlUI* row = h.pm->FindControl(QStringLiteral("row"));
    ASSERT_TRUE(root->Remove(row, true));
    EXPECT_EQ(h.pm->FindControl(QStringLiteral("inner")), nullptr);
    EXPECT_EQ(h.pm->FindControl(QStringLiteral("row")), nullptr);
    // Added back elsewhere it is found again.
    auto* other = static_cast<CContainerUI*>(h.pm->FindControl(QStringLiteral("other"))->GetInterface(QStringLiteral("Container")));
    ASSERT_TRUE(other->Add(row));
    EXPECT_NE(h.pm->FindControl(QStringLiteral("inner")), nullptr);
}

}  // namespace
