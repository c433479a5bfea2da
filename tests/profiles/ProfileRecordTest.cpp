#include "ProfileTestSupport.h"
#include "TestSupport.h"
#include "profiles/CKeyboardProfiledata.h"
#include "profiles/CMouseProfiledata.h"
#include "profiles/CRe6533Profiledata.h"
#include "profiles/JsonAccess.h"
#include "profiles/JsonFile.h"
#include "profiles/MacroEvent.h"

#include <gtest/gtest.h>

#include <QFileInfo>

using namespace profiles;
using profiletest::ReadAll;
using profiletest::TempFolder;
using profiletest::WriteAll;

namespace {

// A record pointed at a temporary profile and a small default profile.
template <typename Record>
struct Fixture {
    TempFolder tmp;
    Record record;
    Json::Value defaults;
    Fixture() {
        defaults = ParseJsonText(std::string(
            R"({"Device": [{"LightInfo": {"SelectItem": 3, "Red": 9}, "KeyList": [
                {"Assignment": 1048832, "DefaultAssignment": 1048832}]}],
                "profilename": "template", "profileUUID": "template"})"));
        WriteJsonFile(tmp.file("default.Json"), defaults);
        record.SetDefaultProfileFile(tmp.file("default.Json"));
        record.SetProfileFile(tmp.file("p.Json"));
    }
    QString profile() const { return tmp.file("p.Json"); }
    const Json::Value& defaultSection() const { return defaults["Device"][0]; }
    Json::Value load() { return record.LoadProfileDocument(profile()); }
};

Json::Value Parse(const char* text) {
    return ParseJsonText(std::string(text));
}

}  // namespace

TEST(ProfileLoad, EmptyDeviceArrayIsRepairedAndKeepsTheIdentity) {
    Fixture<CBasicProfiledata> f;
    ASSERT_EQ(WriteJsonFile(f.profile(),
                            Parse(R"({"Device": [], "profilename": "Mine", "profileUUID": "u1"})")),
              0);
    EXPECT_EQ(f.load(), f.defaultSection());
    const Json::Value file = readjsonFile(f.profile());
    EXPECT_EQ(file["Device"][0], f.defaultSection());
    EXPECT_EQ(file["profilename"].asString(), "Mine");
    EXPECT_EQ(file["profileUUID"].asString(), "u1");
    EXPECT_FALSE(QFileInfo::exists(f.profile() + ".broken"));  // nothing was lost
}

TEST(ProfileLoad, MissingFileIsCreatedWithOnlyTheDeviceSection) {
    Fixture<CBasicProfiledata> f;
    EXPECT_EQ(f.load(), f.defaultSection());
    const Json::Value file = readjsonFile(f.profile());
    EXPECT_EQ(file.getMemberNames(), std::vector<std::string>{"Device"});
}

TEST(ProfileLoad, UnusableFileSurvivesAsBrokenCopy) {
    const struct {
        const char* name;
        QByteArray content;
    } cases[] = {
        {"unparsable", "{ \"Device\" : [ { \"LightInfo\" : { \"Red\" : 4"},
        {"not an object", "[1, 2, 3]"},
        {"section of the wrong type", "{\"Device\": [\"abc\"], \"profilename\": \"x\"}"},
        {"device of the wrong type", "{\"Device\": {\"0\": 1}}"},
        {"binary garbage", QByteArray("\x00\xff\xfe{\x01[\"\x80", 9)},
        {"10 MB of text", QByteArray(10 * 1024 * 1024, 'x')},
    };
    for (const auto& c : cases) {
        Fixture<CBasicProfiledata> f;
        ASSERT_TRUE(WriteAll(f.profile(), c.content));
        EXPECT_EQ(f.load(), f.defaultSection()) << c.name;
        EXPECT_EQ(ReadAll(f.profile() + ".broken"), c.content) << c.name;
        EXPECT_EQ(readjsonFile(f.profile())["Device"][0], f.defaultSection()) << c.name;
    }
}

