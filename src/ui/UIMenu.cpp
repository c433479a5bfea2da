#include "ui/UIMenu.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPointer>
#include <QScreen>

#include "ui/UIManager.h"

namespace ui {

CMenuUI::CMenuUI() {
    m_dwBackColor = 0xFF1E2128;
    m_dwBorderColor = 0xFF323742;
    m_nBorderSize = 1;
    m_rcInset = {1, 4, 1, 4};
    m_cxyFixed.setWidth(180);
}
QString CMenuUI::GetClass() const {
    return QStringLiteral("MenuUI");
}
void* CMenuUI::GetInterface(const QString& name) {
    if (name == QLatin1String("Menu"))
        return this;
    return CVerticalLayoutUI::GetInterface(name);
}

CMenuElementUI::CMenuElementUI() {
    m_cxyFixed.setHeight(30);
    m_uTextStyle = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    m_rcTextPadding = {36, 0, 12, 0};
    m_dwHotBkColor = 0xFF272B34;
    m_dwHotTextColor = 0xFFFFFFFF;
    m_dwTextColor = 0xFFE8EAF0;
}
QString CMenuElementUI::GetClass() const {
    return QStringLiteral("MenuElementUI");
}
void* CMenuElementUI::GetInterface(const QString& name) {
    if (name == QLatin1String("MenuElement"))
        return this;
    return CButtonUI::GetInterface(name);
}
void CMenuElementUI::SetAttribute(const QString& name, const QString& value) {
    if (name.compare(QLatin1String("icon"), Qt::CaseInsensitive) == 0)
        m_sIcon = value;
    else
        CButtonUI::SetAttribute(name, value);
}
void CMenuElementUI::PaintStatusImage(QPainter& p) {
    CButtonUI::PaintStatusImage(p);
    if (m_sIcon.isEmpty())
        return;
    const int s = Scale(16);
    const QRect r(m_rcItem.left() + Scale(12), m_rcItem.center().y() - s / 2, s, s);
    CRenderEngine::DrawImageString(p, m_pManager, r, m_sIcon);
}

CMenuSeparatorUI::CMenuSeparatorUI() {
    m_cxyFixed.setHeight(9);
    m_dwBackColor = 0xFF323742;
}
QString CMenuSeparatorUI::GetClass() const {
    return QStringLiteral("MenuSeparatorUI");
}
void CMenuSeparatorUI::PaintBkColor(QPainter& p) {
    const QRect r(m_rcItem.left() + Scale(8), m_rcItem.center().y(), m_rcItem.width() - Scale(16),
                  1);
    CRenderEngine::DrawColor(p, r, m_dwBackColor);
}

CControlUI* CMenuWnd::CreateControl(const QString& className) {
    if (className.compare(QLatin1String("Menu"), Qt::CaseInsensitive) == 0)
        return new CMenuUI();
    if (className.compare(QLatin1String("MenuElement"), Qt::CaseInsensitive) == 0)
        return new CMenuElementUI();
    if (className.compare(QLatin1String("MenuSeparator"), Qt::CaseInsensitive) == 0)
        return new CMenuSeparatorUI();
    return nullptr;
}

QRect CMenuWnd::PlaceMenu(QPoint pt, QSize size, int alignment, const QRect& screen) {
    QRect r(QPoint(0, 0), size);
    if (alignment & eMenuAlignment_Right)
        r.moveRight(pt.x());
    else
        r.moveLeft(pt.x());
    if (alignment & eMenuAlignment_Bottom)
        r.moveBottom(pt.y());
    else
        r.moveTop(pt.y());
    if (!screen.isEmpty()) {
        // Keep the menu on the screen.
        if (r.right() > screen.right())
            r.moveRight(screen.right());
        if (r.left() < screen.left())
            r.moveLeft(screen.left());
        if (r.bottom() > screen.bottom())
            r.moveBottom(screen.bottom());
        if (r.top() < screen.top())
            r.moveTop(screen.top());
    }
    return r;
}

bool CMenuWnd::Init(QWidget* owner, const QString& xml, QPoint screenPoint, int alignment,
                    Callback onChoose) {
    m_xml = xml;
    m_callback = std::move(onChoose);
    if (!Create(owner, QStringLiteral("menu"), UI_WNDSTYLE_FRAME,
                UI_WNDSTYLE_EX_POPUP | UI_WNDSTYLE_EX_TOPMOST))
        return false;
    // Size: the menu's width and the sum of its rows.
    CControlUI* root = m_pm.GetRoot();
    int w = root ? root->GetFixedWidth() : 0;
    if (w <= 0)
        w = m_pm.Scale(180);
    int h = 0;
    if (auto* menu =
            root ? static_cast<CContainerUI*>(root->GetInterface(QStringLiteral("Container")))
                 : nullptr) {
        const TMargins in = menu->GetInset();
        h = in.top + in.bottom;
        for (int i = 0; i < menu->GetCount(); ++i) {
            CControlUI* c = menu->GetItemAt(i);
            if (!c->IsVisible())
                continue;
            const TMargins pd = c->GetPadding();
            h += std::max(c->GetFixedHeight(), m_pm.Scale(1)) + pd.top + pd.bottom;
        }
        h += menu->GetChildPadding() * std::max(0, menu->GetCount() - 1);
    }
    if (h <= 0)
        h = m_pm.Scale(30);
    QRect screen;
    if (QScreen* s = QGuiApplication::screenAt(screenPoint))
        screen = s->availableGeometry();
    else if (QScreen* s = QGuiApplication::primaryScreen())
        screen = s->availableGeometry();
    setGeometry(PlaceMenu(screenPoint, QSize(w, h), alignment, screen));
    ShowWindow(true, true);
    return true;
}

QString CMenuWnd::Exec() {
    if (!m_created)
        return QString();
    ShowModal();
    return m_chosen;
}

void CMenuWnd::Notify(TNotifyUI& msg) {
    if (msg.sType == QLatin1String(DUI_MSGTYPE_CLICK) && msg.pSender &&
        msg.pSender->GetInterface(QStringLiteral("MenuElement"))) {
        m_chosen = msg.pSender->GetName();
        const QString chosen = m_chosen;
        Callback cb = m_callback;
        const platform::WindowHandle target = m_target;
        const UINT message = m_message;
        Close(1);
        if (cb)
            cb(chosen);
        if (target && message)
            platform::Send(target, message, reinterpret_cast<WPARAM>(&chosen), 0);
        return;
    }
}

void CMenuWnd::OnFinalMessage() {}

}  // namespace ui
