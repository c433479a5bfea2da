#include "app/PrivateFont.h"

#include "platform/Folders.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

TEST(PrivateFont, TheBuildTreeFontsLoadAndAMissingOneOnlyFails) {
    int loaded = 0;
    for (const char* file : app::kPrivateFontFiles) {
        app::PrivateFont font;
        if (font.Load(QString::fromUtf8(file))) {
            ++loaded;
            EXPECT_FALSE(font.Families().isEmpty()) << file;
        }
    }
    EXPECT_EQ(loaded, 4) << "fonts missing from " << platform::FontFolder().toStdString();

    app::PrivateFont missing;
    EXPECT_FALSE(missing.Load("Font\\DoesNotExist.ttf"));
    EXPECT_FALSE(missing.IsLoaded());

    QTemporaryDir dir;
    QFile junk(dir.path() + "/junk.ttf");
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a font at all");
    junk.close();
    app::PrivateFont broken;
    EXPECT_FALSE(broken.Load(junk.fileName()));
}
