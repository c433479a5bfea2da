// Control tree, lookup, notifications, layout, timers, DPI and language.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "TestSupport.h"
#include "UiTestSupport.h"

using namespace ui;
using uitest::Host;

namespace {

const char* kTree = R"(<?xml version="1.0" encoding="utf-8"?>
<Window size="400,300">
  <VerticalLayout name="root" bkcolor="#FF15171C" inset="10,10,10,10" childpadding="5">
    <HorizontalLayout name="row" height="40">
      <Button name="btn" width="100" text="Press"/>
      <Label name="lbl" text="Hello"/>
      <Control name="spacer"/>
    </HorizontalLayout>
    <HorizontalLayout height="30">
      <Option name="opt0" group="tabs" width="80" selected="true" bindtabindex="0" bindtablayoutname="pages"/>
      <Option name="opt1" group="tabs" width="80" bindtabindex="1" bindtablayoutname="pages"/>
      <Option name="opt2" group="tabs" width="80" bindtabindex="2" bindtablayoutname="pages"/>
    </HorizontalLayout>
    <TabLayout name="pages">
      <Label name="page0" text="zero"/>
      <Label name="page1" text="one"/>
      <Label name="page2" text="two"/>
    </TabLayout>
  </VerticalLayout>
</Window>)";

TEST(UiCore, LookupByNameAndClassAndLayout) {
    Host h(QString::fromUtf8(kTree));
    ASSERT_NE(h.root, nullptr);
    EXPECT_EQ(h.root->GetName(), "root");
    CControlUI* btn = h.pm->FindControl(QStringLiteral("btn"));
    ASSERT_NE(btn, nullptr);
    EXPECT_EQ(btn->GetClass(), "ButtonUI");
    EXPECT_NE(btn->GetInterface(QStringLiteral("Button")), nullptr);
    EXPECT_NE(btn->GetInterface(QStringLiteral("Label")), nullptr);
    EXPECT_EQ(btn->GetInterface(QStringLiteral("Option")), nullptr);
    EXPECT_EQ(h.pm->FindControl(QStringLiteral("nope")), nullptr);
    CControlUI* row = h.pm->FindControl(QStringLiteral("row"));
    EXPECT_EQ(h.pm->FindSubControlByName(row, QStringLiteral("lbl")),
              h.pm->FindControl(QStringLiteral("lbl")));
    EXPECT_EQ(h.pm->FindSubControlByName(row, QStringLiteral("opt0")), nullptr);
    EXPECT_EQ(h.pm->FindSubControlByClass(h.root, QStringLiteral("OptionUI"), 1),
              h.pm->FindControl(QStringLiteral("opt1")));
    EXPECT_EQ(h.pm->FindSubControlsByClass(h.root, QStringLiteral("OptionUI")).size(), 3);

    // Fixed sizes, inset, shared remainder.
    EXPECT_EQ(btn->GetPos(), QRect(10, 10, 100, 40));
    CControlUI* lbl = h.pm->FindControl(QStringLiteral("lbl"));
    CControlUI* spacer = h.pm->FindControl(QStringLiteral("spacer"));
    EXPECT_EQ(lbl->GetPos().left(), 110);
    EXPECT_EQ(lbl->GetPos().width() + spacer->GetPos().width(), 380 - 100);
    CControlUI* pages = h.pm->FindControl(QStringLiteral("pages"));
    EXPECT_EQ(pages->GetPos().top(), 10 + 40 + 5 + 30 + 5);
    EXPECT_EQ(pages->GetPos().bottom(), 300 - 10 - 1);
    // A renamed control is found by its new name only.
    lbl->SetName(QStringLiteral("renamed"));
    EXPECT_EQ(h.pm->FindControl(QStringLiteral("renamed")), lbl);
    EXPECT_EQ(h.pm->FindControl(QStringLiteral("lbl")), nullptr);
}

TEST(UiCore, RealClickGivesExactlyOneClickWithSender) {
    Host h(QString::fromUtf8(kTree));
    auto* btn = h.Find<CButtonUI>(QStringLiteral("btn"));
    ASSERT_NE(btn, nullptr);
    QTest::mouseClick(btn, Qt::LeftButton, Qt::NoModifier, QPoint(50, 20));
    EXPECT_EQ(h.recorder.Count(QStringLiteral("click")), 1);
    EXPECT_EQ(h.recorder.Count(QStringLiteral("click"), btn), 1);
    // Pressing inside and releasing outside is no click; a disabled button never clicks.
    h.recorder.Clear();
    QTest::mousePress(btn, Qt::LeftButton, Qt::NoModifier, QPoint(50, 20));
    QTest::mouseMove(btn, QPoint(300, 20));
    QTest::mouseRelease(btn, Qt::LeftButton, Qt::NoModifier, QPoint(300, 20));
    EXPECT_EQ(h.recorder.Count(QStringLiteral("click")), 0);
    btn->SetEnabled(false);
    QTest::mouseClick(btn, Qt::LeftButton, Qt::NoModifier, QPoint(50, 20));
    EXPECT_EQ(h.recorder.Count(QStringLiteral("click")), 0);
}

