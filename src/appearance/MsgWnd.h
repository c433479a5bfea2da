// The skinned modal message box (CMsgWnd, skin "XML_MSG") and the one
// operation every caller uses, ShowMessageBox.
#pragma once

#include <QString>

#include "ui/UIWindow.h"

class QWidget;

namespace appearance {

// The DPI values a dialog accepts when set explicitly.
bool IsAllowedDialogDpi(int dpi);

class CMsgWnd : public ui::WindowImplBase {
public:
    CMsgWnd() = default;

    QString GetSkinFile() const override { return QStringLiteral("XML_MSG"); }
    QString GetWindowClassName() const override { return QStringLiteral("MsgWnd"); }
    void InitWindow() override;
    void Notify(ui::TNotifyUI& msg) override;

    // Title as given (a language text id shows its text); empty keeps the skin's.
    void SetTitle(const QString& title);
    // Text: a language text id when `isTextId`, else literal; empty keeps the skin's.
    void SetText(const QString& text, bool isTextId);
    // 0: only "confirm_btn"; 1: "confirm_btn" and "cancel_btn"; other values
    // keep the skin's buttons.
    void SetButtons(int buttons);
    // An allowed DPI (48, 72, ... 192) or 96 with the debug line
    // "MSG_WND DPI SET ERROR". Returns the DPI used.
    int SetMsgDpi(int dpi);
    int GetMsgDpi() const { return m_dpi; }

private:
    int m_dpi = 96;
};

// Shows the message box modally over `owner` and returns 1 for
// "confirm_btn", 0 for "cancel_btn", "closebtn" or a system close.
int ShowMessageBox(QWidget* owner, const QString& title, const QString& text, int dpi,
                   bool textIsId, int buttons);

}  // namespace appearance
