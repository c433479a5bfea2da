#include "ui/UIList.h"

#include <QPainter>

#include "ui/UIManager.h"

namespace ui {

CListElementBase* AsListElement(CControlUI* control) {
    if (!control)
        return nullptr;
    return static_cast<CListElementBase*>(control->GetInterface(QStringLiteral("ListItem")));
}

void ReindexRows(const CContainerUI* owner) {
    for (int i = 0; i < owner->GetCount(); ++i)
        if (CListElementBase* e = AsListElement(owner->GetItemAt(i)))
            e->SetIndex(i);
}

void UnselectRows(const CContainerUI* owner, int index, bool others) {
    for (int i = 0; i < owner->GetCount(); ++i) {
        if ((others && i == index) || (!others && i != index))
            continue;
        if (CListElementBase* e = AsListElement(owner->GetItemAt(i)); e && e->IsItemSelected())
            e->Select(false);
    }
}

bool SelectSingleRow(const CContainerUI* owner, int index) {
    CControlUI* c = owner->GetItemAt(index);
    CListElementBase* e = AsListElement(c);
    if (!e || !c->IsEnabled())
        return false;
    UnselectRows(owner, index, true);
    if (!e->IsItemSelected())
        e->Select(true);
    return true;
}

bool ApplyListInfoAttribute(TListInfoUI& info, const QString& name, const QString& value) {
    const QString n = name.toLower();
    DWORD c = 0;
    TMargins m;
    if (n == QLatin1String("itemfont"))
        info.nFont = value.toInt();
    else if (n == QLatin1String("itemheight"))
        info.nItemHeight = std::max(1, value.toInt());
    else if (n == QLatin1String("itemtextpadding")) {
        if (ParseMargins(value, &m))
            info.rcTextPadding = m;
    } else if (n == QLatin1String("itemalign")) {
        info.uTextStyle &= ~(Qt::AlignLeft | Qt::AlignRight | Qt::AlignHCenter);
        info.uTextStyle |= value == QLatin1String("center")  ? Qt::AlignHCenter
                           : value == QLatin1String("right") ? Qt::AlignRight
                                                             : Qt::AlignLeft;
    } else if (n == QLatin1String("itemtextcolor")) {
        if (ParseColor(value, &c))
            info.dwTextColor = c;
    } else if (n == QLatin1String("itembkcolor")) {
        if (ParseColor(value, &c))
            info.dwBkColor = c;
    } else if (n == QLatin1String("itemselectedtextcolor")) {
        if (ParseColor(value, &c))
            info.dwSelectedTextColor = c;
    } else if (n == QLatin1String("itemselectedbkcolor")) {
        if (ParseColor(value, &c))
            info.dwSelectedBkColor = c;
    } else if (n == QLatin1String("itemhottextcolor")) {
        if (ParseColor(value, &c))
            info.dwHotTextColor = c;
    } else if (n == QLatin1String("itemhotbkcolor")) {
        if (ParseColor(value, &c))
            info.dwHotBkColor = c;
    } else if (n == QLatin1String("itemdisabledtextcolor")) {
        if (ParseColor(value, &c))
            info.dwDisabledTextColor = c;
    } else if (n == QLatin1String("itemselectedbarcolor")) {
        if (ParseColor(value, &c))
            info.dwSelectedBarColor = c;
    } else if (n == QLatin1String("itemlinecolor")) {
        if (ParseColor(value, &c))
            info.dwLineColor = c;
    } else if (n == QLatin1String("itembkimage"))
        info.sBkImage = value;
    else if (n == QLatin1String("itemhotimage"))
        info.sHotImage = value;
    else if (n == QLatin1String("itemselectedimage"))
        info.sSelectedImage = value;
    else if (n == QLatin1String("itemdisabledimage"))
        info.sDisabledImage = value;
    else
        return false;
    return true;
}

namespace {
// Row background shared by both element kinds.
void paintRowBackground(QPainter& p, CControlUI* row, const TListInfoUI* info, bool selected,
                        UINT state, CPaintManagerUI* pm) {
    if (!info || !pm)
        return;
    const QRect rc = row->GetPos();
    DWORD bk = info->dwBkColor;
    QString img = info->sBkImage;
    if (!row->IsEnabled()) {
        if (!info->sDisabledImage.isEmpty())
            img = info->sDisabledImage;
    } else if (selected) {
        bk = info->dwSelectedBkColor;
        if (!info->sSelectedImage.isEmpty())
            img = info->sSelectedImage;
    } else if (state & UISTATE_HOT) {
        bk = info->dwHotBkColor;
        if (!info->sHotImage.isEmpty())
            img = info->sHotImage;
    }
    CRenderEngine::DrawColor(p, rc, bk);
    if (!img.isEmpty())
        CRenderEngine::DrawImageString(p, pm, rc, img);
    if (selected && row->IsEnabled() && info->dwSelectedBarColor)
        CRenderEngine::DrawColor(p, QRect(rc.left(), rc.top(), pm->Scale(3), rc.height()),
                                 info->dwSelectedBarColor);
    if (info->dwLineColor)
        CRenderEngine::DrawColor(p, QRect(rc.left(), rc.bottom(), rc.width(), 1),
                                 info->dwLineColor);
}

// Pointer handling shared by both element kinds; true when consumed.
template <class Row>
bool rowEvent(Row* row, CListElementBase* base, TEventUI& event, UINT& state) {
    IListOwnerUI* owner = base->GetOwner();
    CPaintManagerUI* pm = row->GetManager();
    switch (event.Type) {
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_RBUTTONDOWN:
            if (row->IsEnabled()) {
                if (owner && owner->IsMultiSelect() && (event.wKeyState & Qt::ControlModifier)) {
                    if (base->IsItemSelected())
                        owner->UnSelectItem(base->GetIndex());
                    else
                        owner->SelectMultiItem(base->GetIndex(), true);
                } else if (owner) {
                    owner->SelectItem(base->GetIndex(), true, true);
                } else {
                    row->Select(true, true);
                }
                row->Invalidate();
            }
            return true;
        case UIEVENT_BUTTONUP:
            if (row->IsEnabled() && pm)
                pm->SendNotify(row, QString::fromLatin1(DUI_MSGTYPE_ITEMCLICK));
            return true;
        case UIEVENT_DBLCLICK:
            if (row->IsEnabled()) {
                // The row under a double click is the one activated: select it first.
                if (owner && !base->IsItemSelected())
                    owner->SelectItem(base->GetIndex(), true, true);
                row->Activate();
            }
            return true;
        case UIEVENT_KEYDOWN:
            if (row->IsEnabled() && event.key == Qt::Key_Return) {
                row->Activate();
                return true;
            }
            return false;
        case UIEVENT_MOUSEENTER:
            if (row->IsEnabled()) {
                state |= UISTATE_HOT;
                row->Invalidate();
            }
            return true;
        case UIEVENT_MOUSELEAVE:
            state &= ~UISTATE_HOT;
            row->Invalidate();
            return true;
        case UIEVENT_SCROLLWHEEL:
            if (owner) {
                owner->DoOwnerEvent(event);
                return true;
            }
            return false;
        default:
            return false;
    }
}
}  // namespace

// ---- label element ----

CListLabelElementUI::CListLabelElementUI() {
    m_cxyFixed.setHeight(0);
}

QString CListLabelElementUI::GetClass() const {
    return QStringLiteral("ListLabelElementUI");
}
void* CListLabelElementUI::GetInterface(const QString& name) {
    if (name == QLatin1String("ListItem"))
        return static_cast<CListElementBase*>(this);
    if (name == QLatin1String("ListLabelElement"))
        return this;
    return CLabelUI::GetInterface(name);
}

bool CListLabelElementUI::Select(bool select, bool triggerEvent) {
    if (!IsEnabled() && select)
        return false;
    if (m_pOwner && select && !m_bSelected) {
        m_bSelected = true;  // the owner clears the others
        m_pOwner->SelectItem(m_iIndex, false, triggerEvent);
    }
    m_bSelected = select;
    Invalidate();
    return true;
}

bool CListLabelElementUI::Activate() {
    if (!CControlUI::Activate())
        return false;
    if (m_pManager)
        m_pManager->SendNotify(this, QString::fromLatin1(DUI_MSGTYPE_ITEMACTIVATE));
    return true;
}

QSize CListLabelElementUI::EstimateSize(const QSize& available) {
    QSize sz = CLabelUI::EstimateSize(available);
    if (sz.height() == 0)
        sz.setHeight(Scale(m_pOwner ? m_pOwner->GetListInfo()->nItemHeight : 30));
    return sz;
}

void CListLabelElementUI::DoEvent(TEventUI& event) {
    if (!IsMouseEnabled() && event.Type > UIEVENT__MOUSEBEGIN && event.Type < UIEVENT__MOUSEEND) {
        if (m_pOwner)
            m_pOwner->DoOwnerEvent(event);
        return;
    }
    if (rowEvent(this, this, event, m_uButtonState))
        return;
    CLabelUI::DoEvent(event);
}

void CListLabelElementUI::DoPaint(QPainter& p, const QRect& rcPaint) {
    TListInfoUI* info = m_pOwner ? m_pOwner->GetListInfo() : nullptr;
    if (!info) {
        CLabelUI::DoPaint(p, rcPaint);
        return;
    }
    CControlUI::PaintBkColor(p);
    paintRowBackground(p, this, info, m_bSelected, m_uButtonState, m_pManager);
    CControlUI::PaintBkImage(p);
    CControlUI::PaintStatusImage(p);
    const QString text = GetText();
    if (!text.isEmpty() && m_pManager) {
        DWORD c = info->dwTextColor;
        if (!IsEnabled())
            c = info->dwDisabledTextColor;
        else if (m_bSelected)
            c = info->dwSelectedTextColor;
        else if (m_uButtonState & UISTATE_HOT)
            c = info->dwHotTextColor;
        if (m_dwTextColor && !m_bSelected && IsEnabled())
            c = m_dwTextColor;
        const TMargins t = m_pManager->GetDPIObj()->Scale(info->rcTextPadding);
        CRenderEngine::DrawText(p, m_rcItem.adjusted(t.left, t.top, -t.right, -t.bottom), text, c,
                                m_pManager->GetFont(m_iFont >= 0 ? m_iFont : info->nFont),
                                info->uTextStyle, true);
    }
    CControlUI::PaintBorder(p);
}

void CListLabelElementUI::SetAttribute(const QString& name, const QString& value) {
    if (name.compare(QLatin1String("selected"), Qt::CaseInsensitive) == 0)
        Select(ParseBool(value), false);
    else
        CLabelUI::SetAttribute(name, value);
}

// ---- container element ----

CListContainerElementUI::CListContainerElementUI() = default;

QString CListContainerElementUI::GetClass() const {
    return QStringLiteral("ListContainerElementUI");
}
void* CListContainerElementUI::GetInterface(const QString& name) {
    if (name == QLatin1String("ListItem"))
        return static_cast<CListElementBase*>(this);
    if (name == QLatin1String("ListContainerElement"))
        return this;
    return CHorizontalLayoutUI::GetInterface(name);
}

bool CListContainerElementUI::Select(bool select, bool triggerEvent) {
    if (!IsEnabled() && select)
        return false;
    if (m_pOwner && select && !m_bSelected) {
        m_bSelected = true;
        m_pOwner->SelectItem(m_iIndex, false, triggerEvent);
    }
    m_bSelected = select;
    Invalidate();
    return true;
}

bool CListContainerElementUI::Activate() {
    if (!CControlUI::Activate())
        return false;
    if (m_pManager)
        m_pManager->SendNotify(this, QString::fromLatin1(DUI_MSGTYPE_ITEMACTIVATE));
    return true;
}

QSize CListContainerElementUI::EstimateSize(const QSize& available) {
    QSize sz = CHorizontalLayoutUI::EstimateSize(available);
    if (sz.height() == 0)
        sz.setHeight(Scale(m_pOwner ? m_pOwner->GetListInfo()->nItemHeight : 30));
    return sz;
}

void CListContainerElementUI::DoEvent(TEventUI& event) {
    if (!IsMouseEnabled() && event.Type > UIEVENT__MOUSEBEGIN && event.Type < UIEVENT__MOUSEEND) {
        if (m_pOwner)
            m_pOwner->DoOwnerEvent(event);
        else
            CHorizontalLayoutUI::DoEvent(event);
        return;
    }
    if (rowEvent(this, this, event, m_uButtonState))
        return;
    CHorizontalLayoutUI::DoEvent(event);
}

void CListContainerElementUI::PaintBkColor(QPainter& p) {
    CHorizontalLayoutUI::PaintBkColor(p);
    paintRowBackground(p, this, m_pOwner ? m_pOwner->GetListInfo() : nullptr, m_bSelected,
                       m_uButtonState, m_pManager);
}

// ---- list ----

CListUI::CListUI() {
    EnableScrollBar(true, false);
}

QString CListUI::GetClass() const {
    return QStringLiteral("ListUI");
}
void* CListUI::GetInterface(const QString& name) {
    if (name == QLatin1String("List"))
        return this;
    if (name == QLatin1String("IListOwner"))
        return static_cast<IListOwnerUI*>(this);
    return CVerticalLayoutUI::GetInterface(name);
}

void CListUI::Reindex() {
    ReindexRows(this);
}

bool CListUI::Add(CControlUI* control) {
    return AddAt(control, GetCount());
}

bool CListUI::AddAt(CControlUI* control, int index) {
    if (!CVerticalLayoutUI::AddAt(control, index))
        return false;
    if (CListElementBase* e = AsListElement(control)) {
        e->SetOwner(this);
        if (m_iCurSel >= index)
            ++m_iCurSel;
        Reindex();
        if (e->IsItemSelected() && m_iCurSel < 0)
            m_iCurSel = e->GetIndex();
    }
    return true;
}

bool CListUI::Remove(CControlUI* control, bool doNotDestroy) {
    const int i = GetItemIndex(control);
    return i >= 0 && RemoveAt(i, doNotDestroy);
}

bool CListUI::RemoveAt(int index, bool doNotDestroy) {
    if (!CVerticalLayoutUI::RemoveAt(index, doNotDestroy))
        return false;
    if (index == m_iCurSel)
        m_iCurSel = -1;
    else if (index < m_iCurSel)
        --m_iCurSel;
    Reindex();
    return true;
}

void CListUI::RemoveAll() {
    m_iCurSel = -1;
    CVerticalLayoutUI::RemoveAll();
}

bool CListUI::SelectItem(int index, bool takeFocus, bool triggerEvent) {
    if (index < 0) {
        UnselectRows(this, -1, true);
        m_iCurSel = -1;
        return true;
    }
    const int old = m_iCurSel;
    m_iCurSel = index;  // before the rows call back into us
    if (!SelectSingleRow(this, index)) {
        m_iCurSel = old;
        return false;
    }
    CControlUI* c = GetItemAt(index);
    EnsureVisible(c);
    if (takeFocus)
        c->SetFocus();
    if (triggerEvent && old != index && m_pManager)
        m_pManager->SendNotify(this, QString::fromLatin1(DUI_MSGTYPE_ITEMSELECT),
                               static_cast<WPARAM>(index), old);
    return true;
}

bool CListUI::SelectMultiItem(int index, bool triggerEvent) {
    if (!m_bMultiSelect)
        return SelectItem(index, false, triggerEvent);
    CControlUI* c = GetItemAt(index);
    CListElementBase* e = AsListElement(c);
    if (!e || !c->IsEnabled())
        return false;
    const int old = m_iCurSel;
    m_iCurSel = index;
    e->Select(true);
    if (triggerEvent && m_pManager)
        m_pManager->SendNotify(this, QString::fromLatin1(DUI_MSGTYPE_ITEMSELECT),
                               static_cast<WPARAM>(index), old);
    return true;
}

bool CListUI::UnSelectItem(int index, bool others) {
    UnselectRows(this, index, others);
    if (!others && index == m_iCurSel)
        m_iCurSel = -1;
    return true;
}

void CListUI::SetMultiSelect(bool on) {
    m_bMultiSelect = on;
    if (!on && m_iCurSel >= 0)
        UnSelectItem(m_iCurSel, true);
}

QVector<int> CListUI::GetSelectedItems() const {
    QVector<int> out;
    for (int i = 0; i < GetCount(); ++i)
        if (CListElementBase* e = AsListElement(GetItemAt(i)); e && e->IsItemSelected())
            out.push_back(i);
    return out;
}

void CListUI::SetAttribute(const QString& name, const QString& value) {
    if (ApplyListInfoAttribute(m_info, name, value)) {
        Invalidate();
        return;
    }
    if (name.compare(QLatin1String("multiselect"), Qt::CaseInsensitive) == 0)
        SetMultiSelect(ParseBool(value));
    else
        CVerticalLayoutUI::SetAttribute(name, value);
}

}  // namespace ui