TEST(UiCore, OptionGroupIsExclusiveAndBoundTabFollows) {
    Host h(QString::fromUtf8(kTree));
    auto* o0 = h.Find<COptionUI>(QStringLiteral("opt0"));
    auto* o1 = h.Find<COptionUI>(QStringLiteral("opt1"));
    auto* o2 = h.Find<COptionUI>(QStringLiteral("opt2"));
    auto* tab = h.Find<CTabLayoutUI>(QStringLiteral("pages"));
    ASSERT_TRUE(o0 && o1 && o2 && tab);
    EXPECT_TRUE(o0->IsSelected());
    EXPECT_EQ(tab->GetCurSel(), 0);

    QTest::mouseClick(o2, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_TRUE(o2->IsSelected());
    EXPECT_FALSE(o0->IsSelected());
    EXPECT_FALSE(o1->IsSelected());
    EXPECT_EQ(tab->GetCurSel(), 2);
    EXPECT_TRUE(h.pm->FindControl(QStringLiteral("page2"))->IsVisible());
    EXPECT_FALSE(h.pm->FindControl(QStringLiteral("page0"))->IsVisible());
    EXPECT_EQ(h.recorder.Count(QStringLiteral("selectchanged"), o2), 1);
    EXPECT_EQ(h.recorder.Count(QStringLiteral("click"), o2), 1);
    EXPECT_EQ(h.recorder.Count(QStringLiteral("tabselect"), tab), 1);

    // From code: the same effects, no notification.
    h.recorder.Clear();
    o1->Selected(true);
    EXPECT_TRUE(o1->IsSelected());
    EXPECT_FALSE(o2->IsSelected());
    EXPECT_EQ(tab->GetCurSel(), 1);
    tab->SelectItem(0);
    EXPECT_EQ(tab->GetCurSel(), 0);
    EXPECT_TRUE(h.recorder.entries.empty()) << h.recorder.Types().join(',').toStdString();
    EXPECT_FALSE(tab->SelectItem(7));
    EXPECT_EQ(tab->GetCurSel(), 0);
}

TEST(UiCore, ControlTimersFireAndStopWhenKilled) {
    Host h(QString::fromUtf8(kTree));
    CControlUI* lbl = h.pm->FindControl(QStringLiteral("lbl"));
    ASSERT_TRUE(h.pm->SetTimer(lbl, 7, 10));
    ASSERT_TRUE(testsupport::SpinUntil(
        [&] { return h.recorder.Count(QStringLiteral("timer"), lbl) >= 2; }));
    for (const auto& e : h.recorder.entries) {
        if (e.type == QLatin1String("timer")) {
            EXPECT_EQ(e.wParam, 7u);
        }
    }
    EXPECT_TRUE(h.pm->KillTimer(lbl, 7));
    EXPECT_FALSE(h.pm->KillTimer(lbl, 7));
    h.recorder.Clear();
    QTest::qWait(60);
    EXPECT_EQ(h.recorder.Count(QStringLiteral("timer")), 0);
    // A destroyed control's timers are gone with it.
    h.pm->SetTimer(lbl, 1, 5);
    delete lbl;
    QTest::qWait(30);
    EXPECT_EQ(h.recorder.Count(QStringLiteral("timer")), 0);
}

// A derived control takes timer events itself through DoEvent.
class TickControl : public CControlUI {
public:
    int ticks = 0;
    void DoEvent(TEventUI& e) override {
        if (e.Type == UIEVENT_TIMER) {
            ++ticks;
            return;
        }
        CControlUI::DoEvent(e);
    }
};

TEST(UiCore, DerivedControlOverridesDoEventAndBuilderCallback) {
    struct Callback : IDialogBuilderCallback {
        CControlUI* CreateControl(const QString& name) override {
            return name.compare(QLatin1String("Tick"), Qt::CaseInsensitive) == 0 ? new TickControl()
                                                                                 : nullptr;
        }
    } cb;
    Host h(QStringLiteral("<VerticalLayout><tick name='t' height='20'/></VerticalLayout>"),
           QSize(100, 100), 96, &cb);
    auto* t = h.Find<TickControl>(QStringLiteral("t"));
    ASSERT_NE(t, nullptr);
    h.pm->SetTimer(t, 3, 5);
    ASSERT_TRUE(testsupport::SpinUntil([&] { return t->ticks >= 2; }));
    EXPECT_EQ(h.recorder.Count(QStringLiteral("timer")), 0);
    h.pm->KillTimer(t);

    // The factory route, by registered name.
    CControlFactory::GetInstance()->RegistControl(QStringLiteral("CTickTestUI"),
                                                  [] { return new TickControl(); });
    Host h2(QStringLiteral("<VerticalLayout><CTickTestUI name='t2'/></VerticalLayout>"));
    EXPECT_NE(h2.Find<TickControl>(QStringLiteral("t2")), nullptr);
}

TEST(UiCore, Dpi144ScalesPixelAttributes) {
    const QString xml = QStringLiteral(
        "<HorizontalLayout><VerticalLayout width='100'><Button name='b' width='100' height='40' "
        "padding='4,4,0,0'/></VerticalLayout></HorizontalLayout>");
    Host h96(xml, QSize(600, 400), 96);
    Host h144(xml, QSize(600, 400), 144);
    EXPECT_EQ(h96.pm->FindControl(QStringLiteral("b"))->GetPos().size(), QSize(100, 40));
    EXPECT_EQ(h144.pm->FindControl(QStringLiteral("b"))->GetPos().size(), QSize(150, 60));
    EXPECT_EQ(h144.pm->FindControl(QStringLiteral("b"))->GetPos().topLeft(), QPoint(6, 6));
    EXPECT_EQ(h144.pm->GetFont(-1).pixelSize(), 21);
    // Out-of-range DPI values are clamped; changing DPI relays out.
    h96.pm->SetDPI(500);
    EXPECT_EQ(h96.pm->GetDPI(), 192);
    EXPECT_EQ(h96.pm->FindControl(QStringLiteral("b"))->GetPos().size(), QSize(200, 80));
}

TEST(UiCore, LanguageSwitchChangesEveryText) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto write = [&](const QString& name, const QString& body) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(body.toUtf8());
    };
    write(QStringLiteral("en.xml"),
          QStringLiteral("<Language name='en'><Text id='t_ok'>OK</Text><Text id='t_tip'>Tip</Text>"
                         "<Text id='t_title' value='Title'/></Language>"));
    write(
        QStringLiteral("cn.xml"),
        QStringLiteral("<Language name='cn'><Text id='t_ok'>确定</Text><Text id='t_tip'>提示</Text>"
                       "<Text id='t_title' value='标题'/></Language>"));
    auto* rm = CResourceManager::GetInstance();
    ASSERT_TRUE(rm->LoadLanguage(dir.filePath(QStringLiteral("en.xml"))));
    Host h(QStringLiteral(
        "<VerticalLayout><Button name='b' textid='t_ok' tooltipid='t_tip'/>"
        "<Label name='l' textid='t_title'/><Label name='raw' text='t_ok'/></VerticalLayout>"));
    CControlUI* b = h.pm->FindControl(QStringLiteral("b"));
    CControlUI* l = h.pm->FindControl(QStringLiteral("l"));
    EXPECT_EQ(b->GetText(), "OK");
    EXPECT_EQ(b->toolTip(), "Tip");
    EXPECT_EQ(l->GetText(), "Title");
    EXPECT_EQ(b->GetTextId(), "t_ok");
    ASSERT_TRUE(rm->LoadLanguage(dir.filePath(QStringLiteral("cn.xml"))));
    rm->ReloadText();
    EXPECT_EQ(b->GetText(), QString::fromUtf8("确定"));
    EXPECT_EQ(b->toolTip(), QString::fromUtf8("提示"));
    EXPECT_EQ(l->GetText(), QString::fromUtf8("标题"));
    EXPECT_EQ(h.pm->FindControl(QStringLiteral("raw"))->GetText(), "t_ok");  // literal text stays
    // An unknown id shows itself; a broken table keeps the loaded one.
    EXPECT_EQ(rm->GetText(QStringLiteral("no_such_id")), "no_such_id");
    write(QStringLiteral("bad.xml"), QStringLiteral("<Language><Text id='t_ok'>x</Language>"));
    {
        uitest::DebugCapture dbg;
        EXPECT_FALSE(rm->LoadLanguage(dir.filePath(QStringLiteral("bad.xml"))));
        EXPECT_FALSE(dbg.lines.isEmpty());
    }
    EXPECT_EQ(b->GetText(), QString::fromUtf8("确定"));
    rm->ResetTextMap();
}

