// CRedioMacroButtonUI: the macro editor's record button. A plain button that
// also keeps the skin's "redioimage" string for the editor to use.
#pragma once

#include "ui/UIButton.h"

namespace controls {

class CRedioMacroButtonUI : public ui::CButtonUI {
public:
    CRedioMacroButtonUI() = default;

    QString GetClass() const override;
    void* GetInterface(const QString& name) override;
    void SetAttribute(const QString& name, const QString& value) override;

    QString GetRedioImage() const { return m_redioImage; }
    void SetRedioImage(const QString& image) { m_redioImage = image; }

private:
    QString m_redioImage;
};

}  // namespace controls
