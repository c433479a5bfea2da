#include "ui/UICombo.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QWheelEvent>

#include "ui/UIManager.h"

namespace ui {

// ---- drop-down window ----

CComboWnd::CComboWnd(CComboUI* owner)
    : QWidget(owner->window(), Qt::Popup | Qt::FramelessWindowHint), m_owner(owner) {
    setAttribute(Qt::WA_DeleteOnClose, true);
    setMouseTracking(true);
    m_first = 0;
    if (owner->GetCurSel() >= owner->GetDropBoxRows())
        m_first = owner->GetCurSel() - owner->GetDropBoxRows() + 1;
}

int CComboWnd::RowHeight() const {
    CPaintManagerUI* pm = m_owner->GetManager();
    const int h = m_owner->GetListInfo()->nItemHeight;
    return pm ? pm->Scale(h) : h;
}

QRect CComboWnd::RowRect(int row) const {
    const int h = RowHeight();
    return QRect(1, 1 + (row - m_first) * h, width() - 2, h);
}

int CComboWnd::RowAt(const QPoint& pt) const {
    if (pt.x() < 0 || pt.x() >= width() || pt.y() < 1)
        return -1;
    const int row = m_first + (pt.y() - 1) / std::max(1, RowHeight());
    return row >= 0 && row < m_owner->GetCount() ? row : -1;
}

void CComboWnd::ScrollBy(int rows) {
    const int visible = std::max(1, (height() - 2) / std::max(1, RowHeight()));
    m_first = std::clamp(m_first + rows, 0, std::max(0, m_owner->GetCount() - visible));
    update();
}

void CComboWnd::paintEvent(QPaintEvent*) {
    QPainter p(this);
    CPaintManagerUI* pm = m_owner->GetManager();
    p.fillRect(rect(), ToQColor(m_owner->GetDropBkColor()));
    p.translate(0, 0);
    const TListInfoUI* info = m_owner->GetListInfo();
    for (int i = m_first; i < m_owner->GetCount(); ++i) {
        const QRect r = RowRect(i);
        if (r.top() > height())
            break;
        CControlUI* item = m_owner->GetItemAt(i);
        const bool selected = i == m_owner->GetCurSel();
        const bool enabled = item->IsEnabled();
        DWORD bk = info->dwBkColor, fg = info->dwTextColor;
        if (!enabled)
            fg = info->dwDisabledTextColor;
        else if (selected)
            bk = info->dwSelectedBkColor, fg = info->dwSelectedTextColor;
        else if (i == m_hot)
            bk = info->dwHotBkColor, fg = info->dwHotTextColor;
        CRenderEngine::DrawColor(p, r, bk);
        if (selected && enabled && info->dwSelectedBarColor && pm)
            CRenderEngine::DrawColor(p, QRect(r.left(), r.top(), pm->Scale(3), r.height()),
                                     info->dwSelectedBarColor);
        if (pm) {
            const TMargins t = pm->GetDPIObj()->Scale(info->rcTextPadding);
            CRenderEngine::DrawText(p, r.adjusted(t.left, t.top, -t.right, -t.bottom),
                                    item->GetText(), fg, pm->GetFont(info->nFont), info->uTextStyle,
                                    true);
        }
    }
    p.setPen(ToQColor(m_owner->GetDropBorderColor()));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void CComboWnd::mouseMoveEvent(QMouseEvent* e) {
    const int row = RowAt(e->position().toPoint());
    if (row != m_hot) {
        m_hot = row;
        update();
    }
}

void CComboWnd::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton)
        return;
    const int row = RowAt(e->position().toPoint());
    if (row >= 0 && m_owner->GetItemAt(row)->IsEnabled()) {
        CComboUI* owner = m_owner;
        close();
        owner->ChooseFromDropDown(row);
    }
}

void CComboWnd::wheelEvent(QWheelEvent* e) {
    ScrollBy(e->angleDelta().y() > 0 ? -1 : 1);
}

void CComboWnd::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
        case Qt::Key_Escape:
            close();
            return;
        case Qt::Key_Up:
            m_hot = std::max(0, (m_hot < 0 ? m_owner->GetCurSel() : m_hot) - 1);
            update();
            return;
        case Qt::Key_Down:
            m_hot =
                std::min(m_owner->GetCount() - 1, (m_hot < 0 ? m_owner->GetCurSel() : m_hot) + 1);
            update();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (m_hot >= 0) {
                const int row = m_hot;
                CComboUI* owner = m_owner;
                close();
                owner->ChooseFromDropDown(row);
            }
            return;
        default:
            QWidget::keyPressEvent(e);
    }
}

