#include "controls/ComboEditContainerElementUI.h"

#include <QPainter>

#include "platform/Debug.h"
#include "ui/UIDlgBuilder.h"
#include "ui/UIEdit.h"
#include "ui/UIManager.h"

namespace controls {

QString CComboEditContainerElementUI::GetClass() const {
    return QStringLiteral("ComboEditContainerElement");
}

void* CComboEditContainerElementUI::GetInterface(const QString& name) {
    if (name == QLatin1String("ComboEditContainerElement") || name == QLatin1String("ListItem"))
        return this;
    return ui::CHorizontalLayoutUI::GetInterface(name);
}

ui::UINT CComboEditContainerElementUI::GetControlFlags() const {
    return ui::UIFLAG_INTERACTIVE | ui::UIFLAG_WANTRETURN;
}

void CComboEditContainerElementUI::DoInit() {
    if (!m_pManager)
        return;
    ui::CDialogBuilder builder;
    // Skin paths are written with backslashes; the builder wants '/'.
    const QString file =
        QString::fromLatin1(kContentFile).replace(QLatin1Char('\\'), QLatin1Char('/'));
    ui::CControlUI* content = builder.Create(file, QString(), nullptr, m_pManager);
    if (!content) {
        platform::DebugLine(QStringLiteral("ComboEditContainerElement: no row content (%1)")
                                .arg(builder.GetLastErrorMessage()));
        return;
    }
    RemoveAll();
    Add(content);
    m_text1 = m_pManager->FindSubControlByName(this, QStringLiteral("text1"));
    m_text2 = m_pManager->FindSubControlByName(this, QStringLiteral("text2"));
    ui::CControlUI* edit = m_pManager->FindSubControlByName(this, QStringLiteral("delay_edit"));
    m_delayEdit =
        edit ? static_cast<ui::CEditUI*>(edit->GetInterface(QStringLiteral("Edit"))) : nullptr;
}

void CComboEditContainerElementUI::SetAttribute(const QString& name, const QString& value) {
    const QString n = name.toLower();
    if (n == QLatin1String("normalimage") || n == QLatin1String("hotimage") ||
        n == QLatin1String("selectedimage"))
        return;  // the row draws colours, not status pictures
    if (n == QLatin1String("selectedbkcolor")) {
        ui::DWORD c = 0;
        if (ui::ParseColor(value, &c))
            SetSelectedBkColor(c);
        return;
    }
    if (n == QLatin1String("selected")) {
        Select(ui::ParseBool(value));
        return;
    }
    ui::CHorizontalLayoutUI::SetAttribute(name, value);
}

void CComboEditContainerElementUI::Select(bool selected) {
    if (m_selected == selected)
        return;
    m_selected = selected;
    if (selected)
        m_uButtonState |= ui::UISTATE_SELECTED;
    else
        m_uButtonState &= ~ui::UISTATE_SELECTED;
    Invalidate();
}

bool CComboEditContainerElementUI::Activate() {
    if (!ui::CHorizontalLayoutUI::Activate())
        return false;
    if (m_pManager)
        m_pManager->SendNotify(this, QString::fromLatin1(ui::DUI_MSGTYPE_ITEMACTIVATE));
    return true;
}

ui::CControlUI* CComboEditContainerElementUI::Owner() const {
    return m_pParent;
}

void CComboEditContainerElementUI::DoEvent(ui::TEventUI& event) {
    const bool mouse = event.Type > ui::UIEVENT__MOUSEBEGIN && event.Type < ui::UIEVENT__MOUSEEND;
    if (mouse && !IsMouseEnabled()) {
        if (ui::CControlUI* owner = Owner())
            owner->DoEvent(event);
        else
            ui::CHorizontalLayoutUI::DoEvent(event);
        return;
    }
    switch (event.Type) {
        case ui::UIEVENT_KEYDOWN:
            if (IsEnabled() && (event.key == Qt::Key_Return || event.key == Qt::Key_Enter)) {
                Activate();
                Invalidate();
                if (m_pManager)
                    m_pManager->SendNotify(this, QString::fromLatin1(ui::DUI_MSGTYPE_RETURN));
                return;
            }
            break;
        case ui::UIEVENT_BUTTONDOWN:
            if (IsEnabled()) {
                if (event.wKeyState & Qt::ControlModifier)
                    Select(!m_selected);
                else
                    Select(true);
            }
            return;
        case ui::UIEVENT_BUTTONUP:
            if (IsEnabled() && m_pManager)
                m_pManager->SendNotify(this, QString::fromLatin1(ui::DUI_MSGTYPE_ITEMCLICK));
            return;
        case ui::UIEVENT_MOUSEMOVE:
            return;
        case ui::UIEVENT_MOUSEENTER:
            if (IsEnabled()) {
                m_uButtonState |= ui::UISTATE_HOT;
                Invalidate();
            }
            return;
        case ui::UIEVENT_MOUSELEAVE:
            if (m_uButtonState & ui::UISTATE_HOT) {
                m_uButtonState &= ~ui::UISTATE_HOT;
                Invalidate();
            }
            return;
        case ui::UIEVENT_DBLCLICK:
            if (IsEnabled())
                Activate();
            return;
        case ui::UIEVENT_TIMER:
            if (m_pManager)
                m_pManager->SendNotify(this, QString::fromLatin1(ui::DUI_MSGTYPE_TIMER),
                                       event.wParam, event.lParam);
            return;
        case ui::UIEVENT_CONTEXTMENU:
            if (IsContextMenuUsed() && m_pManager) {
                m_pManager->SendNotify(this, QString::fromLatin1(ui::DUI_MSGTYPE_MENU),
                                       event.wParam, event.lParam);
                return;
            }
            break;
        default:
            break;
    }
    ui::CHorizontalLayoutUI::DoEvent(event);
}

void CComboEditContainerElementUI::PaintBkColor(QPainter& p) {
    if (m_selected && m_selectedBkColor) {
        ui::CRenderEngine::DrawColor(p, m_rcItem, m_selectedBkColor);
        return;
    }
    ui::CHorizontalLayoutUI::PaintBkColor(p);
}

}  // namespace controls
