#include "ui/UIContainer.h"

#include <algorithm>

#include "ui/UIManager.h"
#include "ui/UIScrollBar.h"

namespace ui {

CContainerUI::CContainerUI() = default;

CContainerUI::~CContainerUI() {
    // Children are QWidget children and go with us; make sure they leave the
    // manager's tables first (their own destructors do that).
    m_items.clear();
}

QString CContainerUI::GetClass() const {
    return QStringLiteral("ContainerUI");
}

void* CContainerUI::GetInterface(const QString& name) {
    if (name == QLatin1String("Container") || name == QLatin1String("IContainer"))
        return this;
    return CControlUI::GetInterface(name);
}

CControlUI* CContainerUI::GetItemAt(int index) const {
    return index >= 0 && index < m_items.size() ? m_items[index] : nullptr;
}

int CContainerUI::GetItemIndex(CControlUI* control) const {
    return static_cast<int>(m_items.indexOf(control));
}

bool CContainerUI::SetItemIndex(CControlUI* control, int newIndex) {
    const int old = GetItemIndex(control);
    if (old < 0 || newIndex < 0 || newIndex >= m_items.size())
        return false;
    m_items.move(old, newIndex);
    NeedUpdate();
    return true;
}

bool CContainerUI::Add(CControlUI* control) {
    return AddAt(control, GetCount());
}

bool CContainerUI::AddAt(CControlUI* control, int index) {
    if (control == nullptr || control == this || m_items.contains(control))
        return false;
    if (index < 0 || index > m_items.size())
        return false;
    control->setParent(this);
    if (!m_bMouseChildEnabled)
        control->setAttribute(Qt::WA_TransparentForMouseEvents, true);
    control->SetManager(m_pManager, this, m_pManager != nullptr);
    m_items.insert(index, control);
    if (m_pVScroll)
        m_pVScroll->raise();
    NeedUpdate();
    return true;
}

bool CContainerUI::Remove(CControlUI* control, bool doNotDestroy) {
    const int i = GetItemIndex(control);
    if (i < 0)
        return false;
    return RemoveAt(i, doNotDestroy);
}

bool CContainerUI::RemoveAt(int index, bool doNotDestroy) {
    CControlUI* c = GetItemAt(index);
    if (c == nullptr)
        return false;
    m_items.removeAt(index);
    if (m_pManager)
        m_pManager->ReapTree(c);
    if (!doNotDestroy && m_bAutoDestroy) {
        delete c;
    } else {
        c->hide();
        c->setParent(nullptr);
    }
    NeedUpdate();
    return true;
}

void CContainerUI::RemoveAll() {
    while (!m_items.isEmpty())
        RemoveAt(static_cast<int>(m_items.size()) - 1);
}

TMargins CContainerUI::GetInset() const {
    return m_pManager ? m_pManager->GetDPIObj()->Scale(m_rcInset) : m_rcInset;
}
void CContainerUI::SetInset(const TMargins& m) {
    m_rcInset = m;
    NeedUpdate();
}
int CContainerUI::GetChildPadding() const {
    return Scale(m_iChildPadding);
}
void CContainerUI::SetChildPadding(int padding) {
    m_iChildPadding = padding;
    NeedUpdate();
}
void CContainerUI::SetMouseChildEnabled(bool enable) {
    m_bMouseChildEnabled = enable;
    for (CControlUI* c : m_items)
        c->setAttribute(Qt::WA_TransparentForMouseEvents, !enable || !c->IsMouseEnabled());
}

void CContainerUI::EnableScrollBar(bool vertical, bool horizontal) {
    if (vertical && !m_pVScroll) {
        m_pVScroll = new CScrollBarUI();
        m_pVScroll->setParent(this);
        m_pVScroll->SetOwner(this);
        m_pVScroll->SetManager(m_pManager, this, false);
        m_pVScroll->SetVisible(false);
    } else if (!vertical && m_pVScroll) {
        delete m_pVScroll;
        m_pVScroll = nullptr;
    }
    if (horizontal && !m_pHScroll) {
        m_pHScroll = new CScrollBarUI();
        m_pHScroll->setParent(this);
        m_pHScroll->SetHorizontal(true);
        m_pHScroll->SetOwner(this);
        m_pHScroll->SetManager(m_pManager, this, false);
        m_pHScroll->SetVisible(false);
    } else if (!horizontal && m_pHScroll) {
        delete m_pHScroll;
        m_pHScroll = nullptr;
    }
    NeedUpdate();
}

QSize CContainerUI::GetScrollPos() const {
    return {m_pHScroll && m_pHScroll->IsVisible() ? m_pHScroll->GetScrollPos() : 0,
            m_pVScroll && m_pVScroll->IsVisible() ? m_pVScroll->GetScrollPos() : 0};
}

QSize CContainerUI::GetScrollRange() const {
    return {m_pHScroll && m_pHScroll->IsVisible() ? m_pHScroll->GetScrollRange() : 0,
            m_pVScroll && m_pVScroll->IsVisible() ? m_pVScroll->GetScrollRange() : 0};
}

void CContainerUI::SetScrollPos(QSize pos) {
    m_bScrollProcess = true;
    if (m_pVScroll && m_pVScroll->IsVisible())
        m_pVScroll->SetScrollPos(pos.height());
    if (m_pHScroll && m_pHScroll->IsVisible())
        m_pHScroll->SetScrollPos(pos.width());
    m_bScrollProcess = false;
    OnScrollBarChanged();
}

void CContainerUI::LineUp() {
    SetScrollPos({GetScrollPos().width(), GetScrollPos().height() - Scale(30)});
}
void CContainerUI::LineDown() {
    SetScrollPos({GetScrollPos().width(), GetScrollPos().height() + Scale(30)});
}
void CContainerUI::PageUp() {
    SetScrollPos({GetScrollPos().width(),
                  GetScrollPos().height() - std::max(1, m_rcItem.height() - Scale(30))});
}
void CContainerUI::PageDown() {
    SetScrollPos({GetScrollPos().width(),
                  GetScrollPos().height() + std::max(1, m_rcItem.height() - Scale(30))});
}

void CContainerUI::EnsureVisible(CControlUI* control) {
    if (!control || !m_pVScroll || !m_pVScroll->IsVisible())
        return;
    const QRect view = ContentRect(m_rcItem, true);
    const QRect r = control->GetPos();
    QSize pos = GetScrollPos();
    if (r.top() < view.top())
        pos.setHeight(pos.height() - (view.top() - r.top()));
    else if (r.bottom() > view.bottom())
        pos.setHeight(pos.height() + (r.bottom() - view.bottom()));
    SetScrollPos(pos);
}

void CContainerUI::OnScrollBarChanged() {
    if (m_bScrollProcess)
        return;
    SetPos(m_rcItem, true);
}

void CContainerUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
    for (CControlUI* c : m_items)
        c->SetManager(manager, this, init);
    if (m_pVScroll)
        m_pVScroll->SetManager(manager, this, false);
    if (m_pHScroll)
        m_pHScroll->SetManager(manager, this, false);
    CControlUI::SetManager(manager, parent, init);
}

