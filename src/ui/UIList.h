// Lists: CListUI (a scrolling vertical list of elements), the elements
// CListLabelElementUI (one text row) and CListContainerElementUI (a row
// holding other controls). A user press on a row selects it ("itemselect"
// from the list, wParam = new index, lParam = old), releasing gives
// "itemclick" and a double click "itemactivate" (both from the row).
// Selecting from code notifies only when asked.
#pragma once

#include "ui/UIContainer.h"
#include "ui/UILabel.h"

namespace ui {

// Row looks shared by all rows of a list or combo (96-DPI units).
struct TListInfoUI {
    int nFont = -1;
    int uTextStyle = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    TMargins rcTextPadding{10, 0, 10, 0};
    DWORD dwTextColor = 0xFFE8EAF0;
    DWORD dwBkColor = 0;
    DWORD dwSelectedTextColor = 0xFFFFFFFF;
    DWORD dwSelectedBkColor = 0xFF272B34;
    DWORD dwHotTextColor = 0xFFFFFFFF;
    DWORD dwHotBkColor = 0xFF232730;
    DWORD dwDisabledTextColor = 0xFF5A606C;
    DWORD dwSelectedBarColor = 0xFF19C6E6;  // accent bar at the row's left edge
    DWORD dwLineColor = 0;
    QString sBkImage, sHotImage, sSelectedImage, sDisabledImage;
    int nItemHeight = 30;
};

class IListOwnerUI {
public:
    virtual ~IListOwnerUI() = default;
    virtual TListInfoUI* GetListInfo() = 0;
    virtual int GetCurSel() const = 0;
    virtual bool SelectItem(int index, bool takeFocus = false, bool triggerEvent = false) = 0;
    virtual bool SelectMultiItem(int index, bool triggerEvent = false) = 0;
    virtual bool UnSelectItem(int index, bool others = false) = 0;
    virtual bool IsMultiSelect() const = 0;
    virtual CPaintManagerUI* GetOwnerManager() const = 0;
    virtual void DoOwnerEvent(TEventUI& event) = 0;
};

class CListElementBase {
public:
    virtual ~CListElementBase() = default;
    IListOwnerUI* GetOwner() const { return m_pOwner; }
    void SetOwner(IListOwnerUI* owner) { m_pOwner = owner; }
    int GetIndex() const { return m_iIndex; }
    void SetIndex(int index) { m_iIndex = index; }
    bool IsItemSelected() const { return m_bSelected; }
    // Marks the row; selecting also tells the owner (which clears the others).
    virtual bool Select(bool select = true, bool triggerEvent = false) = 0;

protected:
    IListOwnerUI* m_pOwner = nullptr;
    int m_iIndex = -1;
    bool m_bSelected = false;
};

class CListLabelElementUI : public CLabelUI, public CListElementBase {
public:
    CListLabelElementUI();
    QString GetClass() const override;
    void* GetInterface(const QString& name) override;
    UINT GetControlFlags() const override { return UIFLAG_INTERACTIVE; }

    bool IsSelected() const { return m_bSelected; }
    // Marks the row; tells the owner to select it when `ownerToo`.
    bool Select(bool select = true, bool triggerEvent = false) override;
    bool Activate() override;  // "itemactivate"
    QSize EstimateSize(const QSize& available) override;
    void DoEvent(TEventUI& event) override;
    void DoPaint(QPainter& p, const QRect& rcPaint) override;
    void SetAttribute(const QString& name, const QString& value) override;
};

class CListContainerElementUI : public CHorizontalLayoutUI, public CListElementBase {
public:
    CListContainerElementUI();
    QString GetClass() const override;
    void* GetInterface(const QString& name) override;
    UINT GetControlFlags() const override { return UIFLAG_INTERACTIVE; }

    bool IsSelected() const { return m_bSelected; }
    bool Select(bool select = true, bool triggerEvent = false) override;
    bool Activate() override;
    QSize EstimateSize(const QSize& available) override;
    void DoEvent(TEventUI& event) override;
    void PaintBkColor(QPainter& p) override;
};

class CListUI : public CVerticalLayoutUI, public IListOwnerUI {
public:
    CListUI();
    QString GetClass() const override;
    void* GetInterface(const QString& name) override;

    bool Add(CControlUI* control) override;
    bool AddAt(CControlUI* control, int index) override;
    bool Remove(CControlUI* control, bool doNotDestroy = false) override;
    bool RemoveAt(int index, bool doNotDestroy = false) override;
    void RemoveAll() override;

    TListInfoUI* GetListInfo() override { return &m_info; }
    int GetCurSel() const override { return m_iCurSel; }
    bool SelectItem(int index, bool takeFocus = false, bool triggerEvent = false) override;
    bool SelectMultiItem(int index, bool triggerEvent = false) override;
    bool UnSelectItem(int index, bool others = false) override;
    bool IsMultiSelect() const override { return m_bMultiSelect; }
    void SetMultiSelect(bool on);
    QVector<int> GetSelectedItems() const;
    CPaintManagerUI* GetOwnerManager() const override { return m_pManager; }
    void DoOwnerEvent(TEventUI& event) override { DoEvent(event); }
    void SetAttribute(const QString& name, const QString& value) override;

protected:
    void Reindex();
    TListInfoUI m_info;
    int m_iCurSel = -1;
    bool m_bMultiSelect = false;
};

// Reads the list-row attributes ("itemfont", "itemtextcolor", ...) into info.
bool ApplyListInfoAttribute(TListInfoUI& info, const QString& name, const QString& value);
CListElementBase* AsListElement(CControlUI* control);
// Shared by the list owners (list, combo): row indexes and clearing rows
// (every row but `index` with `others`, else only `index`).
void ReindexRows(const CContainerUI* owner);
void UnselectRows(const CContainerUI* owner, int index, bool others);
// Selects row `index` of `owner` alone; false for a row that cannot be selected.
bool SelectSingleRow(const CContainerUI* owner, int index);

}  // namespace ui
