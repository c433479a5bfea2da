// The built-in controls by tag ("Button") and class name ("CButtonUI").
#include "ui/UIButton.h"
#include "ui/UIColorPalette.h"
#include "ui/UICombo.h"
#include "ui/UIContainer.h"
#include "ui/UIControlFactory.h"
#include "ui/UIEdit.h"
#include "ui/UILabel.h"
#include "ui/UIList.h"
#include "ui/UIMenu.h"
#include "ui/UIProgress.h"
#include "ui/UIScrollBar.h"

namespace ui {

namespace {
template <class T>
void reg(CControlFactory* f, const char* tag) {
    const QString t = QString::fromLatin1(tag);
    f->RegistControl<T>(t);
    f->RegistControl<T>(QStringLiteral("C") + t + QStringLiteral("UI"));
}
}  // namespace

void RegisterBuiltinControls(CControlFactory* f) {
    reg<CControlUI>(f, "Control");
    reg<CContainerUI>(f, "Container");
    reg<CVerticalLayoutUI>(f, "VerticalLayout");
    reg<CHorizontalLayoutUI>(f, "HorizontalLayout");
    reg<CTabLayoutUI>(f, "TabLayout");
    reg<CLabelUI>(f, "Label");
    reg<CTextUI>(f, "Text");
    reg<CButtonUI>(f, "Button");
    reg<COptionUI>(f, "Option");
    reg<CCheckBoxUI>(f, "CheckBox");
    reg<CScrollBarUI>(f, "ScrollBar");
    reg<CProgressUI>(f, "Progress");
    reg<CSliderUI>(f, "Slider");
    reg<CEditUI>(f, "Edit");
    reg<CRichEditUI>(f, "RichEdit");
    reg<CListUI>(f, "List");
    reg<CListLabelElementUI>(f, "ListLabelElement");
    reg<CListContainerElementUI>(f, "ListContainerElement");
    reg<CComboUI>(f, "Combo");
    reg<CColorPaletteUI>(f, "ColorPalette");
    reg<CMenuUI>(f, "Menu");
    reg<CMenuElementUI>(f, "MenuElement");
    reg<CMenuSeparatorUI>(f, "MenuSeparator");
}

}  // namespace ui
