// CControlFactory: creates controls by class name for the skin builder.
// Built-in controls are registered under their tag ("Button") and their
// class name ("CButtonUI"); programs add their own with RegistControl.
#pragma once

#include <QHash>
#include <QString>
#include <functional>

namespace ui {

class CControlUI;

using CreateClass = std::function<CControlUI*()>;

class CControlFactory {
public:
    static CControlFactory* GetInstance();
    // Case-insensitive; null for an unknown name.
    CControlUI* CreateControl(const QString& name) const;
    // Registers (or replaces) a creator under `name`.
    void RegistControl(const QString& name, CreateClass creator);
    template <class T>
    void RegistControl(const QString& name) {
        RegistControl(name, [] { return static_cast<CControlUI*>(new T()); });
    }
    bool IsRegistered(const QString& name) const;
    // True for the library's own controls (not replaced by RegistControl).
    bool IsBuiltin(const QString& name) const;

private:
    CControlFactory();
    QHash<QString, CreateClass> m_creators;  // key: lower-case name
    QHash<QString, bool> m_builtin;
    bool m_registeringBuiltins = false;
};

}  // namespace ui
