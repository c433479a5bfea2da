#include "ui/UIResourceManager.h"

#include <QDir>
#include <QFileInfo>

#include "platform/Folders.h"
#include "platform/Debug.h"
#include "ui/UIManager.h"
#include "ui/UIMarkup.h"

namespace ui {

namespace {
QString resolve(const QString& path) {
    const QString p = platform::NormalizeRelativePath(path);
    if (QFileInfo(p).isAbsolute())
        return p;
    return CPaintManagerUI::GetResourcePath() + p;
}

bool loadDocument(CMarkup& doc, const QString& xmlOrPath, QString* where) {
    if (xmlOrPath.trimmed().startsWith(QLatin1Char('<'))) {
        *where = QStringLiteral("(string)");
        return doc.Load(xmlOrPath);
    }
    *where = resolve(xmlOrPath);
    return doc.LoadFromFile(*where);
}
}  // namespace

CResourceManager* CResourceManager::GetInstance() {
    static CResourceManager instance;
    return &instance;
}

bool CResourceManager::LoadResource(const QString& xmlOrPath) {
    CMarkup doc;
    QString where;
    if (!loadDocument(doc, xmlOrPath, &where)) {
        platform::DebugLine(
            QStringLiteral("UI: cannot load resource map %1: %2").arg(where, doc.ErrorText()));
        return false;
    }
    for (const auto& node : doc.Root()->children) {
        const QString kind = node->name.toLower();
        const QString id = node->attribute(QStringLiteral("id"));
        const QString path = node->attribute(QStringLiteral("path"));
        if (kind == QLatin1String("xml") && !id.isEmpty() && !path.isEmpty())
            m_xmls.insert(id, path);
        else if (kind == QLatin1String("image") && !id.isEmpty() && !path.isEmpty())
            m_images.insert(id, path);
        else if (kind == QLatin1String("language")) {
            const QString name = node->attribute(QStringLiteral("name"));
            if (!name.isEmpty() && !path.isEmpty())
                m_languageFiles.insert(name, path);
        }
    }
    return true;
}

QString CResourceManager::GetXmlPath(const QString& id) const {
    return m_xmls.value(id);
}
QString CResourceManager::GetImagePath(const QString& id) const {
    return m_images.value(id);
}

void CResourceManager::ResetResourceMap() {
    m_xmls.clear();
    m_images.clear();
    m_languageFiles.clear();
}

bool CResourceManager::LoadLanguage(const QString& xmlOrPath) {
    CMarkup doc;
    QString where;
    if (!loadDocument(doc, xmlOrPath, &where)) {
        // The current table stays: a broken file never blanks the texts.
        platform::DebugLine(
            QStringLiteral("UI: cannot load language table %1: %2").arg(where, doc.ErrorText()));
        return false;
    }
    QHash<QString, QString> texts;
    for (const auto& node : doc.Root()->children) {
        if (node->name.compare(QLatin1String("Text"), Qt::CaseInsensitive) != 0)
            continue;
        const QString id = node->attribute(QStringLiteral("id"));
        if (id.isEmpty())
            continue;
        texts.insert(id, node->hasAttribute(QStringLiteral("value"))
                             ? node->attribute(QStringLiteral("value"))
                             : node->text);
    }
    m_texts = std::move(texts);
    m_face = doc.Root()->attribute(QStringLiteral("face"));
    const QString name = doc.Root()->attribute(QStringLiteral("name"));
    if (!name.isEmpty())
        m_language = name;
    return true;
}

bool CResourceManager::LoadLanguageByName(const QString& name) {
    const QString file = m_languageFiles.value(name);
    if (file.isEmpty()) {
        platform::DebugLine(QStringLiteral("UI: no language table for \"%1\"").arg(name));
        return false;
    }
    if (!LoadLanguage(file))
        return false;
    m_language = name;
    return true;
}

QString CResourceManager::GetText(const QString& id, const QString& type) const {
    if (id.isEmpty())
        return id;
    if (m_query) {
        const QString q = m_query->QueryControlText(id, type);
        if (!q.isNull())
            return q;
    }
    auto it = m_texts.find(id);
    return it != m_texts.end() ? it.value() : id;
}

void CResourceManager::ReloadText() {
    for (CPaintManagerUI* pm : CPaintManagerUI::GetPaintManagers())
        pm->ReloadText();
}

void CResourceManager::ResetTextMap() {
    m_texts.clear();
    m_face.clear();
}

void CResourceManager::Release() {
    ResetResourceMap();
    ResetTextMap();
    m_query = nullptr;
}

}  // namespace ui
