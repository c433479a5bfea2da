// Registration of the custom controls: with the control factory under their
// class names, and the skin tags the main window's builder callback maps to
// them.
#pragma once

#include <QString>
#include <QStringList>

namespace ui {
class CControlUI;
}

namespace controls {

// Registers every custom control class with the control factory under its
// class name ("CCircleProgressUI", ...). Safe to call more than once.
void RegisterCustomControls();

// A new control for one of the builder-callback tags "CircleProgress",
// "SelectPanel", "DeviceKeyButton", "HandImgButton", "AudioRecord",
// "HandImgSelectButton", "RedioMacroButton", "ComboEditContainerElement"
// (compared case-insensitively); null for any other tag.
ui::CControlUI* CreateCustomControl(const QString& tag);

// The class names RegisterCustomControls registers.
QStringList CustomControlClassNames();

}  // namespace controls