CControlUI* CContainerUI::FindControl(FindProc proc, void* data, UINT flags) {
    if ((flags & UIFIND_VISIBLE) && !IsVisible())
        return nullptr;
    if ((flags & UIFIND_ENABLED) && !IsEnabled())
        return nullptr;
    if ((flags & UIFIND_HITTEST) && !m_rcItem.contains(*static_cast<QPoint*>(data)))
        return nullptr;
    if (flags & UIFIND_ME_FIRST) {
        if (CControlUI* c = CControlUI::FindControl(proc, data, flags))
            return c;
    }
    if (!(flags & UIFIND_HITTEST) || m_bMouseChildEnabled) {
        if (flags & UIFIND_HITTEST) {
            for (CScrollBarUI* sb : {m_pVScroll, m_pHScroll})
                if (sb)
                    if (CControlUI* c = sb->FindControl(proc, data, flags))
                        return c;
        }
        const bool topFirst = (flags & UIFIND_TOP_FIRST) || (flags & UIFIND_HITTEST);
        const int n = static_cast<int>(m_items.size());
        for (int k = 0; k < n; ++k) {
            CControlUI* item = m_items[topFirst ? n - 1 - k : k];
            if (CControlUI* c = item->FindControl(proc, data, flags))
                return c;
        }
    }
    if (flags & UIFIND_ME_FIRST)
        return nullptr;
    return CControlUI::FindControl(proc, data, flags);
}

