// A small XML element tree read with QXmlStreamReader: element names,
// attributes in document order and children. Used by the builder, the
// resource manager and the menus.
#pragma once

#include <QPair>
#include <QString>
#include <QVector>
#include <memory>

namespace ui {

struct CMarkupNode {
    QString name;
    QVector<QPair<QString, QString>> attributes;  // document order
    QVector<std::shared_ptr<CMarkupNode>> children;
    QString text;  // concatenated character data

    QString attribute(const QString& key, const QString& fallback = QString()) const;
    bool hasAttribute(const QString& key) const;
    const CMarkupNode* child(const QString& childName) const;
};
using CMarkupNodePtr = std::shared_ptr<CMarkupNode>;

class CMarkup {
public:
    // Parse a document. On error the root is null and ErrorText() says why.
    bool Load(const QString& xml);
    bool LoadFromFile(const QString& path);
    const CMarkupNode* Root() const { return m_root.get(); }
    CMarkupNodePtr RootPtr() const { return m_root; }
    QString ErrorText() const { return m_error; }

private:
    bool parse(const QByteArray& data);
    CMarkupNodePtr m_root;
    QString m_error;
};

}  // namespace ui
