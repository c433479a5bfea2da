#include "controls/AudioRecordUI.h"

#include <QPainter>
#include <algorithm>

namespace controls {

CAudioRecordUI::CAudioRecordUI() {
    // A visible ramp until real levels arrive.
    for (int i = 0; i < 256; ++i)
        m_levels[i] = i;
}

QString CAudioRecordUI::GetClass() const {
    return QStringLiteral("AudioRecord");
}

void* CAudioRecordUI::GetInterface(const QString& name) {
    if (name == QLatin1String("AudioRecord"))
        return this;
    return ui::CLabelUI::GetInterface(name);
}

void CAudioRecordUI::SetAttribute(const QString& name, const QString& value) {
    if (name.compare(QLatin1String("barcolor"), Qt::CaseInsensitive) == 0) {
        if (ui::ParseColor(value, &m_barColor))
            Invalidate();
    } else {
        ui::CLabelUI::SetAttribute(name, value);
    }
}

void CAudioRecordUI::SetLevel(int index, std::int32_t value) {
    if (index < 0 || index >= kLevelCount)
        return;
    m_levels[index] = value;
    Invalidate();
}

std::int32_t CAudioRecordUI::GetLevel(int index) const {
    return index >= 0 && index < kLevelCount ? m_levels[index] : 0;
}

int CAudioRecordUI::VisibleBarCount() const {
    const int w = std::max(0, m_rcItem.width());
    return std::min(kLevelCount, (w + 1) / 2);
}

void CAudioRecordUI::DoPaint(QPainter& p, const QRect&) {
    const QRect rc = m_rcItem;
    if (rc.isEmpty())
        return;
    ui::CRenderEngine::DrawColor(p, rc, m_dwBackColor);
    const int h = rc.height();
    const int bottom = rc.top() + h;  // exclusive
    const QColor colour = ui::ToQColor(m_barColor);
    const int count = VisibleBarCount();
    for (int i = 0; i < count; ++i) {
        // Clamped so a level outside 0..8192 stays inside the control.
        const std::int64_t v = std::clamp<std::int64_t>(m_levels[i], 0, kFullScale);
        const int y = rc.top() + h - static_cast<int>(v * h / kFullScale);
        // From y down to the row above the bottom one (end point excluded).
        const int rows = (bottom - 1) - y;
        if (rows > 0)
            p.fillRect(QRect(rc.left() + 2 * i, y, 1, rows), colour);
    }
}

}  // namespace controls
