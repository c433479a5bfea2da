#include "ui/UIMarkup.h"

#include <QFile>
#include <QXmlStreamReader>

namespace ui {

QString CMarkupNode::attribute(const QString& key, const QString& fallback) const {
    for (const auto& a : attributes)
        if (a.first.compare(key, Qt::CaseInsensitive) == 0)
            return a.second;
    return fallback;
}

bool CMarkupNode::hasAttribute(const QString& key) const {
    for (const auto& a : attributes)
        if (a.first.compare(key, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

const CMarkupNode* CMarkupNode::child(const QString& childName) const {
    for (const auto& c : children)
        if (c->name.compare(childName, Qt::CaseInsensitive) == 0)
            return c.get();
    return nullptr;
}

bool CMarkup::Load(const QString& xml) {
    return parse(xml.toUtf8());
}

bool CMarkup::LoadFromFile(const QString& path) {
    m_root.reset();
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        m_error = QStringLiteral("cannot open \"%1\"").arg(path);
        return false;
    }
    return parse(f.readAll());
}

bool CMarkup::parse(const QByteArray& data) {
    m_root.reset();
    m_error.clear();
    QXmlStreamReader r(data);
    QVector<CMarkupNode*> stack;
    CMarkupNodePtr root;
    constexpr int kMaxDepth = 256;  // refuse absurd nesting instead of recursing forever
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement()) {
            if (stack.size() >= kMaxDepth) {
                m_error = QStringLiteral("elements nested too deeply");
                return false;
            }
            auto node = std::make_shared<CMarkupNode>();
            node->name = r.name().toString();
            for (const QXmlStreamAttribute& a : r.attributes())
                node->attributes.push_back({a.qualifiedName().toString(), a.value().toString()});
            if (stack.isEmpty()) {
                if (root) {
                    m_error = QStringLiteral("more than one root element");
                    return false;
                }
                root = node;
            } else {
                stack.back()->children.push_back(node);
            }
            stack.push_back(node.get());
        } else if (r.isEndElement()) {
            if (!stack.isEmpty())
                stack.pop_back();
        } else if (r.isCharacters() && !stack.isEmpty()) {
            stack.back()->text += r.text();
        }
    }
    if (r.hasError()) {
        m_error = QStringLiteral("line %1, column %2: %3")
                      .arg(r.lineNumber())
                      .arg(r.columnNumber())
                      .arg(r.errorString());
        return false;
    }
    if (!root) {
        m_error = QStringLiteral("no root element");
        return false;
    }
    m_root = root;
    return true;
}

}  // namespace ui
