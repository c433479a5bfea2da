#include "ui/UIDlgBuilder.h"

#include <QDir>
#include <QFileInfo>

#include "platform/Folders.h"
#include "platform/Debug.h"
#include "ui/UIButton.h"
#include "ui/UIContainer.h"
#include "ui/UIControlFactory.h"
#include "ui/UIManager.h"
#include "ui/UIResourceManager.h"

namespace ui {

namespace {
constexpr int kMaxDepth = 200;

QString resolveSkinPath(const QString& xml) {
    QString path = xml;
    const QString mapped = CResourceManager::GetInstance()->GetXmlPath(xml);
    if (!mapped.isEmpty())
        path = mapped;
    path = platform::NormalizeRelativePath(path);
    if (QFileInfo(path).isAbsolute())
        return path;
    return CPaintManagerUI::GetResourcePath() + path;
}

bool isTrue(const QString& v) {
    return ParseBool(v);
}
}  // namespace

CControlUI* CDialogBuilder::Create(const QString& xml, const QString& /*type*/,
                                   IDialogBuilderCallback* callback, CPaintManagerUI* manager,
                                   CControlUI* parent) {
    m_error.clear();
    bool ok = false;
    if (xml.trimmed().isEmpty()) {
        m_sourcePath = QStringLiteral("(empty)");
        platform::DebugLine(QStringLiteral("UI: no skin given"));
        return nullptr;
    }
    if (xml.trimmed().startsWith(QLatin1Char('<'))) {
        m_sourcePath = QStringLiteral("(string)");
        ok = m_xml.Load(xml);
    } else {
        m_sourcePath = resolveSkinPath(xml);
        ok = m_xml.LoadFromFile(m_sourcePath);
    }
    if (!ok) {
        m_error = m_xml.ErrorText();
        platform::DebugLine(
            QStringLiteral("UI: cannot load skin %1: %2").arg(m_sourcePath, m_error));
        return nullptr;
    }
    return Create(callback, manager, parent);
}

CControlUI* CDialogBuilder::Create(IDialogBuilderCallback* callback, CPaintManagerUI* manager,
                                   CControlUI* parent) {
    m_callback = callback;
    const CMarkupNode* root = m_xml.Root();
    if (!root)
        return nullptr;
    const CMarkupNode* top = root;
    CControlUI* first = nullptr;
    if (root->name.compare(QLatin1String("Window"), Qt::CaseInsensitive) == 0) {
        if (manager)
            applyWindow(root, manager);
        for (const auto& child : root->children) {
            const QString n = child->name.toLower();
            if (n == QLatin1String("font") || n == QLatin1String("default") ||
                n == QLatin1String("style") || n == QLatin1String("image") ||
                n == QLatin1String("attribute"))
                continue;
            CControlUI* c = build(child.get(), parent, manager, 0);
            if (c && !first)
                first = c;
            if (c && !parent)
                break;  // a window has one root control
        }
    } else {
        first = build(top, parent, manager, 0);
    }
    if (first && manager) {
        // Selected options drive their bound tabs once the whole tree exists.
        CControlUI* scope = parent ? parent : first;
        for (CControlUI* c :
             manager->FindSubControlsByClass(scope, QStringLiteral("OptionUI")) +
                 manager->FindSubControlsByClass(scope, QStringLiteral("CheckBoxUI"))) {
            auto* o = static_cast<COptionUI*>(c->GetInterface(QStringLiteral("Option")));
            if (o && o->IsSelected() && !o->GetBindTabLayoutName().isEmpty())
                o->Selected(true, false);
        }
    }
    return first;
}

void CDialogBuilder::applyWindow(const CMarkupNode* node, CPaintManagerUI* manager) {
    for (const auto& a : node->attributes)
        manager->SetWindowAttribute(a.first, a.second);
    for (const auto& child : node->children) {
        const QString n = child->name.toLower();
        if (n == QLatin1String("font")) {
            bool okId = false;
            const int id = child->attribute(QStringLiteral("id")).toInt(&okId);
            const QString face = child->attribute(QStringLiteral("name"));
            const int size = std::clamp(
                child->attribute(QStringLiteral("size"), QStringLiteral("14")).toInt(), 1, 400);
            const bool bold = isTrue(child->attribute(QStringLiteral("bold")));
            const bool underline = isTrue(child->attribute(QStringLiteral("underline")));
            const bool italic = isTrue(child->attribute(QStringLiteral("italic")));
            if (okId)
                manager->AddFont(id, face, size, bold, underline, italic);
            if (isTrue(child->attribute(QStringLiteral("default"))))
                manager->SetDefaultFont(face, size, bold, underline, italic);
        } else if (n == QLatin1String("default")) {
            const QString name = child->attribute(QStringLiteral("name"));
            if (!name.isEmpty())
                manager->AddDefaultAttributeList(name, child->attribute(QStringLiteral("value")));
        } else if (n == QLatin1String("style")) {
            const QString name = child->attribute(QStringLiteral("name"));
            if (!name.isEmpty())
                manager->AddStyle(name, child->attribute(QStringLiteral("value")));
        }
    }
}

CControlUI* CDialogBuilder::build(const CMarkupNode* node, CControlUI* parent,
                                  CPaintManagerUI* manager, int depth) {
    if (depth > kMaxDepth) {
        platform::DebugLine(QStringLiteral("UI: skin %1 nests too deeply").arg(m_sourcePath));
        return nullptr;
    }
    const QString tag = node->name;
    auto* container =
        parent ? static_cast<CContainerUI*>(parent->GetInterface(QStringLiteral("Container")))
               : nullptr;

    if (tag.compare(QLatin1String("Include"), Qt::CaseInsensitive) == 0) {
        const QString source = node->attribute(QStringLiteral("source"));
        const int count = std::clamp(
            node->attribute(QStringLiteral("count"), QStringLiteral("1")).toInt(), 1, 1000);
        CControlUI* first = nullptr;
        for (int i = 0; i < count && !source.isEmpty(); ++i) {
            CDialogBuilder sub;
            CControlUI* c =
                sub.Create(source, QString(), m_callback, manager, container ? parent : nullptr);
            if (c && !container && !first) {
                first = c;
                break;
            }
            if (c && !first)
                first = c;
        }
        return first;
    }

    CControlFactory* factory = CControlFactory::GetInstance();
    CControlUI* control = nullptr;
    if (factory->IsBuiltin(tag))
        control = factory->CreateControl(tag);
    if (!control && m_callback)
        control = m_callback->CreateControl(tag);
    if (!control)
        control = factory->CreateControl(tag);
    if (!control) {
        platform::DebugLine(QStringLiteral("UI: unknown element <%1> skipped").arg(tag));
        return nullptr;
    }

    if (manager)
        control->SetManager(manager, nullptr, false);
    if (manager) {
        const QString defaults = manager->GetDefaultAttributeList(tag);
        if (!defaults.isEmpty())
            control->ApplyAttributeList(defaults);
    }
    for (const auto& a : node->attributes)
        control->SetAttribute(a.first, a.second);

    if (!node->children.isEmpty()) {
        auto* self = static_cast<CContainerUI*>(control->GetInterface(QStringLiteral("Container")));
        if (self) {
            for (const auto& child : node->children)
                build(child.get(), control, manager, depth + 1);
        }
    }

    if (container) {
        if (!container->Add(control)) {
            delete control;
            return nullptr;
        }
    } else if (parent) {
        // A parent that cannot hold children: the control is dropped.
        delete control;
        return nullptr;
    }
    return control;
}

}  // namespace ui
