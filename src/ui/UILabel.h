// Text controls: CLabelUI (one line, vertically centred by default, may
// size itself to its text) and CTextUI (wrapping text).
#pragma once

#include "ui/UIControl.h"

namespace ui {

class CLabelUI : public CControlUI {
public:
    CLabelUI();
    QString GetClass() const override;
    void* GetInterface(const QString& name) override;

    // With auto width the control is as wide as its text plus padding.
    bool IsAutoCalcWidth() const { return m_bAutoCalcWidth; }
    void SetAutoCalcWidth(bool on);
    void SetText(const QString& text) override;
    QSize EstimateSize(const QSize& available) override;
    void SetAttribute(const QString& name, const QString& value) override;
    void ReloadText() override;

protected:
    bool m_bAutoCalcWidth = false;
};

class CTextUI : public CLabelUI {
public:
    CTextUI();
    QString GetClass() const override;
    void* GetInterface(const QString& name) override;
};

}  // namespace ui
