#include "appearance/AboutWnd.h"

#include <QPointer>

#include "appearance/MsgWnd.h"
#include "ui/UIControl.h"

namespace appearance {

namespace {
QPointer<CAboutWnd> g_current;
}

CAboutWnd::CAboutWnd(QString version) : m_version(std::move(version)) {}

CAboutWnd::~CAboutWnd() {
    if (g_current == this)
        g_current = nullptr;
}

CAboutWnd* CAboutWnd::Current() {
    return g_current.data();
}

void CAboutWnd::InitWindow() {
    setWindowTitle(QStringLiteral("  "));
    UpdateVersionLine();
}

void CAboutWnd::UpdateVersionLine() {
    ui::CControlUI* probe = m_pm.FindControl(QStringLiteral("text_test"));
    ui::CControlUI* label = m_pm.FindControl(QStringLiteral("software_ver_label"));
    if (!probe || !label)
        return;
    probe->SetTextId(QStringLiteral("software_rev_text"));
    label->SetResourceText(false);
    label->SetText(probe->GetText() + m_version);
}

QString CAboutWnd::GetVersionLine() const {
    ui::CControlUI* label = m_pm.FindControl(QStringLiteral("software_ver_label"));
    return label ? label->GetText() : QString();
}

void CAboutWnd::Notify(ui::TNotifyUI& msg) {
    // "homepage_btn" and "menubtn" do nothing; the caption buttons are the base's.
    WindowImplBase::Notify(msg);
}

ui::LRESULT CAboutWnd::HandleCustomMessage(ui::UINT msg, ui::WPARAM, ui::LPARAM, bool& handled) {
    if (msg == kLanguageChangedMessage) {
        UpdateVersionLine();
        m_pm.UpdateLayout();
        m_pm.Invalidate();
        handled = true;
        return 0;
    }
    handled = false;
    return 0;
}

int CAboutWnd::ShowAboutWindow(QWidget* owner, const QString& version, int dpi) {
    if (g_current) {
        g_current->raise();
        g_current->activateWindow();
        return 0;
    }
    QPointer<CAboutWnd> wnd = new CAboutWnd(version);
    g_current = wnd.data();
    wnd->Create(owner, QStringLiteral("  "), ui::UI_WNDSTYLE_DIALOG, ui::UI_WNDSTYLE_EX_TOOLWINDOW);
    wnd->SetDPI(IsAllowedDialogDpi(dpi) ? dpi : 96);
    wnd->CenterWindow();
    const int code = static_cast<int>(wnd->ShowModal());
    delete wnd.data();
    return code;
}

}  // namespace appearance
