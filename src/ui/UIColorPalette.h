// CColorPaletteUI: picks a colour from a hue/saturation field and a
// brightness bar below it. A user's pick sends "colorchanged"; setting the
// colour from code does not.
#pragma once

#include <QImage>

#include "ui/UIControl.h"

namespace ui {

class CColorPaletteUI : public CControlUI {
public:
    CColorPaletteUI();
    QString GetClass() const override;
    void* GetInterface(const QString& name) override;
    UINT GetControlFlags() const override { return UIFLAG_INTERACTIVE; }

    DWORD GetSelectColor() const;  // opaque ARGB
    void SetSelectColor(DWORD color);
    int GetPalletHeight() const { return m_nPalletHeight; }  // 96-DPI units of the field
    void SetPalletHeight(int h);
    int GetBarHeight() const { return m_nBarHeight; }
    void SetBarHeight(int h);
    // Where a pointer at `pt` (root coordinates) puts the colour.
    QRect FieldRect() const;
    QRect BarRect() const;

    void SetPos(const QRect& rc, bool needInvalidate = true) override;
    void DoEvent(TEventUI& event) override;
    void SetAttribute(const QString& name, const QString& value) override;
    void PaintBkImage(QPainter& p) override;

private:
    void PickAt(const QPoint& pt, bool notify);
    void RebuildField();
    int m_nPalletHeight = 0;  // 0: all but the bar
    int m_nBarHeight = 12;
    int m_hue = 0;       // 0..359
    int m_sat = 255;     // 0..255
    int m_val = 255;     // 0..255
    int m_dragPart = 0;  // 0 none, 1 field, 2 bar
    QImage m_field;
};

}  // namespace ui
