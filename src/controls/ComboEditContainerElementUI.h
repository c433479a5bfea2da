// CComboEditContainerElementUI: one row of the macro editor's step list. Its
// content comes from "XML\\CustomControlXML\\ComboEditElementItem.xml" (two
// texts, "text1" and "text2", and a delay edit, "delay_edit"). A press
// selects the row (Ctrl toggles it), a release reports "itemclick", Enter
// "return"; library timers and context menus become "timer" and "menu".
#pragma once

#include "ui/UIList.h"

namespace ui {
class CEditUI;
}

namespace controls {

class CComboEditContainerElementUI : public ui::CListContainerElementUI {
public:
    static constexpr char kContentFile[] = "XML\\CustomControlXML\\ComboEditElementItem.xml";

    CComboEditContainerElementUI() = default;

    QString GetClass() const override;
    void* GetInterface(const QString& name) override;
    ui::UINT GetControlFlags() const override;
    void DoInit() override;
    void SetAttribute(const QString& name, const QString& value) override;
    void DoEvent(ui::TEventUI& event) override;
    bool Select(bool select = true, bool triggerEvent = false) override;

    ui::CControlUI* GetText1() const { return m_text1; }
    ui::CControlUI* GetText2() const { return m_text2; }
    ui::CEditUI* GetDelayEdit() const { return m_delayEdit; }

private:
    void SelectByPointer(bool toggle);

    ui::CControlUI* m_text1 = nullptr;
    ui::CControlUI* m_text2 = nullptr;
    ui::CEditUI* m_delayEdit = nullptr;
    bool m_addingToSelection = false;
};

}  // namespace controls
