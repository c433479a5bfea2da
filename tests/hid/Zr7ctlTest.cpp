#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>

namespace {

struct ToolRun {
    int code = -1;
    QString out, err;
};

ToolRun Zr7ctl(const QStringList& args) {
    QProcess p;
    p.start(QCoreApplication::applicationDirPath() + "/zr7ctl", args);
    ToolRun r;
    if (!p.waitForFinished(20000))
        return r;
    r.code = p.exitCode();
    r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    r.err = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}

}  // namespace

TEST(Zr7ctl, ListShowsEverySimulatedRow) {
    const ToolRun r = Zr7ctl({"--simulate=all", "list"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines.size(), 11);
    EXPECT_TRUE(r.out.contains(QRegularExpression(
        R"(^ 6  mouse-receiver +command  sim:mouse/receiver\?vid_320f&pid_221d&mi_01&col04$)",
        QRegularExpression::MultilineOption)));
    EXPECT_TRUE(r.out.contains("10  headset"));
}

TEST(Zr7ctl, InfoDecodesTheInformationBlock) {
    const ToolRun r = Zr7ctl({"--simulate", "info", "mouse"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("key count: 11\n"));
    EXPECT_TRUE(r.out.contains("sensor: 0x3325\n"));
    EXPECT_TRUE(r.out.contains("dpi range: 200..25000 (index 0..148)\n"));
}

TEST(Zr7ctl, TraceShowsEveryReportAndReadPrintsHex) {
    const ToolRun r =
        Zr7ctl({"--simulate=keyboard", "--trace", "read", "keyboard", "settings", "0", "60"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    const QRegularExpression report(R"(^[<>] [0-9a-f]{2}( [0-9a-f]{2}){63}$)");
    int sent = 0, received = 0;
    for (const QString& l : lines) {
        if (l.startsWith("> ") || l.startsWith("< ")) {
            EXPECT_TRUE(report.match(l).hasMatch()) << l.toStdString();
            (l[0] == '>' ? sent : received)++;
        }
    }
    EXPECT_EQ(sent, 2);  // 56 + 4 bytes on the wired channel
    EXPECT_EQ(received, 2);
    EXPECT_TRUE(r.out.contains("0000: 00 01 04 02 00 01 ff"));
}

TEST(Zr7ctl, ErrorsAreOneLineWithAnExitCode) {
    struct Case {
        QStringList args;
        int code;
        const char* text;
    };
    const Case cases[] = {
        {{"--simulate=mouse", "info", "keyboard"}, 1, "no keyboard found"},
        {{"--simulate", "read", "mouse", "settings", "700", "10"}, 1, "status 0xFF"},
        {{"--simulate=mouse-receiver", "raw", "mouse-receiver", "0x99"}, 1, "status 0xFF"},
        {{"--simulate", "info", "trackball"}, 2, "unknown model"},
        {{"--simulate=nothing", "list"}, 2, "unknown model 'nothing'"},
        {{"dump", "mouse"}, 1, "only with --simulate"},
        {{"--simulate", "raw", "mouse", "1", "2", "0", "abc"}, 2, "bad hex data"},
    };
    for (const Case& c : cases) {
        const ToolRun r = Zr7ctl(c.args);
        EXPECT_EQ(r.code, c.code) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(c.text)) << r.err.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
    }
}

TEST(Zr7ctl, DumpPrintsTheVirtualMemory) {
    const ToolRun r = Zr7ctl({"--simulate=mousepad", "dump", "mousepad"});
    ASSERT_EQ(r.code, 0);
    EXPECT_TRUE(r.out.startsWith("# mousepad firmware 0100\n[info] 34 bytes\n"));
    EXPECT_TRUE(r.out.contains("[status] 64 bytes"));
}
