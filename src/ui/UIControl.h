// CControlUI: the base of every skinned control. A QWidget whose geometry,
// looks and behaviour come from skin attributes; Qt events are translated
// into DoEvent and painting goes through overridable Paint* steps.
#pragma once

#include <QRect>
#include <QString>
#include <QWidget>

#include "ui/UIDefines.h"
#include "ui/UIRender.h"

namespace ui {

class CPaintManagerUI;
class CContainerUI;

class CControlUI : public QWidget {
    Q_OBJECT  // so qobject_cast / findChildren<CControlUI*> tell controls from plain widgets
        public : CControlUI();
    ~CControlUI() override;

    // Identity.
    virtual QString GetName() const { return m_sName; }
    virtual void SetName(const QString& name);
    virtual QString GetClass() const;
    virtual void* GetInterface(const QString& name);
    template <class T>
    T* As(const char* interfaceName) {
        return static_cast<T*>(GetInterface(QString::fromLatin1(interfaceName)));
    }
    virtual UINT GetControlFlags() const { return 0; }

    // Tree.
    virtual void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true);
    CPaintManagerUI* GetManager() const { return m_pManager; }
    CControlUI* GetParent() const { return m_pParent; }
    // Looks a control up below (and including) this one; `proc` returns
    // the control to stop at, or null to go on.
    using FindProc = CControlUI* (*)(CControlUI* control, void* data);
    virtual CControlUI* FindControl(FindProc proc, void* data, UINT flags);
    virtual bool Activate();  // false when hidden or disabled
    virtual void Init();      // once, after the control joined a manager
    virtual void DoInit() {}

    // Text: either literal text or a language text id (resource text mode).
    virtual QString GetText() const;  // resolved text
    virtual void SetText(const QString& text);
    QString GetTextRaw() const { return m_sText; }
    void SetTextId(const QString& id);  // resource mode + id
    QString GetTextId() const { return m_bResourceText ? m_sText : QString(); }
    bool IsResourceText() const { return m_bResourceText; }
    void SetResourceText(bool resource);
    virtual void ReloadText();  // after a language change

    virtual QString GetToolTip() const;
    virtual void SetToolTip(const QString& tip);
    void SetToolTipId(const QString& id);
    QString GetUserData() const { return m_sUserData; }
    void SetUserData(const QString& data) { m_sUserData = data; }
    std::uintptr_t GetTag() const { return m_tag; }
    void SetTag(std::uintptr_t tag) { m_tag = tag; }

    // State.
    virtual bool IsVisible() const { return m_bVisible && m_bInternVisible; }
    bool IsOwnVisible() const { return m_bVisible; }
    virtual void SetVisible(bool visible = true);
    virtual void SetInternVisible(bool visible = true);  // used by tabs/containers
    virtual bool IsEnabled() const { return m_bEnabled; }
    virtual void SetEnabled(bool enable = true);
    virtual bool IsMouseEnabled() const { return m_bMouseEnabled; }
    virtual void SetMouseEnabled(bool enable = true);
    virtual bool IsKeyboardEnabled() const { return m_bKeyboardEnabled; }
    virtual void SetKeyboardEnabled(bool enable = true);
    virtual bool IsFocused() const { return m_bFocused; }
    virtual void SetFocus();
    bool IsContextMenuUsed() const { return m_bMenuUsed; }
    void SetContextMenuUsed(bool used) { m_bMenuUsed = used; }
    UINT GetButtonState() const { return m_uButtonState; }

