// The interface language of the main window: the language list of
// "Language.config", the stored choice, the main window's font table and the
// faces per language.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace ui {
class CPaintManagerUI;
}

namespace app {

struct LanguageEntry {
    QString name;    // "Language_name"
    QString file;    // "Language_file", relative to the skin folder
    int id = 0;      // "Language_ID", the stored value
    QString textId;  // "Language_text"
};

// The "Language" array of DefaultData/Language.config; empty when the file
// is missing or malformed (entries without a name or file are skipped).
std::vector<LanguageEntry> ReadLanguageList(const QString& path);
QString LanguageListPath();

// The table file of an entry (relative to the skin folder): the listed file
// when the skin has it, else the resource map's table whose name is the
// entry's name or one part of it ("zh_CN" → "cn"); empty when none.
QString LanguageTableFile(const LanguageEntry& entry);

// The index of the entry whose id equals the stored "LANGUAGE" value; 0 when
// the value, the list or a match is missing.
int LoadLanguageIndex();
// The index of the entry with this name (e.g. "en_US"), -1 when none.
int FindLanguageIndex(const QString& name);

// The face the font table uses for a language index.
QString FaceForLanguageIndex(int index);
// Whether switching from `current` to `next` replaces the font table.
bool LanguageChangesFonts(int current, int next);
// Replaces the manager's fonts with the main window's table in `face`.
void ApplyMainFontTable(ui::CPaintManagerUI& pm, const QString& face);
// The font id the skin uses for the product name (the brand face).
inline constexpr int kBrandFontId = 60;

// Maps the faces the font table names to the families our font files
// provide, so that the skin's faces resolve on any machine.
void InstallFontSubstitutions(const QStringList& simplifiedChinese, const QStringList& brand,
                              const QStringList& thai, const QStringList& traditionalChinese);
QString BrandFace();

// The language state of the main window.
class MainLanguage {
public:
    int CurrentIndex() const { return current_; }
    // Applies a language index to the window's manager: fonts (by the rule
    // above), language table, all texts reloaded. With `persist` the choice
    // is stored. False when the index has no entry (nothing changes then).
    bool Apply(ui::CPaintManagerUI& pm, int index, bool persist);

private:
    int current_ = -1;
};

}  // namespace app
