#include "app/WindowPlacement.h"

#include "appearance/MsgWnd.h"
#include "platform/Debug.h"

namespace app {

int ChooseWindowDpi(const QRect& workArea) {
    return (workArea.width() > 1500 && workArea.height() > 960) ? 144 : 96;
}

bool IsAcceptedDpi(int dpi) {
    return appearance::IsAllowedDialogDpi(dpi);
}

int AcceptDpi(int dpi) {
    if (IsAcceptedDpi(dpi))
        return dpi;
    platform::DebugLine(QStringLiteral("MAIN_WND DPI SET ERROR"));
    return 96;
}

QRect PanelRect(const QRect& screen, const QRect& available) {
    if (!screen.isValid() || !available.isValid() || available == screen ||
        !screen.contains(available))
        return {};
    const QRect a = available.translated(-screen.topLeft());
    const int w = screen.width();
    const int h = screen.height();
    // The widest strip wins when the desktop reserves more than one edge.
    struct Strip {
        QRect rc;
        int thickness;
    } strips[] = {
        {QRect(0, 0, w, a.top()), a.top()},
        {QRect(0, a.bottom() + 1, w, h - a.bottom() - 1), h - a.bottom() - 1},
        {QRect(0, 0, a.left(), h), a.left()},
        {QRect(a.right() + 1, 0, w - a.right() - 1, h), w - a.right() - 1},
    };
    const Strip* best = nullptr;
    for (const Strip& s : strips) {
        if (s.thickness > 0 && (!best || s.thickness > best->thickness))
            best = &s;
    }
    return best ? best->rc : QRect();
}

MenuAnchor TrayMenuAnchor(const QPoint& cursor, const QRect& panel) {
    MenuAnchor anchor{cursor, kAlignLeft | kAlignTop};
    if (panel.isEmpty())
        return anchor;
    if (panel.left() == 0 && panel.top() == 0 && panel.width() > panel.height()) {
        anchor.point.setY(panel.bottom() + 1);
        anchor.alignment = kAlignRight | kAlignTop;  // 12
    } else if (panel.left() == 0 && panel.top() == 0 && panel.height() > panel.width()) {
        anchor.point.setX(panel.right() + 1);
        anchor.alignment = kAlignLeft | kAlignBottom;  // 18
    } else if (panel.left() == 0 && panel.top() > 0) {
        anchor.point.setY(panel.top() - 20);
        anchor.alignment = kAlignRight | kAlignBottom;  // 24
    } else if (panel.left() >= 1 && panel.top() == 0) {
        anchor.point.setX(panel.left() - 1);
        anchor.alignment = kAlignRight | kAlignBottom;  // 24
    }
    return anchor;
}

}  // namespace app