TEST(ProfileLoad, WithoutTemplateTheFileIsLeftAlone) {
    Fixture<CBasicProfiledata> f;
    f.record.SetDefaultProfileFile(f.tmp.file("missing.Json"));
    ASSERT_TRUE(WriteAll(f.profile(), "garbage"));
    EXPECT_TRUE(f.load().isNull());
    EXPECT_EQ(ReadAll(f.profile()), QByteArray("garbage"));
    EXPECT_FALSE(f.record.Save());  // no section to write
    EXPECT_EQ(ReadAll(f.profile()), QByteArray("garbage"));
    // Getters then give their defaults.
    EXPECT_EQ(f.record.GetLightInfo(), LightInfo{});
    EXPECT_TRUE(f.record.GetKeyAssignments().empty());
}

TEST(ProfileSave, KeepsOtherTopLevelKeysAndReportsFailure) {
    Fixture<CBasicProfiledata> f;
    ASSERT_EQ(WriteJsonFile(f.profile(), Parse(R"({"Device": [{"LightInfo": {}}],
        "profilename": "Keep", "profileUUID": "id", "extra": [1]})")),
              0);
    f.load();
    LightInfo info;
    info.Red = 200;
    f.record.SetLightInfo(info);
    EXPECT_TRUE(f.record.IsDirty());
    ASSERT_TRUE(f.record.Save());
    EXPECT_FALSE(f.record.IsDirty());
    const Json::Value file = readjsonFile(f.profile());
    EXPECT_EQ(file["profilename"].asString(), "Keep");
    EXPECT_EQ(file["extra"][0].asInt(), 1);
    EXPECT_EQ(file["Device"][0]["LightInfo"]["Red"].asInt(), 200);

    f.record.SetProfileFile(f.tmp.file("no/folder/p.Json"));
    f.record.SetLightInfo(LightInfo{});
    EXPECT_FALSE(f.record.Save());
    EXPECT_TRUE(f.record.IsDirty());
}

TEST(ProfileSave, SettersOnANullDocumentWriteOnlyWhatWasSet) {
    Fixture<CKeyboardProfiledata> f;
    f.record.SetCustomColorGroup(2);
    ASSERT_TRUE(f.record.Save());
    const Json::Value section = readjsonFile(f.profile())["Device"][0];
    EXPECT_EQ(section.getMemberNames(), std::vector<std::string>{"CustomLightMode"});
    EXPECT_EQ(section["CustomLightMode"]["CustomLightModeGroupIndex"].asInt(), 2);
}

TEST(LightRecords, DecodeWithFlagFoldingAndRoundTrip) {
    CBasicProfiledata record;
    record.SetWorkingDocument(Parse(R"({"LightInfo": {"MultiColor": 5, "Red": 300, "Fx": 1},
        "LightList": [null, {"LEDMultiColor": 5, "LEDDirection": 2, "red": 4}]})"));
    const LightInfo info = record.GetLightInfo();
    EXPECT_EQ(info.MultiColor, 1);
    EXPECT_EQ(info.Red, 300 & 0xFF);
    EXPECT_EQ(info.Fx, 1);
    const auto& list = record.GetLightList();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0], LightListEntry{});
    EXPECT_EQ(list[1].present, 1);
    EXPECT_EQ(list[1].LEDMultiColor, 1);
    EXPECT_EQ(list[1].LEDDirection, 1);
    EXPECT_EQ(list[1].red, 4);

    LightInfo all{1, 2, 3, 1, 1, 6, 7, 8, {9, 10, 11}, 12, 13, 14};
    record.SetLightInfo(all);
    EXPECT_EQ(record.WorkingDocument()["LightInfo"].size(), 11u);
    LightInfo expected = all;
    expected.Unstored[0] = expected.Unstored[1] = expected.Unstored[2] = 0;
    EXPECT_EQ(record.GetLightInfo(), expected);

    AudioLightInfo audio{1, 2, 3, 4, 5, 6, 7, 1, 1};
    record.SetAudioLightInfo(audio);
    EXPECT_EQ(record.GetAudioLightInfo(), audio);
    record.SetWorkingDocument(
        Parse(R"({"AudioLightInfo": {"7ColorFlags": 4, "ColorTypeFlags": 0}})"));
    EXPECT_EQ(record.GetAudioLightInfo().SevenColorFlags, 1);
}