void CContainerUI::SetVisible(bool visible) {
    CControlUI::SetVisible(visible);
}
void CContainerUI::SetInternVisible(bool visible) {
    CControlUI::SetInternVisible(visible);
}
void CContainerUI::SetEnabled(bool enable) {
    CControlUI::SetEnabled(enable);
}

void CContainerUI::ReloadText() {
    CControlUI::ReloadText();
    for (CControlUI* c : m_items)
        c->ReloadText();
}

QRect CContainerUI::ContentRect(const QRect& rc, bool withScrollBars) const {
    const TMargins in = GetInset();
    const int b = Scale(m_nBorderSize);
    QRect r = rc.adjusted(in.left, in.top, -in.right, -in.bottom);
    Q_UNUSED(b);
    if (withScrollBars) {
        if (m_pVScroll && m_pVScroll->IsVisible())
            r.setRight(r.right() - m_pVScroll->GetFixedWidth());
        if (m_pHScroll && m_pHScroll->IsVisible())
            r.setBottom(r.bottom() - m_pHScroll->GetFixedHeight());
    }
    return r;
}

void CContainerUI::SetPos(const QRect& rc, bool needInvalidate) {
    CControlUI::SetPos(rc, needInvalidate);
    if (m_items.isEmpty() && !m_pVScroll && !m_pHScroll)
        return;
    QRect content = ContentRect(m_rcItem, true);
    const QSize scroll = GetScrollPos();
    QSize needed = LayoutChildren(content.translated(-scroll.width(), -scroll.height()));
    if (m_pVScroll || m_pHScroll) {
        const bool vBefore = m_pVScroll && m_pVScroll->IsVisible();
        const bool hBefore = m_pHScroll && m_pHScroll->IsVisible();
        ProcessScrollBars(m_rcItem, needed);
        const bool vAfter = m_pVScroll && m_pVScroll->IsVisible();
        const bool hAfter = m_pHScroll && m_pHScroll->IsVisible();
        const QSize scroll2 = GetScrollPos();
        if (vBefore != vAfter || hBefore != hAfter || scroll2 != scroll) {
            content = ContentRect(m_rcItem, true);
            needed = LayoutChildren(content.translated(-scroll2.width(), -scroll2.height()));
            ProcessScrollBars(m_rcItem, needed);
        }
    }
    for (CControlUI* c : m_items)
        if (c->IsVisible() && c->IsFloat())
            SetFloatPos(c);
}

void CContainerUI::ProcessScrollBars(const QRect& rc, QSize needed) {
    const QRect view = ContentRect(rc, false);
    if (m_pVScroll) {
        const int range = needed.height() - view.height();
        if (range > 0) {
            m_pVScroll->SetVisible(true);
            m_bScrollProcess = true;
            m_pVScroll->SetScrollRange(range);
            m_pVScroll->SetPageSize(view.height());
            m_bScrollProcess = false;
            const int w = m_pVScroll->GetFixedWidth();
            m_pVScroll->SetPos(QRect(rc.right() + 1 - w, rc.top(), w, rc.height()));
            m_pVScroll->raise();
        } else if (m_pVScroll->IsVisible()) {
            m_bScrollProcess = true;
            m_pVScroll->SetScrollPos(0);
            m_bScrollProcess = false;
            m_pVScroll->SetVisible(false);
        }
    }
    if (m_pHScroll) {
        const int range = needed.width() - view.width();
        if (range > 0) {
            m_pHScroll->SetVisible(true);
            m_bScrollProcess = true;
            m_pHScroll->SetScrollRange(range);
            m_pHScroll->SetPageSize(view.width());
            m_bScrollProcess = false;
            const int h = m_pHScroll->GetFixedHeight();
            m_pHScroll->SetPos(QRect(rc.left(), rc.bottom() + 1 - h, rc.width(), h));
            m_pHScroll->raise();
        } else if (m_pHScroll->IsVisible()) {
            m_bScrollProcess = true;
            m_pHScroll->SetScrollPos(0);
            m_bScrollProcess = false;
            m_pHScroll->SetVisible(false);
        }
    }
}

