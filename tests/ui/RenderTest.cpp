// Image strings: parsing (a table of strings, malformed ones included) and
// drawing (source, dest, nine-slice corners, mask, fade, @2x pictures).
#include <gtest/gtest.h>

#include <QPainter>
#include <QTemporaryDir>

#include "UiTestSupport.h"

using namespace ui;

namespace {

struct ParseCase {
    const char* text;
    bool valid;
    const char* file;
    QRect dest;
    QRect source;
    TMargins corner;
    DWORD mask;
    int fade;
    bool hole, xtiled, ytiled;
};

TEST(UiImageString, ParsesTableOfStrings) {
    const QRect none;
    const ParseCase cases[] = {
        {"common/btn.png", true, "common/btn.png", none, none, {}, 0, 255, false, false, false},
        {"  common/btn.png  ", true, "common/btn.png", none, none, {}, 0, 255, false, false, false},
        {"file='a.png'", true, "a.png", none, none, {}, 0, 255, false, false, false},
        {"res='a.png' restype='PNG'", true, "a.png", none, none, {}, 0, 255, false, false, false},
        {"file='a b.png' dest='1,2,11,22' source='0,0,16,8'",
         true,
         "a b.png",
         QRect(1, 2, 10, 20),
         QRect(0, 0, 16, 8),
         {},
         0,
         255,
         false,
         false,
         false},
        {"file=\"a.png\" corner='4,5,6,7' hole='true'",
         true,
         "a.png",
         none,
         none,
         {4, 5, 6, 7},
         0,
         255,
         true,
         false,
         false},
        {"file='a.png' mask='#FF00FF' fade='128'",
         true,
         "a.png",
         none,
         none,
         {},
         0xFF00FF,
         128,
         false,
         false,
         false},
        {"file='a.png' mask='0xff00ff00'",
         true,
         "a.png",
         none,
         none,
         {},
         0xFF00FF00,
         255,
         false,
         false,
         false},
        {"file='a.png' fade='900' xtiled='true' ytiled='1'",
         true,
         "a.png",
         none,
         none,
         {},
         0,
         255,
         false,
         true,
         true},
        {"file = 'a.png'   unknown='x' hsl='true'",
         true,
         "a.png",
         none,
         none,
         {},
         0,
         255,
         false,
         false,
         false},
        // Malformed: no file, unclosed quote, bad numbers, missing '=', stray quote.
        {"", false, "", none, none, {}, 0, 255, false, false, false},
        {"   ", false, "", none, none, {}, 0, 255, false, false, false},
        {"dest='0,0,10,10'", false, "", none, none, {}, 0, 255, false, false, false},
        {"file='a.png", false, "", none, none, {}, 0, 255, false, false, false},
        {"file='a.png' dest='1,x,3,4'", false, "", none, none, {}, 0, 255, false, false, false},
        {"file='a.png' dest='1,2,3,4,5'", false, "", none, none, {}, 0, 255, false, false, false},
        {"file='a.png' fade='lots'", false, "", none, none, {}, 0, 255, false, false, false},
        {"file='a.png' mask='#zz'", false, "", none, none, {}, 0, 255, false, false, false},
        {"file 'a.png'", false, "", none, none, {}, 0, 255, false, false, false},
        {"file=a.png", false, "", none, none, {}, 0, 255, false, false, false},
        {"a'b.png", false, "", none, none, {}, 0, 255, false, false, false},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.text);
        const TDrawInfo info = ParseImageString(QString::fromUtf8(c.text));
        EXPECT_EQ(info.bValid, c.valid);
        if (!c.valid)
            continue;
        EXPECT_EQ(info.sImageName, QString::fromUtf8(c.file));
        EXPECT_EQ(info.rcDest, c.dest);
        EXPECT_EQ(info.rcSource, c.source);
        EXPECT_EQ(info.rcCorner, c.corner);
        EXPECT_EQ(info.dwMask, c.mask);
        EXPECT_EQ(info.uFade, c.fade);
        EXPECT_EQ(info.bHole, c.hole);
        EXPECT_EQ(info.bTiledX, c.xtiled);
        EXPECT_EQ(info.bTiledY, c.ytiled);
    }
}

TEST(UiImageString, ParsesColours) {
    DWORD c = 0;
    EXPECT_TRUE(ParseColor(QStringLiteral("#19C6E6"), &c));
    EXPECT_EQ(c, 0xFF19C6E6u);
    EXPECT_TRUE(ParseColor(QStringLiteral("#8019C6E6"), &c));
    EXPECT_EQ(c, 0x8019C6E6u);
    EXPECT_TRUE(ParseColor(QStringLiteral("0xFF000000"), &c));
    EXPECT_EQ(c, 0xFF000000u);
    c = 7;
    for (const char* bad : {"", "#", "#GGGGGG", "#123456789", "red"})
        EXPECT_FALSE(ParseColor(QString::fromLatin1(bad), &c)) << bad;
    EXPECT_EQ(c, 7u);
}

class DrawFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        CPaintManagerUI::SetResourcePath(dir.path());
        // 16×16: a red 4-pixel frame around a blue centre.
        QImage frame(16, 16, QImage::Format_ARGB32);
        frame.fill(QColor(255, 0, 0));
        for (int y = 4; y < 12; ++y)
            for (int x = 4; x < 12; ++x)
                frame.setPixelColor(x, y, QColor(0, 0, 255));
        ASSERT_TRUE(frame.save(dir.filePath(QStringLiteral("frame.png"))));
        // 8×8 magenta with a green pixel at (0,0).
        QImage mask(8, 8, QImage::Format_ARGB32);
        mask.fill(QColor(255, 0, 255));
        mask.setPixelColor(0, 0, QColor(0, 255, 0));
        ASSERT_TRUE(mask.save(dir.filePath(QStringLiteral("mask.png"))));
        // A 1× picture in grey and its @2x variant in white.
        QImage one(10, 10, QImage::Format_ARGB32);
        one.fill(QColor(128, 128, 128));
        ASSERT_TRUE(one.save(dir.filePath(QStringLiteral("pic.png"))));
        QImage two(20, 20, QImage::Format_ARGB32);
        two.fill(QColor(255, 255, 255));
        ASSERT_TRUE(two.save(dir.filePath(QStringLiteral("pic@2x.png"))));
    }
    void TearDown() override { CPaintManagerUI::SetResourcePath(QString()); }

    QImage Draw(CPaintManagerUI& pm, const QString& image, QSize size) {
        QImage out(size, QImage::Format_ARGB32);
        out.fill(Qt::black);
        QPainter p(&out);
        CRenderEngine::DrawImageString(p, &pm, QRect(QPoint(0, 0), size), image);
        p.end();
        return out;
    }
    QTemporaryDir dir;
};

TEST_F(DrawFixture, NineSliceKeepsCornersAndStretchesCentre) {
    CPaintManagerUI pm;
    const QImage img = Draw(pm, QStringLiteral("file='frame.png' corner='4,4,4,4'"), QSize(64, 40));
    EXPECT_EQ(img.pixelColor(1, 1), QColor(255, 0, 0));
    EXPECT_EQ(img.pixelColor(3, 20), QColor(255, 0, 0));   // left edge stays 4 wide
    EXPECT_EQ(img.pixelColor(60, 38), QColor(255, 0, 0));  // corner
    EXPECT_EQ(img.pixelColor(5, 20), QColor(0, 0, 255));   // centre starts right after
    EXPECT_EQ(img.pixelColor(58, 34), QColor(0, 0, 255));
    const QImage holed =
        Draw(pm, QStringLiteral("file='frame.png' corner='4,4,4,4' hole='true'"), QSize(64, 40));
    EXPECT_EQ(holed.pixelColor(30, 20), QColor(0, 0, 0));  // centre left out
    EXPECT_EQ(holed.pixelColor(30, 1), QColor(255, 0, 0));
    // Without corners the frame stretches: the border grows with it.
    const QImage stretched = Draw(pm, QStringLiteral("frame.png"), QSize(64, 64));
    EXPECT_EQ(stretched.pixelColor(12, 32), QColor(255, 0, 0));
}

TEST_F(DrawFixture, SourceDestMaskFadeAndMissingPicture) {
    CPaintManagerUI pm;
    // Only the blue centre, into a 10×10 destination at (5,5).
    const QImage part = Draw(
        pm, QStringLiteral("file='frame.png' source='4,4,12,12' dest='5,5,15,15'"), QSize(30, 30));
    EXPECT_EQ(part.pixelColor(2, 2), QColor(0, 0, 0));
    EXPECT_EQ(part.pixelColor(6, 6), QColor(0, 0, 255));
    EXPECT_EQ(part.pixelColor(14, 14), QColor(0, 0, 255));
    EXPECT_EQ(part.pixelColor(16, 16), QColor(0, 0, 0));
    // Mask colour becomes transparent.
    const QImage masked = Draw(pm, QStringLiteral("file='mask.png' mask='#FF00FF'"), QSize(8, 8));
    EXPECT_EQ(masked.pixelColor(4, 4), QColor(0, 0, 0));
    EXPECT_EQ(masked.pixelColor(0, 0), QColor(0, 255, 0));
    // Fade 128 mixes half of the picture into the background.
    const QImage faded = Draw(pm, QStringLiteral("file='frame.png' fade='128'"), QSize(16, 16));
    EXPECT_NEAR(faded.pixelColor(0, 0).red(), 128, 2);
    // A missing picture draws nothing and reports it once.
    uitest::DebugCapture dbg;
    const QImage missing = Draw(pm, QStringLiteral("file='nope.png'"), QSize(8, 8));
    (void)Draw(pm, QStringLiteral("file='nope.png'"), QSize(8, 8));
    EXPECT_EQ(missing.pixelColor(4, 4), QColor(0, 0, 0));
    EXPECT_EQ(dbg.lines.size(), 1);
}

TEST_F(DrawFixture, HighDpiUsesDoubleSizePicture) {
    CPaintManagerUI pm96;
    EXPECT_EQ(pm96.GetImageEx(QStringLiteral("pic.png"))->scale, 1);
    CPaintManagerUI pm144;
    pm144.SetDPI(144);
    TImagePtr hi = pm144.GetImageEx(QStringLiteral("pic.png"));
    ASSERT_TRUE(hi);
    EXPECT_EQ(hi->scale, 2);
    EXPECT_EQ(hi->logicalSize(), QSize(10, 10));
    // dest is scaled with the DPI: 10 units → 15 pixels at 144 DPI.
    const QImage img =
        Draw(pm144, QStringLiteral("file='pic.png' dest='0,0,10,10'"), QSize(20, 20));
    EXPECT_EQ(img.pixelColor(14, 14), QColor(255, 255, 255));
    EXPECT_EQ(img.pixelColor(16, 16), QColor(0, 0, 0));
}

}  // namespace
