// CComboUI: a drop-down choice. Its items are list elements (usually
// ListLabelElement); the closed combo shows the selected item's text.
// A user's choice in the drop-down sends "itemselect" (wParam new index,
// lParam old); SelectItem from code sends it only when asked.
#pragma once

#include <QPointer>

#include "ui/UIList.h"

namespace ui {

class CComboUI;

// The drop-down: a pop-up window drawing the combo's rows.
class CComboWnd : public QWidget {
public:
    explicit CComboWnd(CComboUI* owner);
    int RowAt(const QPoint& pt) const;
    QRect RowRect(int row) const;
    int RowHeight() const;
    int HotRow() const { return m_hot; }
    void ScrollBy(int rows);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    CComboUI* m_owner;
    int m_hot = -1;
    int m_first = 0;
};

class CComboUI : public CContainerUI, public IListOwnerUI {
public:
    CComboUI();
    ~CComboUI() override;
    QString GetClass() const override;
    void* GetInterface(const QString& name) override;
    UINT GetControlFlags() const override { return UIFLAG_INTERACTIVE | UIFLAG_TABSTOP; }

    bool Add(CControlUI* control) override;
    bool AddAt(CControlUI* control, int index) override;
    bool Remove(CControlUI* control, bool doNotDestroy = false) override;
    bool RemoveAt(int index, bool doNotDestroy = false) override;
    void RemoveAll() override;

    QString GetText() const override;  // the selected item's text
    TListInfoUI* GetListInfo() override { return &m_info; }
    int GetCurSel() const override { return m_iCurSel; }
    bool SelectItem(int index, bool takeFocus = false, bool triggerEvent = false) override;
    bool SelectMultiItem(int index, bool triggerEvent = false) override {
        return SelectItem(index, false, triggerEvent);
    }
    bool UnSelectItem(int index, bool others = false) override;
    bool IsMultiSelect() const override { return false; }
    CPaintManagerUI* GetOwnerManager() const override { return m_pManager; }
    void DoOwnerEvent(TEventUI& event) override { DoEvent(event); }

    // Drop-down.
    bool Activate() override;  // opens the drop-down
    void CloseDropDown();
    CComboWnd* GetDropWindow() const { return m_pWindow; }
    int GetDropBoxRows() const { return m_nDropRows; }
    void SetDropBoxRows(int rows) { m_nDropRows = std::max(1, rows); }
    // What the drop-down calls on a user's choice.
    void ChooseFromDropDown(int index);

    void SetPos(const QRect& rc, bool needInvalidate = true) override;
    void DoEvent(TEventUI& event) override;
    void SetAttribute(const QString& name, const QString& value) override;
    void PaintStatusImage(QPainter& p) override;
    void PaintText(QPainter& p) override;
    DWORD GetDropBkColor() const { return m_dwDropBkColor; }
    DWORD GetDropBorderColor() const { return m_dwDropBorderColor; }

protected:
    QSize LayoutChildren(const QRect& rc) override;
    void Reindex();

    TListInfoUI m_info;
    int m_iCurSel = -1;
    int m_nDropRows = 8;
    QPointer<CComboWnd> m_pWindow;
    QString m_sArrowImage;
    DWORD m_dwArrowColor = 0xFF9AA1AE;
    DWORD m_dwDropBkColor = 0xFF1E2128;
    DWORD m_dwDropBorderColor = 0xFF323742;
};

}  // namespace ui
