#include "macros/MacroFiles.h"
#include "profiles/JsonAccess.h"
#include "profiles/JsonFile.h"
#include "profiles/TimeUuid.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <set>

using macros::MacroFiles;
using macros::MacroStepRow;

namespace {

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool WriteAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

Json::Value Parse(const char* text) {
    return profiles::ParseJsonText(std::string(text));
}

// A device folder and a clock that stands still.
class MacroFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        profiles::SetUuidClock([] { return QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9, 42)); });
        folder = dir.path() + "/";
        files.SetMacroFolder(folder);
        files.LoadMacroList();
    }
    void TearDown() override { profiles::SetUuidClock({}); }
    Json::Value ListFile() const { return profiles::readjsonFile(files.ListFilePath()); }

    QTemporaryDir dir;
    QString folder;
    MacroFiles files;
};

}  // namespace

TEST_F(MacroFilesTest, MissingListGivesNoMacros) {
    EXPECT_TRUE(files.Rows().empty());
    EXPECT_EQ(files.GetSelectedMacro(), -1);
    ASSERT_TRUE(WriteAll(files.ListFilePath(), "{ \"MacroInfo\" : 5 }"));
    files.LoadMacroList();
    EXPECT_TRUE(files.Rows().empty());
}

TEST_F(MacroFilesTest, AddNamesAndIdentifiesEachMacro) {
    EXPECT_EQ(files.AddMacroEntry(), 0);
    EXPECT_EQ(files.AddMacroEntry(), 1);
    ASSERT_EQ(files.RenameMacroEntry(0, "X"), MacroFiles::kRenameDone);
    EXPECT_EQ(files.AddMacroEntry(), 2);
    EXPECT_EQ(files.Names(), (std::vector<QString>{"X", "macro_2", "macro_1"}));
    EXPECT_EQ(files.GetSelectedMacro(), 2);
    // Three identifiers from one millisecond, all different, all with files.
    std::set<QString> guids;
    for (const auto& row : files.Rows()) {
        guids.insert(row.guid);
        EXPECT_TRUE(QFileInfo::exists(folder + row.guid + ".mac"));
    }
    EXPECT_EQ(guids.size(), 3u);
    EXPECT_EQ(files.Rows()[0].guid, QStringLiteral("2024_03_05_14_07_09_042"));
    const Json::Value list = ListFile();
    ASSERT_EQ(list["MacroInfo"].size(), 3u);
    EXPECT_EQ(list["MacroInfo"][0]["MacroName"].asString(), "X");
    EXPECT_EQ(list["MacroInfo"][2]["Guid"].asString(), files.Rows()[2].guid.toStdString());

    MacroFiles reloaded;
    reloaded.SetMacroFolder(folder);
    reloaded.LoadMacroList();
    EXPECT_EQ(reloaded.Names(), files.Names());
}

TEST_F(MacroFilesTest, FiftyMacrosAtMost) {
    for (int i = 0; i < 50; ++i)
        ASSERT_EQ(files.AddMacroEntry(), i);
    EXPECT_EQ(files.AddMacroEntry(), -1);
    ASSERT_TRUE(WriteAll(folder + "x.mac", "{}"));
    EXPECT_EQ(files.ImportMacroFile(folder + "x.mac"), -1);
    EXPECT_EQ(ListFile()["MacroInfo"].size(), 50u);
}

TEST_F(MacroFilesTest, RenameChecks) {
    files.AddMacroEntry();
    files.AddMacroEntry();
    EXPECT_EQ(files.RenameMacroEntry(0, "  "), MacroFiles::kRenameBlank);
    EXPECT_EQ(files.RenameMacroEntry(0, "a&b"), MacroFiles::kRenameAmpersand);
    EXPECT_EQ(files.RenameMacroEntry(0, "MACRO_1"), MacroFiles::kRenameNameInUse);  // its own
    EXPECT_EQ(files.RenameMacroEntry(0, "Macro_2"), MacroFiles::kRenameNameInUse);
    EXPECT_EQ(files.RenameMacroEntry(5, "x"), MacroFiles::kRenameFailed);
    EXPECT_EQ(files.RenameMacroEntry(1, QStringLiteral("连招")), MacroFiles::kRenameDone);
    EXPECT_EQ(QString::fromStdString(ListFile()["MacroInfo"][1]["MacroName"].asString()),
              QStringLiteral("连招"));
}

