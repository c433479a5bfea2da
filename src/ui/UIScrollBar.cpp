#include "ui/UIScrollBar.h"

#include <QPainter>

#include "ui/UIContainer.h"
#include "ui/UIManager.h"

namespace ui {

CScrollBarUI::CScrollBarUI() {
    m_cxyFixed = QSize(8, 8);
}

QString CScrollBarUI::GetClass() const {
    return QStringLiteral("ScrollBarUI");
}
void* CScrollBarUI::GetInterface(const QString& name) {
    if (name == QLatin1String("ScrollBar"))
        return this;
    return CControlUI::GetInterface(name);
}

void CScrollBarUI::SetScrollRange(int range) {
    m_nRange = std::max(0, range);
    if (m_nScrollPos > m_nRange)
        SetScrollPos(m_nRange);
    Invalidate();
}

void CScrollBarUI::SetScrollPos(int pos) {
    pos = std::clamp(pos, 0, m_nRange);
    if (pos == m_nScrollPos)
        return;
    m_nScrollPos = pos;
    Invalidate();
    if (m_pOwner)
        m_pOwner->OnScrollBarChanged();
}

int CScrollBarUI::GetLineSize() const {
    return Scale(m_nLineSize);
}

QRect CScrollBarUI::GetThumbRect() const {
    const int length = m_bHorizontal ? m_rcItem.width() : m_rcItem.height();
    const int total = m_nRange + std::max(1, m_nPageSize);
    int thumb = std::max(Scale(24), length * std::max(1, m_nPageSize) / std::max(1, total));
    thumb = std::min(thumb, length);
    const int travel = length - thumb;
    const int offset =
        m_nRange > 0 ? static_cast<int>(static_cast<long long>(travel) * m_nScrollPos / m_nRange)
                     : 0;
    if (m_bHorizontal)
        return QRect(m_rcItem.left() + offset, m_rcItem.top(), thumb, m_rcItem.height());
    return QRect(m_rcItem.left(), m_rcItem.top() + offset, m_rcItem.width(), thumb);
}

void CScrollBarUI::DoEvent(TEventUI& event) {
    switch (event.Type) {
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_DBLCLICK: {
            const QRect thumb = GetThumbRect();
            if (thumb.contains(event.ptMouse)) {
                m_bDragging = true;
                m_ptLast = event.ptMouse;
                m_nPosAtPress = m_nScrollPos;
            } else {
                const bool before = m_bHorizontal ? event.ptMouse.x() < thumb.left()
                                                  : event.ptMouse.y() < thumb.top();
                SetScrollPos(m_nScrollPos + (before ? -m_nPageSize : m_nPageSize));
            }
            return;
        }
        case UIEVENT_MOUSEMOVE:
            if (m_bDragging) {
                const int length = m_bHorizontal ? m_rcItem.width() : m_rcItem.height();
                const int travel = std::max(
                    1, length - (m_bHorizontal ? GetThumbRect().width() : GetThumbRect().height()));
                const int moved = m_bHorizontal ? event.ptMouse.x() - m_ptLast.x()
                                                : event.ptMouse.y() - m_ptLast.y();
                SetScrollPos(m_nPosAtPress +
                             static_cast<int>(static_cast<long long>(moved) * m_nRange / travel));
            }
            return;
        case UIEVENT_BUTTONUP:
            m_bDragging = false;
            return;
        case UIEVENT_SCROLLWHEEL:
            SetScrollPos(m_nScrollPos + (event.wParam == 0 ? -GetLineSize() : GetLineSize()));
            return;
        default:
            break;
    }
    CControlUI::DoEvent(event);
}

void CScrollBarUI::SetAttribute(const QString& name, const QString& value) {
    const QString n = name.toLower();
    DWORD c = 0;
    if (n == QLatin1String("thumbcolor")) {
        if (ParseColor(value, &c))
            m_dwThumbColor = c;
    } else if (n == QLatin1String("thumbhotcolor")) {
        if (ParseColor(value, &c))
            m_dwThumbHotColor = c;
    } else if (n == QLatin1String("linesize")) {
        m_nLineSize = std::max(1, value.toInt());
    } else {
        CControlUI::SetAttribute(name, value);
    }
}

void CScrollBarUI::PaintBkColor(QPainter& p) {
    CControlUI::PaintBkColor(p);
}

void CScrollBarUI::PaintStatusImage(QPainter& p) {
    const QRect thumb = GetThumbRect().adjusted(Scale(1), Scale(1), -Scale(1), -Scale(1));
    const DWORD c =
        (m_bDragging || (m_uButtonState & UISTATE_HOT)) ? m_dwThumbHotColor : m_dwThumbColor;
    const int r = std::min(thumb.width(), thumb.height());
    CRenderEngine::DrawColor(p, thumb, c, QSize(r, r));
}

}  // namespace ui
