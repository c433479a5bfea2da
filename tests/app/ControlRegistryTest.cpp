#include "app/ControlRegistry.h"
#include "platform/Folders.h"
#include "ui/UIControl.h"
#include "ui/UIManager.h"

#include <gtest/gtest.h>

#include <QFile>
#include <memory>

using namespace app;

TEST(BuilderCallback, TagsMapToClassesOrLayoutsCaseInsensitively) {
    struct Case {
        const char* tag;
        const char* className;
        const char* layout;
    } cases[] = {
        {"CircleProgress", "CCircleProgressUI", ""},
        {"circleprogress", "CCircleProgressUI", ""},
        {"VelmoraMouseDevice", "CVelmoraMouseDevice", ""},
        {"DeviceProfile", "CDeviceProfileUI", ""},
        {"DeviceProfileUI", "", "XML\\CustomControlXML\\DeviceProfile.xml"},
        {"VirtualSetControlUI", "", "XML\\CustomControlXML\\VirtualSet.xml"},
        {"Button", "", ""},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        const BuilderRow row = LookupBuilderRow(QString::fromLatin1(c.tag));
        EXPECT_EQ(row.className, QString::fromLatin1(c.className)) << c.tag;
        EXPECT_EQ(row.layoutFile, QString::fromLatin1(c.layout)) << c.tag;
    }
}

TEST(BuilderCallback, CreatesRegisteredClassesAndNothingForTheRest) {
    const QStringList registered = RegisterCustomControls();
    EXPECT_TRUE(registered.contains("CCircleProgressUI"));
    EXPECT_TRUE(registered.contains("CMpDevicePowerUI"));
    for (const QString& name : registered)
        EXPECT_TRUE(CustomControlClassNames().contains(name)) << name.toStdString();

    ui::CPaintManagerUI pm;
    std::unique_ptr<ui::CControlUI> circle(CreateMainControl("CircleProgress", &pm, nullptr));
    ASSERT_TRUE(circle);
    EXPECT_TRUE(circle->GetInterface("CircleProgress") ||
                circle->GetClass().contains("CircleProgress"));
    // A built-in tag and a class that does not exist yet give nothing.
    EXPECT_EQ(CreateMainControl("Button", &pm, nullptr), nullptr);
    EXPECT_EQ(CreateMainControl("NoSuchTag", &pm, nullptr), nullptr);
    if (!registered.contains("CVelmoraMouseDevice")) {
        EXPECT_EQ(CreateMainControl("VelmoraMouseDevice", &pm, nullptr), nullptr);
    }
}

TEST(BuilderCallback, LayoutRowWithoutItsFileGivesNothing) {
    ui::CPaintManagerUI::SetResourcePath(platform::SkinFolder());
    ui::CPaintManagerUI pm;
    const BuilderRow row = LookupBuilderRow("VirtualSetControlUI");
    if (QFile::exists(platform::ResolvePath(platform::SkinFolder(), row.layoutFile)))
        GTEST_SKIP() << "the layout exists in this build";
    EXPECT_EQ(CreateMainControl("VirtualSetControlUI", &pm, nullptr), nullptr);
}
