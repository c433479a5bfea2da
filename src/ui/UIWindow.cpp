#include "ui/UIWindow.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include "platform/Debug.h"
#include "ui/UIControl.h"

namespace ui {

CWindowWnd::CWindowWnd() {
    setAttribute(Qt::WA_DeleteOnClose, false);
}

CWindowWnd::~CWindowWnd() {
    if (m_msg)
        m_msg->BeginClose();
    if (m_loop)
        m_loop->quit();
}

bool CWindowWnd::Create(QWidget* owner, const QString& name, UINT style, UINT exStyle, int x, int y,
                        int cx, int cy) {
    if (m_created)
        return false;
    m_owner = owner;
    if (style & UI_WNDSTYLE_CHILD) {
        setParent(owner);
    } else {
        Qt::WindowFlags flags = Qt::FramelessWindowHint;
        if (exStyle & UI_WNDSTYLE_EX_POPUP)
            flags |= Qt::Popup;
        else if (exStyle & UI_WNDSTYLE_EX_TOOLWINDOW)
            flags |= Qt::Tool;
        else if (style & UI_WNDSTYLE_DIALOG)
            flags |= Qt::Dialog;
        else
            flags |= Qt::Window;
        if (exStyle & UI_WNDSTYLE_EX_TOPMOST)
            flags |= Qt::WindowStaysOnTopHint;
        // The owner keeps the window above it; it is a top-level window still.
        setParent(owner ? owner->window() : nullptr, flags);
    }
    setObjectName(name);
    setWindowTitle(name);
    m_msg = std::make_unique<platform::MessageWindow>(
        [this](std::uint32_t msg, platform::WParam w, platform::LParam l) {
            return HandleMessage(msg, w, l);
        });
    OnCreate();
    QSize size = this->size();
    if (cx != UI_DEFAULT_POS && cy != UI_DEFAULT_POS)
        size = QSize(cx, cy);
    resize(size);
    if (x != UI_DEFAULT_POS && y != UI_DEFAULT_POS)
        move(x, y);
    else
        CenterWindow();
    m_created = true;
    return true;
}

void CWindowWnd::ShowWindow(bool show, bool takeFocus) {
    if (!show) {
        hide();
        return;
    }
    m_closing = false;
    if (!takeFocus)
        setAttribute(Qt::WA_ShowWithoutActivating, true);
    QWidget::show();
    if (takeFocus) {
        raise();
        activateWindow();
    }
}

UINT CWindowWnd::ShowModal() {
    if (m_loop)
        return 0;  // already running modally
    UINT result = 0;
    QEventLoop loop;
    m_loop = &loop;
    m_modalResult = &result;
    m_closing = false;
    QPointer<CWindowWnd> self(this);
    setWindowModality(m_owner ? Qt::WindowModal : Qt::ApplicationModal);
    QWidget::show();
    raise();
    activateWindow();
    loop.exec(QEventLoop::DialogExec);
    if (!self)
        return result;
    m_loop = nullptr;
    m_modalResult = nullptr;
    hide();
    setWindowModality(Qt::NonModal);
    OnFinalMessage();
    return result;
}

void CWindowWnd::Close(UINT code) {
    if (m_closing)
        return;
    m_closing = true;
    m_closeCode = code;
    if (m_modalResult)
        *m_modalResult = code;
    if (m_loop) {
        m_loop->quit();
        return;
    }
    hide();
    QPointer<CWindowWnd> self(this);
    QTimer::singleShot(0, this, [self] {
        if (self)
            self->OnFinalMessage();
    });
}

void CWindowWnd::CenterWindow() {
    QRect area;
    if (m_owner && m_owner->window()->isVisible()) {
        area = m_owner->window()->frameGeometry();
    } else {
        QScreen* screen = QGuiApplication::primaryScreen();
        if (screen)
            area = screen->availableGeometry();
    }
    if (area.isEmpty())
        return;
    QRect r(QPoint(0, 0), size());
    r.moveCenter(area.center());
    move(r.topLeft());
}

void CWindowWnd::ResizeClient(int cx, int cy) {
    if (cx > 0 && cy > 0)
        resize(cx, cy);
}

LRESULT CWindowWnd::SendMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    return platform::Send(GetHWND(), msg, wParam, lParam);
}

