// The built-in controls by tag ("Button") and class name ("CButtonUI").
#include "ui/UIButton.h"
#include "ui/UIContainer.h"
#include "ui/UIControlFactory.h"
#include "ui/UILabel.h"
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
}

}  // namespace ui
