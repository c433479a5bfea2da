#include "ui/UIButton.h"

#include <QPainter>

#include "ui/UIContainer.h"
#include "ui/UIManager.h"

namespace ui {

CButtonUI::CButtonUI() {
    m_uTextStyle = Qt::AlignCenter | Qt::TextSingleLine;
    setFocusPolicy(Qt::TabFocus);
}

QString CButtonUI::GetClass() const {
    return QStringLiteral("ButtonUI");
}
void* CButtonUI::GetInterface(const QString& name) {
    if (name == QLatin1String("Button"))
        return this;
    return CLabelUI::GetInterface(name);
}
UINT CButtonUI::GetControlFlags() const {
    return UIFLAG_INTERACTIVE | (IsKeyboardEnabled() ? UINT(UIFLAG_TABSTOP) : 0u);
}

bool CButtonUI::Activate() {
    if (!CLabelUI::Activate())
        return false;
    if (m_pManager)
        m_pManager->SendNotify(this, QString::fromLatin1(DUI_MSGTYPE_CLICK));
    return true;
}

void CButtonUI::SetEnabled(bool enable) {
    CLabelUI::SetEnabled(enable);
    if (!enable)
        m_uButtonState &= UISTATE_SELECTED | UISTATE_DISABLED;
}

void CButtonUI::DoEvent(TEventUI& event) {
    switch (event.Type) {
        case UIEVENT_KEYDOWN:
            if (IsKeyboardEnabled() && IsEnabled() &&
                (event.key == Qt::Key_Space || event.key == Qt::Key_Return)) {
                Activate();
                return;
            }
            break;
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_DBLCLICK:
            if (m_rcItem.contains(event.ptMouse) && IsEnabled()) {
                m_uButtonState |= UISTATE_PUSHED | UISTATE_CAPTURED;
                Invalidate();
            }
            return;
        case UIEVENT_MOUSEMOVE:
            if (m_uButtonState & UISTATE_CAPTURED) {
                const UINT before = m_uButtonState;
                if (m_rcItem.contains(event.ptMouse))
                    m_uButtonState |= UISTATE_PUSHED;
                else
                    m_uButtonState &= ~UISTATE_PUSHED;
                if (before != m_uButtonState)
                    Invalidate();
            }
            return;
        case UIEVENT_BUTTONUP:
            if (m_uButtonState & UISTATE_CAPTURED) {
                m_uButtonState &= ~(UISTATE_PUSHED | UISTATE_CAPTURED);
                Invalidate();
                if (m_rcItem.contains(event.ptMouse))
                    Activate();
            }
            return;
        case UIEVENT_RBUTTONDOWN:
        case UIEVENT_RBUTTONUP:
            return;
        default:
            break;
    }
    CLabelUI::DoEvent(event);
}

void CButtonUI::SetAttribute(const QString& name, const QString& value) {
    CLabelUI::SetAttribute(name, value);
}

void CButtonUI::PaintText(QPainter& p) {
    CLabelUI::PaintText(p);
}

// ---- Option ----

COptionUI::COptionUI() = default;

COptionUI::~COptionUI() {
    if (!m_sGroupName.isEmpty() && m_pManager)
        m_pManager->RemoveOptionGroup(m_sGroupName, this);
}

QString COptionUI::GetClass() const {
    return QStringLiteral("OptionUI");
}
void* COptionUI::GetInterface(const QString& name) {
    if (name == QLatin1String("Option"))
        return this;
    return CButtonUI::GetInterface(name);
}

void COptionUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
    if (m_pManager && m_pManager != manager && !m_sGroupName.isEmpty())
        m_pManager->RemoveOptionGroup(m_sGroupName, this);
    CButtonUI::SetManager(manager, parent, init);
    if (manager && !m_sGroupName.isEmpty())
        manager->AddOptionGroup(m_sGroupName, this);
}

void COptionUI::SetGroup(const QString& group) {
    if (group == m_sGroupName)
        return;
    if (!m_sGroupName.isEmpty() && m_pManager)
        m_pManager->RemoveOptionGroup(m_sGroupName, this);
    m_sGroupName = group;
    if (!m_sGroupName.isEmpty() && m_pManager)
        m_pManager->AddOptionGroup(m_sGroupName, this);
    Selected(m_bSelected, false);
}

void COptionUI::Selected(bool selected, bool triggerEvent) {
    const bool changed = m_bSelected != selected;
    m_bSelected = selected;
    if (selected)
        m_uButtonState |= UISTATE_SELECTED;
    else
        m_uButtonState &= ~UISTATE_SELECTED;
    if (m_pManager && !m_sGroupName.isEmpty() && selected) {
        // Exclusive within the group: the others are cleared silently.
        for (CControlUI* c : m_pManager->GetOptionGroup(m_sGroupName)) {
            if (c == this)
                continue;
            auto* o = static_cast<COptionUI*>(c->GetInterface(QStringLiteral("Option")));
            if (o && o->IsSelected())
                o->Selected(false, false);
        }
    }
    if (selected)
        FollowBoundTab(triggerEvent);
    if (changed && triggerEvent && m_pManager)
        m_pManager->SendNotify(this, QString::fromLatin1(DUI_MSGTYPE_SELECTCHANGED),
                               selected ? 1 : 0, 0);
    Invalidate();
}