void CContainerUI::SetFloatPos(CControlUI* child) {
    const QRect f = child->GetFloatPos();
    const QPoint tl = m_rcItem.topLeft() + QPoint(Scale(f.left()), Scale(f.top()));
    int w = child->GetFixedWidth();
    int h = child->GetFixedHeight();
    if (w <= 0)
        w = Scale(std::max(0, f.width()));
    if (h <= 0)
        h = Scale(std::max(0, f.height()));
    child->SetPos(QRect(tl, QSize(w, h)));
}

QSize CContainerUI::LayoutChildren(const QRect& rc) {
    // Plain container: every child fills the content area (minus padding).
    for (CControlUI* c : m_items) {
        if (!c->IsVisible() || c->IsFloat())
            continue;
        const TMargins p = c->GetPadding();
        QRect r = rc.adjusted(p.left, p.top, -p.right, -p.bottom);
        const QSize sz = c->EstimateSize(r.size());
        if (sz.width() > 0)
            r.setWidth(std::clamp(sz.width(), c->GetMinWidth(), c->GetMaxWidth()));
        if (sz.height() > 0)
            r.setHeight(std::clamp(sz.height(), c->GetMinHeight(), c->GetMaxHeight()));
        c->SetPos(r);
    }
    return rc.size();
}

void CContainerUI::SetAttribute(const QString& name, const QString& value) {
    const QString n = name.toLower();
    TMargins m;
    if (n == QLatin1String("inset")) {
        if (ParseMargins(value, &m))
            SetInset(m);
    } else if (n == QLatin1String("childpadding")) {
        SetChildPadding(value.toInt());
    } else if (n == QLatin1String("mousechild")) {
        SetMouseChildEnabled(ParseBool(value));
    } else if (n == QLatin1String("vscrollbar")) {
        EnableScrollBar(ParseBool(value), m_pHScroll != nullptr);
    } else if (n == QLatin1String("hscrollbar")) {
        EnableScrollBar(m_pVScroll != nullptr, ParseBool(value));
    } else if (n == QLatin1String("vscrollbarstyle")) {
        if (!m_pVScroll)
            EnableScrollBar(true, m_pHScroll != nullptr);
        m_pVScroll->ApplyAttributeList(value);
    } else if (n == QLatin1String("hscrollbarstyle")) {
        if (!m_pHScroll)
            EnableScrollBar(m_pVScroll != nullptr, true);
        m_pHScroll->ApplyAttributeList(value);
    } else if (n == QLatin1String("autodestroy")) {
        SetAutoDestroy(ParseBool(value));
    } else {
        CControlUI::SetAttribute(name, value);
    }
}

void CContainerUI::DoEvent(TEventUI& event) {
    if (event.Type == UIEVENT_SCROLLWHEEL && m_pVScroll && m_pVScroll->IsVisible()) {
        if (event.wParam == 0)
            LineUp();
        else
            LineDown();
        return;
    }
    CControlUI::DoEvent(event);
}

// ---- Vertical ----

QString CVerticalLayoutUI::GetClass() const {
    return QStringLiteral("VerticalLayoutUI");
}
void* CVerticalLayoutUI::GetInterface(const QString& name) {
    if (name == QLatin1String("VerticalLayout"))
        return this;
    return CContainerUI::GetInterface(name);
}

