// CResourceManager: the resource map ("res.xml": id → file), the language
// tables and text lookup. A language change reloads every text of every
// window.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace ui {

// Lets the program supply texts the tables do not have.
class IQueryControlText {
public:
    virtual ~IQueryControlText() = default;
    // Return a null QString to fall back to the tables.
    virtual QString QueryControlText(const QString& id, const QString& type) = 0;
};

class CResourceManager {
public:
    static CResourceManager* GetInstance();

    // Loads "res.xml" (a path, or XML text starting with '<'). Relative
    // paths resolve against the UI library's resource path.
    bool LoadResource(const QString& xmlOrPath);
    // File registered for a resource id; empty when unknown.
    QString GetXmlPath(const QString& id) const;
    QString GetImagePath(const QString& id) const;
    QStringList GetLanguageNames() const { return m_languageFiles.keys(); }
    QString GetLanguageFile(const QString& name) const { return m_languageFiles.value(name); }
    void ResetResourceMap();

    // Language.
    void SetLanguage(const QString& name) { m_language = name; }
    QString GetLanguage() const { return m_language; }
    // Loads a language table (path or XML text), replacing the current one.
    bool LoadLanguage(const QString& xmlOrPath);
    // Loads the table registered in res.xml for `name` and sets the language.
    bool LoadLanguageByName(const QString& name);
    // Text for an id; the id itself when no table has it (never empty for
    // a non-empty id, so a missing translation stays visible).
    QString GetText(const QString& id, const QString& type = QString()) const;
    bool HasText(const QString& id) const { return m_texts.contains(id); }
    int GetTextCount() const { return static_cast<int>(m_texts.size()); }
    // Font face the loaded table asks for (empty: the skin's own).
    QString GetLanguageFace() const { return m_face; }
    void SetTextQueryInterface(IQueryControlText* query) { m_query = query; }
    // Re-resolves and relays out every text of every window.
    void ReloadText();
    void ResetTextMap();
    void Release();

private:
    CResourceManager() = default;
    QHash<QString, QString> m_xmls;
    QHash<QString, QString> m_images;
    QHash<QString, QString> m_languageFiles;
    QHash<QString, QString> m_texts;
    QString m_language;
    QString m_face;
    IQueryControlText* m_query = nullptr;
};

}  // namespace ui