void COptionUI::FollowBoundTab(bool triggerEvent) {
    if (m_sBindTabLayoutName.isEmpty() || m_iBindTabIndex < 0 || !m_pManager)
        return;
    CControlUI* c = m_pManager->FindControl(m_sBindTabLayoutName);
    auto* tab =
        c ? static_cast<CTabLayoutUI*>(c->GetInterface(QStringLiteral("TabLayout"))) : nullptr;
    if (tab)
        tab->SelectItem(m_iBindTabIndex, triggerEvent);
}

bool COptionUI::Activate() {
    if (!CControlUI::Activate())
        return false;
    if (!m_sGroupName.isEmpty())
        Selected(true, true);
    else
        Selected(!m_bSelected, true);
    if (m_pManager)
        m_pManager->SendNotify(this, QString::fromLatin1(DUI_MSGTYPE_CLICK));
    return true;
}

void COptionUI::SetEnabled(bool enable) {
    CButtonUI::SetEnabled(enable);
    if (m_bSelected)
        m_uButtonState |= UISTATE_SELECTED;
}

void COptionUI::SetAttribute(const QString& name, const QString& value) {
    const QString n = name.toLower();
    DWORD c = 0;
    if (n == QLatin1String("group")) {
        SetGroup(value);
    } else if (n == QLatin1String("selected")) {
        Selected(ParseBool(value), false);
    } else if (n == QLatin1String("selectedimage")) {
        SetSelectedImage(value);
    } else if (n == QLatin1String("selectedhotimage")) {
        SetSelectedHotImage(value);
    } else if (n == QLatin1String("foreselectedimage") || n == QLatin1String("selectedforeimage")) {
        SetForeSelectedImage(value);
    } else if (n == QLatin1String("selectedbkcolor")) {
        if (ParseColor(value, &c))
            SetSelectedBkColor(c);
    } else if (n == QLatin1String("selectedtextcolor")) {
        if (ParseColor(value, &c))
            SetSelectedTextColor(c);
    } else if (n == QLatin1String("selectedbordercolor")) {
        if (ParseColor(value, &c))
            SetSelectedBorderColor(c);
    } else if (n == QLatin1String("bindtabindex")) {
        bool ok = false;
        const int i = value.toInt(&ok);
        BindTabIndex(ok ? i : -1);
    } else if (n == QLatin1String("bindtablayoutname")) {
        BindTabLayoutName(value);
    } else {
        CButtonUI::SetAttribute(name, value);
    }
}

void COptionUI::PaintBkColor(QPainter& p) {
    if (m_bSelected && m_dwSelectedBkColor) {
        const QSize round =
            m_pManager ? m_pManager->GetDPIObj()->Scale(m_cxyBorderRound) : m_cxyBorderRound;
        CRenderEngine::DrawColor(p, m_rcItem, m_dwSelectedBkColor, round);
        return;
    }
    CButtonUI::PaintBkColor(p);
}

void COptionUI::PaintStatusImage(QPainter& p) {
    if (m_bSelected) {
        if ((m_uButtonState & UISTATE_HOT) && !m_sSelectedHotImage.isEmpty() &&
            DrawImage(p, m_sSelectedHotImage))
            return;
        if (!m_sSelectedImage.isEmpty() && IsEnabled() && DrawImage(p, m_sSelectedImage))
            return;
        if (!m_sSelectedImage.isEmpty() && !IsEnabled() && m_sDisabledImage.isEmpty() &&
            DrawImage(p, m_sSelectedImage))
            return;
    }
    CButtonUI::PaintStatusImage(p);
    if (m_bSelected && !m_sSelectedForeImage.isEmpty())
        DrawImage(p, m_sSelectedForeImage);
}

void COptionUI::PaintText(QPainter& p) {
    if (m_bSelected && m_dwSelectedTextColor && IsEnabled()) {
        const QString text = GetText();
        if (text.isEmpty() || !m_pManager)
            return;
        CRenderEngine::DrawText(p, TextRect(), text, m_dwSelectedTextColor,
                                m_pManager->GetFont(m_iFont), m_uTextStyle, m_bEndEllipsis);
        return;
    }
    CButtonUI::PaintText(p);
}

void COptionUI::PaintBorder(QPainter& p) {
    if (m_bSelected && m_dwSelectedBorderColor && m_nBorderSize > 0) {
        const QSize round =
            m_pManager ? m_pManager->GetDPIObj()->Scale(m_cxyBorderRound) : m_cxyBorderRound;
        CRenderEngine::DrawBorder(p, m_rcItem, std::max(1, Scale(m_nBorderSize)),
                                  m_dwSelectedBorderColor, round);
        return;
    }
    CButtonUI::PaintBorder(p);
}

QString CCheckBoxUI::GetClass() const {
    return QStringLiteral("CheckBoxUI");
}
void* CCheckBoxUI::GetInterface(const QString& name) {
    if (name == QLatin1String("CheckBox"))
        return this;
    return COptionUI::GetInterface(name);
}

}  // namespace ui
