#include "ui/UITrayIcon.h"

#include <QApplication>
#include <QFileInfo>
#include <QSystemTrayIcon>

#include "ui/UIManager.h"

namespace ui {

CTrayIcon::CTrayIcon() = default;
CTrayIcon::~CTrayIcon() {
    DeleteTrayIcon();
}

bool CTrayIcon::IsSystemTrayAvailable() {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

bool CTrayIcon::CreateTrayIcon(platform::WindowHandle owner, const QString& iconPath,
                               const QString& tooltip, UINT message) {
    m_owner = owner;
    m_message = message;
    m_tooltip = tooltip;
    if (!m_tray) {
        m_tray = std::make_unique<QSystemTrayIcon>();
        connect(m_tray.get(), &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason reason) {
                    switch (reason) {
                        case QSystemTrayIcon::Trigger:
                            Deliver(WM_LBUTTONUP);
                            break;
                        case QSystemTrayIcon::Context:
                            Deliver(WM_RBUTTONUP);
                            break;
                        case QSystemTrayIcon::DoubleClick:
                            Deliver(WM_LBUTTONDBLCLK);
                            break;
                        default:
                            break;
                    }
                });
    }
    SetIcon(iconPath);
    m_tray->setToolTip(tooltip);
    m_tray->show();
    return true;
}

void CTrayIcon::SetIcon(const QString& iconPath) {
    if (!m_tray)
        return;
    QString path = iconPath;
    if (!path.isEmpty() && QFileInfo(path).isRelative())
        path = CPaintManagerUI::GetResourcePath() + path;
    QIcon icon(path);
    if (path.isEmpty() || icon.isNull() || !QFileInfo::exists(path))
        icon = QApplication::windowIcon();
    m_tray->setIcon(icon);
}

void CTrayIcon::DeleteTrayIcon() {
    if (m_tray) {
        m_tray->hide();
        m_tray.reset();
    }
}

bool CTrayIcon::IsVisible() const {
    return m_tray && m_tray->isVisible();
}

void CTrayIcon::SetTooltipText(const QString& text) {
    m_tooltip = text;
    if (m_tray)
        m_tray->setToolTip(text);
}

void CTrayIcon::SetShowIcon(bool show) {
    if (m_tray)
        m_tray->setVisible(show);
}

void CTrayIcon::Deliver(LPARAM mouseMessage) {
    if (m_callback)
        m_callback(mouseMessage);
    if (m_owner && m_message)
        platform::Post(m_owner, m_message, 0, mouseMessage);
}

}  // namespace ui
