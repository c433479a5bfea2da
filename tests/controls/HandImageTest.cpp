// The hand-image buttons: picture over the status image, pointer
// enter/leave notifications, panning a picture larger than the control.
#include <gtest/gtest.h>

#include <QPainter>
#include <QTemporaryDir>

#include "ControlsTestSupport.h"
#include "controls/HandImgButtonUI.h"
#include "controls/HandImgSelectButtonUI.h"

namespace {

using controls::CHandImgButtonUI;
using controls::CHandImgSelectButtonUI;

TEST(HandImgButton, DrawsItsPictureAtADestinationRelativeToItself) {
    ctltest::EnsureRegistered();
    uitest::Host host(
        QStringLiteral(
            "<HorizontalLayout bkcolor=\"#000000\"><Control width=\"30\"/>"
            "<CHandImgButtonUI name=\"b\" width=\"100\" height=\"40\" "
            "handimage=\"file='hand.png' dest='50,10,150,30'\"/><Control/></HorizontalLayout>"),
        QSize(200, 40));
    ctltest::AddSolidImage(host.pm.get(), QStringLiteral("hand.png"), QSize(100, 20), Qt::green);
    auto* b = host.Find<CHandImgButtonUI>(QStringLiteral("b"));
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->GetClass(), QStringLiteral("HandImgButton"));
    EXPECT_EQ(b->GetPos().left(), 30);
    const QImage img = ctltest::Render(b);
    EXPECT_EQ(img.pixel(60, 20), qRgb(0, 255, 0));
    EXPECT_EQ(img.pixel(99, 20), qRgb(0, 255, 0));
    EXPECT_EQ(img.pixel(40, 20), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(60, 5), qRgb(0, 0, 0));
    // The part beyond the control's right edge is cut off, not squeezed in:
    // the root shows nothing of it right of the control.
    const QImage whole = host.widget->grab().toImage();
    EXPECT_EQ(whole.pixel(140, 20), qRgb(0, 0, 0));
}

TEST(HandImgButton, PicturesOutsideTheSkinFolder) {
    ctltest::EnsureRegistered();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage img(20, 10, QImage::Format_ARGB32);
    img.fill(QColor(0, 0, 255));
    ASSERT_TRUE(img.save(dir.filePath(QStringLiteral("abs.png"))));
    // An absolute name with an oversized source (cut to the picture), and
    // a missing picture that draws nothing.
    uitest::Host host(
        QStringLiteral("<HorizontalLayout bkcolor=\"#000000\">"
                       "<CHandImgButtonUI name=\"a\" width=\"40\" height=\"20\" "
                       "handimage=\"file='%1' source='0,0,500,500'\"/>"
                       "<CHandImgButtonUI name=\"m\" width=\"40\" height=\"20\" "
                       "handimage=\"file='%2/missing.png'\"/><Control/></HorizontalLayout>")
            .arg(dir.filePath(QStringLiteral("abs.png")), dir.path()),
        QSize(100, 20));
    auto* a = host.Find<CHandImgButtonUI>(QStringLiteral("a"));
    auto* m = host.Find<CHandImgButtonUI>(QStringLiteral("m"));
    ASSERT_TRUE(a && m);
    EXPECT_EQ(ctltest::Render(a).pixel(39, 19), qRgb(0, 0, 255));
    EXPECT_EQ(ctltest::Render(m).pixel(20, 10), qRgb(0, 0, 0));
}

TEST(HandImgButton, ReportsPointerCrossingOnlyWhenEnabled) {
    ctltest::EnsureRegistered();
    uitest::Host host(
        QStringLiteral("<HorizontalLayout><CHandImgButtonUI name=\"b\" width=\"50\"/>"
                       "<CHandImgSelectButtonUI name=\"s\" width=\"50\"/></HorizontalLayout>"),
        QSize(100, 40));
    for (const char* name : {"b", "s"}) {
        auto* c = host.Find<ui::CButtonUI>(QString::fromLatin1(name));
        ASSERT_NE(c, nullptr);
        host.recorder.Clear();
        ctltest::Send(c, ui::UIEVENT_MOUSEENTER, c->GetPos().center());
        EXPECT_TRUE(c->GetButtonState() & ui::UISTATE_HOT);
        ctltest::Send(c, ui::UIEVENT_MOUSELEAVE, {});
        EXPECT_FALSE(c->GetButtonState() & ui::UISTATE_HOT);
        EXPECT_EQ(host.recorder.Types(), (QStringList{"msenter", "msleave"})) << name;
        c->SetEnabled(false);
        host.recorder.Clear();
        ctltest::Send(c, ui::UIEVENT_MOUSEENTER, c->GetPos().center());
        ctltest::Send(c, ui::UIEVENT_MOUSELEAVE, {});
        EXPECT_TRUE(host.recorder.entries.empty()) << name;
    }
}