TEST_F(MacroFilesTest, SaveNormalisesDelays) {
    files.AddMacroEntry();
    auto& steps = files.Steps();
    steps.push_back(MacroFiles::MakeStepRow(
        Parse(R"({"Action": "down", "Button": 4, "Type": 10, "Delay": "5"})")));
    steps.push_back(MacroFiles::MakeStepRow(
        Parse(R"({"Action": "up", "Button": 4, "Type": 10, "Delay": "5"})")));
    steps.push_back(MacroFiles::MakeStepRow(
        Parse(R"({"Action": "down", "Button": 1, "Type": 1, "Delay": 0})")));
    steps.push_back({QString(), QStringLiteral("9")});  // no event: collecting stops
    steps.push_back(MacroFiles::MakeStepRow(Parse(R"({"Action": "up", "Type": 1})")));
    steps[0].delayText = "007";
    steps[1].delayText = "";
    steps[2].delayText = "70000";
    ASSERT_TRUE(files.SaveSelectedMacro());
    EXPECT_EQ(steps[1].delayText, QStringLiteral("0"));

    const Json::Value file = profiles::readjsonFile(files.MacroFilePath(0));
    EXPECT_EQ(file["Version"].asInt(), 64);
    EXPECT_EQ(file["MacroName"].asString(), "macro_1");
    EXPECT_EQ(file["Guid"].asString(), files.Rows()[0].guid.toStdString());
    const Json::Value& events = file["Events"];
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0]["Delay"].asString(), "7");
    EXPECT_EQ(events[1]["Delay"].asString(), "0");
    EXPECT_EQ(events[2]["Delay"].asString(), "70000");
    // The rows carry the saved events.
    EXPECT_EQ(profiles::ParseJsonText(steps[0].eventText), events[0]);

    // Loading shows the long delay limited to 65535.
    ASSERT_TRUE(files.LoadMacroFile(files.MacroFilePath(0)));
    ASSERT_EQ(files.Steps().size(), 3u);
    EXPECT_EQ(files.Steps()[0].delayText, QStringLiteral("7"));
    EXPECT_EQ(files.Steps()[2].delayText, QStringLiteral("65535"));
    const auto records = files.MacroEvents(0);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[2].delayLow, 0xFF);
    EXPECT_EQ(records[0].type, 0x8A);
}

TEST_F(MacroFilesTest, SaveWithoutSelectionDoesNothing) {
    files.Steps().push_back({QStringLiteral("{}"), QStringLiteral("1")});
    EXPECT_FALSE(files.SaveMacroFile(folder + "x.mac"));
    EXPECT_FALSE(QFileInfo::exists(folder + "x.mac"));
}

TEST_F(MacroFilesTest, BrokenMacroFileGivesNoSteps) {
    files.AddMacroEntry();
    const char* contents[] = {"garbage", "[1, 2]", R"({"Events": "none"})",
                              R"({"Events": [3, {"Delay": "x"}]})"};
    const std::size_t expected[] = {0, 0, 0, 1};
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(WriteAll(files.MacroFilePath(0), contents[i]));
        files.LoadMacroFile(files.MacroFilePath(0));
        EXPECT_EQ(files.Steps().size(), expected[i]) << contents[i];
    }
    EXPECT_EQ(files.Steps()[0].delayText, QStringLiteral("0"));
}

