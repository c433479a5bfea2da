// CComboEditContainerElementUI: one row of the macro editor's step list. Its
// content comes from "XML\\CustomControlXML\\ComboEditElementItem.xml" (two
// texts, "text1" and "text2", and a delay edit, "delay_edit"). The row is
// selected by a click (toggled with Ctrl) and reports "itemclick", "return",
// "timer" and "menu".
#pragma once

#include "ui/UIContainer.h"

namespace ui {
class CEditUI;
}

namespace controls {

class CComboEditContainerElementUI : public ui::CHorizontalLayoutUI {
public:
    static constexpr char kContentFile[] = "XML\\CustomControlXML\\ComboEditElementItem.xml";

    CComboEditContainerElementUI() = default;

    QString GetClass() const override;
    void* GetInterface(const QString& name) override;
    ui::UINT GetControlFlags() const override;
    void DoInit() override;
    bool Activate() override;
    void SetAttribute(const QString& name, const QString& value) override;
    void DoEvent(ui::TEventUI& event) override;
    void PaintBkColor(QPainter& p) override;

    bool IsSelected() const { return m_selected; }
    // Selects or clears the row; from code it sends nothing.
    void Select(bool selected = true);

    ui::CControlUI* GetText1() const { return m_text1; }
    ui::CControlUI* GetText2() const { return m_text2; }
    ui::CEditUI* GetDelayEdit() const { return m_delayEdit; }
    // Background of a selected row ("selectedbkcolor"); "hotbkcolor" is
    // the library's own.
    void SetSelectedBkColor(ui::DWORD c) {
        m_selectedBkColor = c;
        Invalidate();
    }

private:
    // The list or container that takes mouse events when the row does not.
    ui::CControlUI* Owner() const;

    bool m_selected = false;
    ui::DWORD m_selectedBkColor = 0;
    ui::CControlUI* m_text1 = nullptr;
    ui::CControlUI* m_text2 = nullptr;
    ui::CEditUI* m_delayEdit = nullptr;
};

}  // namespace controls
