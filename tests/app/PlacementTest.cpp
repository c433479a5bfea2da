#include "app/AppOptions.h"
#include "app/WindowPlacement.h"
#include "platform/Debug.h"

#include <gtest/gtest.h>

using namespace app;

TEST(WindowDpi, LargeWorkAreasGet144AndOthers96) {
    struct Case {
        QRect area;
        int dpi;
    } cases[] = {
        {QRect(0, 0, 1920, 1040), 144}, {QRect(0, 0, 1501, 961), 144},
        {QRect(0, 0, 1500, 1040), 96},  {QRect(0, 0, 1920, 960), 96},
        {QRect(0, 0, 1366, 728), 96},   {QRect(), 96},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChooseWindowDpi(c.area), c.dpi) << c.area.width() << "x" << c.area.height();
}

TEST(WindowDpi, OnlyTheListedValuesAreAccepted) {
    QStringList lines;
    platform::SetDebugSink([&](const QString& l) { lines << l; });
    for (int dpi : {48, 72, 96, 120, 144, 168, 192})
        EXPECT_EQ(AcceptDpi(dpi), dpi);
    EXPECT_TRUE(lines.isEmpty());
    for (int dpi : {0, 95, 100, 200, -96})
        EXPECT_EQ(AcceptDpi(dpi), 96) << dpi;
    platform::SetDebugSink({});
    EXPECT_EQ(lines.count(QStringLiteral("MAIN_WND DPI SET ERROR")), 5);
}

TEST(TrayMenuPlacement, FollowsThePanelEdge) {
    const QRect screen(0, 0, 1920, 1080);
    const QPoint cursor(1800, 1050);
    struct Case {
        const char* name;
        QRect available;
        QPoint point;
        int alignment;
    } cases[] = {
        {"bottom", QRect(0, 0, 1920, 1040), QPoint(1800, 1040 - 20), kAlignRight | kAlignBottom},
        {"top", QRect(0, 32, 1920, 1048), QPoint(1800, 32), kAlignRight | kAlignTop},
        {"left", QRect(48, 0, 1872, 1080), QPoint(48, 1050), kAlignLeft | kAlignBottom},
        {"right", QRect(0, 0, 1872, 1080), QPoint(1871, 1050), kAlignRight | kAlignBottom},
        {"none", QRect(0, 0, 1920, 1080), cursor, kAlignLeft | kAlignTop},
    };
    for (const Case& c : cases) {
        const MenuAnchor a = TrayMenuAnchor(cursor, PanelRect(screen, c.available));
        EXPECT_EQ(a.point, c.point) << c.name;
        EXPECT_EQ(a.alignment, c.alignment) << c.name;
    }
    EXPECT_EQ(kAlignLeft | kAlignTop, 6);
    EXPECT_EQ(kAlignRight | kAlignTop, 12);
    EXPECT_EQ(kAlignLeft | kAlignBottom, 18);
    EXPECT_EQ(kAlignRight | kAlignBottom, 24);
}

TEST(TrayMenuPlacement, PanelOfAScreenAwayFromTheOrigin) {
    // Second monitor to the right of the first, panel at its bottom.
    const QRect panel = PanelRect(QRect(1920, 0, 1280, 1024), QRect(1920, 0, 1280, 984));
    EXPECT_EQ(panel, QRect(0, 984, 1280, 40));
}

TEST(CommandLine, OwnOptionsAreReadAndTheRestIgnored) {
    AppOptions o =
        ParseOptions({"--simulate=mouse,keyboard", "--screenshot", "out.png", "-foo", "file.txt"});
    EXPECT_TRUE(o.simulate);
    EXPECT_EQ(o.simulateModels, "mouse,keyboard");
    EXPECT_EQ(o.screenshotFile, "out.png");
    EXPECT_TRUE(o.error.isEmpty());

    o = ParseOptions({"--simulate", "--screenshot=a.png", "--dpi=144", "--language", "en_US"});
    EXPECT_TRUE(o.simulate);
    EXPECT_TRUE(o.simulateModels.isEmpty());
    EXPECT_EQ(o.screenshotFile, "a.png");
    EXPECT_EQ(o.forcedDpi, 144);
    EXPECT_EQ(o.language, "en_US");

    o = ParseOptions({"--simulate-only=headset"});
    EXPECT_TRUE(o.simulate);
    EXPECT_TRUE(o.simulateOnly);
    EXPECT_EQ(o.simulateModels, "headset");
    EXPECT_FALSE(ParseOptions({"--simulate=all"}).simulateOnly);

    EXPECT_TRUE(ParseOptions({}).error.isEmpty());
    EXPECT_TRUE(ParseOptions({"--help"}).help);
}

TEST(CommandLine, MalformedOwnOptionsGiveAnError) {
    for (const QStringList& args :
         {QStringList{"--screenshot"}, QStringList{"--screenshot", "--simulate"},
          QStringList{"--dpi=100"}, QStringList{"--dpi", "x"}, QStringList{"--language"}}) {
        EXPECT_FALSE(ParseOptions(args).error.isEmpty()) << args.join(' ').toStdString();
    }
    EXPECT_TRUE(HelpText().contains("--simulate[=MODELS]"));
    EXPECT_TRUE(HelpText().contains("--screenshot FILE.png"));
}