TEST_F(MacroFilesTest, RemoveDeletesFileAndRenumbers) {
    files.AddMacroEntry();
    files.AddMacroEntry();
    files.AddMacroEntry();
    const QString removedFile = files.MacroFilePath(0);
    ASSERT_TRUE(files.RemoveMacroEntry(0));
    EXPECT_FALSE(QFileInfo::exists(removedFile));
    EXPECT_EQ(files.Names(), (std::vector<QString>{"macro_2", "macro_3"}));
    EXPECT_EQ(files.GetSelectedMacro(), 0);
    EXPECT_EQ(files.NameFieldText(), QStringLiteral("macro_2"));
    EXPECT_EQ(ListFile()["MacroInfo"].size(), 2u);
    ASSERT_TRUE(files.RemoveMacroEntry(1));
    ASSERT_TRUE(files.RemoveMacroEntry(0));
    EXPECT_TRUE(files.NameFieldText().isEmpty());
    EXPECT_EQ(files.GetSelectedMacro(), -1);
    EXPECT_FALSE(files.RemoveMacroEntry(0));
}

TEST_F(MacroFilesTest, ImportAndExportCopyBytes) {
    files.AddMacroEntry();
    ASSERT_EQ(files.RenameMacroEntry(0, "boss"), MacroFiles::kRenameDone);
    files.AddMacroEntry();
    ASSERT_EQ(files.RenameMacroEntry(1, "Boss_1"), MacroFiles::kRenameDone);
    const QByteArray source =
        "{\"Events\":[{\"Action\":\"down\",\"Button\":4,\"Delay\":\"20\",\"Type\":10}],"
        "\"Guid\":\"other\",\"MacroName\":\"Boss\",\"Version\":64}";
    QTemporaryDir elsewhere;
    const QString boss = elsewhere.path() + "/Boss.mac";
    ASSERT_TRUE(WriteAll(boss, source));
    const int index = files.ImportMacroFile(boss);
    ASSERT_EQ(index, 2);
    EXPECT_EQ(files.Rows()[2].name, QStringLiteral("Boss_1_2"));
    EXPECT_EQ(ReadAll(files.MacroFilePath(2)), source);
    EXPECT_EQ(files.GetSelectedMacro(), 2);
    ASSERT_EQ(files.Steps().size(), 1u);
    EXPECT_EQ(files.Steps()[0].delayText, QStringLiteral("20"));

    const QString exported = elsewhere.path() + "/out.mac";
    ASSERT_TRUE(files.ExportMacroFile(exported));
    EXPECT_EQ(ReadAll(exported), source);

    // An unreadable source adds nothing and an export of a missing file
    // leaves the destination alone.
    EXPECT_EQ(files.ImportMacroFile(elsewhere.path() + "/missing.mac"), -1);
    EXPECT_EQ(files.Rows().size(), 3u);
    QFile::remove(files.MacroFilePath(2));
    EXPECT_FALSE(files.ExportMacroFile(exported));
    EXPECT_EQ(ReadAll(exported), source);
}

TEST_F(MacroFilesTest, ListFileOfTheWrongShapeIsRebuiltFromTheRows) {
    files.AddMacroEntry();
    ASSERT_TRUE(WriteAll(files.ListFilePath(), "{\"MacroInfo\": {\"a\": 1}, \"other\": 3}"));
    files.AddMacroEntry();
    const Json::Value list = ListFile();
    ASSERT_EQ(list["MacroInfo"].size(), 2u);
    EXPECT_EQ(list["MacroInfo"][0]["MacroName"].asString(), "macro_1");
    EXPECT_EQ(list["other"].asInt(), 3);
}

TEST_F(MacroFilesTest, OtherListFileName) {
    files.SetListFileName("brixel_macro.config");
    files.AddMacroEntry();
    EXPECT_TRUE(QFileInfo::exists(folder + "brixel_macro.config"));
    EXPECT_FALSE(QFileInfo::exists(folder + "macro.config"));
}