TEST(LightRecords, LightListAbsentKeepsThePreviousList) {
    CBasicProfiledata record;
    record.SetWorkingDocument(Parse(R"({"LightList": [{}, {}]})"));
    ASSERT_EQ(record.GetLightList().size(), 2u);
    record.SetWorkingDocument(Parse(R"({"LightList": "none"})"));
    EXPECT_EQ(record.GetLightList().size(), 2u);
}

TEST(LightEffect, ReadsTheSelectedCustomEffectBesideTheLightConfig) {
    TempFolder tmp;
    ASSERT_EQ(WriteJsonFile(tmp.file("brixel_light.config"),
                            Parse(R"({"LightInfo": [[{"Guid": "e0"}, {"Guid": "e1"}, {}]]})")),
              0);
    ASSERT_EQ(WriteJsonFile(tmp.file("e1.light"), Parse(R"({"LEDEffectList": [
        {"LEDMultiColor": 5, "LEDREGMode": 2, "Time": 1500, "Cyle": -1, "red": 9},
        {"LEDDirection": 3}]})")),
              0);
    CBasicProfiledata record;
    EXPECT_TRUE(record.GetLightEffect().empty());  // no light config yet
    record.SetLightConfigFile(tmp.file("brixel_light.config"));
    record.LoadLightConfig(tmp.file("brixel_light.config"));
    LightInfo info;
    info.SelectItem = 1;
    record.SetLightInfo(info);
    const auto steps = record.GetLightEffect();
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0].LEDMultiColor, 5);  // not folded to a flag
    EXPECT_EQ(steps[0].LEDREGMode, 2);
    EXPECT_EQ(steps[0].Time, 1500);
    EXPECT_EQ(steps[0].Cyle, -1);
    EXPECT_EQ(steps[1].LEDDirection, 3);
    // An entry without an effect file empties the list.
    info.SelectItem = 2;
    record.SetLightInfo(info);
    EXPECT_TRUE(record.GetLightEffect().empty());
}

TEST(KeyAssignments, DecodeEncodeAndCacheRules) {
    CBasicProfiledata record;
    record.SetWorkingDocument(Parse(R"({"KeyList": [
        {"Assignment": 7364610, "DefaultAssignment": 1048832}, {"Assignment": "x"}]})"));
    auto list = record.GetKeyAssignments();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].keyIndex, 0);
    EXPECT_EQ(list[0].current, (KeyAction{0x70, 0x60, 0x02}));
    EXPECT_EQ(list[0].defaultAction, (KeyAction{0x10, 0x01, 0x00}));
    EXPECT_EQ(list[1].keyIndex, 1);
    EXPECT_EQ(list[1].current, KeyAction{});

    list[1].current = {0x20, 0x02, 0x04};
    list[1].defaultAction = {0x01, 0x01, 0x01};  // never written
    record.SetKeyAssignments(list);
    const Json::Value& keys = record.WorkingDocument()["KeyList"];
    EXPECT_EQ(keys[0]["Assignment"].asInt(), 7364610);
    EXPECT_EQ(keys[1]["Assignment"].asInt(), 0x200204);
    EXPECT_FALSE(keys[1].isMember("DefaultAssignment"));

    record.SetWorkingDocument(Parse(R"({"LightInfo": {}})"));
    EXPECT_TRUE(record.GetKeyAssignments().empty());
}

TEST(KeyAssignments, OtherDocumentIsSeparate) {
    Fixture<CBasicProfiledata> f;
    ASSERT_EQ(WriteJsonFile(
                  f.tmp.file("other.Json"),
                  Parse(R"({"Device": [{"KeyList": [{"Assignment": 5}]}], "profilename": "o"})")),
              0);
    f.load();
    f.record.LoadOtherProfileDocument(f.tmp.file("other.Json"));
    auto other = f.record.GetOtherKeyAssignments();
    ASSERT_EQ(other.size(), 1u);
    other[0].current = KeyAction::FromInt(6);
    f.record.SetOtherKeyAssignments(other);
    ASSERT_TRUE(f.record.SaveOther(f.tmp.file("other.Json")));
    const Json::Value file = readjsonFile(f.tmp.file("other.Json"));
    EXPECT_EQ(file["Device"][0]["KeyList"][0]["Assignment"].asInt(), 6);
    EXPECT_EQ(file["profilename"].asString(), "o");
    EXPECT_EQ(f.record.GetKeyAssignments()[0].current, (KeyAction{0x10, 0x01, 0}));
}

