#include "controls/SelectPanelUI.h"

#include <algorithm>

#include "controls/DeviceKeyButtonUI.h"
#include "ui/UIManager.h"

namespace controls {

QString CSelectPanelUI::GetClass() const {
    return QStringLiteral("SelectPanel");
}

void* CSelectPanelUI::GetInterface(const QString& name) {
    if (name == QLatin1String("SelectPanel"))
        return this;
    return ui::CVerticalLayoutUI::GetInterface(name);
}

// The panel takes pointer input itself, so a drag on it never moves the
// window even where it lies in a caption area.
ui::UINT CSelectPanelUI::GetControlFlags() const {
    return ui::UIFLAG_INTERACTIVE;
}

bool CSelectPanelUI::Overlaps(const QRect& item, int left, int top, int right, int bottom) {
    const int l = std::max(item.left(), left);
    const int t = std::max(item.top(), top);
    const int r = std::min(item.left() + item.width(), right);
    const int b = std::min(item.top() + item.height(), bottom);
    return l < r && t < b;
}

void CSelectPanelUI::UpdateBand(const QPoint& pt) {
    m_current = pt;
    m_left = std::min(m_anchor.x(), m_current.x());
    m_right = std::max(m_anchor.x(), m_current.x());
    m_top = std::min(m_anchor.y(), m_current.y());
    m_bottom = std::max(m_anchor.y(), m_current.y());
}

void CSelectPanelUI::ApplySelection() {
    for (ui::CControlUI* child : m_items) {
        if (child->GetClass() != QLatin1String("DeviceKeyButton"))
            continue;
        auto* key = static_cast<CDeviceKeyButtonUI*>(
            child->GetInterface(QStringLiteral("DeviceKeyButton")));
        if (key)
            key->SetSelected(Overlaps(key->GetPos(), m_left, m_top, m_right, m_bottom));
    }
}

void CSelectPanelUI::DoEvent(ui::TEventUI& event) {
    ui::CVerticalLayoutUI::DoEvent(event);
    switch (event.Type) {
        case ui::UIEVENT_BUTTONDOWN:
            if (IsEnabled()) {
                m_pending = true;
                m_anchor = event.ptMouse;
                m_current = event.ptMouse;
            }
            break;
        case ui::UIEVENT_MOUSEMOVE:
            // A release we never saw (another window took the pointer) must not
            // leave a band following the bare pointer.
            if ((m_pending || m_selecting) && !(event.wKeyState & Qt::LeftButton)) {
                m_pending = false;
                m_selecting = false;
                break;
            }
            if (m_pending && event.ptMouse != m_anchor)
                m_selecting = true;
            if (m_selecting) {
                UpdateBand(event.ptMouse);
                NeedUpdate();
            }
            break;
        case ui::UIEVENT_BUTTONUP:
            m_pending = false;
            if (m_selecting) {
                m_selecting = false;
                m_anchor = m_current;
                ApplySelection();
                NeedUpdate();
                Invalidate();
                if (m_pManager)
                    m_pManager->SendNotify(this, QStringLiteral("click_select_end"));
            }
            break;
        default:
            break;
    }
}

}  // namespace controls
