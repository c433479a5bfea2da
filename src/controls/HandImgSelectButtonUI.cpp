#include "controls/HandImgSelectButtonUI.h"

#include <QCursor>
#include <cmath>
#include <cstdlib>

#include "controls/HandImage.h"
#include "controls/HandImgButtonUI.h"
#include "ui/UIManager.h"

namespace controls {

QString CHandImgSelectButtonUI::GetClass() const {
    return QStringLiteral("HandImgSelectButton");
}

void* CHandImgSelectButtonUI::GetInterface(const QString& name) {
    if (name == QLatin1String("HandImgSelectButton"))
        return this;
    return ui::CButtonUI::GetInterface(name);
}

bool CHandImgSelectButtonUI::SetCursorName(const QString& name) {
    static const struct {
        const char* name;
        Qt::CursorShape shape;
    } kCursors[] = {
        {"arrow", Qt::ArrowCursor},        {"ibeam", Qt::IBeamCursor},
        {"wait", Qt::WaitCursor},          {"cross", Qt::CrossCursor},
        {"uparrow", Qt::UpArrowCursor},    {"size", Qt::SizeAllCursor},
        {"icon", Qt::ArrowCursor},         {"sizenwse", Qt::SizeFDiagCursor},
        {"sizenesw", Qt::SizeBDiagCursor}, {"sizewe", Qt::SizeHorCursor},
        {"sizens", Qt::SizeVerCursor},     {"sizeall", Qt::SizeAllCursor},
        {"no", Qt::ForbiddenCursor},       {"hand", Qt::PointingHandCursor},
    };
    for (const auto& c : kCursors) {
        if (name == QLatin1String(c.name)) {
            setCursor(c.shape);
            return true;
        }
    }
    return false;
}

void CHandImgSelectButtonUI::SetAttribute(const QString& name, const QString& value) {
    const QString n = name.toLower();
    if (n == QLatin1String("handimage")) {
        SetHandImage(value);
    } else if (n == QLatin1String("cursor") && !value.isEmpty()) {
        SetCursorName(value);
    } else {
        ui::CButtonUI::SetAttribute(name, value);
    }
}

QSize CHandImgSelectButtonUI::ViewSize() const {
    QSize device = m_rcItem.size();
    if (device.isEmpty())
        return QSize(GetFixedWidthRaw(), GetFixedHeightRaw());
    const int dpi = m_pManager ? m_pManager->GetDPI() : 96;
    return QSize(device.width() * 96 / dpi, device.height() * 96 / dpi);
}

void CHandImgSelectButtonUI::SetHandImage(const QString& name) {
    m_imageName = name;
    m_imageSize = QSize();
    m_drawString.clear();
    m_windowed = false;
    LoadImageSize();
    ResetWindow();
    Invalidate();
}

void CHandImgSelectButtonUI::LoadImageSize() {
    ui::TImagePtr img =
        m_pManager && !m_imageName.isEmpty() ? m_pManager->GetImageEx(m_imageName) : nullptr;
    if (img && !img->image.isNull())
        m_imageSize = img->logicalSize();
}

QRect CHandImgSelectButtonUI::GetSourceWindow() const {
    if (!m_windowed)
        return QRect();
    return QRect(QPoint(m_left, m_top), QPoint(m_right - 1, m_bottom - 1));
}

void CHandImgSelectButtonUI::ResetWindow() {
    if (m_imageSize.isEmpty())
        return;
    const QSize view = ViewSize();
    if (view.width() < m_imageSize.width() || view.height() < m_imageSize.height()) {
        m_windowed = true;
        m_left = 0;
        m_top = 0;
        m_right = std::min(view.width(), m_imageSize.width());
        m_bottom = std::min(view.height(), m_imageSize.height());
    } else {
        m_windowed = false;
    }
    FormDrawString();
}

void CHandImgSelectButtonUI::FormDrawString() {
    if (!m_windowed) {
        m_drawString = m_imageName;
        return;
    }
    m_drawString =
        QStringLiteral("file='%1' ").arg(m_imageName) +
        QStringLiteral("source='%1,%2,%3,%4'").arg(m_left).arg(m_top).arg(m_right).arg(m_bottom);
}

void CHandImgSelectButtonUI::SetPos(const QRect& rc, bool needInvalidate) {
    const QSize before = m_rcItem.size();
    ui::CButtonUI::SetPos(rc, needInvalidate);
    if (m_imageSize.isEmpty() && !m_imageName.isEmpty()) {
        // Named before the control joined a window: load it now.
        LoadImageSize();
        if (!m_imageSize.isEmpty()) {
            ResetWindow();
            return;
        }
    }
    // The window follows the control's size (it was guessed from the fixed
    // size when the picture was set before the first layout).
    if (m_rcItem.size() != before && !m_imageSize.isEmpty()) {
        const int left = m_left, top = m_top;
        ResetWindow();
        if (m_windowed) {
            const int w = m_right - m_left, h = m_bottom - m_top;
            m_left = std::clamp(left, 0, m_imageSize.width() - w);
            m_top = std::clamp(top, 0, m_imageSize.height() - h);
            m_right = m_left + w;
            m_bottom = m_top + h;
            FormDrawString();
        }
    }
}

namespace {
// Moves the window [lo, hi) along one axis of a picture `extent` long when
// the pointer moved by `delta` (`d` = its size) picture pixels: the picture
// follows the pointer and the window stays inside it.
void PanAxis(int delta, int d, int extent, int& lo, int& hi) {
    if (delta < 0) {
        if (hi < extent) {
            if (hi + d <= extent) {
                lo += d;
                hi += d;
            } else {
                lo = extent - (hi - lo);
                hi = extent;
            }
        }
    } else if (lo > 0) {
        if (d < lo) {
            lo -= d;
            hi -= d;
        } else {
            hi -= lo;
            lo = 0;
        }
    }
}
}  // namespace

void CHandImgSelectButtonUI::Pan(const QPoint& pt) {
    // Distances in picture pixels, from positions converted before taking
    // the difference, so slow drags above 96 DPI still add up.
    const int dpi = m_pManager ? m_pManager->GetDPI() : 96;
    auto toPicture = [dpi](int v) { return static_cast<int>(std::floor(v * 96.0 / dpi)); };
    const int dx = toPicture(pt.x()) - toPicture(m_last.x());
    const int dy = toPicture(pt.y()) - toPicture(m_last.y());
    if (m_windowed) {
        PanAxis(dx, std::abs(dx), m_imageSize.width(), m_left, m_right);
        PanAxis(dy, std::abs(dy), m_imageSize.height(), m_top, m_bottom);
        FormDrawString();
    }
    m_last = pt;
    if (m_uButtonState & ui::UISTATE_CAPTURED) {
        if (m_rcItem.contains(pt))
            m_uButtonState |= ui::UISTATE_PUSHED;
        else
            m_uButtonState &= ~ui::UISTATE_PUSHED;
    }
    Invalidate();
}

void CHandImgSelectButtonUI::DoEvent(ui::TEventUI& event) {
    if (HandlePointerCrossing(this, event, m_uButtonState))
        return;
    switch (event.Type) {
        case ui::UIEVENT_BUTTONDOWN:
        case ui::UIEVENT_DBLCLICK:
            // Only a press on the enabled control starts a drag; otherwise the
            // last point would be stale and the first move would jump.
            if (m_rcItem.contains(event.ptMouse) && IsEnabled()) {
                m_dragging = true;
                m_uButtonState |= ui::UISTATE_PUSHED | ui::UISTATE_CAPTURED;
                m_last = event.ptMouse;
                Invalidate();
            }
            return;
        case ui::UIEVENT_BUTTONUP:
            if (m_uButtonState & ui::UISTATE_CAPTURED) {
                m_uButtonState &= ~(ui::UISTATE_PUSHED | ui::UISTATE_CAPTURED);
                Invalidate();
            }
            m_dragging = false;
            return;
        case ui::UIEVENT_MOUSEMOVE:
            if (m_dragging)
                Pan(event.ptMouse);
            return;
        default:
            break;
    }
    ui::CButtonUI::DoEvent(event);
}

void CHandImgSelectButtonUI::PaintStatusImage(QPainter& p) {
    ui::CButtonUI::PaintStatusImage(p);
    DrawHandImage(p, this, m_drawString);
}

}  // namespace controls