    // Geometry. GetPos is in root coordinates (device pixels).
    virtual const QRect& GetPos() const { return m_rcItem; }
    virtual void SetPos(const QRect& rc, bool needInvalidate = true);
    virtual QSize EstimateSize(const QSize& available);
    bool IsFloat() const { return m_bFloat; }
    virtual void SetFloat(bool isFloat = true);
    QRect GetFloatPos() const { return m_rcFloat; }  // 96-DPI units, relative to the parent
    void SetFloatPos(const QRect& rc);
    TMargins GetPadding() const;  // scaled
    TMargins GetPaddingRaw() const { return m_rcPadding; }
    void SetPadding(const TMargins& m);
    // Fixed/min/max sizes: set in 96-DPI units, read scaled.
    int GetFixedWidth() const;
    int GetFixedHeight() const;
    void SetFixedWidth(int cx);
    void SetFixedHeight(int cy);
    int GetFixedWidthRaw() const { return m_cxyFixed.width(); }
    int GetFixedHeightRaw() const { return m_cxyFixed.height(); }
    int GetMinWidth() const;
    int GetMinHeight() const;
    int GetMaxWidth() const;
    int GetMaxHeight() const;
    void SetMinWidth(int cx);
    void SetMinHeight(int cy);
    void SetMaxWidth(int cx);
    void SetMaxHeight(int cy);
    int Scale(int v) const;

    // Looks.
    DWORD GetBkColor() const { return m_dwBackColor; }
    void SetBkColor(DWORD color);
    DWORD GetBkColor2() const { return m_dwBackColor2; }
    void SetBkColor2(DWORD color);
    QString GetBkImage() const { return m_sBkImage; }
    void SetBkImage(const QString& image);
    QString GetForeImage() const { return m_sForeImage; }
    void SetForeImage(const QString& image);
    DWORD GetBorderColor() const { return m_dwBorderColor; }
    void SetBorderColor(DWORD color);
    DWORD GetFocusBorderColor() const { return m_dwFocusBorderColor; }
    void SetFocusBorderColor(DWORD color);
    int GetBorderSize() const { return m_nBorderSize; }
    void SetBorderSize(int size);
    QSize GetBorderRound() const { return m_cxyBorderRound; }
    void SetBorderRound(const QSize& round);
    // Status looks, drawn by PaintStatusImage according to the state.
    void SetNormalImage(const QString& s) {
        m_sNormalImage = s;
        Invalidate();
    }
    void SetHotImage(const QString& s) {
        m_sHotImage = s;
        Invalidate();
    }
    void SetPushedImage(const QString& s) {
        m_sPushedImage = s;
        Invalidate();
    }
    void SetFocusedImage(const QString& s) {
        m_sFocusedImage = s;
        Invalidate();
    }
    void SetDisabledImage(const QString& s) {
        m_sDisabledImage = s;
        Invalidate();
    }
    QString GetNormalImage() const { return m_sNormalImage; }
    QString GetHotImage() const { return m_sHotImage; }
    QString GetPushedImage() const { return m_sPushedImage; }
    QString GetFocusedImage() const { return m_sFocusedImage; }
    QString GetDisabledImage() const { return m_sDisabledImage; }
    void SetHotBkColor(DWORD c) {
        m_dwHotBkColor = c;
        Invalidate();
    }
    void SetPushedBkColor(DWORD c) {
        m_dwPushedBkColor = c;
        Invalidate();
    }
    void SetDisabledBkColor(DWORD c) {
        m_dwDisabledBkColor = c;
        Invalidate();
    }
    void SetHotBorderColor(DWORD c) {
        m_dwHotBorderColor = c;
        Invalidate();
    }

    // Text looks.
    int GetFont() const { return m_iFont; }
    void SetFont(int id);
    DWORD GetTextColor() const { return m_dwTextColor; }
    void SetTextColor(DWORD color);
    DWORD GetDisabledTextColor() const { return m_dwDisabledTextColor; }
    void SetDisabledTextColor(DWORD color);
    DWORD GetHotTextColor() const { return m_dwHotTextColor; }
    void SetHotTextColor(DWORD color);
    int GetTextStyle() const { return m_uTextStyle; }  // Qt::Alignment | Qt::TextFlag
    void SetTextStyle(int style);
    TMargins GetTextPadding() const;  // scaled
    void SetTextPadding(const TMargins& m);
    bool IsEndEllipsis() const { return m_bEndEllipsis; }
    void SetEndEllipsis(bool on);