TEST(HandImgButton, ClickActivatesOnReleaseInside) {
    ctltest::EnsureRegistered();
    uitest::Host host(
        QStringLiteral("<HorizontalLayout><CHandImgButtonUI name=\"b\" width=\"50\"/><Control/>"
                       "</HorizontalLayout>"),
        QSize(100, 40));
    auto* b = host.Find<CHandImgButtonUI>(QStringLiteral("b"));
    ASSERT_NE(b, nullptr);
    ctltest::Send(b, ui::UIEVENT_BUTTONDOWN, {10, 10}, Qt::LeftButton);
    EXPECT_TRUE(b->GetButtonState() & ui::UISTATE_PUSHED);
    ctltest::Send(b, ui::UIEVENT_MOUSEMOVE, {80, 10}, Qt::LeftButton);
    EXPECT_FALSE(b->GetButtonState() & ui::UISTATE_PUSHED);
    ctltest::Send(b, ui::UIEVENT_BUTTONUP, {80, 10});
    EXPECT_EQ(host.recorder.Count(QStringLiteral("click")), 0);
    ctltest::Send(b, ui::UIEVENT_BUTTONDOWN, {10, 10}, Qt::LeftButton);
    ctltest::Send(b, ui::UIEVENT_BUTTONUP, {12, 10});
    EXPECT_EQ(host.recorder.Count(QStringLiteral("click"), b), 1);
}

// A 300x120 picture whose columns encode their x (red = x) for pixel checks.
QImage StripedPicture() {
    QImage img(300, 120, QImage::Format_ARGB32);
    for (int x = 0; x < img.width(); ++x)
        for (int y = 0; y < img.height(); ++y)
            img.setPixel(x, y, qRgb(x % 256, x / 256 * 100, y));
    return img;
}

struct PanFixture {
    explicit PanFixture(const QString& attrs = QString())
        : host(QStringLiteral("<HorizontalLayout><CHandImgSelectButtonUI name=\"s\" width=\"100\" "
                              "height=\"50\" "
                              "handimage=\"pan.png\" %1/><Control/></HorizontalLayout>")
                   .arg(attrs),
               QSize(200, 50), 96) {}
    CHandImgSelectButtonUI* Button() {
        return host.Find<CHandImgSelectButtonUI>(QStringLiteral("s"));
    }
    void Drag(int dx, int dy) {
        CHandImgSelectButtonUI* s = Button();
        const QPoint start(50, 25);
        ctltest::Send(s, ui::UIEVENT_BUTTONDOWN, start, Qt::LeftButton);
        ctltest::Send(s, ui::UIEVENT_MOUSEMOVE, start + QPoint(dx, dy), Qt::LeftButton);
        ctltest::Send(s, ui::UIEVENT_BUTTONUP, start + QPoint(dx, dy));
    }
    uitest::Host host;
};

// The skin names "pan.png" before the test puts it into the image cache;
// each test sets the picture again once it is there.
class HandImgSelect : public ::testing::Test {
protected:
    void SetUp() override { ctltest::EnsureRegistered(); }
};

TEST_F(HandImgSelect, PansInsideThePictureAndStopsAtItsEdges) {
    PanFixture f;
    f.host.pm->AddImage(QStringLiteral("pan.png"), StripedPicture());
    CHandImgSelectButtonUI* s = f.Button();
    ASSERT_NE(s, nullptr);
    s->SetHandImage(QStringLiteral("pan.png"));
    EXPECT_EQ(s->GetClass(), QStringLiteral("HandImgSelectButton"));
    EXPECT_EQ(s->GetImageSize(), QSize(300, 120));
    EXPECT_EQ(s->GetDrawString(), QStringLiteral("file='pan.png' source='0,0,100,50'"));

    f.Drag(-30, 0);  // pointer left: the window moves right
    EXPECT_EQ(s->GetDrawString(), QStringLiteral("file='pan.png' source='30,0,130,50'"));
    EXPECT_EQ(qRed(ctltest::Render(s).pixel(0, 10)), 30);

    f.Drag(50, 0);  // right by more than the left offset: at the left edge, same width
    EXPECT_EQ(s->GetSourceWindow(), QRect(0, 0, 100, 50));

    f.Drag(0, -40);  // up by 40
    EXPECT_EQ(s->GetSourceWindow(), QRect(0, 40, 100, 50));
    f.Drag(0, -40);  // would pass the bottom: stops at it
    EXPECT_EQ(s->GetSourceWindow(), QRect(0, 70, 100, 50));
    f.Drag(-500, 0);  // would pass the right edge: stops at it
    EXPECT_EQ(s->GetSourceWindow(), QRect(200, 70, 100, 50));
    EXPECT_EQ(qRed(ctltest::Render(s).pixel(99, 10)), 299 % 256);
    EXPECT_FALSE(s->IsDragging());

    // Setting the picture again resets the window.
    s->SetHandImage(QStringLiteral("pan.png"));
    EXPECT_EQ(s->GetSourceWindow(), QRect(0, 0, 100, 50));
}

