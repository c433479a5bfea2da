#include "controls/RedioMacroButtonUI.h"

namespace controls {

QString CRedioMacroButtonUI::GetClass() const {
    return QStringLiteral("RedioMacroButton");
}

void* CRedioMacroButtonUI::GetInterface(const QString& name) {
    if (name == QLatin1String("RedioMacroButton"))
        return this;
    return ui::CButtonUI::GetInterface(name);
}

void CRedioMacroButtonUI::SetAttribute(const QString& name, const QString& value) {
    if (name.compare(QLatin1String("redioimage"), Qt::CaseInsensitive) == 0)
        SetRedioImage(value);
    else
        ui::CButtonUI::SetAttribute(name, value);
}

}  // namespace controls
