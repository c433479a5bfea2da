// Clickable controls: CButtonUI ("click" on release inside), COptionUI
// (selectable, exclusive within a group, may drive a tab layout) and
// CCheckBoxUI (an option that toggles).
#pragma once

#include "ui/UILabel.h"

namespace ui {

class CButtonUI : public CLabelUI {
public:
    CButtonUI();
    QString GetClass() const override;
    void* GetInterface(const QString& name) override;
    UINT GetControlFlags() const override;

    bool Activate() override;  // sends "click"
    void SetEnabled(bool enable = true) override;
    void DoEvent(TEventUI& event) override;
    void SetAttribute(const QString& name, const QString& value) override;
    void PaintText(QPainter& p) override;
    void SetPushedTextColor(DWORD c) {
        m_dwPushedTextColor = c;
        Invalidate();
    }
};

class COptionUI : public CButtonUI {
public:
    COptionUI();
    ~COptionUI() override;
    QString GetClass() const override;
    void* GetInterface(const QString& name) override;

    void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override;
    bool Activate() override;  // selects (toggles without a group) and sends "click"
    void SetEnabled(bool enable = true) override;

    QString GetGroup() const { return m_sGroupName; }
    void SetGroup(const QString& group);
    bool IsSelected() const { return m_bSelected; }
    // Selects or clears. Sends "selectchanged" only when `triggerEvent` is
    // set; the bound tab layout follows either way.
    virtual void Selected(bool selected, bool triggerEvent = false);

    void SetSelectedImage(const QString& s) {
        m_sSelectedImage = s;
        Invalidate();
    }
    QString GetSelectedImage() const { return m_sSelectedImage; }
    void SetSelectedHotImage(const QString& s) {
        m_sSelectedHotImage = s;
        Invalidate();
    }
    void SetSelectedBkColor(DWORD c) {
        m_dwSelectedBkColor = c;
        Invalidate();
    }
    DWORD GetSelectedBkColor() const { return m_dwSelectedBkColor; }
    void SetSelectedTextColor(DWORD c) {
        m_dwSelectedTextColor = c;
        Invalidate();
    }
    void SetSelectedBorderColor(DWORD c) {
        m_dwSelectedBorderColor = c;
        Invalidate();
    }
    void SetForeSelectedImage(const QString& s) {
        m_sSelectedForeImage = s;
        Invalidate();
    }

    // Binding to a tab layout: selecting shows page `index` of `tabName`.
    void BindTabIndex(int index) { m_iBindTabIndex = index; }
    void BindTabLayoutName(const QString& name) { m_sBindTabLayoutName = name; }
    int GetBindTabLayoutIndex() const { return m_iBindTabIndex; }
    QString GetBindTabLayoutName() const { return m_sBindTabLayoutName; }

    void SetAttribute(const QString& name, const QString& value) override;
    void PaintBkColor(QPainter& p) override;
    void PaintStatusImage(QPainter& p) override;
    void PaintText(QPainter& p) override;
    void PaintBorder(QPainter& p) override;

protected:
    void FollowBoundTab(bool triggerEvent);

    bool m_bSelected = false;
    QString m_sGroupName;
    QString m_sSelectedImage, m_sSelectedHotImage, m_sSelectedForeImage;
    DWORD m_dwSelectedBkColor = 0;
    DWORD m_dwSelectedTextColor = 0;
    DWORD m_dwSelectedBorderColor = 0;
    int m_iBindTabIndex = -1;
    QString m_sBindTabLayoutName;
};

class CCheckBoxUI : public COptionUI {
public:
    QString GetClass() const override;
    void* GetInterface(const QString& name) override;
    bool GetCheck() const { return IsSelected(); }
    void SetCheck(bool check, bool triggerEvent = false) { Selected(check, triggerEvent); }
};

}  // namespace ui