void CComboWnd::hideEvent(QHideEvent* e) {
    QWidget::hideEvent(e);
    m_owner->Invalidate();
}

// ---- combo ----

CComboUI::CComboUI() {
    m_uTextStyle = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    m_rcTextPadding = {10, 0, 30, 0};
    setFocusPolicy(Qt::TabFocus);
}

CComboUI::~CComboUI() {
    if (m_pWindow)
        delete m_pWindow.data();
}

QString CComboUI::GetClass() const {
    return QStringLiteral("ComboUI");
}
void* CComboUI::GetInterface(const QString& name) {
    if (name == QLatin1String("Combo"))
        return this;
    if (name == QLatin1String("IListOwner"))
        return static_cast<IListOwnerUI*>(this);
    return CContainerUI::GetInterface(name);
}

void CComboUI::Reindex() {
    ReindexRows(this);
}

bool CComboUI::Add(CControlUI* control) {
    return AddAt(control, GetCount());
}

bool CComboUI::AddAt(CControlUI* control, int index) {
    if (!CContainerUI::AddAt(control, index))
        return false;
    // Items live in the drop-down; inside the closed combo they are hidden.
    control->SetInternVisible(false);
    if (CListElementBase* e = AsListElement(control)) {
        e->SetOwner(this);
        if (m_iCurSel >= index)
            ++m_iCurSel;
        Reindex();
        if (e->IsItemSelected() && m_iCurSel < 0)
            m_iCurSel = e->GetIndex();
    }
    Invalidate();
    return true;
}

bool CComboUI::Remove(CControlUI* control, bool doNotDestroy) {
    const int i = GetItemIndex(control);
    return i >= 0 && RemoveAt(i, doNotDestroy);
}

bool CComboUI::RemoveAt(int index, bool doNotDestroy) {
    if (m_pWindow)
        CloseDropDown();
    if (!CContainerUI::RemoveAt(index, doNotDestroy))
        return false;
    if (index == m_iCurSel)
        m_iCurSel = -1;
    else if (index < m_iCurSel)
        --m_iCurSel;
    Reindex();
    Invalidate();
    return true;
}

void CComboUI::RemoveAll() {
    if (m_pWindow)
        CloseDropDown();
    m_iCurSel = -1;
    CContainerUI::RemoveAll();
    Invalidate();
}

QString CComboUI::GetText() const {
    CControlUI* c = GetItemAt(m_iCurSel);
    return c ? c->GetText() : CContainerUI::GetText();
}

bool CComboUI::SelectItem(int index, bool, bool triggerEvent) {
    if (index == m_iCurSel)
        return true;
    const int old = m_iCurSel;
    if (index < 0) {
        UnselectRows(this, -1, true);
        m_iCurSel = -1;
        Invalidate();
        return true;
    }
    m_iCurSel = index;  // before the rows call back into us
    if (!SelectSingleRow(this, index)) {
        m_iCurSel = old;
        return false;
    }
    Invalidate();
    if (m_pWindow)
        m_pWindow->update();
    if (triggerEvent && m_pManager)
        m_pManager->SendNotify(this, QString::fromLatin1(DUI_MSGTYPE_ITEMSELECT),
                               static_cast<WPARAM>(index), old);
    return true;
}

bool CComboUI::UnSelectItem(int index, bool others) {
    UnselectRows(this, index, others);
    if (!others && index == m_iCurSel)
        m_iCurSel = -1;
    return true;
}

bool CComboUI::Activate() {
    if (!CControlUI::Activate())
        return false;
    if (m_pWindow) {
        CloseDropDown();
        return true;
    }
    if (m_pManager)
        m_pManager->SendNotify(this, QString::fromLatin1(DUI_MSGTYPE_DROPDOWN));
    auto* w = new CComboWnd(this);
    m_pWindow = w;
    const int rows = std::max(1, std::min(m_nDropRows, GetCount()));
    const int h = rows * w->RowHeight() + 2;
    QPoint pos = mapToGlobal(QPoint(0, height()));
    if (QScreen* s = screen()) {
        const QRect avail = s->availableGeometry();
        if (pos.y() + h > avail.bottom() && mapToGlobal(QPoint(0, 0)).y() - h >= avail.top())
            pos = mapToGlobal(QPoint(0, -h));
    }
    w->setGeometry(QRect(pos, QSize(width(), h)));
    w->show();
    return true;
}

