#include "controls/CustomControls.h"

#include <functional>

#include "controls/AudioRecordUI.h"
#include "controls/ChartViewUI.h"
#include "controls/CircleProgressUI.h"
#include "controls/ComboEditContainerElementUI.h"
#include "controls/DeviceKeyButtonUI.h"
#include "controls/HandImgButtonUI.h"
#include "controls/HandImgSelectButtonUI.h"
#include "controls/RedioMacroButtonUI.h"
#include "controls/SelectPanelUI.h"
#include "controls/WndUI.h"
#include "ui/UIControlFactory.h"

namespace controls {

namespace {
struct Entry {
    const char* className;
    const char* tag;  // builder-callback tag, or null
    ui::CControlUI* (*create)();
};

template <class T>
ui::CControlUI* make() {
    return new T();
}

const Entry kEntries[] = {
    {"CCircleProgressUI", "CircleProgress", &make<CCircleProgressUI>},
    {"CChartViewUI", nullptr, &make<CChartViewUI>},
    {"CWndUI", nullptr, &make<CWndUI>},
    {"CSelectPanelUI", "SelectPanel", &make<CSelectPanelUI>},
    {"CDeviceKeyButtonUI", "DeviceKeyButton", &make<CDeviceKeyButtonUI>},
    {"CComboEditContainerElementUI", "ComboEditContainerElement",
     &make<CComboEditContainerElementUI>},
    {"CHandImgButtonUI", "HandImgButton", &make<CHandImgButtonUI>},
    {"CHandImgSelectButtonUI", "HandImgSelectButton", &make<CHandImgSelectButtonUI>},
    {"CRedioMacroButtonUI", "RedioMacroButton", &make<CRedioMacroButtonUI>},
    {"CAudioRecordUI", "AudioRecord", &make<CAudioRecordUI>},
};
}  // namespace

void RegisterCustomControls() {
    ui::CControlFactory* factory = ui::CControlFactory::GetInstance();
    for (const Entry& e : kEntries)
        factory->RegistControl(QString::fromLatin1(e.className), e.create);
}

ui::CControlUI* CreateCustomControl(const QString& tag) {
    for (const Entry& e : kEntries) {
        if (e.tag && tag.compare(QLatin1String(e.tag), Qt::CaseInsensitive) == 0)
            return e.create();
    }
    return nullptr;
}

QStringList CustomControlClassNames() {
    QStringList names;
    for (const Entry& e : kEntries)
        names << QString::fromLatin1(e.className);
    return names;
}

}  // namespace controls