namespace {
// Shared by both box layouts: `main` is the axis children are stacked on.
struct Slot {
    CControlUI* c;
    int main;   // 0: adjustable
    int cross;  // 0: fill
    bool adjustable;
};

template <bool Vertical>
QSize BoxLayout(const QVector<CControlUI*>& items, const QRect& rc, int childPadding) {
    auto mainOf = [](const QSize& s) { return Vertical ? s.height() : s.width(); };
    auto crossOf = [](const QSize& s) { return Vertical ? s.width() : s.height(); };
    auto minMain = [](CControlUI* c) { return Vertical ? c->GetMinHeight() : c->GetMinWidth(); };
    auto maxMain = [](CControlUI* c) { return Vertical ? c->GetMaxHeight() : c->GetMaxWidth(); };
    auto minCross = [](CControlUI* c) { return Vertical ? c->GetMinWidth() : c->GetMinHeight(); };
    auto maxCross = [](CControlUI* c) { return Vertical ? c->GetMaxWidth() : c->GetMaxHeight(); };
    const int avail = mainOf(rc.size());
    QVector<Slot> entries;
    entries.reserve(items.size());
    int fixed = 0;
    int adjustable = 0;
    for (CControlUI* c : items) {
        if (!c->IsVisible() || c->IsFloat())
            continue;
        const TMargins p = c->GetPadding();
        const int padMain = Vertical ? p.top + p.bottom : p.left + p.right;
        const int padCross = Vertical ? p.left + p.right : p.top + p.bottom;
        const QSize sz = c->EstimateSize(Vertical ? QSize(rc.width() - padCross, avail)
                                                  : QSize(avail, rc.height() - padCross));
        Slot s{c, mainOf(sz), crossOf(sz), mainOf(sz) <= 0};
        if (!s.adjustable) {
            s.main = std::clamp(s.main, minMain(c), std::max(minMain(c), maxMain(c)));
            fixed += s.main;
        } else {
            ++adjustable;
        }
        fixed += padMain;
        entries.push_back(s);
    }
    if (!entries.isEmpty())
        fixed += childPadding * (static_cast<int>(entries.size()) - 1);
    // Share the remainder; an adjustable child whose min/max binds becomes fixed.
    int expand = 0;
    for (int pass = 0; pass < 4 && adjustable > 0; ++pass) {
        expand = std::max(0, (avail - fixed) / adjustable);
        bool changed = false;
        for (Slot& s : entries) {
            if (!s.adjustable)
                continue;
            const int lo = minMain(s.c), hi = std::max(lo, maxMain(s.c));
            if (expand < lo || expand > hi) {
                s.main = std::clamp(expand, lo, hi);
                s.adjustable = false;
                fixed += s.main;
                --adjustable;
                changed = true;
            }
        }
        if (!changed)
            break;
    }
    int remainder = adjustable > 0 ? std::max(0, (avail - fixed) - expand * adjustable) : 0;
    int pos = Vertical ? rc.top() : rc.left();
    int crossNeeded = 0;
    for (int i = 0; i < entries.size(); ++i) {
        Slot& s = entries[i];
        CControlUI* c = s.c;
        const TMargins p = c->GetPadding();
        int main = s.adjustable ? expand : s.main;
        if (s.adjustable && remainder > 0) {
            // Give rounding leftovers to the last adjustable children.
            bool lastAdjustable = true;
            for (int j = i + 1; j < entries.size(); ++j)
                if (entries[j].adjustable)
                    lastAdjustable = false;
            if (lastAdjustable) {
                main += remainder;
                remainder = 0;
            }
        }
        const int crossAvail =
            Vertical ? rc.width() - p.left - p.right : rc.height() - p.top - p.bottom;
        int cross = s.cross > 0 ? s.cross : crossAvail;
        cross = std::clamp(cross, minCross(c), std::max(minCross(c), maxCross(c)));
        QRect r;
        if (Vertical) {
            r = QRect(rc.left() + p.left, pos + p.top, cross, main);
            pos += p.top + main + p.bottom + childPadding;
            crossNeeded = std::max(crossNeeded, cross + p.left + p.right);
        } else {
            r = QRect(pos + p.left, rc.top() + p.top, main, cross);
            pos += p.left + main + p.right + childPadding;
            crossNeeded = std::max(crossNeeded, cross + p.top + p.bottom);
        }
        c->SetPos(r);
    }
    const int used =
        (Vertical ? pos - rc.top() : pos - rc.left()) - (entries.isEmpty() ? 0 : childPadding);
    return Vertical ? QSize(crossNeeded, used) : QSize(used, crossNeeded);
}
}  // namespace

QSize CVerticalLayoutUI::LayoutChildren(const QRect& rc) {
    return BoxLayout<true>(m_items, rc, GetChildPadding());
}