bool CWindowWnd::PostMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    return platform::Post(GetHWND(), msg, wParam, lParam);
}

LRESULT CWindowWnd::HandleMessage(UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
        case WM_CLOSE:
            Close(static_cast<UINT>(wParam));
            return 1;
        case WM_SYSCOMMAND:
            switch (wParam & 0xFFF0) {
                case SC_CLOSE:
                    Close(0);
                    return 1;
                case SC_MINIMIZE:
                    showMinimized();
                    return 1;
                case SC_MAXIMIZE:
                    showMaximized();
                    return 1;
                case SC_RESTORE:
                    showNormal();
                    return 1;
                default:
                    return 0;
            }
        default:
            return 0;
    }
}

void CWindowWnd::closeEvent(QCloseEvent* e) {
    // A system close request ends the window (and its modal loop) with 0.
    e->ignore();
    Close(0);
}

// ---- WindowImplBase ----

WindowImplBase::WindowImplBase() = default;

WindowImplBase::~WindowImplBase() {
    m_pm.RemoveNotifier(this);
    // Controls go before the manager they refer to.
    if (CControlUI* root = m_pm.GetRoot())
        delete root;
}

void WindowImplBase::OnCreate() {
    m_pm.Init(this, objectName());
    QString file = GetSkinFile();
    const QString folder = GetSkinFolder();
    if (!folder.isEmpty() && !file.trimmed().startsWith(QLatin1Char('<')))
        file =
            folder + (folder.endsWith(QLatin1Char('/')) ? QString() : QStringLiteral("/")) + file;
    CDialogBuilder builder;
    CControlUI* root = builder.Create(file, QString(), this, &m_pm);
    m_skinLoaded = root != nullptr;
    if (!root) {
        platform::DebugLine(QStringLiteral("UI: window %1 has no skin (%2)")
                                .arg(GetWindowClassName(), GetSkinFile()));
        root = new CControlUI();
        root->SetBkColor(0xFF15171C);
    }
    m_pm.AttachDialog(root);
    m_pm.AddNotifier(this);
    QPointer<WindowImplBase> self(this);
    m_pm.SetInitHandler([self] {
        if (self && self->m_pm.GetRoot())
            self->m_pm.SendNotify(self->m_pm.GetRoot(), QString::fromLatin1(DUI_MSGTYPE_WINDOWINIT),
                                  0, 0, true);
    });
    const QSize init = m_pm.GetInitSize();
    if (init.width() > 0 && init.height() > 0)
        resize(init);
    const QSize minInfo = m_pm.GetMinInfo();
    if (minInfo.width() > 0 || minInfo.height() > 0)
        setMinimumSize(minInfo);
    {
        CControlUI* maxbtn = m_pm.FindControl(QStringLiteral("maxbtn"));
        CControlUI* restorebtn = m_pm.FindControl(QStringLiteral("restorebtn"));
        m_hasMaxRestore =
            maxbtn && restorebtn && (maxbtn->IsOwnVisible() || restorebtn->IsOwnVisible());
    }
    UpdateMaxRestoreButtons();
    InitWindow();
}

void WindowImplBase::SetDPI(int dpi) {
    m_pm.SetDPI(dpi);
    const QSize init = m_pm.GetInitSize();
    if (init.width() > 0 && init.height() > 0)
        resize(init);
    m_pm.UpdateLayout();
}

void WindowImplBase::Notify(TNotifyUI& msg) {
    if (msg.sType == QLatin1String(DUI_MSGTYPE_CLICK))
        OnClick(msg);
}

