// Helpers for the custom control tests: pictures made in memory, pointer
// events sent straight to a control, and pixel reads of a rendered control.
#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>

#include "UiTestSupport.h"
#include "controls/CustomControls.h"

namespace ctltest {

// Registers the custom controls once per test program.
inline void EnsureRegistered() {
    static const bool done = [] {
        controls::RegisterCustomControls();
        return true;
    }();
    (void)done;
}

// A picture of one colour, put into the manager's cache under `name`.
inline void AddSolidImage(ui::CPaintManagerUI* pm, const QString& name, QSize size, QColor colour) {
    QImage img(size, QImage::Format_ARGB32);
    img.fill(colour);
    pm->AddImage(name, img);
}

// One pointer event in root coordinates.
inline void Send(ui::CControlUI* c, int type, QPoint pt, int keyState = 0) {
    ui::TEventUI ev;
    ev.Type = type;
    ev.ptMouse = pt;
    ev.wKeyState = keyState;
    c->Event(ev);
}

// The window's pixels under the control, in device pixels (pixel (0,0) is
// the control's top-left), so what the parents paint shows through.
inline QImage Render(ui::CControlUI* c) {
    QWidget* window = c->GetManager()->GetPaintWindow();
    return window->grab(c->GetPos()).toImage().convertToFormat(QImage::Format_ARGB32);
}

inline QRgb Rgb(QColor c) {
    return c.rgba();
}

}  // namespace ctltest
