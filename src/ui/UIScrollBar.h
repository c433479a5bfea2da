// CScrollBarUI: the scroll bar a container shows when its content
// overflows. Drag the thumb, click the track to page, or use the wheel.
#pragma once

#include "ui/UIControl.h"

namespace ui {

class CContainerUI;

class CScrollBarUI : public CControlUI {
public:
    CScrollBarUI();
    QString GetClass() const override;
    void* GetInterface(const QString& name) override;

    void SetOwner(CContainerUI* owner) { m_pOwner = owner; }
    CContainerUI* GetOwner() const { return m_pOwner; }
    bool IsHorizontal() const { return m_bHorizontal; }
    void SetHorizontal(bool horizontal) { m_bHorizontal = horizontal; }
    int GetScrollRange() const { return m_nRange; }
    void SetScrollRange(int range);
    int GetScrollPos() const { return m_nScrollPos; }
    void SetScrollPos(int pos);  // clamped; tells the owner
    int GetLineSize() const;
    void SetLineSize(int size) { m_nLineSize = size; }
    void SetPageSize(int size) { m_nPageSize = size; }
    int GetPageSize() const { return m_nPageSize; }
    QRect GetThumbRect() const;

    void DoEvent(TEventUI& event) override;
    void SetAttribute(const QString& name, const QString& value) override;
    void PaintBkColor(QPainter& p) override;
    void PaintStatusImage(QPainter& p) override;

private:
    CContainerUI* m_pOwner = nullptr;
    bool m_bHorizontal = false;
    int m_nRange = 0;
    int m_nScrollPos = 0;
    int m_nLineSize = 30;
    int m_nPageSize = 100;
    bool m_bDragging = false;
    QPoint m_ptLast;
    int m_nPosAtPress = 0;
    DWORD m_dwThumbColor = 0xFF323742;
    DWORD m_dwThumbHotColor = 0xFF5A606C;
};

}  // namespace ui