void WindowImplBase::OnClick(TNotifyUI& msg) {
    if (!msg.pSender)
        return;
    const QString name = msg.pSender->GetName();
    if (name == QLatin1String("closebtn"))
        Close(0);
    else if (name == QLatin1String("minbtn"))
        HandleMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    else if (name == QLatin1String("maxbtn"))
        HandleMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    else if (name == QLatin1String("restorebtn"))
        HandleMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
}

CControlUI* WindowImplBase::CreateControl(const QString&) {
    return nullptr;
}

LRESULT WindowImplBase::HandleCustomMessage(UINT, WPARAM, LPARAM, bool& handled) {
    handled = false;
    return 0;
}

LRESULT WindowImplBase::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (m_pm.PreMessageHandler(msg, wParam, lParam, result))
        return result;
    if (msg == WM_DPICHANGED) {
        // wParam: the new DPI in the low word; lParam: a QRect* suggestion or 0.
        m_pm.SetDPI(static_cast<int>(wParam & 0xFFFF));
        m_pm.ResetDPIAssets();
        if (lParam != 0)
            setGeometry(*reinterpret_cast<const QRect*>(lParam));
        else if (m_pm.GetInitSize().isValid() && !m_pm.GetInitSize().isEmpty())
            resize(m_pm.GetInitSize());
        m_pm.UpdateLayout();
        return 0;
    }
    bool handled = false;
    result = HandleCustomMessage(msg, wParam, lParam, handled);
    if (handled)
        return result;
    return CWindowWnd::HandleMessage(msg, wParam, lParam);
}

void WindowImplBase::UpdateMaxRestoreButtons() {
    CControlUI* maxbtn = m_pm.FindControl(QStringLiteral("maxbtn"));
    CControlUI* restorebtn = m_pm.FindControl(QStringLiteral("restorebtn"));
    if (!maxbtn || !restorebtn || !m_hasMaxRestore)
        return;
    const bool maximized = isMaximized();
    maxbtn->SetVisible(!maximized);
    restorebtn->SetVisible(maximized);
}

void WindowImplBase::changeEvent(QEvent* e) {
    if (e->type() == QEvent::WindowStateChange)
        UpdateMaxRestoreButtons();
    CWindowWnd::changeEvent(e);
}

void WindowImplBase::resizeEvent(QResizeEvent* e) {
    CWindowWnd::resizeEvent(e);
    if (m_pm.GetRoot())
        m_pm.SendNotify(m_pm.GetRoot(), QString::fromLatin1(DUI_MSGTYPE_WINDOWSIZE), width(),
                        height());
}

bool WindowImplBase::InCaption(const QPoint& pt) const {
    return m_pm.IsCaptionPoint(pt);
}

void WindowImplBase::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && InCaption(e->position().toPoint()) && !isMaximized()) {
        if (windowHandle() && QGuiApplication::platformName() != QLatin1String("offscreen") &&
            windowHandle()->startSystemMove()) {
            return;
        }
        m_dragging = true;
        m_dragOffset = e->globalPosition().toPoint() - frameGeometry().topLeft();
        return;
    }
    CWindowWnd::mousePressEvent(e);
}

void WindowImplBase::mouseMoveEvent(QMouseEvent* e) {
    if (m_dragging && (e->buttons() & Qt::LeftButton)) {
        move(e->globalPosition().toPoint() - m_dragOffset);
        return;
    }
    CWindowWnd::mouseMoveEvent(e);
}

void WindowImplBase::mouseReleaseEvent(QMouseEvent* e) {
    m_dragging = false;
    CWindowWnd::mouseReleaseEvent(e);
}

void WindowImplBase::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0x15, 0x17, 0x1C));
}

bool WindowImplBase::eventFilter(QObject* watched, QEvent* event) {
    return CWindowWnd::eventFilter(watched, event);
}

}  // namespace ui
