#include "ui/UIColorPalette.h"

#include <QPainter>

#include "ui/UIManager.h"

namespace ui {

CColorPaletteUI::CColorPaletteUI() {
    setFocusPolicy(Qt::ClickFocus);
}

QString CColorPaletteUI::GetClass() const {
    return QStringLiteral("ColorPaletteUI");
}
void* CColorPaletteUI::GetInterface(const QString& name) {
    if (name == QLatin1String("ColorPalette"))
        return this;
    return CControlUI::GetInterface(name);
}

DWORD CColorPaletteUI::GetSelectColor() const {
    return QColor::fromHsv(m_hue, m_sat, m_val).rgba() | 0xFF000000u;
}

void CColorPaletteUI::SetSelectColor(DWORD color) {
    const QColor c = ToQColor(color | 0xFF000000u);
    int h = 0, s = 0, v = 0;
    c.getHsv(&h, &s, &v);
    if (h >= 0)
        m_hue = h;  // grey keeps the last hue
    m_sat = s;
    m_val = v;
    Invalidate();
}

void CColorPaletteUI::SetPalletHeight(int h) {
    m_nPalletHeight = std::max(0, h);
    RebuildField();
    Invalidate();
}

void CColorPaletteUI::SetBarHeight(int h) {
    m_nBarHeight = std::max(4, h);
    RebuildField();
    Invalidate();
}

QRect CColorPaletteUI::BarRect() const {
    const int bh = Scale(m_nBarHeight);
    return QRect(m_rcItem.left(), m_rcItem.bottom() + 1 - bh, m_rcItem.width(), bh);
}

QRect CColorPaletteUI::FieldRect() const {
    const int gap = Scale(8);
    int fh = m_nPalletHeight > 0 ? Scale(m_nPalletHeight)
                                 : m_rcItem.height() - Scale(m_nBarHeight) - gap;
    return QRect(m_rcItem.left(), m_rcItem.top(), m_rcItem.width(), std::max(1, fh));
}

void CColorPaletteUI::RebuildField() {
    const QRect f = FieldRect();
    if (f.width() <= 0 || f.height() <= 0) {
        m_field = QImage();
        return;
    }
    m_field = QImage(f.size(), QImage::Format_RGB32);
    for (int y = 0; y < f.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(m_field.scanLine(y));
        const int s = 255 - y * 255 / std::max(1, f.height() - 1);
        for (int x = 0; x < f.width(); ++x) {
            const int h = x * 359 / std::max(1, f.width() - 1);
            line[x] = QColor::fromHsv(h, s, 255).rgb();
        }
    }
}

void CColorPaletteUI::SetPos(const QRect& rc, bool needInvalidate) {
    const QSize before = m_rcItem.size();
    CControlUI::SetPos(rc, needInvalidate);
    if (before != rc.size() || m_field.isNull())
        RebuildField();
}

void CColorPaletteUI::PickAt(const QPoint& pt, bool notify) {
    const DWORD before = GetSelectColor();
    if (m_dragPart == 1) {
        const QRect f = FieldRect();
        const int x = std::clamp(pt.x() - f.left(), 0, f.width() - 1);
        const int y = std::clamp(pt.y() - f.top(), 0, f.height() - 1);
        m_hue = x * 359 / std::max(1, f.width() - 1);
        m_sat = 255 - y * 255 / std::max(1, f.height() - 1);
    } else if (m_dragPart == 2) {
        const QRect b = BarRect();
        const int x = std::clamp(pt.x() - b.left(), 0, b.width() - 1);
        m_val = x * 255 / std::max(1, b.width() - 1);
    }
    Invalidate();
    if (notify && before != GetSelectColor() && m_pManager)
        m_pManager->SendNotify(this, QString::fromLatin1(DUI_MSGTYPE_COLORCHANGED));
}

void CColorPaletteUI::DoEvent(TEventUI& event) {
    switch (event.Type) {
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_DBLCLICK:
            if (!IsEnabled())
                return;
            if (FieldRect().contains(event.ptMouse))
                m_dragPart = 1;
            else if (BarRect().contains(event.ptMouse))
                m_dragPart = 2;
            else
                m_dragPart = 0;
            PickAt(event.ptMouse, true);
            return;
        case UIEVENT_MOUSEMOVE:
            if (m_dragPart)
                PickAt(event.ptMouse, true);
            return;
        case UIEVENT_BUTTONUP:
            m_dragPart = 0;
            return;
        default:
            break;
    }
    CControlUI::DoEvent(event);
}

void CColorPaletteUI::SetAttribute(const QString& name, const QString& value) {
    const QString n = name.toLower();
    DWORD c = 0;
    if (n == QLatin1String("palletheight"))
        SetPalletHeight(value.toInt());
    else if (n == QLatin1String("barheight"))
        SetBarHeight(value.toInt());
    else if (n == QLatin1String("selectcolor") || n == QLatin1String("color")) {
        if (ParseColor(value, &c))
            SetSelectColor(c);
    } else
        CControlUI::SetAttribute(name, value);
}

void CColorPaletteUI::PaintBkImage(QPainter& p) {
    CControlUI::PaintBkImage(p);
    const QRect f = FieldRect();
    if (m_field.size() != f.size())
        RebuildField();
    if (!m_field.isNull())
        p.drawImage(f.topLeft(), m_field);
    // Darken the field by the brightness.
    if (m_val < 255)
        p.fillRect(f, QColor(0, 0, 0, 255 - m_val));
    // Brightness bar: black to the current hue/saturation.
    const QRect b = BarRect();
    QLinearGradient g(b.topLeft(), b.topRight());
    g.setColorAt(0, Qt::black);
    g.setColorAt(1, QColor::fromHsv(m_hue, m_sat, 255));
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(b), b.height() / 2.0, b.height() / 2.0);
    // Markers: a ring on the field, a knob on the bar.
    const int r = Scale(6);
    const QPoint fp(f.left() + m_hue * (f.width() - 1) / 359,
                    f.top() + (255 - m_sat) * (f.height() - 1) / 255);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, std::max(1, Scale(2))));
    p.drawEllipse(fp, r, r);
    p.setPen(QPen(QColor(0, 0, 0, 120), 1));
    p.drawEllipse(fp, r + Scale(1), r + Scale(1));
    const QPoint bp(b.left() + m_val * (b.width() - 1) / 255, b.center().y());
    p.setPen(QPen(Qt::white, std::max(1, Scale(2))));
    p.setBrush(ToQColor(GetSelectColor()));
    p.drawEllipse(bp, b.height() / 2 + Scale(2), b.height() / 2 + Scale(2));
    p.restore();
}

}  // namespace ui