TEST(UiCore, UnknownTagsAndAttributesAreSkipped) {
    uitest::DebugCapture dbg;
    Host h(QStringLiteral(
        "<VerticalLayout name='v' frobnicate='7' width='abc'>"
        "<NoSuchControl name='x'><Button name='inner'/></NoSuchControl>"
        "<Button name='b' height='-5' bkcolor='#zzzzzz' pos='1,2,x,4' padding='a,b' "
        "bordersize='' align='sideways' font='999' bkimage=\"file='missing.png' dest='1,2\"/>"
        "</VerticalLayout>"));
    ASSERT_NE(h.root, nullptr);
    EXPECT_EQ(h.pm->FindControl(QStringLiteral("x")), nullptr);
    EXPECT_EQ(h.pm->FindControl(QStringLiteral("inner")), nullptr);
    CControlUI* b = h.pm->FindControl(QStringLiteral("b"));
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->GetFixedHeight(), 0);
    EXPECT_EQ(b->GetBkColor(), 0u);
    EXPECT_TRUE(dbg.Contains(QStringLiteral("NoSuchControl")));
    // Painting a control with a broken image string and a missing picture is safe.
    (void)h.widget->grab();
    // Children given to a control that cannot hold them are dropped.
    Host h2(QStringLiteral(
        "<VerticalLayout><Label name='l'><Button name='child'/></Label></VerticalLayout>"));
    EXPECT_NE(h2.pm->FindControl(QStringLiteral("l")), nullptr);
    EXPECT_EQ(h2.pm->FindControl(QStringLiteral("child")), nullptr);
}

