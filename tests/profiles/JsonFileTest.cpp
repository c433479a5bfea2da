#include "ProfileTestSupport.h"
#include "platform/Debug.h"
#include "profiles/JsonAccess.h"
#include "profiles/JsonFile.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <QDir>
#include <QFileInfo>
#include <csignal>

using namespace profiles;
using profiletest::ReadAll;
using profiletest::TempFolder;
using profiletest::WriteAll;

namespace {

std::string LibraryStyled(const Json::Value& v) {
    Json::StyledWriter writer;
    return writer.write(v);
}

}  // namespace

TEST(ReadJsonFile, ParsesCommentsAndReportsTheOpenResult) {
    TempFolder tmp;
    const QString path = tmp.file("a.json");
    ASSERT_TRUE(WriteAll(path, "// leading comment\n{ \"a\" : 1, /* inline */ \"b\" : [2] }\n"));
    QStringList lines;
    platform::SetDebugSink([&](const QString& line) { lines << line; });
    const Json::Value v = readjsonFile(path);
    const Json::Value missing = readjsonFile(tmp.file("missing.json"));
    platform::SetDebugSink({});
    EXPECT_EQ(json::ToInt(json::Member(v, "a")), 1);
    EXPECT_EQ(json::ArraySize(json::Member(v, "b")), 1u);
    EXPECT_TRUE(missing.isNull());
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("readjsonFile 错误吗：：0\n"));
    EXPECT_EQ(lines[1], QStringLiteral("readjsonFile 错误吗：：2\n"));  // ENOENT
    EXPECT_EQ(lines[2], tmp.file("missing.json"));
}

TEST(ReadJsonFile, UnusableFilesGiveNull) {
    TempFolder tmp;
    QByteArray deep(100000, '[');
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage.append(static_cast<char>((i * 131 + 7) & 0xFF));
    const struct {
        const char* name;
        QByteArray content;
    } cases[] = {
        {"empty", QByteArray()},
        {"truncated", "{ \"Device\" : [ { \"LightInfo\" : "},
        {"binary", garbage},
        {"deep nesting", deep},
    };
    for (const auto& c : cases) {
        const QString path = tmp.file(QString::fromLatin1(c.name));
        ASSERT_TRUE(WriteAll(path, c.content));
        EXPECT_TRUE(readjsonFile(path).isNull()) << c.name;
    }
    // A folder or a FIFO is not a file (and a FIFO must not block).
    EXPECT_TRUE(readjsonFile(tmp.path()).isNull());
    const QByteArray fifo = QFile::encodeName(tmp.file("fifo"));
    ASSERT_EQ(mkfifo(fifo.constData(), 0600), 0);
    EXPECT_TRUE(readjsonFile(tmp.file("fifo")).isNull());
    QByteArray copy;
    EXPECT_FALSE(ReadFileBytes(tmp.file("fifo"), &copy));
}

TEST(ReadJsonFile, ReadsALargeFile) {
    TempFolder tmp;
    QByteArray big = "{ \"pad\" : \"";
    big.append(QByteArray(10 * 1024 * 1024, 'x'));
    big.append("\", \"n\" : 7 }");
    ASSERT_TRUE(WriteAll(tmp.file("big.json"), big));
    const Json::Value v = readjsonFile(tmp.file("big.json"));
    EXPECT_EQ(json::ToInt(json::Member(v, "n")), 7);
}

TEST(WriteJsonFile, MatchesTheLibraryStyledWriterByteForByte) {
    TempFolder tmp;
    Json::Value v(Json::objectValue);
    v["zeta"] = 1;
    v["Alpha"] = "text with \"quotes\" and 中文";
    v["alpha"][0] = 1;
    v["alpha"][1] = -2;
    v["nested"]["b"] = Json::Value(Json::arrayValue);
    v["nested"]["a"]["x"] = true;
    for (int i = 0; i < 30; ++i)
        v["long"][i] = i;
    const QString path = tmp.file("out.json");
    ASSERT_EQ(WriteJsonFile(path, v), 0);
    const QByteArray written = ReadAll(path);
    EXPECT_EQ(written.toStdString(), LibraryStyled(v));
    EXPECT_TRUE(written.endsWith("}\n"));
    // Keys come out in byte order: upper case before lower case.
    EXPECT_LT(written.indexOf("\"Alpha\""), written.indexOf("\"alpha\""));
    EXPECT_LT(written.indexOf("\"nested\""), written.indexOf("\"zeta\""));
    EXPECT_EQ(readjsonFile(path), v);
}

