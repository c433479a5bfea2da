// The custom control classes of the skin: their registration with the
// control factory, and the main window's builder callback that turns skin
// tags into controls.
#pragma once

#include <QString>
#include <QStringList>

namespace ui {
class CControlUI;
class CPaintManagerUI;
class IDialogBuilderCallback;
}  // namespace ui

namespace app {

// The class names registered at start-up, in registration order.
QStringList CustomControlClassNames();
// Registers every class of that list that this build provides; returns the
// names registered.
QStringList RegisterCustomControls();

// The builder callback's decision for a tag (case-insensitive): a class to
// create, a layout file to build, or nothing.
struct BuilderRow {
    QString className;   // non-empty: create this class
    QString layoutFile;  // non-empty: build this file (relative to the skin folder)
};
BuilderRow LookupBuilderRow(const QString& tag);

// Runs a builder row: creates the class through the control factory (null
// while the class does not exist) or builds the layout file with `pm`.
ui::CControlUI* CreateMainControl(const QString& tag, ui::CPaintManagerUI* pm,
                                  ui::IDialogBuilderCallback* callback);

}  // namespace app
