// The level trace: one bar every second pixel, heights on a 0..8192 scale.
#include <gtest/gtest.h>

#include "ControlsTestSupport.h"
#include "controls/AudioRecordUI.h"

namespace {

using controls::CAudioRecordUI;

struct TraceFixture {
    explicit TraceFixture(int width)
        : host(QStringLiteral(
                   "<HorizontalLayout><CAudioRecordUI name=\"a\" width=\"%1\" height=\"80\" "
                   "bkcolor=\"#FFFFFF\"/><Control/></HorizontalLayout>")
                   .arg(width),
               QSize(width + 10, 80)) {
        trace = host.Find<CAudioRecordUI>(QStringLiteral("a"));
    }
    uitest::Host host;
    CAudioRecordUI* trace = nullptr;
};

// Rows of column x that are bar-coloured.
int BarRows(const QImage& img, int x) {
    int rows = 0;
    for (int y = 0; y < img.height(); ++y)
        rows += img.pixel(x, y) == qRgb(0, 0, 0);
    return rows;
}

TEST(AudioRecord, StartsWithARampAndCountsBarsByWidth) {
    ctltest::EnsureRegistered();
    TraceFixture narrow(100);
    ASSERT_NE(narrow.trace, nullptr);
    EXPECT_EQ(narrow.trace->GetClass(), QStringLiteral("AudioRecord"));
    EXPECT_EQ(narrow.trace->GetLevel(0), 0);
    EXPECT_EQ(narrow.trace->GetLevel(255), 255);
    EXPECT_EQ(narrow.trace->GetLevel(256), 0);
    EXPECT_EQ(narrow.trace->GetLevel(-1), 0);
    EXPECT_EQ(narrow.trace->VisibleBarCount(), 50);
    TraceFixture odd(999);
    EXPECT_EQ(odd.trace->VisibleBarCount(), 500);
    TraceFixture wide(1100);
    EXPECT_EQ(wide.trace->VisibleBarCount(), 500);
}

TEST(AudioRecord, BarHeights) {
    ctltest::EnsureRegistered();
    TraceFixture f(100);
    ASSERT_NE(f.trace, nullptr);
    for (int i = 0; i < CAudioRecordUI::kLevelCount; ++i)
        f.trace->SetLevel(i, 0);
    f.trace->SetLevel(0, 8192);    // full height less the bottom row
    f.trace->SetLevel(1, 4096);    // half: 40 rows from the top of the bar, less one
    f.trace->SetLevel(2, 0);       // nothing
    f.trace->SetLevel(3, 100000);  // beyond the scale: as full
    f.trace->SetLevel(4, -5);      // below it: nothing
    f.trace->SetLevel(49, 8192);   // the last bar that fits
    f.trace->SetLevel(50, 8192);   // does not fit
    const QImage img = ctltest::Render(f.trace);
    EXPECT_EQ(BarRows(img, 0), 79);
    EXPECT_EQ(img.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(0, 79), qRgb(255, 255, 255));
    EXPECT_EQ(BarRows(img, 1), 0) << "odd columns stay empty";
    EXPECT_EQ(BarRows(img, 2), 39);
    EXPECT_EQ(img.pixel(2, 40), qRgb(0, 0, 0));
    EXPECT_EQ(BarRows(img, 4), 0);
    EXPECT_EQ(BarRows(img, 6), 79);
    EXPECT_EQ(BarRows(img, 8), 0);
    EXPECT_EQ(BarRows(img, 98), 79);
    EXPECT_EQ(BarRows(img, 99), 0);
}

}  // namespace