TEST(WriteJsonFile, FailureKeepsThePreviousFileAndIsReported) {
    TempFolder tmp;
    const QString path = tmp.file("profile.Json");
    Json::Value old(Json::objectValue);
    old["profilename"] = "old";
    ASSERT_EQ(WriteJsonFile(path, old), 0);
    const QByteArray before = ReadAll(path);

    // The new document is far larger than the file size limit, so the
    // write fails half-way through with EFBIG.
    Json::Value big(Json::objectValue);
    big["pad"] = std::string(256 * 1024, 'y');
    struct rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limited = saved;
    limited.rlim_cur = 64 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const int result = WriteJsonFile(path, big);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(result, -1);
    EXPECT_EQ(ReadAll(path), before);
    // No temporary file is left behind.
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files), QStringList{"profile.Json"});
}

TEST(WriteJsonFile, MissingFolderIsReported) {
    TempFolder tmp;
    EXPECT_EQ(WriteJsonFile(tmp.file("no/such/folder.json"), Json::Value(1)), -1);
    EXPECT_EQ(WriteJsonFile(QString(), Json::Value(1)), -1);
}

TEST(CopyFileBytes, UnreadableSourceLeavesTheTargetAlone) {
    TempFolder tmp;
    ASSERT_TRUE(WriteAll(tmp.file("target"), "keep me"));
    EXPECT_FALSE(CopyFileBytes(tmp.file("missing"), tmp.file("target")));
    EXPECT_EQ(ReadAll(tmp.file("target")), QByteArray("keep me"));
    QByteArray binary("\x00\x01\xff\r\n", 5);
    ASSERT_TRUE(WriteAll(tmp.file("src"), binary));
    EXPECT_TRUE(CopyFileBytes(tmp.file("src"), tmp.file("target")));
    EXPECT_EQ(ReadAll(tmp.file("target")), binary);
}

TEST(KeepBrokenCopy, NumbersCopiesSoNoneIsOverwritten) {
    TempFolder tmp;
    const QString path = tmp.file("p.Json");
    ASSERT_TRUE(WriteAll(path, "first"));
    EXPECT_EQ(KeepBrokenCopy(path), path + ".broken");
    ASSERT_TRUE(WriteAll(path, "second"));
    EXPECT_EQ(KeepBrokenCopy(path), path + ".broken.1");
    EXPECT_EQ(ReadAll(path + ".broken"), QByteArray("first"));
    EXPECT_EQ(ReadAll(path + ".broken.1"), QByteArray("second"));
    EXPECT_TRUE(KeepBrokenCopy(tmp.file("missing")).isEmpty());
}

TEST(JsonAccess, WrongTypesReadAsAbsent) {
    const Json::Value v = ParseJsonText(std::string(
        R"({"i": 7, "s": "7", "b": true, "r": 3.9, "big": 4294967297, "neg": -1,
            "arr": [1], "obj": {"k": 2}, "nul": null})"));
    ASSERT_TRUE(v.isObject());
    EXPECT_EQ(json::ToInt(json::Member(v, "i")), 7);
    EXPECT_EQ(json::ToInt(json::Member(v, "s"), -5), -5);
    EXPECT_EQ(json::ToInt(json::Member(v, "b")), 1);
    EXPECT_EQ(json::ToInt(json::Member(v, "r")), 3);
    EXPECT_EQ(json::ToInt(json::Member(v, "big")), 1);  // low 32 bits
    EXPECT_EQ(json::ToByte(json::Member(v, "neg")), 0xFF);
    EXPECT_EQ(json::ToInt(json::Member(v, "arr")), 0);
    EXPECT_TRUE(json::Member(json::Member(v, "arr"), "k").isNull());  // key in an array
    EXPECT_TRUE(json::Element(json::Member(v, "obj"), 0).isNull());   // index in an object
    EXPECT_TRUE(json::Element(json::Member(v, "arr"), -1).isNull());
    EXPECT_TRUE(json::ToText(json::Member(v, "i")).isEmpty());
    EXPECT_EQ(json::ToText(json::Member(v, "s")), QStringLiteral("7"));
}

TEST(JsonAccess, DecimalTextReadsLikeAtoi) {
    const struct {
        const char* text;
        int value;
    } cases[] = {{"007", 7},      {"", 0},    {"  42ms", 42},           {"-5", -5},
                 {"+3", 3},       {"abc", 0}, {"99999999999", INT_MAX}, {"-99999999999", INT_MIN},
                 {"70000", 70000}};
    for (const auto& c : cases)
        EXPECT_EQ(json::DecimalTextToInt(c.text), c.value) << c.text;
}

TEST(JsonAccess, WritersReplaceContainersOfTheWrongType) {
    Json::Value v("abc");
    json::SetInt(json::MemberRef(v, "LightInfo"), "Red", 3);
    EXPECT_EQ(json::ToInt(json::Member(json::Member(v, "LightInfo"), "Red")), 3);
    Json::Value list(Json::objectValue);
    list["KeyList"]["x"] = 1;
    json::SetInt(json::ElementRef(list["KeyList"], 2), "Assignment", 9);
    EXPECT_EQ(json::ArraySize(list["KeyList"]), 3u);
}