TEST(UiCore, MalformedXmlGivesNullAndDebugLine) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("broken.xml"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<Window size='10,10'><VerticalLayout><Button name='b'></VerticalLayout>");
    f.close();
    CPaintManagerUI pm;
    for (const QString& xml :
         {path, QStringLiteral("<VerticalLayout><Label"), QStringLiteral(""),
          dir.filePath(QStringLiteral("missing.xml")), QStringLiteral("<a/><b/>")}) {
        uitest::DebugCapture dbg;
        CDialogBuilder builder;
        EXPECT_EQ(builder.Create(xml, QString(), nullptr, &pm), nullptr) << xml.toStdString();
        EXPECT_FALSE(dbg.lines.isEmpty()) << xml.toStdString();
    }
    EXPECT_EQ(pm.FindControl(QStringLiteral("b")), nullptr);
}

TEST(UiCore, WindowAttributesFontsAndDefaults) {
    Host h(QStringLiteral(
        "<Window size='320,200' caption='0,0,0,32' mininfo='200,100'>"
        "<Font id='3' name='Noto Sans' size='30' bold='true'/>"
        "<Font id='0' name='Noto Sans' size='15' default='true'/>"
        "<Default name='Button' value='height=&quot;33&quot; textcolor=&quot;#FF112233&quot;'/>"
        "<VerticalLayout><Button name='b' font='3'/><Button name='c' height='20'/></VerticalLayout>"
        "</Window>"));
    EXPECT_EQ(h.pm->GetInitSize(), QSize(320, 200));
    EXPECT_TRUE(h.pm->IsCaptionPoint(QPoint(100, 10)));
    EXPECT_FALSE(h.pm->IsCaptionPoint(QPoint(100, 40)));
    EXPECT_EQ(h.pm->GetFont(3).pixelSize(), 30);
    EXPECT_TRUE(h.pm->GetFont(3).bold());
    EXPECT_EQ(h.pm->GetFont(-1).pixelSize(), 15);
    EXPECT_EQ(h.pm->GetFont(77).pixelSize(), 15);
    auto* b = h.Find<CButtonUI>(QStringLiteral("b"));
    EXPECT_EQ(b->GetFixedHeight(), 33);
    EXPECT_EQ(b->GetTextColor(), 0xFF112233u);
    EXPECT_EQ(h.Find<CButtonUI>(QStringLiteral("c"))->GetFixedHeight(), 20);  // own attribute wins
}

}  // namespace

TEST(UiCore, SkinPathsWithBackslashesResolveBelowTheResourcePath) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("XML/CustomControlXML")));
    QFile f(dir.filePath(QStringLiteral("XML/CustomControlXML/Part.xml")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<HorizontalLayout name='part_root'><Button name='part_button'/></HorizontalLayout>");
    f.close();
    CPaintManagerUI::SetResourcePath(dir.path());
    CPaintManagerUI pm;
    CDialogBuilder builder;
    CControlUI* root = builder.Create(QStringLiteral("XML\\CustomControlXML\\Part.xml"), QString(),
                                      nullptr, &pm);
    CPaintManagerUI::SetResourcePath(QString());
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->GetName(), "part_root");
    delete root;
}
