// The message box and the about window on the real skin files.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>

#include "TestSupport.h"
#include "appearance/AboutWnd.h"
#include "appearance/MsgWnd.h"
#include "platform/Debug.h"
#include "platform/Folders.h"
#include "ui/UIlib.h"

using namespace appearance;

namespace {

class SkinEnv : public ::testing::Test {
protected:
    void SetUp() override {
        ui::CPaintManagerUI::SetResourcePath(platform::SkinFolder());
        ASSERT_TRUE(ui::CResourceManager::GetInstance()->LoadResource(QStringLiteral("res.xml")));
        ASSERT_TRUE(ui::CResourceManager::GetInstance()->LoadLanguageByName(QStringLiteral("en")));
    }
};

template <class W>
W* OpenWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* m = dynamic_cast<W*>(w); m && m->isVisible())
            return m;
    return nullptr;
}

// Runs `step` on the open message box once it shows, then ShowMessageBox.
int RunBox(const std::function<void(CMsgWnd*)>& step, const QString& title, const QString& text,
           int dpi, bool isId, int buttons) {
    QTimer::singleShot(0, [step] {
        ASSERT_TRUE(testsupport::SpinUntil([] { return OpenWindow<CMsgWnd>() != nullptr; }));
        step(OpenWindow<CMsgWnd>());
    });
    return ShowMessageBox(nullptr, title, text, dpi, isId, buttons);
}

void Click(CMsgWnd* w, const char* name) {
    ui::CControlUI* c = w->FindControl(QString::fromLatin1(name));
    ASSERT_NE(c, nullptr) << name;
    ASSERT_TRUE(c->IsVisible()) << name;
    QTest::mouseClick(c, Qt::LeftButton, Qt::NoModifier, c->rect().center());
}

TEST_F(SkinEnv, ConfirmGivesOneCancelAndCloseGiveZero) {
    EXPECT_EQ(RunBox([](CMsgWnd* w) { Click(w, "confirm_btn"); }, QString(),
                     QStringLiteral("message_text_4"), 96, true, 1),
              1);
    EXPECT_EQ(RunBox([](CMsgWnd* w) { Click(w, "cancel_btn"); }, QString(),
                     QStringLiteral("message_text_4"), 96, true, 1),
              0);
    EXPECT_EQ(RunBox([](CMsgWnd* w) { Click(w, "closebtn"); }, QString(),
                     QStringLiteral("message_text_4"), 96, true, 1),
              0);
    // A system close request ends it with 0 too.
    EXPECT_EQ(RunBox([](CMsgWnd* w) { w->close(); }, QString(), QStringLiteral("x"), 96, false, 1),
              0);
}

TEST_F(SkinEnv, ButtonsTitleTextAndDpi) {
    int dpiUsed = 0;
    QString title, text;
    bool cancelVisible = true, confirmVisible = false;
    QSize size;
    platform::SetDebugSink({});
    QStringList lines;
    platform::SetDebugSink([&](const QString& l) { lines << l; });
    RunBox(
        [&](CMsgWnd* w) {
            dpiUsed = w->GetMsgDpi();
            title = w->FindControl(QStringLiteral("MessageTitle"))->GetText();
            text = w->FindControl(QStringLiteral("MessageText"))->GetText();
            cancelVisible = w->FindControl(QStringLiteral("cancel_btn"))->IsVisible();
            confirmVisible = w->FindControl(QStringLiteral("confirm_btn"))->IsVisible();
            size = w->size();
            Click(w, "confirm_btn");
        },
        QString(), QStringLiteral("message_text_31"), 100, true, 0);
    platform::SetDebugSink({});
    EXPECT_EQ(dpiUsed, 96);
    EXPECT_TRUE(lines.contains(QStringLiteral("MSG_WND DPI SET ERROR")));
    EXPECT_EQ(title, "Notice");  // empty title keeps the skin's
    EXPECT_EQ(text, "The delay cannot be shorter than 10 ms.");
    EXPECT_FALSE(cancelVisible);
    EXPECT_TRUE(confirmVisible);
    EXPECT_EQ(size, QSize(400, 200));

    RunBox(
        [&](CMsgWnd* w) {
            dpiUsed = w->GetMsgDpi();
            title = w->FindControl(QStringLiteral("MessageTitle"))->GetText();
            text = w->FindControl(QStringLiteral("MessageText"))->GetText();
            cancelVisible = w->FindControl(QStringLiteral("cancel_btn"))->IsVisible();
            size = w->size();
            Click(w, "cancel_btn");
        },
        QStringLiteral("UpdateTiShi"), QStringLiteral("literal text"), 144, false, 1);
    EXPECT_EQ(dpiUsed, 144);
    EXPECT_EQ(size, QSize(600, 300));
    EXPECT_EQ(title, "Update");  // a known id shows its text
    EXPECT_EQ(text, "literal text");
    EXPECT_TRUE(cancelVisible);
}

TEST_F(SkinEnv, AboutWindowShowsVersionLineAndFollowsLanguage) {
    int calls = 0;
    QString line, lineCn;
    QSize size;
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(testsupport::SpinUntil([] { return OpenWindow<CAboutWnd>() != nullptr; }));
        CAboutWnd* w = OpenWindow<CAboutWnd>();
        EXPECT_EQ(CAboutWnd::Current(), w);
        // A second request only brings the open one forward.
        EXPECT_EQ(CAboutWnd::ShowAboutWindow(nullptr), 0);
        ++calls;
        line = w->GetVersionLine();
        size = w->size();
        ui::CResourceManager::GetInstance()->LoadLanguageByName(QStringLiteral("cn"));
        ui::CResourceManager::GetInstance()->ReloadText();
        w->SendMessage(kLanguageChangedMessage);
        lineCn = w->GetVersionLine();
        ui::CControlUI* close = w->FindControl(QStringLiteral("closebtn"));
        QTest::mouseClick(close, Qt::LeftButton, Qt::NoModifier, close->rect().center());
    });
    EXPECT_EQ(CAboutWnd::ShowAboutWindow(nullptr), 0);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(line, "Software version 1.0.0.0");
    EXPECT_EQ(lineCn, QString::fromUtf8("软件版本 1.0.0.0"));
    EXPECT_EQ(size, QSize(800, 572));
    EXPECT_EQ(CAboutWnd::Current(), nullptr);
}

}  // namespace
