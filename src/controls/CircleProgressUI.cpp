#include "controls/CircleProgressUI.h"

#include <QPainter>
#include <algorithm>

namespace controls {

QString CCircleProgressUI::GetClass() const {
    return QStringLiteral("CircleProgress");
}

void* CCircleProgressUI::GetInterface(const QString& name) {
    if (name == QLatin1String("CircleProgress"))
        return this;
    return ui::CProgressUI::GetInterface(name);
}

void CCircleProgressUI::SetAttribute(const QString& name, const QString& value) {
    const QString n = name.toLower();
    if (n == QLatin1String("innercolor")) {
        if (ui::ParseColor(value, &m_innerColor))
            Invalidate();
    } else if (n == QLatin1String("ringwidth")) {
        bool ok = false;
        const int w = value.toInt(&ok);
        if (ok && w >= 0) {
            m_ringWidth = w;
            Invalidate();
        }
    } else {
        ui::CProgressUI::SetAttribute(name, value);
    }
}

int CCircleProgressUI::SweepDegrees() const {
    const long long range = static_cast<long long>(m_nMax) - m_nMin;
    if (range <= 0)
        return 0;
    const int sweep =
        static_cast<int>(static_cast<double>(m_nValue) / static_cast<double>(range) * 360.0);
    return std::clamp(sweep, 0, 360);
}

namespace {
void FillPie(QPainter& p, const QRect& rc, int startDegrees, int sweepDegrees, ui::DWORD color) {
    if ((color >> 24) == 0 || rc.isEmpty() || sweepDegrees == 0)
        return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(ui::ToQColor(color));
    if (sweepDegrees >= 360)
        p.drawEllipse(QRectF(rc));
    else  // Qt counts counter-clockwise: negate to run clockwise
        p.drawPie(QRectF(rc), -startDegrees * 16, -sweepDegrees * 16);
    p.restore();
}
}  // namespace

void CCircleProgressUI::PaintBkColor(QPainter& p) {
    FillPie(p, m_rcItem, 0, 360, m_dwBackColor);
}

void CCircleProgressUI::PaintForeColor(QPainter& p) {
    FillPie(p, m_rcItem, 90, SweepDegrees(), m_dwForeColor);
    const int inset = Scale(m_ringWidth);
    FillPie(p, m_rcItem.adjusted(inset, inset, -inset, -inset), 0, 360, m_innerColor);
}

void CCircleProgressUI::PaintForeImage(QPainter&) {}

}  // namespace controls
