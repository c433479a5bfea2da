// Slider, edit, combo, list, colour palette, scrolling, menus and tray.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "TestSupport.h"
#include "UiTestSupport.h"

using namespace ui;
using uitest::Host;

namespace {

TEST(UiControls, SliderDragGivesMoveValueChangedThenValueChanged) {
    Host h(QStringLiteral(
        "<VerticalLayout><Slider name='s' width='200' height='20' min='0' max='100' value='0'/>"
        "<Control/></VerticalLayout>"));
    auto* s = h.Find<CSliderUI>(QStringLiteral("s"));
    ASSERT_NE(s, nullptr);
    const QPoint thumb = s->GetThumbRect().center() - s->GetPos().topLeft();
    QTest::mousePress(s, Qt::LeftButton, Qt::NoModifier, thumb);
    QTest::mouseMove(s, QPoint(100, 10));
    QTest::mouseMove(s, QPoint(150, 10));
    EXPECT_GE(h.recorder.Count(QStringLiteral("movevaluechanged"), s), 1);
    EXPECT_EQ(h.recorder.Count(QStringLiteral("valuechanged")), 0);
    QTest::mouseRelease(s, Qt::LeftButton, Qt::NoModifier, QPoint(150, 10));
    ASSERT_FALSE(h.recorder.entries.empty());
    EXPECT_EQ(h.recorder.entries.back().type, "valuechanged");
    EXPECT_EQ(h.recorder.Count(QStringLiteral("valuechanged"), s), 1);
    EXPECT_NEAR(s->GetValue(), 150 * 100 / 200, 5);
    // From code: clamped, silent.
    h.recorder.Clear();
    s->SetValue(500);
    EXPECT_EQ(s->GetValue(), 100);
    s->SetValue(-3);
    EXPECT_EQ(s->GetValue(), 0);
    EXPECT_TRUE(h.recorder.entries.empty());
    // Disabled: no drag.
    s->SetEnabled(false);
    QTest::mouseClick(s, Qt::LeftButton, Qt::NoModifier, QPoint(190, 10));
    EXPECT_EQ(s->GetValue(), 0);
}

TEST(UiControls, EditFocusTextAndLimits) {
    Host h(QStringLiteral(
        "<VerticalLayout><Edit name='e' height='30' maxchar='5' numberonly='true' "
        "minnumber='0' maxnumber='255'/><Edit name='other' height='30'/></VerticalLayout>"));
    auto* e = h.Find<CEditUI>(QStringLiteral("e"));
    auto* other = h.Find<CEditUI>(QStringLiteral("other"));
    ASSERT_TRUE(e && other);
    h.widget->activateWindow();
    e->SetFocus();
    ASSERT_TRUE(testsupport::SpinUntil([&] { return e->GetLineEdit()->hasFocus(); }));
    EXPECT_EQ(h.recorder.Count(QStringLiteral("setfocus"), e), 1);
    QTest::keyClicks(e->GetLineEdit(), QStringLiteral("3a0099"));
    EXPECT_EQ(e->GetText(), "30099");  // digits only, at most 5
    EXPECT_GE(h.recorder.Count(QStringLiteral("textchanged"), e), 1);
    QTest::keyClick(e->GetLineEdit(), Qt::Key_Return);
    EXPECT_EQ(h.recorder.Count(QStringLiteral("return"), e), 1);
    other->SetFocus();
    ASSERT_TRUE(testsupport::SpinUntil(
        [&] { return h.recorder.Count(QStringLiteral("killfocus"), e) == 1; }));
    EXPECT_EQ(e->GetText(), "255");  // kept inside its range when focus leaves
    // Text from code raises no "textchanged".
    h.recorder.Clear();
    e->SetText(QStringLiteral("12"));
    EXPECT_EQ(e->GetText(), "12");
    EXPECT_EQ(h.recorder.Count(QStringLiteral("textchanged")), 0);
}

const char* kCombo = R"(<VerticalLayout>
  <Combo name='c' height='30' width='200'>
    <ListLabelElement text='alpha' userdata='a'/>
    <ListLabelElement text='beta' selected='true'/>
    <ListLabelElement text='gamma'/>
  </Combo>
  <List name='l' height='200' itemheight='30'>
    <ListLabelElement name='r0' text='one'/>
    <ListLabelElement name='r1' text='two'/>
    <ListContainerElement name='r2'><Label text='three'/></ListContainerElement>
  </List>
  <Control/>
</VerticalLayout>)";

