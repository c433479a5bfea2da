#include "ui/UIProgress.h"

#include <QPainter>

#include "ui/UIManager.h"

namespace ui {

CProgressUI::CProgressUI() {
    m_uTextStyle = Qt::AlignCenter | Qt::TextSingleLine;
    m_dwForeColor = 0xFF19C6E6;
}

QString CProgressUI::GetClass() const {
    return QStringLiteral("ProgressUI");
}
void* CProgressUI::GetInterface(const QString& name) {
    if (name == QLatin1String("Progress"))
        return this;
    return CLabelUI::GetInterface(name);
}

void CProgressUI::SetHorizontal(bool horizontal) {
    m_bHorizontal = horizontal;
    Invalidate();
}

void CProgressUI::SetMinValue(int min) {
    m_nMin = min;
    if (m_nMax < m_nMin)
        m_nMax = m_nMin;
    SetValue(m_nValue);
    Invalidate();
}

void CProgressUI::SetMaxValue(int max) {
    m_nMax = max;
    if (m_nMin > m_nMax)
        m_nMin = m_nMax;
    SetValue(m_nValue);
    Invalidate();
}

void CProgressUI::SetValue(int value) {
    value = std::clamp(value, m_nMin, m_nMax);
    if (value == m_nValue)
        return;
    m_nValue = value;
    Invalidate();
}

void CProgressUI::SetAttribute(const QString& name, const QString& value) {
    const QString n = name.toLower();
    if (n == QLatin1String("hor")) {
        SetHorizontal(ParseBool(value));
    } else if (n == QLatin1String("min")) {
        SetMinValue(value.toInt());
    } else if (n == QLatin1String("max")) {
        SetMaxValue(value.toInt());
    } else if (n == QLatin1String("value")) {
        SetValue(value.toInt());
    } else if (n == QLatin1String("isstretchfore")) {
        m_bStretchForeImage = ParseBool(value);
    } else {
        CLabelUI::SetAttribute(name, value);
    }
}

QRect CProgressUI::FilledRect() const {
    const long long range = std::max(1, m_nMax - m_nMin);
    const long long part = m_nValue - m_nMin;
    QRect r = m_rcItem;
    if (m_bHorizontal)
        r.setWidth(static_cast<int>(m_rcItem.width() * part / range));
    else
        r.setTop(m_rcItem.bottom() + 1 - static_cast<int>(m_rcItem.height() * part / range));
    return r;
}

void CProgressUI::PaintForeColor(QPainter& p) {
    if (m_dwForeColor == 0 || !m_sForeImage.isEmpty())
        return;
    const QSize round =
        m_pManager ? m_pManager->GetDPIObj()->Scale(m_cxyBorderRound) : m_cxyBorderRound;
    CRenderEngine::DrawColor(p, FilledRect(), m_dwForeColor, round);
}

void CProgressUI::PaintForeImage(QPainter& p) {
    if (m_sForeImage.isEmpty())
        return;
    // The picture is drawn into the filled part only.
    p.save();
    p.setClipRect(FilledRect(), Qt::IntersectClip);
    DrawImage(p, m_sForeImage);
    p.restore();
}

// ---- Slider ----

CSliderUI::CSliderUI() {
    m_uTextStyle = Qt::AlignCenter | Qt::TextSingleLine;
    m_dwTrackColor = 0xFF323742;
    m_dwThumbColor = 0xFFE8EAF0;
    setFocusPolicy(Qt::ClickFocus);
}

QString CSliderUI::GetClass() const {
    return QStringLiteral("SliderUI");
}
void* CSliderUI::GetInterface(const QString& name) {
    if (name == QLatin1String("Slider"))
        return this;
    return CProgressUI::GetInterface(name);
}
UINT CSliderUI::GetControlFlags() const {
    return UIFLAG_INTERACTIVE;
}

void CSliderUI::SetThumbSize(QSize size) {
    m_szThumb = size;
    Invalidate();
}

QRect CSliderUI::TrackRect() const {
    // The thumb centre travels from half a thumb in to half a thumb before the end.
    const int tw = Scale(m_szThumb.width()), th = Scale(m_szThumb.height());
    if (m_bHorizontal)
        return QRect(m_rcItem.left() + tw / 2, m_rcItem.top(), std::max(0, m_rcItem.width() - tw),
                     m_rcItem.height());
    return QRect(m_rcItem.left(), m_rcItem.top() + th / 2, m_rcItem.width(),
                 std::max(0, m_rcItem.height() - th));
}

QRect CSliderUI::GetThumbRect() const {
    const int tw = Scale(m_szThumb.width()), th = Scale(m_szThumb.height());
    const QRect track = TrackRect();
    const long long range = std::max(1, m_nMax - m_nMin);
    const long long part = m_nValue - m_nMin;
    if (m_bHorizontal) {
        const int cx = track.left() + static_cast<int>(track.width() * part / range);
        return QRect(cx - tw / 2, m_rcItem.center().y() - th / 2, tw, th);
    }
    const int cy = track.bottom() + 1 - static_cast<int>(track.height() * part / range);
    return QRect(m_rcItem.center().x() - tw / 2, cy - th / 2, tw, th);
}

int CSliderUI::ValueAt(const QPoint& pt) const {
    const QRect track = TrackRect();
    const long long range = m_nMax - m_nMin;
    double f;
    if (m_bHorizontal)
        f = track.width() > 0 ? double(pt.x() - track.left()) / track.width() : 0.0;
    else
        f = track.height() > 0 ? double(track.bottom() + 1 - pt.y()) / track.height() : 0.0;
    f = std::clamp(f, 0.0, 1.0);
    int v = m_nMin + static_cast<int>(f * range + 0.5);
    if (m_nStep > 1)
        v = m_nMin + ((v - m_nMin + m_nStep / 2) / m_nStep) * m_nStep;
    return std::clamp(v, m_nMin, m_nMax);
}

void CSliderUI::SetEnabled(bool enable) {
    CProgressUI::SetEnabled(enable);
    if (!enable)
        m_uButtonState &= ~(UISTATE_PUSHED | UISTATE_CAPTURED);
}

void CSliderUI::DoEvent(TEventUI& event) {
    if (!IsEnabled() && event.Type >= UIEVENT__MOUSEBEGIN && event.Type <= UIEVENT__MOUSEEND) {
        CProgressUI::DoEvent(event);
        return;
    }
    const QString valuechanged = QString::fromLatin1(DUI_MSGTYPE_VALUECHANGED);
    switch (event.Type) {
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_DBLCLICK:
            if (m_rcItem.contains(event.ptMouse)) {
                m_uButtonState |= UISTATE_CAPTURED | UISTATE_PUSHED;
                m_nPressValue = m_nValue;
                const int v = ValueAt(event.ptMouse);
                if (v != m_nValue) {
                    SetValue(v);
                    if (m_bSendMove && m_pManager)
                        m_pManager->SendNotify(this,
                                               QString::fromLatin1(DUI_MSGTYPE_MOVEVALUECHANGED));
                }
                Invalidate();
            }
            return;
        case UIEVENT_MOUSEMOVE:
            if (m_uButtonState & UISTATE_CAPTURED) {
                const int v = ValueAt(event.ptMouse);
                if (v != m_nValue) {
                    SetValue(v);
                    if (m_bSendMove && m_pManager)
                        m_pManager->SendNotify(this,
                                               QString::fromLatin1(DUI_MSGTYPE_MOVEVALUECHANGED));
                }
            }
            return;
        case UIEVENT_BUTTONUP:
            if (m_uButtonState & UISTATE_CAPTURED) {
                m_uButtonState &= ~(UISTATE_CAPTURED | UISTATE_PUSHED);
                SetValue(ValueAt(event.ptMouse));
                Invalidate();
                if (m_pManager)
                    m_pManager->SendNotify(this, valuechanged);
            }
            return;
        case UIEVENT_SCROLLWHEEL: {
            const int before = m_nValue;
            SetValue(m_nValue + (event.wParam == 0 ? m_nStep : -m_nStep));
            if (before != m_nValue && m_pManager)
                m_pManager->SendNotify(this, valuechanged);
            return;
        }
        case UIEVENT_KEYDOWN: {
            const int before = m_nValue;
            if (event.key == Qt::Key_Left || event.key == Qt::Key_Down)
                SetValue(m_nValue - m_nStep);
            else if (event.key == Qt::Key_Right || event.key == Qt::Key_Up)
                SetValue(m_nValue + m_nStep);
            else
                break;
            if (before != m_nValue && m_pManager)
                m_pManager->SendNotify(this, valuechanged);
            return;
        }
        default:
            break;
    }
    CProgressUI::DoEvent(event);
}

void CSliderUI::SetAttribute(const QString& name, const QString& value) {
    const QString n = name.toLower();
    QSize sz;
    DWORD c = 0;
    if (n == QLatin1String("thumbimage")) {
        SetThumbImage(value);
    } else if (n == QLatin1String("thumbhotimage")) {
        SetThumbHotImage(value);
    } else if (n == QLatin1String("thumbpushedimage")) {
        SetThumbPushedImage(value);
    } else if (n == QLatin1String("thumbsize")) {
        if (ParseSize(value, &sz))
            SetThumbSize(sz);
    } else if (n == QLatin1String("step")) {
        SetChangeStep(value.toInt());
    } else if (n == QLatin1String("sendmove")) {
        SetCanSendMove(ParseBool(value));
    } else if (n == QLatin1String("trackcolor")) {
        if (ParseColor(value, &c))
            m_dwTrackColor = c;
    } else if (n == QLatin1String("thumbcolor")) {
        if (ParseColor(value, &c))
            m_dwThumbColor = c;
    } else if (n == QLatin1String("tracksize")) {
        m_nTrackSize = std::max(1, value.toInt());
    } else {
        CProgressUI::SetAttribute(name, value);
    }
}

void CSliderUI::PaintBkColor(QPainter& p) {
    CControlUI::PaintBkColor(p);
    if (!m_sBkImage.isEmpty() || m_dwTrackColor == 0)
        return;
    // A thin track with the filled part in the fore colour up to the thumb.
    const int ts = std::max(1, Scale(m_nTrackSize));
    const QRect track = TrackRect();
    const QRect thumb = GetThumbRect();
    QRect bar, fill;
    if (m_bHorizontal) {
        bar = QRect(track.left(), m_rcItem.center().y() - ts / 2, track.width(), ts);
        fill = QRect(bar.left(), bar.top(), thumb.center().x() - bar.left(), ts);
    } else {
        bar = QRect(m_rcItem.center().x() - ts / 2, track.top(), ts, track.height());
        fill = QRect(bar.left(), thumb.center().y(), ts, bar.bottom() - thumb.center().y());
    }
    CRenderEngine::DrawColor(p, bar, m_dwTrackColor, QSize(ts, ts));
    if (m_sForeImage.isEmpty()) {
        const DWORD c = IsEnabled() ? m_dwForeColor : 0xFF5A606C;
        CRenderEngine::DrawColor(p, fill, c, QSize(ts, ts));
    }
}

void CSliderUI::PaintStatusImage(QPainter& p) {
    CProgressUI::PaintStatusImage(p);
    const QRect thumb = GetThumbRect();
    auto drawThumb = [&](const QString& img) {
        return !img.isEmpty() && CRenderEngine::DrawImageString(p, m_pManager, thumb, img);
    };
    if (!m_pManager)
        return;
    if ((m_uButtonState & UISTATE_CAPTURED) && drawThumb(m_sThumbPushedImage))
        return;
    if ((m_uButtonState & UISTATE_HOT) && drawThumb(m_sThumbHotImage))
        return;
    if (drawThumb(m_sThumbImage))
        return;
    if (m_dwThumbColor) {
        const DWORD c = !IsEnabled()                                          ? 0xFF5A606C
                        : (m_uButtonState & (UISTATE_HOT | UISTATE_CAPTURED)) ? 0xFFFFFFFF
                                                                              : m_dwThumbColor;
        CRenderEngine::DrawColor(p, thumb, c, thumb.size());
        if (IsEnabled())
            CRenderEngine::DrawBorder(p, thumb, std::max(1, Scale(2)), m_dwForeColor, thumb.size());
    }
}

}  // namespace ui
