#include "controls/HandImgButtonUI.h"

#include "controls/HandImage.h"
#include "ui/UIManager.h"

namespace controls {

bool HandlePointerCrossing(ui::CButtonUI* button, ui::TEventUI& event, ui::UINT& state) {
    if (event.Type != ui::UIEVENT_MOUSEENTER && event.Type != ui::UIEVENT_MOUSELEAVE)
        return false;
    if (!button->IsEnabled())
        return true;
    const bool enter = event.Type == ui::UIEVENT_MOUSEENTER;
    if (enter)
        state |= ui::UISTATE_HOT;
    else
        state &= ~ui::UISTATE_HOT;
    if (ui::CPaintManagerUI* m = button->GetManager())
        m->SendNotify(button, QString::fromLatin1(enter ? ui::DUI_MSGTYPE_MOUSEENTER
                                                        : ui::DUI_MSGTYPE_MOUSELEAVE));
    button->Invalidate();
    return true;
}

QString CHandImgButtonUI::GetClass() const {
    return QStringLiteral("HandImgButton");
}

void* CHandImgButtonUI::GetInterface(const QString& name) {
    if (name == QLatin1String("HandImgButton"))
        return this;
    return ui::CButtonUI::GetInterface(name);
}

void CHandImgButtonUI::SetAttribute(const QString& name, const QString& value) {
    if (name.compare(QLatin1String("handimage"), Qt::CaseInsensitive) == 0)
        SetHandImage(value);
    else
        ui::CButtonUI::SetAttribute(name, value);
}

void CHandImgButtonUI::SetHandImage(const QString& image) {
    m_handImage = image;
    Invalidate();
}

void CHandImgButtonUI::DoEvent(ui::TEventUI& event) {
    // Press, drag and release behave as the library's button: pushed while
    // the pointer is inside, click on a release inside.
    if (HandlePointerCrossing(this, event, m_uButtonState))
        return;
    ui::CButtonUI::DoEvent(event);
}

void CHandImgButtonUI::PaintStatusImage(QPainter& p) {
    ui::CButtonUI::PaintStatusImage(p);
    DrawHandImage(p, this, m_handImage);
}

}  // namespace controls