    // Skin attributes. Unknown names are ignored.
    virtual void SetAttribute(const QString& name, const QString& value);
    // Space-separated name="value" pairs (value quotes " or ').
    void ApplyAttributeList(const QString& list);

    // Painting, in root coordinates; the painter is already translated.
    virtual void DoPaint(QPainter& p, const QRect& rcPaint);
    virtual void PaintBkColor(QPainter& p);
    virtual void PaintBkImage(QPainter& p);
    virtual void PaintStatusImage(QPainter& p);
    virtual void PaintForeColor(QPainter& p);
    virtual void PaintForeImage(QPainter& p);
    virtual void PaintText(QPainter& p);
    virtual void PaintBorder(QPainter& p);
    // Draws an image string into the control rectangle (dest relative to it).
    bool DrawImage(QPainter& p, const QString& imageString, const TImageTint* tint = nullptr);

    // Events.
    void Event(TEventUI& event);  // entry point; calls DoEvent
    virtual void DoEvent(TEventUI& event);

    // Redraw and relayout requests.
    void Invalidate();
    void NeedUpdate();        // this control's size changed: relayout
    void NeedParentUpdate();  // the parent's layout changed
    bool IsUpdateNeeded() const { return m_bUpdateNeeded; }

    // The manager is going away: forget it (no calls into it after this).
    void ForgetManager() { m_pManager = nullptr; }

protected:
    // Qt → DoEvent translation.
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

    QPoint ToRoot(const QPointF& local) const;
    void ApplyQtVisibility();
    // Helpers for derived controls.
    DWORD CurrentTextColor() const;
    QRect TextRect() const;  // control rectangle minus text padding

    CPaintManagerUI* m_pManager = nullptr;
    CControlUI* m_pParent = nullptr;
    QString m_sName;
    QString m_sText;
    bool m_bResourceText = false;
    QString m_sToolTip;
    bool m_bResourceToolTip = false;
    QString m_sUserData;
    std::uintptr_t m_tag = 0;
    bool m_bVisible = true;
    bool m_bInternVisible = true;
    bool m_bEnabled = true;
    bool m_bMouseEnabled = true;
    bool m_bKeyboardEnabled = true;
    bool m_bFocused = false;
    bool m_bFloat = false;
    bool m_bMenuUsed = false;
    bool m_bUpdateNeeded = true;
    bool m_bInited = false;
    UINT m_uButtonState = 0;
    QRect m_rcItem;
    QRect m_rcFloat;
    TMargins m_rcPadding;
    QSize m_cxyFixed{0, 0};
    QSize m_cxyMin{0, 0};
    QSize m_cxyMax{9999, 9999};
    DWORD m_dwBackColor = 0;
    DWORD m_dwBackColor2 = 0;
    DWORD m_dwForeColor = 0;
    DWORD m_dwBorderColor = 0;
    DWORD m_dwFocusBorderColor = 0;
    DWORD m_dwHotBorderColor = 0;
    DWORD m_dwHotBkColor = 0;
    DWORD m_dwPushedBkColor = 0;
    DWORD m_dwDisabledBkColor = 0;
    int m_nBorderSize = 0;
    QSize m_cxyBorderRound{0, 0};
    QString m_sBkImage;
    QString m_sForeImage;
    QString m_sNormalImage, m_sHotImage, m_sPushedImage, m_sFocusedImage, m_sDisabledImage;
    int m_iFont = -1;
    DWORD m_dwTextColor = 0;
    DWORD m_dwDisabledTextColor = 0;
    DWORD m_dwHotTextColor = 0;
    DWORD m_dwPushedTextColor = 0;
    int m_uTextStyle;
    TMargins m_rcTextPadding;
    bool m_bEndEllipsis = false;
};

}  // namespace ui