TEST(MouseRecord, DpiStagesMergeOverTheCache) {
    CMouseProfiledata record;
    std::vector<DpiStage> five(5);
    for (int i = 0; i < 5; ++i)
        five[i].StageDPIX = static_cast<std::uint16_t>(100 + i);
    record.SetDpiStages(five);
    record.SetWorkingDocument(Parse(R"({"DPIStages": {"StageActive": 2, "StageDPIs": [
        {"StageDPIX": 1}, {"StageDPIX": 2}, {"StageDPIX": 70000, "StageColorR": 3}]}})"));
    const auto& stages = record.GetDpiStages();
    ASSERT_EQ(stages.size(), 5u);
    EXPECT_EQ(stages[0].StageDPIX, 1);
    EXPECT_EQ(stages[2].StageDPIX, 70000 & 0xFFFF);
    EXPECT_EQ(stages[2].StageColorR, 3);
    EXPECT_EQ(stages[3].StageDPIX, 103);
    EXPECT_EQ(record.GetActiveDpiStage(), 2);
    // Absent: previous list, active index unchanged.
    record.SetWorkingDocument(Parse(R"({"DPIStages": 4})"));
    EXPECT_EQ(record.GetDpiStages().size(), 5u);
    EXPECT_EQ(record.GetActiveDpiStage(), 2);
    record.SetActiveDpiStage(4);
    EXPECT_EQ(record.WorkingDocument()["DPIStages"]["StageActive"].asInt(), 4);
}

TEST(MouseRecord, SystemWordsPackAndUnpack) {
    CMouseProfiledata record;
    record.SetMouseSystemSettings(0x000A01F4, 0x00010001, 0x00030003);
    const Json::Value& doc = record.WorkingDocument();
    EXPECT_EQ(doc["SystemStages"]["DoubleClickTime"].asInt(), 500);
    EXPECT_EQ(doc["SystemStages"]["MouseSpeed"].asInt(), 10);
    EXPECT_EQ(doc["SystemStages"]["ScorllPage"].asInt(), 1);
    EXPECT_EQ(doc["SystemStages"]["WheelScorlllinse"].asInt(), 3);
    EXPECT_EQ(doc["ReportStages"]["StageActive"].asInt(), 3);
    EXPECT_EQ(record.GetMouseSystemSettings(),
              (MouseSystemSettings{0x000A01F4, 0x00010001, 0x00030003}));
    record.SetWorkingDocument(Parse(R"({"ReportStages": {"StageActive": 2}})"));
    EXPECT_EQ(record.GetMouseSystemSettings(), (MouseSystemSettings{0, 0, 0x00020000}));
    record.SetWorkingDocument(Parse(R"({"SystemStages": {"WheelScorlllinse": 5}})"));
    EXPECT_EQ(record.GetMouseSystemSettings(), (MouseSystemSettings{0, 0, 5}));
}

TEST(MouseRecord, CorrectEntries) {
    CMouseProfiledata record;
    record.SetWorkingDocument(Parse(R"({"CorrectInfo": [{"CorrectName": "a", "CorrectSelect": 1,
        "CorrectMinSq": 4, "CorrectPixThresh": 2}, 3]})"));
    const auto& list = record.GetCorrectEntries();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0], (CorrectEntry{2, 4, 1, QStringLiteral("a")}));
    EXPECT_EQ(list[1], CorrectEntry{});
    record.SetWorkingDocument(Parse("{}"));
    EXPECT_TRUE(record.GetCorrectEntries().empty());
}

