// CProgressUI (a bar filled to its value) and CSliderUI (a progress bar
// with a thumb the user drags: "movevaluechanged" while dragging,
// "valuechanged" on release, on a track click and on the wheel).
#pragma once

#include "ui/UILabel.h"

namespace ui {

class CProgressUI : public CLabelUI {
public:
    CProgressUI();
    QString GetClass() const override;
    void* GetInterface(const QString& name) override;

    bool IsHorizontal() const { return m_bHorizontal; }
    void SetHorizontal(bool horizontal = true);
    int GetMinValue() const { return m_nMin; }
    void SetMinValue(int min);
    int GetMaxValue() const { return m_nMax; }
    void SetMaxValue(int max);
    int GetValue() const { return m_nValue; }
    // Clamped to [min, max]; never notifies.
    virtual void SetValue(int value);
    DWORD GetForeColor() const { return m_dwForeColor; }
    void SetForeColor(DWORD c) {
        m_dwForeColor = c;
        Invalidate();
    }

    void SetAttribute(const QString& name, const QString& value) override;
    void PaintForeColor(QPainter& p) override;
    void PaintForeImage(QPainter& p) override;

protected:
    QRect FilledRect() const;
    bool m_bHorizontal = true;
    int m_nMin = 0;
    int m_nMax = 100;
    int m_nValue = 0;
    bool m_bStretchForeImage = true;
};

class CSliderUI : public CProgressUI {
public:
    CSliderUI();
    QString GetClass() const override;
    void* GetInterface(const QString& name) override;
    UINT GetControlFlags() const override;

    int GetChangeStep() const { return m_nStep; }
    void SetChangeStep(int step) { m_nStep = std::max(1, step); }
    QSize GetThumbSize() const { return m_szThumb; }  // 96-DPI units
    void SetThumbSize(QSize size);
    QRect GetThumbRect() const;
    void SetThumbImage(const QString& s) {
        m_sThumbImage = s;
        Invalidate();
    }
    void SetThumbHotImage(const QString& s) {
        m_sThumbHotImage = s;
        Invalidate();
    }
    void SetThumbPushedImage(const QString& s) {
        m_sThumbPushedImage = s;
        Invalidate();
    }
    bool IsSendMove() const { return m_bSendMove; }
    void SetCanSendMove(bool on) { m_bSendMove = on; }

    void SetEnabled(bool enable = true) override;
    void DoEvent(TEventUI& event) override;
    void SetAttribute(const QString& name, const QString& value) override;
    void PaintBkColor(QPainter& p) override;
    void PaintForeColor(QPainter&) override {}  // the track shows the value
    void PaintStatusImage(QPainter& p) override;

protected:
    int ValueAt(const QPoint& pt) const;
    QRect TrackRect() const;
    QSize m_szThumb{14, 14};
    int m_nStep = 1;
    bool m_bSendMove = true;
    int m_nPressValue = 0;
    QString m_sThumbImage, m_sThumbHotImage, m_sThumbPushedImage;
    DWORD m_dwTrackColor = 0;
    DWORD m_dwThumbColor = 0;
    int m_nTrackSize = 4;
};

}  // namespace ui
