// Windows: CWindowWnd (a frameless top-level QWidget that receives window
// messages through platform::Send/Post, runs modally with a close code and
// centres on its owner) and WindowImplBase (a window built from a skin file,
// with caption dragging and the standard caption buttons).
#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>

#include "platform/Messages.h"
#include "ui/UIDefines.h"
#include "ui/UIDlgBuilder.h"
#include "ui/UIManager.h"

class QEventLoop;

namespace ui {

// Message numbers a window understands (the usual desktop values).
inline constexpr UINT WM_CLOSE = 0x0010;
inline constexpr UINT WM_SIZE = 0x0005;
inline constexpr UINT WM_SYSCOMMAND = 0x0112;
inline constexpr UINT WM_DPICHANGED = 0x02E0;
inline constexpr UINT WM_USER = 0x0400;
inline constexpr UINT SC_MINIMIZE = 0xF020;
inline constexpr UINT SC_MAXIMIZE = 0xF030;
inline constexpr UINT SC_CLOSE = 0xF060;
inline constexpr UINT SC_RESTORE = 0xF120;

// Window styles for Create.
inline constexpr UINT UI_WNDSTYLE_FRAME = 0x1;   // normal top-level window
inline constexpr UINT UI_WNDSTYLE_DIALOG = 0x2;  // dialog (no taskbar entry)
inline constexpr UINT UI_WNDSTYLE_CHILD = 0x4;   // child widget of the owner
inline constexpr UINT UI_WNDSTYLE_EX_TOOLWINDOW = 0x80;
inline constexpr UINT UI_WNDSTYLE_EX_TOPMOST = 0x8;
inline constexpr UINT UI_WNDSTYLE_EX_POPUP = 0x100;  // closes when the user clicks elsewhere
inline constexpr int UI_DEFAULT_POS = -0x7fffffff;   // "use the skin's size / centre"

class CWindowWnd : public QWidget {
public:
    CWindowWnd();
    ~CWindowWnd() override;

    platform::WindowHandle GetHWND() const {
        return m_msg ? m_msg->Handle() : platform::WindowHandle{};
    }
    virtual QString GetWindowClassName() const { return QStringLiteral("Window"); }

    // Creates the window (hidden). `owner` may be null. Sizes are device
    // pixels; UI_DEFAULT_POS for cx/cy uses the window's own default size.
    bool Create(QWidget* owner, const QString& name, UINT style = UI_WNDSTYLE_FRAME,
                UINT exStyle = 0, int x = UI_DEFAULT_POS, int y = UI_DEFAULT_POS,
                int cx = UI_DEFAULT_POS, int cy = UI_DEFAULT_POS);
    bool IsCreated() const { return m_created; }
    QWidget* GetOwner() const { return m_owner; }

    void ShowWindow(bool show = true, bool takeFocus = true);
    // Shows modally and returns the close code given to Close().
    UINT ShowModal();
    bool IsModal() const { return m_loop != nullptr; }
    void Close(UINT code = 0);
    void CenterWindow();
    void ResizeClient(int cx, int cy);

    LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    bool PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    // All window messages arrive here (on the UI thread).
    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // Called once the window has closed (after a modal run returned or the
    // non-modal window was closed). Use deleteLater() to free a window.
    virtual void OnFinalMessage() {}

protected:
    virtual void OnCreate() {}
    void closeEvent(QCloseEvent* e) override;

    QPointer<QWidget> m_owner;
    bool m_created = false;
    bool m_closing = false;
    UINT m_closeCode = 0;
    QEventLoop* m_loop = nullptr;
    UINT* m_modalResult = nullptr;
    std::unique_ptr<platform::MessageWindow> m_msg;
};

class WindowImplBase : public CWindowWnd, public INotifyUI, public IDialogBuilderCallback {
public:
    WindowImplBase();
    ~WindowImplBase() override;

    // The skin: folder (relative to the resource path, may be empty) and
    // file or "res.xml" id.
    virtual QString GetSkinFolder() const { return QString(); }
    virtual QString GetSkinFile() const = 0;
    QString GetWindowClassName() const override = 0;

    // After the skin was built (controls can be looked up here).
    virtual void InitWindow() {}
    void Notify(TNotifyUI& msg) override;
    virtual void OnClick(TNotifyUI& msg);
    CControlUI* CreateControl(const QString& className) override;
    // Messages the window does not handle itself.
    virtual LRESULT HandleCustomMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    CPaintManagerUI& GetPaintManager() { return m_pm; }
    CControlUI* FindControl(const QString& name) const { return m_pm.FindControl(name); }
    // Sets the DPI (48..192 clamped) and resizes to the skin size at it.
    void SetDPI(int dpi);
    bool SkinLoaded() const { return m_skinLoaded; }

protected:
    void OnCreate() override;
    void changeEvent(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // True when a press at `pt` (window coordinates) starts a window drag.
    bool InCaption(const QPoint& pt) const;
    void UpdateMaxRestoreButtons();

    CPaintManagerUI m_pm;
    bool m_skinLoaded = false;
    bool m_dragging = false;
    bool m_hasMaxRestore = false;  // the skin shows a maximise/restore pair
    QPoint m_dragOffset;
};

}  // namespace ui