TEST_F(HandImgSelect, SlowDragsAddUpAboveNinetySixDpi) {
    uitest::Host host(
        QStringLiteral("<HorizontalLayout><CHandImgSelectButtonUI name=\"s\" width=\"100\" "
                       "height=\"50\"/><Control/></HorizontalLayout>"),
        QSize(300, 75), 144);
    host.pm->AddImage(QStringLiteral("pan.png"), StripedPicture());
    auto* s = host.Find<CHandImgSelectButtonUI>(QStringLiteral("s"));
    ASSERT_NE(s, nullptr);
    s->SetHandImage(QStringLiteral("pan.png"));
    // 150x75 device pixels show 100x50 picture pixels.
    EXPECT_EQ(s->GetSourceWindow(), QRect(0, 0, 100, 50));
    QPoint pt(140, 30);
    ctltest::Send(s, ui::UIEVENT_BUTTONDOWN, pt, Qt::LeftButton);
    for (int i = 0; i < 30; ++i) {  // 30 moves of one device pixel to the left
        pt.rx() -= 1;
        ctltest::Send(s, ui::UIEVENT_MOUSEMOVE, pt, Qt::LeftButton);
    }
    ctltest::Send(s, ui::UIEVENT_BUTTONUP, pt);
    EXPECT_EQ(s->GetSourceWindow(), QRect(20, 0, 100, 50));
}

TEST_F(HandImgSelect, MovesWithoutAPressDoNotPan) {
    PanFixture f;
    f.host.pm->AddImage(QStringLiteral("pan.png"), StripedPicture());
    CHandImgSelectButtonUI* s = f.Button();
    ASSERT_NE(s, nullptr);
    s->SetHandImage(QStringLiteral("pan.png"));
    ctltest::Send(s, ui::UIEVENT_MOUSEMOVE, {50, 25});
    ctltest::Send(s, ui::UIEVENT_MOUSEMOVE, {10, 25});
    EXPECT_EQ(s->GetSourceWindow(), QRect(0, 0, 100, 50));
    s->SetEnabled(false);
    f.Drag(-30, 0);
    EXPECT_EQ(s->GetSourceWindow(), QRect(0, 0, 100, 50));
}

TEST_F(HandImgSelect, SmallOrMissingPictures) {
    PanFixture f;
    CHandImgSelectButtonUI* s = f.Button();
    ASSERT_NE(s, nullptr);
    QImage small(40, 20, QImage::Format_ARGB32);
    small.fill(Qt::blue);
    f.host.pm->AddImage(QStringLiteral("small.png"), small);
    s->SetHandImage(QStringLiteral("small.png"));
    EXPECT_EQ(s->GetDrawString(), QStringLiteral("small.png"));
    EXPECT_TRUE(s->GetSourceWindow().isNull());
    f.Drag(-30, 0);
    EXPECT_EQ(s->GetDrawString(), QStringLiteral("small.png"));

    s->SetHandImage(QStringLiteral("does/not/exist.png"));
    EXPECT_TRUE(s->GetImageSize().isEmpty());
    f.Drag(-30, 0);  // nothing to pan, nothing drawn, no crash
    ctltest::Render(s);
}

TEST_F(HandImgSelect, CursorNames) {
    PanFixture f(QStringLiteral("cursor=\"sizewe\""));
    CHandImgSelectButtonUI* s = f.Button();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->cursor().shape(), Qt::SizeHorCursor);
    s->SetAttribute(QStringLiteral("cursor"), QStringLiteral("bogus"));
    EXPECT_EQ(s->cursor().shape(), Qt::SizeHorCursor);
    s->SetAttribute(QStringLiteral("cursor"), QStringLiteral("no"));
    EXPECT_EQ(s->cursor().shape(), Qt::ForbiddenCursor);
}

}  // namespace