TEST(KeyboardRecord, SystemWordsAndCustomColours) {
    CKeyboardProfiledata record;
    record.SetKeyboardSystemSettings(0x00020014, 0x00030001, 0x00010000);
    const Json::Value& system = record.WorkingDocument()["SystemStages"];
    EXPECT_EQ(system["Repeat"].asInt(), 20);
    EXPECT_EQ(system["RepeatDelay"].asInt(), 2);
    EXPECT_EQ(system["Key6Flag"].asInt(), 1);
    EXPECT_EQ(system["PollingRate"].asInt(), 3);
    EXPECT_EQ(system["WFlag"].asInt(), 0);
    EXPECT_EQ(system["WinFlag"].asInt(), 1);
    EXPECT_EQ(record.GetKeyboardSystemSettings(),
              (KeyboardSystemSettings{0x00020014, 0x00030001, 0x00010000}));

    // A missing group is written in as zeros.
    const auto colors = record.GetCustomKeyColors(3, 104);
    EXPECT_EQ(colors, std::vector<CustomKeyColor>(104));
    const Json::Value& groups = record.WorkingDocument()["CustomLightMode"]["LightColorInfo"];
    ASSERT_EQ(groups[3].size(), 104u);
    EXPECT_EQ(groups[3][103]["Alpha"].asInt(), 0);
    EXPECT_TRUE(groups[0].isNull());

    std::vector<CustomKeyColor> two = {{1, 2, 3, 4}, {5, 6, 7, 8}};
    record.SetCustomKeyColors(1, two);
    auto back = record.GetCustomKeyColors(1, 3);  // key 2 is missing
    EXPECT_EQ(back[0], two[0]);
    EXPECT_EQ(back[1], two[1]);
    EXPECT_EQ(back[2], CustomKeyColor{});
    EXPECT_EQ(record.WorkingDocument()["CustomLightMode"]["LightColorInfo"][1].size(), 3u);

    // Out-of-range groups never grow the document.
    EXPECT_TRUE(record.GetCustomKeyColors(1 << 30, 170).empty());
    EXPECT_TRUE(record.GetCustomKeyColors(-1, 170).empty());
    EXPECT_EQ(record.WorkingDocument()["CustomLightMode"]["LightColorInfo"].size(), 4u);

    EXPECT_EQ(record.GetCustomColorGroup(), 0);
    record.SetCustomColorGroup(3);
    EXPECT_EQ(record.GetCustomColorGroup(), 3);
}

TEST(HeadsetRecord, EqTypesAreNormalised) {
    CRe6533Profiledata record;
    const EqBands preset1 = {7, 11, 2, -3, -1, 4, 9, 12, 9, 5};
    record.SetEqBands(1, preset1);
    EXPECT_EQ(record.GetEqBands(0), preset1);
    EXPECT_EQ(record.GetEqBands(20), preset1);
    EXPECT_EQ(record.GetEqBands(-4), preset1);
    const Json::Value before = record.WorkingDocument();
    EXPECT_TRUE(record.GetEqBands(13).empty());
    record.SetEqBands(13, preset1);
    EXPECT_EQ(record.WorkingDocument(), before);  // custom mode writes nothing

    // A missing preset is written in as zeros.
    EXPECT_EQ(record.GetEqBands(7), EqBands(10, 0));
    EXPECT_EQ(record.WorkingDocument()["EQHzValueInfo"][7].size(), 10u);
}

TEST(HeadsetRecord, CustomPresetsAndSettings) {
    CRe6533Profiledata record;
    EXPECT_EQ(record.GetCustomEqBands(2), EqBands(10, 0));
    EXPECT_EQ(record.WorkingDocument()["CustomEQHzValueInfo"][2][9]["value"].asInt(), 0);
    const EqBands bands = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    record.SetCustomEqBands(0, bands);
    EXPECT_EQ(record.GetCustomEqBands(0), bands);
    EXPECT_EQ(record.GetCustomEqBands(100000), EqBands(10, 0));
    EXPECT_EQ(record.WorkingDocument()["CustomEQHzValueInfo"].size(), 3u);

    record.SetCustomEqNames({QStringLiteral("Bass"), QStringLiteral("Vocal 人声")});
    EXPECT_EQ(record.GetCustomEqNames(),
              (std::vector<QString>{QStringLiteral("Bass"), QStringLiteral("Vocal 人声")}));
    record.SetCustomEqNames({});
    EXPECT_TRUE(record.GetCustomEqNames().empty());
    EXPECT_TRUE(record.WorkingDocument()["CustomEQNameInfo"].isArray());

    HeadsetSystemSettings s{1, 2, 13, 4, 1, 80, 0, 55};
    record.SetHeadsetSettings(s);
    EXPECT_EQ(record.GetHeadsetSettings(), s);
    EXPECT_EQ(record.WorkingDocument()["SystemSetStages"]["CustomEqSeletIndex"].asInt(), 4);
}