TEST(UiControls, ComboUserChoiceNotifiesAndCodeChoiceDoesNot) {
    Host h(QString::fromUtf8(kCombo));
    auto* c = h.Find<CComboUI>(QStringLiteral("c"));
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->GetCount(), 3);
    EXPECT_EQ(c->GetCurSel(), 1);
    EXPECT_EQ(c->GetText(), "beta");
    // From code: silent.
    EXPECT_TRUE(c->SelectItem(2));
    EXPECT_EQ(c->GetText(), "gamma");
    EXPECT_FALSE(c->SelectItem(9));
    EXPECT_EQ(h.recorder.Count(QStringLiteral("itemselect")), 0);
    // The user opens the drop-down and picks the first row.
    QTest::mouseClick(c, Qt::LeftButton, Qt::NoModifier, QPoint(20, 15));
    CComboWnd* drop = c->GetDropWindow();
    ASSERT_NE(drop, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(drop));
    const QPoint row0 = drop->RowRect(0).center();
    QTest::mouseMove(drop, row0);
    QTest::mouseClick(drop, Qt::LeftButton, Qt::NoModifier, row0);
    EXPECT_EQ(c->GetCurSel(), 0);
    ASSERT_EQ(h.recorder.Count(QStringLiteral("itemselect"), c), 1);
    for (const auto& e : h.recorder.entries) {
        if (e.type == QLatin1String("itemselect")) {
            EXPECT_EQ(e.wParam, 0u);
            EXPECT_EQ(e.lParam, 2);
        }
    }
    EXPECT_TRUE(testsupport::SpinUntil([&] { return c->GetDropWindow() == nullptr; }));
    // Removing the selected item clears the selection safely.
    c->RemoveAt(0);
    EXPECT_EQ(c->GetCurSel(), -1);
    EXPECT_EQ(c->GetCount(), 2);
}

