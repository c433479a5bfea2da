// CSelectPanelUI: the vertical layout that holds a device picture's key
// buttons and lets the user select several of them with a rubber band:
// press on the panel, drag, release. Every direct key button whose
// rectangle overlaps the band with a non-empty area becomes selected, the
// others unselected, and "click_select_end" is sent. The band itself is not
// drawn.
#pragma once

#include <QPoint>
#include <QRect>

#include "ui/UIContainer.h"

namespace controls {

class CSelectPanelUI : public ui::CVerticalLayoutUI {
public:
    CSelectPanelUI() = default;

    QString GetClass() const override;
    void* GetInterface(const QString& name) override;
    ui::UINT GetControlFlags() const override;
    void DoEvent(ui::TEventUI& event) override;

    bool IsSelectionPending() const { return m_pending; }
    bool IsSelecting() const { return m_selecting; }
    // The last band, in root coordinates.
    QRect GetSelectionRect() const {
        return QRect(QPoint(m_left, m_top), QPoint(m_right - 1, m_bottom - 1));
    }

    // True when `item` (a control rectangle) and the band [left, right) x
    // [top, bottom) share a non-empty area; touching edges do not count.
    static bool Overlaps(const QRect& item, int left, int top, int right, int bottom);

private:
    void UpdateBand(const QPoint& pt);
    void ApplySelection();

    bool m_pending = false;
    bool m_selecting = false;
    QPoint m_anchor;
    QPoint m_current;
    int m_left = 0, m_top = 0, m_right = 0, m_bottom = 0;
};

}  // namespace controls
