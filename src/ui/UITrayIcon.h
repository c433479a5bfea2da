// CTrayIcon: the notification-area icon over QSystemTrayIcon. Clicks reach
// the owner window as a message (lParam = WM_LBUTTONUP or WM_RBUTTONUP) and
// through an optional callback.
#pragma once

#include <QIcon>
#include <QObject>
#include <functional>
#include <memory>

#include "platform/Messages.h"
#include "ui/UIDefines.h"

class QSystemTrayIcon;

namespace ui {

inline constexpr LPARAM WM_LBUTTONUP = 0x0202;
inline constexpr LPARAM WM_RBUTTONUP = 0x0205;
inline constexpr LPARAM WM_LBUTTONDBLCLK = 0x0203;

class CTrayIcon : public QObject {
    Q_OBJECT
public:
    CTrayIcon();
    ~CTrayIcon() override;

    // Shows the icon. `message` goes to `owner` with wParam 0 and lParam the
    // mouse message. A missing icon file gives the program's window icon.
    bool CreateTrayIcon(platform::WindowHandle owner, const QString& iconPath,
                        const QString& tooltip, UINT message);
    void DeleteTrayIcon();
    bool IsVisible() const;
    void SetTooltipText(const QString& text);
    QString GetTooltipText() const { return m_tooltip; }
    void SetIcon(const QString& iconPath);
    void SetShowIcon(bool show);
    void SetCallback(std::function<void(LPARAM mouseMessage)> callback) {
        m_callback = std::move(callback);
    }
    // What a click does (also used by tests, where no tray exists).
    void Deliver(LPARAM mouseMessage);
    static bool IsSystemTrayAvailable();

private:
    std::unique_ptr<QSystemTrayIcon> m_tray;
    platform::WindowHandle m_owner;
    UINT m_message = 0;
    QString m_tooltip;
    std::function<void(LPARAM)> m_callback;
};

}  // namespace ui
