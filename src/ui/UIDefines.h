// Basic types of the skinned UI library: events, notifications, state bits
// and the callback interfaces windows and controls implement.
#pragma once

#include <QPoint>
#include <QString>
#include <cstdint>

class QEvent;

namespace ui {

class CControlUI;

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;

// Events a control receives through DoEvent. Qt events are translated into
// these so a derived control can take over pointer, key, focus and timers.
enum EventTypeUI {
    UIEVENT__FIRST = 1,
    UIEVENT__KEYBEGIN,
    UIEVENT_KEYDOWN,
    UIEVENT_KEYUP,
    UIEVENT_CHAR,
    UIEVENT_SYSKEY,
    UIEVENT__KEYEND,
    UIEVENT__MOUSEBEGIN,
    UIEVENT_MOUSEMOVE,
    UIEVENT_MOUSELEAVE,
    UIEVENT_MOUSEENTER,
    UIEVENT_MOUSEHOVER,
    UIEVENT_BUTTONDOWN,
    UIEVENT_BUTTONUP,
    UIEVENT_RBUTTONDOWN,
    UIEVENT_RBUTTONUP,
    UIEVENT_DBLCLICK,
    UIEVENT_CONTEXTMENU,
    UIEVENT_SCROLLWHEEL,
    UIEVENT__MOUSEEND,
    UIEVENT_KILLFOCUS,
    UIEVENT_SETFOCUS,
    UIEVENT_WINDOWSIZE,
    UIEVENT_SETCURSOR,
    UIEVENT_TIMER,
    UIEVENT__LAST,
};

// Control state bits (GetButtonState / status images).
enum : UINT {
    UISTATE_FOCUSED = 0x01,
    UISTATE_SELECTED = 0x02,
    UISTATE_DISABLED = 0x04,
    UISTATE_HOT = 0x08,
    UISTATE_PUSHED = 0x10,
    UISTATE_READONLY = 0x20,
    UISTATE_CAPTURED = 0x40,
};

// Control flags (GetControlFlags).
enum : UINT {
    UIFLAG_TABSTOP = 0x01,
    UIFLAG_SETCURSOR = 0x02,
    UIFLAG_WANTRETURN = 0x04,
    UIFLAG_INTERACTIVE = 0x08,  // takes pointer input itself (not a caption drag area)
};

// FindControl flags.
enum : UINT {
    UIFIND_ALL = 0x00,
    UIFIND_VISIBLE = 0x01,
    UIFIND_ENABLED = 0x02,
    UIFIND_HITTEST = 0x04,
    UIFIND_TOP_FIRST = 0x08,
    UIFIND_ME_FIRST = 0x80,
};

// One event delivered to CControlUI::DoEvent. Pointer positions are in the
// coordinates of the window's root control (the same as GetPos()).
struct TEventUI {
    int Type = 0;
    CControlUI* pSender = nullptr;
    std::uint64_t dwTimestamp = 0;
    QPoint ptMouse;
    QChar chKey;                // the typed character for UIEVENT_CHAR
    int key = 0;                // Qt::Key for key events
    int wKeyState = 0;          // Qt::KeyboardModifiers | Qt::MouseButtons
    WPARAM wParam = 0;          // timer id for UIEVENT_TIMER, wheel direction for SCROLLWHEEL
    LPARAM lParam = 0;          // wheel delta for SCROLLWHEEL
    QEvent* qtEvent = nullptr;  // the originating Qt event, when there is one
};

// One notification sent to the window's notifiers.
struct TNotifyUI {
    QString sType;
    QString sVirtualWnd;
    CControlUI* pSender = nullptr;
    std::uint64_t dwTimestamp = 0;
    QPoint ptMouse;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

class INotifyUI {
public:
    virtual ~INotifyUI() = default;
    virtual void Notify(TNotifyUI& msg) = 0;
};

// Window messages seen before the window handles them itself.
class IMessageFilterUI {
public:
    virtual ~IMessageFilterUI() = default;
    virtual LRESULT MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) = 0;
};

// Notification type strings.
inline constexpr char DUI_MSGTYPE_CLICK[] = "click";
inline constexpr char DUI_MSGTYPE_DBCLICK[] = "dbclick";
inline constexpr char DUI_MSGTYPE_SELECTCHANGED[] = "selectchanged";
inline constexpr char DUI_MSGTYPE_VALUECHANGED[] = "valuechanged";
inline constexpr char DUI_MSGTYPE_MOVEVALUECHANGED[] = "movevaluechanged";
inline constexpr char DUI_MSGTYPE_TEXTCHANGED[] = "textchanged";
inline constexpr char DUI_MSGTYPE_SETFOCUS[] = "setfocus";
inline constexpr char DUI_MSGTYPE_KILLFOCUS[] = "killfocus";
inline constexpr char DUI_MSGTYPE_RETURN[] = "return";
inline constexpr char DUI_MSGTYPE_ITEMSELECT[] = "itemselect";
inline constexpr char DUI_MSGTYPE_ITEMCLICK[] = "itemclick";
inline constexpr char DUI_MSGTYPE_ITEMACTIVATE[] = "itemactivate";
inline constexpr char DUI_MSGTYPE_TABSELECT[] = "tabselect";
inline constexpr char DUI_MSGTYPE_TIMER[] = "timer";
inline constexpr char DUI_MSGTYPE_MENU[] = "menu";
inline constexpr char DUI_MSGTYPE_COLORCHANGED[] = "colorchanged";
inline constexpr char DUI_MSGTYPE_WINDOWINIT[] = "windowinit";
inline constexpr char DUI_MSGTYPE_WINDOWSIZE[] = "windowsize";
inline constexpr char DUI_MSGTYPE_DROPDOWN[] = "dropdown";
inline constexpr char DUI_MSGTYPE_SCROLL[] = "scroll";
inline constexpr char DUI_MSGTYPE_MOUSEENTER[] = "msenter";
inline constexpr char DUI_MSGTYPE_MOUSELEAVE[] = "msleave";

}  // namespace ui
