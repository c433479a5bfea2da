// The ring: background disc, fore pie clockwise from straight down by the
// raw value over the range, inner disc leaving a 10-pixel ring.
#include <gtest/gtest.h>

#include <cmath>

#include "ControlsTestSupport.h"
#include "controls/CircleProgressUI.h"

namespace {

using controls::CCircleProgressUI;

const QColor kBack(0, 200, 0);
const QColor kFore(200, 0, 0);

struct RingCase {
    int min, max, value;
    int expectedSweep;
};

class CircleProgressTest : public ::testing::TestWithParam<RingCase> {};

// A point in the middle of the ring at `degrees` clockwise from straight
// down (screen coordinates, y down).
QPoint RingPoint(double degrees) {
    const double rad = degrees * M_PI / 180.0;
    const double r = 50 - 5;  // control 100x100, ring 10 wide
    return QPoint(int(std::lround(50 - r * std::sin(rad))),
                  int(std::lround(50 + r * std::cos(rad))));
}

TEST_P(CircleProgressTest, FillsTheRingClockwiseFromTheBottom) {
    ctltest::EnsureRegistered();
    const RingCase c = GetParam();
    uitest::Host host(
        QStringLiteral(
            "<HorizontalLayout><CCircleProgressUI name=\"p\" width=\"100\" height=\"100\" "
            "bkcolor=\"#00C800\" forecolor=\"#C80000\" min=\"%1\" max=\"%2\" value=\"%3\"/>"
            "<Control/></HorizontalLayout>")
            .arg(c.min)
            .arg(c.max)
            .arg(c.value),
        QSize(200, 100));
    auto* p = host.Find<CCircleProgressUI>(QStringLiteral("p"));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->GetClass(), QStringLiteral("CircleProgress"));
    EXPECT_EQ(p->SweepDegrees(), c.expectedSweep);

    const QImage img = ctltest::Render(p);
    ASSERT_EQ(img.size(), QSize(100, 100));
    EXPECT_EQ(img.pixel(50, 50), qRgb(255, 255, 255)) << "inner disc";
    EXPECT_EQ(img.pixel(50, 22), qRgb(255, 255, 255)) << "inner disc reaches 10 px from the edge";
    for (int deg = 5; deg < 360; deg += 10) {
        const QPoint pt = RingPoint(deg);
        const QRgb expected = deg < c.expectedSweep ? ctltest::Rgb(kFore) : ctltest::Rgb(kBack);
        EXPECT_EQ(img.pixel(pt), expected) << "at " << deg << " degrees";
    }
}

INSTANTIATE_TEST_SUITE_P(Values, CircleProgressTest,
                         ::testing::Values(RingCase{0, 100, 0, 0},      // only the background ring
                                           RingCase{0, 100, 100, 360},  // full range: a full ring
                                           RingCase{0, 100, 25, 90},    // quarter, bottom to left
                                           RingCase{20, 120, 50,
                                                    180},  // the raw value, not value - min
                                           RingCase{5, 5, 5, 0}));  // empty range draws no pie

TEST(CircleProgress, NeverDrawsItsForeImage) {
    ctltest::EnsureRegistered();
    uitest::Host host(
        QStringLiteral(
            "<HorizontalLayout><CCircleProgressUI name=\"p\" width=\"60\" height=\"60\" "
            "bkcolor=\"#00C800\" foreimage=\"red.png\" value=\"0\"/></HorizontalLayout>"),
        QSize(60, 60));
    ctltest::AddSolidImage(host.pm.get(), QStringLiteral("red.png"), QSize(60, 60), Qt::red);
    auto* p = host.Find<CCircleProgressUI>(QStringLiteral("p"));
    ASSERT_NE(p, nullptr);
    const QImage img = ctltest::Render(p);
    EXPECT_EQ(img.pixel(30, 4), ctltest::Rgb(kBack));
    EXPECT_EQ(img.pixel(30, 30), qRgb(255, 255, 255));
}

}  // namespace
