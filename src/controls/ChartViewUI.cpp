#include "controls/ChartViewUI.h"

#include <QPainter>
#include <QTextDocument>
#include <algorithm>
#include <cmath>

#include "ui/UIManager.h"

namespace controls {

namespace {
// Slice colours, the skin's accent first.
const ui::DWORD kSliceColours[] = {0xFF19C6E6, 0xFF30A46C, 0xFFE5A83B, 0xFFE5484D,
                                   0xFF8E6FE6, 0xFF3B82E5, 0xFFE56FB7, 0xFF9AA1AE};
constexpr int kSliceColourCount = sizeof(kSliceColours) / sizeof(kSliceColours[0]);
}  // namespace

void* CChartViewUI::GetInterface(const QString& name) {
    if (name == QLatin1String("ChartView"))
        return this;
    return ui::CControlUI::GetInterface(name);
}

void CChartViewUI::SetAttribute(const QString& name, const QString& value) {
    const QString n = name.toLower();
    if (n == QLatin1String("view")) {
        m_view = value.compare(QLatin1String("histpgram"), Qt::CaseInsensitive) == 0
                     ? View::Histogram
                     : View::Pie;
    } else if (n == QLatin1String("shadowimage")) {
        m_shadowImage = value;
    } else if (n == QLatin1String("shadowimageheight")) {
        m_shadowImageHeight = std::max(0, value.toInt());
    } else if (n == QLatin1String("pillarimage")) {
        m_pillarImage = value;
    } else if (n == QLatin1String("pillarimagewidth")) {
        m_pillarImageWidth = std::max(0, value.toInt());
    } else if (n == QLatin1String("showhtml")) {
        m_showHtml = ui::ParseBool(value);
    } else if (n == QLatin1String("showtext")) {
        m_showText = ui::ParseBool(value);
    } else if (n == QLatin1String("font")) {
        m_legendFont = value.toInt();
        ui::CControlUI::SetAttribute(name, value);
    } else {
        ui::CControlUI::SetAttribute(name, value);
        return;
    }
    Invalidate();
}

bool CChartViewUI::Add(const QString& name, double value) {
    if (!(value >= 0) || std::isinf(value))
        return false;
    m_items.push_back({name, value});
    Invalidate();
    return true;
}

bool CChartViewUI::RemoveAt(int index) {
    if (index < 0 || index >= m_items.size())
        return false;
    m_items.removeAt(index);
    Invalidate();
    return true;
}

void CChartViewUI::RemoveAll() {
    m_items.clear();
    Invalidate();
}

void CChartViewUI::DoPaint(QPainter& p, const QRect& rcPaint) {
    ui::CControlUI::DoPaint(p, rcPaint);
    if (m_items.isEmpty() || m_rcItem.isEmpty())
        return;
    if (m_view == View::Pie)
        PaintPie(p);
    else
        PaintHistogram(p);
}

void CChartViewUI::PaintLegendText(QPainter& p, const QRect& rc, const QString& text, int flags) {
    if (!m_showText || text.isEmpty() || !m_pManager)
        return;
    const QFont font = m_pManager->GetFont(m_legendFont);
    if (m_showHtml) {
        QTextDocument doc;
        doc.setDefaultFont(font);
        doc.setDefaultStyleSheet(
            QStringLiteral("body { color: %1; }").arg(ui::ToQColor(CurrentTextColor()).name()));
        doc.setHtml(QStringLiteral("<body>") + text + QStringLiteral("</body>"));
        doc.setTextWidth(rc.width());
        p.save();
        p.translate(rc.topLeft());
        p.setClipRect(QRect(QPoint(0, 0), rc.size()));
        doc.drawContents(&p);
        p.restore();
        return;
    }
    ui::CRenderEngine::DrawText(p, rc, text, CurrentTextColor(), font, flags, true);
}

void CChartViewUI::PaintPie(QPainter& p) {
    double total = 0;
    for (const Item& it : m_items)
        total += it.value;
    const QRect rc = m_rcItem;
    // The pie on the left in a square, the legend to its right.
    const int side = std::min(rc.height(), m_showText ? rc.width() * 3 / 5 : rc.width()) - Scale(8);
    if (side <= 0)
        return;
    const QRect pie(rc.left() + Scale(4), rc.top() + (rc.height() - side) / 2, side, side);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    double start = 90.0;
    for (int i = 0; i < m_items.size(); ++i) {
        const double span = total > 0 ? m_items[i].value / total * 360.0 : 360.0 / m_items.size();
        p.setBrush(ui::ToQColor(kSliceColours[i % kSliceColourCount]));
        p.drawPie(QRectF(pie), int(std::lround(start * 16)), -int(std::lround(span * 16)));
        start -= span;
    }
    p.restore();
    if (!m_showText)
        return;
    const int square = Scale(10);
    const int row = std::max(square, Scale(20));
    int y = rc.top() + std::max(0, (rc.height() - row * int(m_items.size())) / 2);
    const int x = pie.right() + Scale(12);
    for (int i = 0; i < m_items.size() && y + row <= rc.bottom() + 1; ++i, y += row) {
        ui::CRenderEngine::DrawColor(p, QRect(x, y + (row - square) / 2, square, square),
                                     kSliceColours[i % kSliceColourCount],
                                     QSize(Scale(3), Scale(3)));
        PaintLegendText(p, QRect(x + square + Scale(6), y, rc.right() - x - square - Scale(6), row),
                        m_items[i].name, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine);
    }
}

void CChartViewUI::PaintHistogram(QPainter& p) {
    double largest = 0;
    for (const Item& it : m_items)
        largest = std::max(largest, it.value);
    const QRect rc = m_rcItem;
    const int textHeight = m_showText ? Scale(20) : 0;
    const int shadowHeight = Scale(m_shadowImageHeight);
    const int barsBottom = rc.bottom() + 1 - textHeight - shadowHeight;
    const int barsHeight = barsBottom - rc.top();
    if (barsHeight <= 0)
        return;
    const int n = static_cast<int>(m_items.size());
    const int slot = rc.width() / n;
    const int barWidth =
        std::min(slot, m_pillarImageWidth > 0 ? Scale(m_pillarImageWidth) : slot / 2);
    if (!m_shadowImage.isEmpty() && shadowHeight > 0)
        ui::CRenderEngine::DrawImageString(
            p, m_pManager, QRect(rc.left(), barsBottom, rc.width(), shadowHeight), m_shadowImage);
    for (int i = 0; i < n; ++i) {
        const int h = largest > 0 ? int(m_items[i].value / largest * barsHeight) : 0;
        const int x = rc.left() + i * slot + (slot - barWidth) / 2;
        const QRect bar(x, barsBottom - h, barWidth, h);
        if (h > 0) {
            if (m_pillarImage.isEmpty() ||
                !ui::CRenderEngine::DrawImageString(p, m_pManager, bar, m_pillarImage))
                ui::CRenderEngine::DrawColor(p, bar, kSliceColours[0]);
        }
        PaintLegendText(p,
                        QRect(rc.left() + i * slot, rc.bottom() + 1 - textHeight, slot, textHeight),
                        m_items[i].name, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine);
    }
}

}  // namespace controls
