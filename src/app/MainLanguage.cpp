#include "app/MainLanguage.h"

#include "platform/Debug.h"
#include "platform/Folders.h"
#include "platform/Settings.h"
#include "profiles/JsonFile.h"
#include "ui/UIManager.h"
#include "ui/UIResourceManager.h"

#include <QFileInfo>
#include <QFont>

namespace app {

namespace {
QString g_brandFace;
}

QString LanguageListPath() {
    return platform::GetDefaultDataFolder() + QStringLiteral("Language.config");
}

std::vector<LanguageEntry> ReadLanguageList(const QString& path) {
    std::vector<LanguageEntry> list;
    const Json::Value doc = profiles::readjsonFile(path);
    if (!doc.isObject() || !doc["Language"].isArray())
        return list;
    for (const Json::Value& v : doc["Language"]) {
        if (!v.isObject())
            continue;
        LanguageEntry e;
        e.name = QString::fromStdString(
            v["Language_name"].isString() ? v["Language_name"].asString() : "");
        e.file = QString::fromStdString(
            v["Language_file"].isString() ? v["Language_file"].asString() : "");
        e.id = v["Language_ID"].isIntegral() ? v["Language_ID"].asInt() : 0;
        e.textId = QString::fromStdString(
            v["Language_text"].isString() ? v["Language_text"].asString() : "");
        if (e.name.isEmpty() || e.file.isEmpty())
            continue;
        list.push_back(e);
    }
    return list;
}

int LoadLanguageIndex() {
    bool ok = false;
    const int stored = platform::ReadSetting(QStringLiteral("LANGUAGE")).toInt(&ok);
    if (!ok)
        return 0;
    const auto list = ReadLanguageList(LanguageListPath());
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i].id == stored)
            return int(i);
    }
    return 0;
}

int FindLanguageIndex(const QString& name) {
    const auto list = ReadLanguageList(LanguageListPath());
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

QString FaceForLanguageIndex(int index) {
    switch (index) {
        case 15:
            return QStringLiteral("Noto Sans Thai");
        case 0:
            return QStringLiteral("汉仪菱心体简");
        case 2:
            return QStringLiteral("Noto Sans CJK TC Regular");
        default:
            return QStringLiteral("Verdana Unicode MS");
    }
}

bool LanguageChangesFonts(int current, int next) {
    auto special = [](int i) { return i == 15 || i == 0 || i == 2; };
    return special(next) || special(current) || current == -1;
}

void ApplyMainFontTable(ui::CPaintManagerUI& pm, const QString& face) {
    struct Row {
        int id;
        int size;
        bool bold;
        bool underline;
    };
    static constexpr Row kTable[] = {
        {0, 15, false, false}, {1, 14, false, true},   {2, 18, false, false},
        {3, 30, false, false}, {4, 16, false, false},  {5, 20, false, false},
        {6, 22, false, false}, {7, 14, false, false},  {8, 12, false, false},
        {9, 11, false, false}, {10, 10, false, false}, {11, 28, false, false},
        {50, 18, true, false},
    };
    pm.RemoveAllFonts();
    pm.SetDefaultFont(face, 14);
    for (const Row& r : kTable)
        pm.AddFont(r.id, face, r.size, r.bold, r.underline);
    pm.AddFont(kBrandFontId, BrandFace().isEmpty() ? face : BrandFace(), 18, true);
}

void InstallFontSubstitutions(const QStringList& simplifiedChinese, const QStringList& brand,
                              const QStringList& thai, const QStringList& traditionalChinese) {
    auto first = [](const QStringList& l) { return l.isEmpty() ? QString() : l.first(); };
    // Latin text first, then the CJK faces for the characters Latin faces lack.
    QStringList latin;
    if (!first(brand).isEmpty())
        latin << first(brand);
    QStringList cjk;
    if (!first(simplifiedChinese).isEmpty())
        cjk << first(simplifiedChinese);
    if (!first(traditionalChinese).isEmpty())
        cjk << first(traditionalChinese);
    QFont::insertSubstitutions(QStringLiteral("汉仪菱心体简"), latin + cjk);
    QFont::insertSubstitutions(QStringLiteral("Verdana Unicode MS"), latin + cjk);
    QStringList tc;
    if (!first(traditionalChinese).isEmpty())
        tc << first(traditionalChinese);
    QFont::insertSubstitutions(QStringLiteral("Noto Sans CJK TC Regular"), latin + tc + cjk);
    if (!first(thai).isEmpty())
        QFont::insertSubstitutions(QStringLiteral("Noto Sans Thai"),
                                   QStringList{first(thai)} + latin + cjk);
    g_brandFace = first(brand);
}

QString BrandFace() {
    return g_brandFace;
}

QString LanguageTableFile(const LanguageEntry& entry) {
    // "Language_file" is relative to the skin folder.
    return platform::NormalizeRelativePath(entry.file);
}

bool MainLanguage::Apply(ui::CPaintManagerUI& pm, int index, bool persist) {
    if (index == current_)
        return true;
    const auto list = ReadLanguageList(LanguageListPath());
    if (index < 0 || index >= int(list.size())) {
        platform::DebugLineF("language index %d has no entry", index);
        return false;
    }
    if (LanguageChangesFonts(current_, index))
        ApplyMainFontTable(pm, FaceForLanguageIndex(index));
    current_ = index;
    const LanguageEntry& e = list[std::size_t(index)];
    auto* rm = ui::CResourceManager::GetInstance();
    rm->SetLanguage(e.name);
    const QString table = LanguageTableFile(e);
    if (table.isEmpty() || !rm->LoadLanguage(table))
        platform::DebugLine(QStringLiteral("language table %1 not loaded").arg(e.file));
    rm->ReloadText();
    if (persist && platform::WriteSetting(QStringLiteral("LANGUAGE"), e.id))
        platform::DebugLine(QStringLiteral("写成功！"));
    pm.NeedUpdate();
    pm.Invalidate();
    return true;
}

}  // namespace app
