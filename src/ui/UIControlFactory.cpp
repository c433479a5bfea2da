#include "ui/UIControlFactory.h"

#include "ui/UIButton.h"
#include "ui/UIContainer.h"
#include "ui/UILabel.h"
#include "ui/UIScrollBar.h"

namespace ui {

// Registers the library's own controls; the rest of the library adds its
// controls in UIControlsRegistry.cpp.
void RegisterBuiltinControls(CControlFactory* f);

CControlFactory* CControlFactory::GetInstance() {
    static CControlFactory instance;
    return &instance;
}

CControlFactory::CControlFactory() {
    m_registeringBuiltins = true;
    RegisterBuiltinControls(this);
    m_registeringBuiltins = false;
}

CControlUI* CControlFactory::CreateControl(const QString& name) const {
    auto it = m_creators.find(name.toLower());
    if (it == m_creators.end() || !it.value())
        return nullptr;
    return it.value()();
}

void CControlFactory::RegistControl(const QString& name, CreateClass creator) {
    if (name.isEmpty())
        return;
    m_creators.insert(name.toLower(), std::move(creator));
    m_builtin.insert(name.toLower(), m_registeringBuiltins);
}

bool CControlFactory::IsBuiltin(const QString& name) const {
    return m_builtin.value(name.toLower(), false);
}

bool CControlFactory::IsRegistered(const QString& name) const {
    return m_creators.contains(name.toLower());
}

}  // namespace ui
