#include "controls/WndUI.h"

#include "ui/UIManager.h"

namespace controls {

CWndUI::~CWndUI() {
    // A hosted widget parented below us would go with us; hand it back.
    if (m_hosted && isAncestorOf(m_hosted))
        m_hosted->setParent(nullptr);
}

QString CWndUI::GetClass() const {
    return QStringLiteral("Wnd");
}

void* CWndUI::GetInterface(const QString& name) {
    if (name == QLatin1String("Wnd"))
        return this;
    return ui::CControlUI::GetInterface(name);
}

bool CWndUI::Attach(QWidget* widget) {
    if (widget == nullptr || widget == this || widget->isAncestorOf(this))
        return false;
    m_hosted = widget;
    Follow();
    return true;
}

QWidget* CWndUI::Detach() {
    QWidget* w = m_hosted;
    m_hosted = nullptr;
    return w;
}

void CWndUI::SetPos(const QRect& rc, bool needInvalidate) {
    ui::CControlUI::SetPos(rc, needInvalidate);
    Follow();
}

void CWndUI::SetVisible(bool visible) {
    ui::CControlUI::SetVisible(visible);
    Follow();
}

void CWndUI::SetInternVisible(bool visible) {
    ui::CControlUI::SetInternVisible(visible);
    Follow();
}

void CWndUI::Follow() {
    if (!m_hosted)
        return;
    // Our rectangle in our own widget coordinates, mapped to the hosted
    // widget's parent (or the screen for a top-level widget).
    const QRect local(QPoint(0, 0), m_rcItem.size());
    QWidget* parent = m_hosted->parentWidget();
    const QPoint global = mapToGlobal(local.topLeft());
    const QPoint topLeft = parent ? parent->mapFromGlobal(global) : global;
    m_hosted->setGeometry(QRect(topLeft, m_rcItem.size()));
    const bool show = IsVisible();
    if (show && m_hosted->isHidden()) {
        m_hosted->setAttribute(Qt::WA_ShowWithoutActivating, true);
        m_hosted->show();
    } else if (!show && !m_hosted->isHidden()) {
        m_hosted->hide();
    }
}

}  // namespace controls
