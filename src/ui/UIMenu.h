// Menus: CMenuWnd opens a menu built from a menu XML (root <Menu>, items
// <MenuElement name=... textid=.../>, <MenuSeparator/>) at a point with an
// alignment, and reports the chosen item's name.
#pragma once

#include <functional>

#include "ui/UIButton.h"
#include "ui/UIContainer.h"
#include "ui/UIWindow.h"

namespace ui {

class CMenuUI : public CVerticalLayoutUI {
public:
    CMenuUI();
    QString GetClass() const override;
    void* GetInterface(const QString& name) override;
};

class CMenuElementUI : public CButtonUI {
public:
    CMenuElementUI();
    QString GetClass() const override;
    void* GetInterface(const QString& name) override;
    void SetAttribute(const QString& name, const QString& value) override;
    void PaintStatusImage(QPainter& p) override;

private:
    QString m_sIcon;
};

class CMenuSeparatorUI : public CControlUI {
public:
    CMenuSeparatorUI();
    QString GetClass() const override;
    void PaintBkColor(QPainter& p) override;
};

class CMenuWnd : public WindowImplBase {
public:
    // Alignment bits: which edge of the menu sits on the point.
    enum : int {
        eMenuAlignment_Left = 1 << 1,    // the menu's left edge (menu opens to the right)
        eMenuAlignment_Top = 1 << 2,     // the menu's top edge (opens downwards)
        eMenuAlignment_Right = 1 << 3,   // the menu's right edge (opens to the left)
        eMenuAlignment_Bottom = 1 << 4,  // the menu's bottom edge (opens upwards)
    };
    using Callback = std::function<void(const QString& itemName)>;

    CMenuWnd() = default;
    // Builds and shows the menu (not modal). `onChoose` gets the chosen
    // item's name; nothing is reported when the menu is dismissed.
    bool Init(QWidget* owner, const QString& xml, QPoint screenPoint,
              int alignment = eMenuAlignment_Left | eMenuAlignment_Top, Callback onChoose = {});
    // Shows the menu and waits: the chosen item's name, empty when dismissed.
    QString Exec();
    QString GetChosenName() const { return m_chosen; }
    // Also report the choice as a window message: `message` is sent to
    // `target` with wParam pointing to the item name (valid during the call
    // only; read it with ItemName).
    void SetCommandTarget(platform::WindowHandle target, UINT message) {
        m_target = target;
        m_message = message;
    }
    static QString ItemName(WPARAM wParam) {
        return wParam ? *reinterpret_cast<const QString*>(wParam) : QString();
    }
    QRect MenuGeometry() const { return geometry(); }

    QString GetSkinFile() const override { return m_xml; }
    QString GetWindowClassName() const override { return QStringLiteral("MenuWnd"); }
    CControlUI* CreateControl(const QString& className) override;
    void Notify(TNotifyUI& msg) override;
    void OnFinalMessage() override;

    // Where a menu of `size` goes for the point and alignment, kept on `screen`.
    static QRect PlaceMenu(QPoint pt, QSize size, int alignment, const QRect& screen);

private:
    QString m_xml;
    QString m_chosen;
    Callback m_callback;
    platform::WindowHandle m_target;
    UINT m_message = 0;
};

}  // namespace ui
