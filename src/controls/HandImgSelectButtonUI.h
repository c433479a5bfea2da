// CHandImgSelectButtonUI: shows a window into a picture larger than the
// control and lets the user pan it by dragging. The window never leaves the
// picture.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include "ui/UIButton.h"

namespace controls {

class CHandImgSelectButtonUI : public ui::CButtonUI {
public:
    CHandImgSelectButtonUI() = default;

    QString GetClass() const override;
    void* GetInterface(const QString& name) override;
    void SetAttribute(const QString& name, const QString& value) override;
    void SetPos(const QRect& rc, bool needInvalidate = true) override;
    void DoEvent(ui::TEventUI& event) override;
    void PaintStatusImage(QPainter& p) override;

    // Loads the picture (through the image cache) to learn its size and
    // resets the window to its top-left corner.
    void SetHandImage(const QString& name);
    QString GetHandImage() const { return m_imageName; }
    QSize GetImageSize() const { return m_imageSize; }
    // The window into the picture, in picture pixels; right and bottom are
    // exclusive. Null while the whole picture fits the control.
    QRect GetSourceWindow() const;
    QString GetDrawString() const { return m_drawString; }
    bool IsDragging() const { return m_dragging; }
    // Cursor names "arrow", "ibeam", "wait", "cross", "uparrow", "size",
    // "icon", "sizenwse", "sizenesw", "sizewe", "sizens", "sizeall", "no",
    // "hand"; false (cursor unchanged) for any other name.
    bool SetCursorName(const QString& name);

private:
    // The control's size in picture pixels (device pixels over the DPI
    // factor, so the picture keeps its size relative to the skin).
    QSize ViewSize() const;
    void LoadImageSize();
    void ResetWindow();
    void FormDrawString();
    void Pan(const QPoint& pt);

    QString m_imageName;
    QSize m_imageSize;
    QString m_drawString;
    // The window's edges in picture pixels (right, bottom exclusive).
    int m_left = 0, m_top = 0, m_right = 0, m_bottom = 0;
    bool m_windowed = false;
    QPoint m_last;
    bool m_dragging = false;
};

}  // namespace controls
