// Pure placement rules of the main window: the window DPI chosen from the
// work area, and where the tray menu opens relative to the desktop's panel.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace app {

// The window size in 96-DPI units.
inline constexpr int kMainWidth = 1000;
inline constexpr int kMainHeight = 640;

// 144 when the work area is wider than 1500 and higher than 960 pixels,
// else 96.
int ChooseWindowDpi(const QRect& workArea);
// The DPI values a window accepts; any other gives 96 and the debug line
// "MAIN_WND DPI SET ERROR".
bool IsAcceptedDpi(int dpi);
int AcceptDpi(int dpi);

// Menu alignment bits: which corner of the menu sits at the anchor point.
enum MenuAlign : int {
    kAlignLeft = 2,     // menu extends to the right of the point
    kAlignTop = 4,      // menu extends below the point
    kAlignRight = 8,    // menu extends to the left of the point
    kAlignBottom = 16,  // menu extends above the point
};

struct MenuAnchor {
    QPoint point;
    int alignment = kAlignLeft | kAlignTop;  // 6
};

// The desktop panel's rectangle as far as the screen tells it: the strip
// between the screen geometry and its available geometry (empty when the
// two are equal). Coordinates are relative to the screen's top-left.
QRect PanelRect(const QRect& screen, const QRect& available);
// The anchor for the tray menu given the cursor and the panel rectangle
// (relative to the screen): panel at the top → below it, alignment 12; at
// the left → right of it, 18; at the bottom → 20 px above it, 24; at the
// right → left of it, 24; otherwise the cursor, 6.
MenuAnchor TrayMenuAnchor(const QPoint& cursor, const QRect& panel);
}  // namespace app
