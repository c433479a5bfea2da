#include "appearance/MsgWnd.h"

#include <QPointer>

#include "platform/Debug.h"
#include "ui/UIControl.h"
#include "ui/UIResourceManager.h"

namespace appearance {

bool IsAllowedDialogDpi(int dpi) {
    switch (dpi) {
        case 48:
        case 72:
        case 96:
        case 120:
        case 144:
        case 168:
        case 192:
            return true;
        default:
            return false;
    }
}

void CMsgWnd::InitWindow() {
    m_pm.SetDPI(m_dpi);
}

void CMsgWnd::Notify(ui::TNotifyUI& msg) {
    if (msg.sType == QLatin1String(ui::DUI_MSGTYPE_CLICK) && msg.pSender) {
        const QString name = msg.pSender->GetName();
        if (name == QLatin1String("confirm_btn")) {
            Close(1);
            return;
        }
        if (name == QLatin1String("cancel_btn") || name == QLatin1String("closebtn")) {
            Close(0);
            return;
        }
    }
    WindowImplBase::Notify(msg);
}

void CMsgWnd::SetTitle(const QString& title) {
    if (title.isEmpty())
        return;
    ui::CControlUI* label = m_pm.FindControl(QStringLiteral("MessageTitle"));
    if (!label)
        return;
    // Callers pass ids such as "UpdateTiShi": a known id shows its text.
    if (ui::CResourceManager::GetInstance()->HasText(title)) {
        label->SetTextId(title);
    } else {
        label->SetResourceText(false);
        label->SetText(title);
    }
}

void CMsgWnd::SetText(const QString& text, bool isTextId) {
    if (text.isEmpty())
        return;
    ui::CControlUI* label = m_pm.FindControl(QStringLiteral("MessageText"));
    if (!label)
        return;
    if (isTextId) {
        label->SetTextId(text);
    } else {
        label->SetResourceText(false);
        label->SetText(text);
    }
    label->NeedParentUpdate();
}

void CMsgWnd::SetButtons(int buttons) {
    ui::CControlUI* confirm = m_pm.FindControl(QStringLiteral("confirm_btn"));
    ui::CControlUI* cancel = m_pm.FindControl(QStringLiteral("cancel_btn"));
    if (buttons == 0) {
        if (confirm)
            confirm->SetVisible(true);
        if (cancel)
            cancel->SetVisible(false);
    } else if (buttons == 1) {
        if (confirm)
            confirm->SetVisible(true);
        if (cancel)
            cancel->SetVisible(true);
    }
}

int CMsgWnd::SetMsgDpi(int dpi) {
    if (!IsAllowedDialogDpi(dpi)) {
        platform::DebugLine(QStringLiteral("MSG_WND DPI SET ERROR"));
        dpi = 96;
    }
    m_dpi = dpi;
    SetDPI(dpi);
    return dpi;
}

int ShowMessageBox(QWidget* owner, const QString& title, const QString& text, int dpi,
                   bool textIsId, int buttons) {
    QPointer<CMsgWnd> wnd = new CMsgWnd();
    wnd->Create(owner, QStringLiteral("msgwnd"), ui::UI_WNDSTYLE_DIALOG,
                ui::UI_WNDSTYLE_EX_TOOLWINDOW);
    wnd->SetTitle(title);
    wnd->SetText(text, textIsId);
    wnd->SetMsgDpi(dpi);
    wnd->SetButtons(buttons);
    wnd->GetPaintManager().UpdateLayout();
    wnd->CenterWindow();
    const int code = static_cast<int>(wnd->ShowModal());
    delete wnd.data();  // null when the owner took it down meanwhile
    return code == 1 ? 1 : 0;
}

}  // namespace appearance