TEST(UiControls, ListRowsSelectClickAndActivate) {
    Host h(QString::fromUtf8(kCombo), QSize(300, 400));
    auto* l = h.Find<CListUI>(QStringLiteral("l"));
    auto* r1 = h.Find<CListLabelElementUI>(QStringLiteral("r1"));
    auto* r2 = h.Find<CListContainerElementUI>(QStringLiteral("r2"));
    ASSERT_TRUE(l && r1 && r2);
    QTest::mouseClick(r1, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_EQ(l->GetCurSel(), 1);
    EXPECT_TRUE(r1->IsSelected());
    EXPECT_EQ(h.recorder.Count(QStringLiteral("itemselect"), l), 1);
    EXPECT_EQ(h.recorder.Count(QStringLiteral("itemclick"), r1), 1);
    QTest::mouseDClick(r2, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_EQ(l->GetCurSel(), 2) << h.recorder.Types().join(',').toStdString();
    EXPECT_FALSE(r1->IsSelected());
    EXPECT_EQ(h.recorder.Count(QStringLiteral("itemactivate"), r2), 1);
    h.recorder.Clear();
    l->SelectItem(0);
    EXPECT_EQ(l->GetCurSel(), 0);
    EXPECT_EQ(h.recorder.Count(QStringLiteral("itemselect")), 0);
    l->SelectItem(1, false, true);
    EXPECT_EQ(h.recorder.Count(QStringLiteral("itemselect")), 1);
}

TEST(UiControls, OverflowingListScrolls) {
    QString xml = QStringLiteral("<VerticalLayout><List name='l' height='90' itemheight='30'>");
    for (int i = 0; i < 10; ++i)
        xml += QStringLiteral("<ListLabelElement name='i%1' text='row %1'/>").arg(i);
    xml += QStringLiteral("</List><Control/></VerticalLayout>");
    Host h(xml, QSize(200, 300));
    auto* l = h.Find<CListUI>(QStringLiteral("l"));
    ASSERT_NE(l, nullptr);
    ASSERT_NE(l->GetVerticalScrollBar(), nullptr);
    EXPECT_TRUE(l->GetVerticalScrollBar()->IsVisible());
    EXPECT_EQ(l->GetScrollRange().height(), 300 - 90);
    CControlUI* i5 = h.pm->FindControl(QStringLiteral("i5"));
    l->SelectItem(5);  // scrolls it into view
    EXPECT_GE(i5->GetPos().top(), l->GetPos().top());
    EXPECT_LE(i5->GetPos().bottom(), l->GetPos().bottom());
    QWheelEvent wheelDown(QPointF(10, 10), l->mapToGlobal(QPointF(10, 10)), QPoint(),
                          QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    l->SetScrollPos({0, 0});
    QApplication::sendEvent(h.pm->FindControl(QStringLiteral("i0")), &wheelDown);
    EXPECT_GT(l->GetScrollPos().height(), 0);
}

TEST(UiControls, ColorPaletteUserPickNotifiesCodeDoesNot) {
    Host h(QStringLiteral(
        "<VerticalLayout><ColorPalette name='p' width='200' height='150' barheight='12'/>"
        "<Control/></VerticalLayout>"));
    auto* p = h.Find<CColorPaletteUI>(QStringLiteral("p"));
    ASSERT_NE(p, nullptr);
    p->SetSelectColor(0xFF00FF00);
    EXPECT_EQ(p->GetSelectColor(), 0xFF00FF00u);
    EXPECT_EQ(h.recorder.Count(QStringLiteral("colorchanged")), 0);
    // A pick at the field's top-left corner is red at full saturation and brightness.
    QTest::mouseClick(p, Qt::LeftButton, Qt::NoModifier, QPoint(1, 1));
    const QColor red = QColor::fromRgba(p->GetSelectColor());
    EXPECT_EQ(red.red(), 255);
    EXPECT_LE(red.green(), 10);
    EXPECT_LE(red.blue(), 10);
    EXPECT_EQ(h.recorder.Count(QStringLiteral("colorchanged"), p), 1);
    // The bar's left end is (nearly) black.
    const QRect bar = p->BarRect().translated(-p->GetPos().topLeft());
    QTest::mouseClick(p, Qt::LeftButton, Qt::NoModifier, QPoint(1, bar.center().y()));
    EXPECT_LE(QColor::fromRgba(p->GetSelectColor()).red(), 3);
    EXPECT_EQ(h.recorder.Count(QStringLiteral("colorchanged"), p), 2)
        << h.recorder.Types().join(',').toStdString() << " bar " << bar.y() << "," << bar.height()
        << " pos " << p->GetPos().height();
}

TEST(UiControls, MenuPlacementAndChosenItem) {
    const QRect screen(0, 0, 1000, 800);
    using M = CMenuWnd;
    EXPECT_EQ(
        M::PlaceMenu({100, 100}, {50, 40}, M::eMenuAlignment_Left | M::eMenuAlignment_Top, screen),
        QRect(100, 100, 50, 40));
    EXPECT_EQ(M::PlaceMenu({100, 100}, {50, 40}, M::eMenuAlignment_Right | M::eMenuAlignment_Bottom,
                           screen),
              QRect(51, 61, 50, 40));
    EXPECT_EQ(
        M::PlaceMenu({990, 790}, {50, 40}, M::eMenuAlignment_Left | M::eMenuAlignment_Top, screen),
        QRect(950, 760, 50, 40));

    QWidget owner;
    owner.resize(300, 200);
    owner.show();
    QString chosen, viaMessage;
    platform::MessageWindow target([&](std::uint32_t m, platform::WParam w, platform::LParam) {
        if (m == 1145)
            viaMessage = CMenuWnd::ItemName(w);
        return 0;
    });
    auto* menu = new CMenuWnd();
    menu->SetCommandTarget(target.Handle(), 1145);
    ASSERT_TRUE(menu->Init(
        &owner,
        QStringLiteral("<Menu width='160'><MenuElement name='about_menu' text='About'/>"
                       "<MenuSeparator/><MenuElement name='exit' text='Exit'/></Menu>"),
        owner.mapToGlobal(QPoint(10, 10)), M::eMenuAlignment_Left | M::eMenuAlignment_Top,
        [&](const QString& n) { chosen = n; }));
    EXPECT_EQ(menu->width(), 160);
    EXPECT_EQ(menu->height(), 4 + 30 + 9 + 30 + 4);
    CControlUI* exitItem = menu->FindControl(QStringLiteral("exit"));
    ASSERT_NE(exitItem, nullptr);
    QTest::mouseClick(exitItem, Qt::LeftButton, Qt::NoModifier, QPoint(20, 10));
    EXPECT_EQ(chosen, "exit");
    EXPECT_EQ(viaMessage, "exit");
    EXPECT_EQ(menu->GetChosenName(), "exit");
    EXPECT_FALSE(menu->isVisible());
    delete menu;
}

TEST(UiControls, TrayClicksReachOwnerAsMessages) {
    std::vector<std::pair<unsigned, LPARAM>> got;
    platform::MessageWindow owner([&](std::uint32_t m, platform::WParam, platform::LParam l) {
        got.push_back({m, l});
        return 0;
    });
    CTrayIcon tray;
    tray.CreateTrayIcon(owner.Handle(), QStringLiteral("no-such-icon.png"),
                        QStringLiteral("NUVARO ZR7"), 1025);
    EXPECT_EQ(tray.GetTooltipText(), "NUVARO ZR7");
    int callbacks = 0;
    tray.SetCallback([&](LPARAM) { ++callbacks; });
    tray.Deliver(WM_LBUTTONUP);
    tray.Deliver(WM_RBUTTONUP);
    ASSERT_TRUE(testsupport::SpinUntil([&] { return got.size() == 2; }));
    EXPECT_EQ(got[0], std::make_pair(1025u, WM_LBUTTONUP));
    EXPECT_EQ(got[1], std::make_pair(1025u, WM_RBUTTONUP));
    EXPECT_EQ(callbacks, 2);
    tray.DeleteTrayIcon();
    EXPECT_FALSE(tray.IsVisible());
}

}  // namespace