TEST(WrongShapes, GiveDefaultsWithoutThrowing) {
    CMouseProfiledata mouse;
    CKeyboardProfiledata keyboard;
    CRe6533Profiledata headset;
    const Json::Value file = readjsonFile(testsupport::FixturePath("profiles/wrong_shapes.Json"));
    const Json::Value& section = file["Device"][0];
    ASSERT_TRUE(section.isObject());
    mouse.SetWorkingDocument(section);
    keyboard.SetWorkingDocument(section);
    headset.SetWorkingDocument(section);

    EXPECT_EQ(mouse.GetLightInfo(), LightInfo{});
    EXPECT_EQ(mouse.GetAudioLightInfo(), AudioLightInfo{});
    EXPECT_TRUE(mouse.GetKeyAssignments().empty());
    EXPECT_TRUE(mouse.GetCorrectEntries().empty());
    const auto& lights = mouse.GetLightList();
    ASSERT_EQ(lights.size(), 3u);
    EXPECT_EQ(lights[0].present, 0);
    EXPECT_EQ(lights[2].red, 0);  // "255" is text, not a number
    EXPECT_EQ(lights[2].LEDMultiColor, 1);
    const auto& stages = mouse.GetDpiStages();
    ASSERT_EQ(stages.size(), 2u);
    EXPECT_EQ(stages[1].StageDPIX, 0);
    EXPECT_EQ(mouse.GetActiveDpiStage(), 0);
    EXPECT_EQ(mouse.GetMouseSystemSettings(), (MouseSystemSettings{0x000A0000, 0, 0}));
    EXPECT_EQ(keyboard.GetKeyboardSystemSettings().word1, 1u);
    EXPECT_EQ(keyboard.GetCustomColorGroup(), 0);
    EXPECT_EQ(keyboard.GetCustomKeyColors(0, 4), std::vector<CustomKeyColor>(4));
    EXPECT_EQ(headset.GetHeadsetSettings().EqType, 0);
    EXPECT_EQ(headset.GetHeadsetSettings().MicInValue, 80);
    EXPECT_EQ(headset.GetEqBands(2), (EqBands{0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(headset.GetCustomEqBands(0), EqBands(10, 0));
    EXPECT_EQ(headset.GetCustomEqNames(),
              (std::vector<QString>{QString(), QString(), QStringLiteral("ok")}));

    // Setters repair the shapes they write into.
    mouse.SetLightInfo(LightInfo{});
    mouse.SetKeyAssignments({KeyAssignmentEntry{}});
    mouse.SetMouseSystemSettings(1, 2, 3);
    EXPECT_TRUE(mouse.WorkingDocument()["LightInfo"].isObject());
    EXPECT_EQ(mouse.WorkingDocument()["KeyList"].size(), 1u);
    EXPECT_EQ(mouse.GetMouseSystemSettings(), (MouseSystemSettings{1, 2, 3}));
}

TEST(MacroEventRecords, ConvertEvents) {
    const struct {
        const char* event;
        MacroEventRecord record;
    } cases[] = {
        {R"({"Action": "down", "Button": 4, "Delay": "300", "Type": 10})", {0x2C, 0x01, 0x8A, 4}},
        {R"({"Action": "up", "Button": 1, "Delay": 12, "Type": 1})", {12, 0, 1, 1}},
        {R"({"Action": "DOWN", "Button": 2, "Delay": "007", "Type": 9})", {7, 0, 9, 2}},
        {R"({"Action": "down", "Button": 300, "Delay": "70000", "Type": 5})",
         {0xFF, 0xFF, 0x85, 44}},
        {R"({"Action": "down", "Delay": "-4", "Type": "1"})", {0, 0, 0x80, 0}},
        {R"("not an event")", {0, 0, 0, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ToMacroEventRecord(Parse(c.event)), c.record) << c.event;
}
