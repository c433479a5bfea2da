// Containers: CContainerUI (children stacked over the inset rectangle) and
// the layouts CVerticalLayoutUI, CHorizontalLayoutUI and CTabLayoutUI.
//
// Sizing rules: a child with a fixed size gets it; the others share what is
// left equally (bounded by their min/max sizes); padding is the child's
// margin; inset is the container's own margin; childpadding the gap between
// children. Float children are placed at their "pos" relative to the parent.
#pragma once

#include <QVector>

#include "ui/UIControl.h"

namespace ui {

class CScrollBarUI;

class CContainerUI : public CControlUI {
public:
    CContainerUI();
    ~CContainerUI() override;

    QString GetClass() const override;
    void* GetInterface(const QString& name) override;

    // Children. The container owns them.
    virtual CControlUI* GetItemAt(int index) const;
    virtual int GetItemIndex(CControlUI* control) const;
    virtual bool SetItemIndex(CControlUI* control, int newIndex);
    virtual int GetCount() const { return static_cast<int>(m_items.size()); }
    virtual bool Add(CControlUI* control);
    virtual bool AddAt(CControlUI* control, int index);
    // Removes and deletes (unless `doNotDestroy`).
    virtual bool Remove(CControlUI* control, bool doNotDestroy = false);
    virtual bool RemoveAt(int index, bool doNotDestroy = false);
    virtual void RemoveAll();
    bool IsAutoDestroy() const { return m_bAutoDestroy; }
    void SetAutoDestroy(bool on) { m_bAutoDestroy = on; }

    TMargins GetInset() const;  // scaled
    void SetInset(const TMargins& m);
    int GetChildPadding() const;  // scaled
    void SetChildPadding(int padding);
    bool IsMouseChildEnabled() const { return m_bMouseChildEnabled; }
    void SetMouseChildEnabled(bool enable = true);

    // Scrolling: with "vscrollbar"/"hscrollbar" the content may overflow and
    // scrolls with the wheel and the scroll bar.
    void EnableScrollBar(bool vertical = true, bool horizontal = false);
    CScrollBarUI* GetVerticalScrollBar() const { return m_pVScroll; }
    CScrollBarUI* GetHorizontalScrollBar() const { return m_pHScroll; }
    QSize GetScrollPos() const;
    QSize GetScrollRange() const;
    void SetScrollPos(QSize pos);
    void LineUp();
    void LineDown();
    void PageUp();
    void PageDown();
    // Scrolls so that `control` (a descendant) is fully visible.
    void EnsureVisible(CControlUI* control);

    void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override;
    CControlUI* FindControl(FindProc proc, void* data, UINT flags) override;
    void SetVisible(bool visible = true) override;
    void SetInternVisible(bool visible = true) override;
    void SetEnabled(bool enable = true) override;
    void SetPos(const QRect& rc, bool needInvalidate = true) override;
    void SetAttribute(const QString& name, const QString& value) override;
    void DoEvent(TEventUI& event) override;
    void ReloadText() override;

    // Called by the scroll bars.
    void OnScrollBarChanged();

protected:
    // Lays the children into `rc` (content area, already inset) and returns
    // the size the content needs (for scrolling).
    virtual QSize LayoutChildren(const QRect& rc);
    void SetFloatPos(CControlUI* child);
    QRect ContentRect(const QRect& rc, bool withScrollBars) const;
    void ProcessScrollBars(const QRect& rc, QSize needed);

    QVector<CControlUI*> m_items;
    TMargins m_rcInset;
    int m_iChildPadding = 0;
    bool m_bAutoDestroy = true;
    bool m_bMouseChildEnabled = true;
    CScrollBarUI* m_pVScroll = nullptr;
    CScrollBarUI* m_pHScroll = nullptr;
    bool m_bScrollProcess = false;
};

class CVerticalLayoutUI : public CContainerUI {
public:
    QString GetClass() const override;
    void* GetInterface(const QString& name) override;

protected:
    QSize LayoutChildren(const QRect& rc) override;
};

class CHorizontalLayoutUI : public CContainerUI {
public:
    QString GetClass() const override;
    void* GetInterface(const QString& name) override;

protected:
    QSize LayoutChildren(const QRect& rc) override;
};

// Shows one child at a time.
class CTabLayoutUI : public CContainerUI {
public:
    QString GetClass() const override;
    void* GetInterface(const QString& name) override;

    bool Add(CControlUI* control) override;
    bool AddAt(CControlUI* control, int index) override;
    bool Remove(CControlUI* control, bool doNotDestroy = false) override;
    void RemoveAll() override;
    int GetCurSel() const { return m_iCurSel; }
    // Shows page `index`. Sends "tabselect" (wParam new, lParam old) only
    // when `triggerEvent` is set. Returns false for a bad index.
    virtual bool SelectItem(int index, bool triggerEvent = false);
    bool SelectItem(CControlUI* control, bool triggerEvent = false);
    void SetAttribute(const QString& name, const QString& value) override;

protected:
    QSize LayoutChildren(const QRect& rc) override;
    int m_iCurSel = -1;
    int m_iInitSel = -1;  // "selectedid" given before the pages exist
};

}  // namespace ui
