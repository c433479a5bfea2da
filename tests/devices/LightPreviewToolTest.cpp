#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

namespace {

int RunPreview(const QStringList& args, QString* errors = nullptr) {
    QProcess p;
    p.start(QCoreApplication::applicationDirPath() + "/nuvaro-light-preview", args);
    if (!p.waitForFinished(20000))
        return -1;
    if (errors)
        *errors = QString::fromUtf8(p.readAllStandardError());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

}  // namespace

TEST(LightPreviewTool, DrawsTheKeyboardMatrixInTheFrameColours) {
    QTemporaryDir dir;
    const QString out = dir.filePath("steady.png");
    ASSERT_EQ(RunPreview({"--family", "keyboard", "--effect", "6", "--colour", "FF0000", "--frames",
                          "3", "--out", out}),
              0);
    QImage image(out);
    ASSERT_FALSE(image.isNull());
    // 3 frames of 23 x 6 cells of 14 px, 10 px apart and around.
    EXPECT_EQ(image.width(), 3 * (23 * 14 + 10) + 10);
    EXPECT_EQ(image.height(), 6 * 14 + 20);
    // Column 2, row 0 holds key 0 (lit red); column 0, row 0 has no key.
    EXPECT_EQ(image.pixelColor(10 + 2 * 14 + 5, 10 + 5), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(10 + 5, 10 + 5), QColor(0x15, 0x17, 0x1C));
}

TEST(LightPreviewTool, RejectsBadOptions) {
    QTemporaryDir dir;
    const QString out = dir.filePath("x.png");
    QString errors;
    EXPECT_EQ(RunPreview({"--family", "toaster", "--effect", "1", "--out", out}, &errors), 2);
    EXPECT_TRUE(errors.contains("unknown family"));
    EXPECT_EQ(RunPreview({"--family", "mouse", "--effect", "1", "--speed", "9", "--out", out}), 2);
    EXPECT_EQ(RunPreview({"--family", "mouse", "--effect", "abc", "--out", out}), 2);
    EXPECT_EQ(RunPreview({"--family", "mouse", "--effect", "1"}), 2);
    EXPECT_EQ(RunPreview({"--family", "headset", "--effect", "1", "--out",
                          dir.filePath("missing/dir/x.png")}),
              2);
    EXPECT_FALSE(QFile::exists(out));
}
