#include "controls/ComboEditContainerElementUI.h"

#include "platform/Debug.h"
#include "ui/UIDlgBuilder.h"
#include "ui/UIEdit.h"
#include "ui/UIManager.h"

namespace controls {

QString CComboEditContainerElementUI::GetClass() const {
    return QStringLiteral("ComboEditContainerElement");
}

void* CComboEditContainerElementUI::GetInterface(const QString& name) {
    if (name == QLatin1String("ComboEditContainerElement"))
        return this;
    return ui::CListContainerElementUI::GetInterface(name);
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
        return;  // the row takes its looks from its list
    ui::CListContainerElementUI::SetAttribute(name, value);
}

void CComboEditContainerElementUI::SelectByPointer(bool toggle) {
    if (!m_pOwner) {
        Select(toggle ? !IsSelected() : true, true);
        return;
    }
    if (!toggle) {
        m_pOwner->SelectItem(m_iIndex, false, true);
    } else if (IsSelected()) {
        m_pOwner->UnSelectItem(m_iIndex);
    } else {
        m_addingToSelection = true;
        m_pOwner->SelectMultiItem(m_iIndex, true);
        m_addingToSelection = false;
    }
}

bool CComboEditContainerElementUI::Select(bool select, bool triggerEvent) {
    // Added to a multiple selection: only this row changes. The library's
    // row would ask its list for a single selection and clear the others.
    if (select && m_addingToSelection && m_pOwner && m_pOwner->IsMultiSelect()) {
        if (!IsEnabled())
            return false;
        m_bSelected = true;
        Invalidate();
        return true;
    }
    return ui::CListContainerElementUI::Select(select, triggerEvent);
}

void CComboEditContainerElementUI::DoEvent(ui::TEventUI& event) {
    const bool mouse = event.Type > ui::UIEVENT__MOUSEBEGIN && event.Type < ui::UIEVENT__MOUSEEND;
    if (mouse && !IsMouseEnabled()) {
        if (m_pOwner)
            m_pOwner->DoOwnerEvent(event);
        else
            ui::CHorizontalLayoutUI::DoEvent(event);
        return;
    }
    ui::CPaintManagerUI* pm = m_pManager;
    switch (event.Type) {
        case ui::UIEVENT_KEYDOWN:
            if (IsEnabled() && (event.key == Qt::Key_Return || event.key == Qt::Key_Enter)) {
                Activate();
                Invalidate();
                if (pm)
                    pm->SendNotify(this, QString::fromLatin1(ui::DUI_MSGTYPE_RETURN));
                return;
            }
            break;
        case ui::UIEVENT_BUTTONDOWN:
            if (IsEnabled())
                SelectByPointer(event.wKeyState & Qt::ControlModifier);
            return;
        case ui::UIEVENT_BUTTONUP:
            if (IsEnabled() && pm)
                pm->SendNotify(this, QString::fromLatin1(ui::DUI_MSGTYPE_ITEMCLICK));
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
            if (pm)
                pm->SendNotify(this, QString::fromLatin1(ui::DUI_MSGTYPE_TIMER), event.wParam,
                               event.lParam);
            return;
        case ui::UIEVENT_CONTEXTMENU:
            if (IsContextMenuUsed() && pm) {
                pm->SendNotify(this, QString::fromLatin1(ui::DUI_MSGTYPE_MENU), event.wParam,
                               event.lParam);
                return;
            }
            break;
        default:
            break;
    }
    // Everything else (focus, wheel) as a plain container.
    ui::CHorizontalLayoutUI::DoEvent(event);
}

}  // namespace controls