QString CHorizontalLayoutUI::GetClass() const {
    return QStringLiteral("HorizontalLayoutUI");
}
void* CHorizontalLayoutUI::GetInterface(const QString& name) {
    if (name == QLatin1String("HorizontalLayout"))
        return this;
    return CContainerUI::GetInterface(name);
}

QSize CHorizontalLayoutUI::LayoutChildren(const QRect& rc) {
    return BoxLayout<false>(m_items, rc, GetChildPadding());
}

// ---- Tab ----

QString CTabLayoutUI::GetClass() const {
    return QStringLiteral("TabLayoutUI");
}
void* CTabLayoutUI::GetInterface(const QString& name) {
    if (name == QLatin1String("TabLayout"))
        return this;
    return CContainerUI::GetInterface(name);
}

bool CTabLayoutUI::Add(CControlUI* control) {
    return AddAt(control, GetCount());
}

bool CTabLayoutUI::AddAt(CControlUI* control, int index) {
    if (!CContainerUI::AddAt(control, index))
        return false;
    const int pos = GetItemIndex(control);
    if (pos == m_iInitSel || (m_iCurSel == -1 && m_iInitSel < 0 && control->IsOwnVisible())) {
        if (m_iCurSel >= 0 && m_iCurSel < GetCount() && GetItemAt(m_iCurSel) != control)
            GetItemAt(m_iCurSel >= pos ? m_iCurSel + 1 : m_iCurSel)->SetVisible(false);
        m_iCurSel = pos;
        control->SetVisible(true);
    } else {
        if (m_iCurSel != -1 && pos <= m_iCurSel)
            ++m_iCurSel;
        control->SetVisible(false);
    }
    return true;
}

bool CTabLayoutUI::Remove(CControlUI* control, bool doNotDestroy) {
    const int index = GetItemIndex(control);
    if (index < 0)
        return false;
    if (!CContainerUI::Remove(control, doNotDestroy))
        return false;
    if (index == m_iCurSel) {
        m_iCurSel = -1;
        if (GetCount() > 0)
            SelectItem(std::min(index, GetCount() - 1));
    } else if (index < m_iCurSel) {
        --m_iCurSel;
    }
    return true;
}

void CTabLayoutUI::RemoveAll() {
    m_iCurSel = -1;
    CContainerUI::RemoveAll();
}

bool CTabLayoutUI::SelectItem(int index, bool triggerEvent) {
    if (index < 0 || index >= GetCount())
        return false;
    const int old = m_iCurSel;
    if (index == old)
        return true;
    m_iCurSel = index;
    for (int i = 0; i < GetCount(); ++i)
        m_items[i]->SetVisible(i == index);
    // Lay the new page out at once so it is ready to paint.
    if (!m_rcItem.isEmpty())
        SetPos(m_rcItem, true);
    NeedUpdate();
    if (triggerEvent && m_pManager)
        m_pManager->SendNotify(this, QString::fromLatin1(DUI_MSGTYPE_TABSELECT),
                               static_cast<WPARAM>(index), old);
    return true;
}

bool CTabLayoutUI::SelectItem(CControlUI* control, bool triggerEvent) {
    return SelectItem(GetItemIndex(control), triggerEvent);
}

void CTabLayoutUI::SetAttribute(const QString& name, const QString& value) {
    if (name.compare(QLatin1String("selectedid"), Qt::CaseInsensitive) == 0) {
        m_iInitSel = value.toInt();
        if (m_iInitSel < GetCount())
            SelectItem(m_iInitSel);
    } else {
        CContainerUI::SetAttribute(name, value);
    }
}

QSize CTabLayoutUI::LayoutChildren(const QRect& rc) {
    CControlUI* c = GetItemAt(m_iCurSel);
    if (c == nullptr)
        return rc.size();
    const TMargins p = c->GetPadding();
    QRect r = rc.adjusted(p.left, p.top, -p.right, -p.bottom);
    const QSize sz = c->EstimateSize(r.size());
    if (sz.width() > 0)
        r.setWidth(sz.width());
    if (sz.height() > 0)
        r.setHeight(sz.height());
    c->SetPos(r);
    return rc.size();
}

}  // namespace ui