void CComboUI::CloseDropDown() {
    if (m_pWindow)
        m_pWindow->close();
    m_pWindow = nullptr;
    Invalidate();
}

void CComboUI::ChooseFromDropDown(int index) {
    SelectItem(index, false, true);
}

void CComboUI::SetPos(const QRect& rc, bool needInvalidate) {
    CContainerUI::SetPos(rc, needInvalidate);
}

QSize CComboUI::LayoutChildren(const QRect& rc) {
    return rc.size();
}

void CComboUI::DoEvent(TEventUI& event) {
    switch (event.Type) {
        case UIEVENT_BUTTONDOWN:
            if (IsEnabled() && m_rcItem.contains(event.ptMouse)) {
                m_uButtonState |= UISTATE_PUSHED | UISTATE_CAPTURED;
                Invalidate();
            }
            return;
        case UIEVENT_BUTTONUP:
            if (m_uButtonState & UISTATE_CAPTURED) {
                m_uButtonState &= ~(UISTATE_PUSHED | UISTATE_CAPTURED);
                if (m_rcItem.contains(event.ptMouse))
                    Activate();
                Invalidate();
            }
            return;
        case UIEVENT_MOUSEMOVE:
            return;
        case UIEVENT_KEYDOWN:
            if (!IsEnabled())
                return;
            if (event.key == Qt::Key_Up && m_iCurSel > 0)
                SelectItem(m_iCurSel - 1, false, true);
            else if (event.key == Qt::Key_Down && m_iCurSel + 1 < GetCount())
                SelectItem(m_iCurSel + 1, false, true);
            else if (event.key == Qt::Key_Space || event.key == Qt::Key_Return)
                Activate();
            return;
        case UIEVENT_SCROLLWHEEL:
            if (IsEnabled() && hasFocus()) {
                const int next = m_iCurSel + (event.wParam == 0 ? -1 : 1);
                if (next >= 0 && next < GetCount())
                    SelectItem(next, false, true);
                return;
            }
            break;
        default:
            break;
    }
    CContainerUI::DoEvent(event);
}

void CComboUI::SetAttribute(const QString& name, const QString& value) {
    if (ApplyListInfoAttribute(m_info, name, value))
        return;
    const QString n = name.toLower();
    DWORD c = 0;
    if (n == QLatin1String("dropboxsize") || n == QLatin1String("droprows")) {
        // "w,h" in pixels or a row count.
        QSize sz;
        if (value.contains(QLatin1Char(',')) && ParseSize(value, &sz))
            SetDropBoxRows(std::max(1, sz.height() / std::max(1, m_info.nItemHeight)));
        else
            SetDropBoxRows(value.toInt());
    } else if (n == QLatin1String("arrowimage")) {
        m_sArrowImage = value;
    } else if (n == QLatin1String("arrowcolor")) {
        if (ParseColor(value, &c))
            m_dwArrowColor = c;
    } else if (n == QLatin1String("dropbkcolor")) {
        if (ParseColor(value, &c))
            m_dwDropBkColor = c;
    } else if (n == QLatin1String("dropbordercolor")) {
        if (ParseColor(value, &c))
            m_dwDropBorderColor = c;
    } else {
        CContainerUI::SetAttribute(name, value);
    }
}

void CComboUI::PaintStatusImage(QPainter& p) {
    CContainerUI::PaintStatusImage(p);
    // The arrow at the right end.
    const int s = Scale(10);
    const QRect r(m_rcItem.right() - Scale(10) - s, m_rcItem.center().y() - s / 2, s, s);
    if (!m_sArrowImage.isEmpty() && CRenderEngine::DrawImageString(p, m_pManager, r, m_sArrowImage))
        return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    QPen pen(ToQColor(IsEnabled() ? m_dwArrowColor : 0xFF5A606C));
    pen.setWidthF(std::max(1.0, Scale(15) / 10.0));
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    QPainterPath path;
    const bool open = m_pWindow != nullptr;
    const double top = r.top() + s * (open ? 0.65 : 0.3),
                 bottom = r.top() + s * (open ? 0.3 : 0.65);
    path.moveTo(r.left(), top);
    path.lineTo(r.left() + s / 2.0, bottom);
    path.lineTo(r.right() + 1, top);
    p.drawPath(path);
    p.restore();
}

void CComboUI::PaintText(QPainter& p) {
    CContainerUI::PaintText(p);
}

}  // namespace ui
