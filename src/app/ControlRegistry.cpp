#include "app/ControlRegistry.h"

#include "controls/CustomControls.h"
#include "panels/MpDevicePowerUI.h"
#include "platform/Debug.h"
#include "ui/UIControl.h"
#include "ui/UIControlFactory.h"
#include "ui/UIDlgBuilder.h"

#include <QFileInfo>
#include <functional>
#include <utility>

namespace app {

namespace {

struct Registration {
    const char* name;
    ui::CreateClass creator;  // empty while the class does not exist in this build
};

// One row per custom class. Classes of the controls and panels layers are
// registered by those layers; a row gets a creator here only for a class
// no layer registers itself. A class that does not exist yet stays
// unregistered and the skin has no control for it.
const std::vector<Registration>& Registrations() {
    static const std::vector<Registration> rows = {
        {"CCircleProgressUI", {}},
        {"CChartViewUI", {}},
        {"CWndUI", {}},
        {"CSelectPanelUI", {}},
        {"CDeviceKeyButtonUI", {}},
        {"CUpdateInfoListItemUI", {}},
        {"CDeviceOptionUI", {}},
        {"CMpDevicePowerUI", {}},
        {"CComboEditContainerElementUI", {}},
        {"CHandImgButtonUI", {}},
        {"CHandImgSelectButtonUI", {}},
        {"CRedioMacroButtonUI", {}},
        {"CAudioRecordUI", {}},
        {"CLightControlUI", {}},
        {"CMacroControlUI", {}},
        {"CKeySetControlUI", {}},
        {"CDeviceProfileUI", {}},
        {"CShootControlUI", {}},
        {"CMagicControlUI", {}},
        {"CVoice6533ControlUI", {}},
        {"CVelmoraUSBDevice", {}},
        {"CVelmoraMousePadDevice", {}},
        {"CVelmoraRE6533Device", {}},
    };
    return rows;
}

struct TagRow {
    const char* tag;
    const char* className;
    const char* layout;
};

constexpr TagRow kTagRows[] = {
    {"CircleProgress", "CCircleProgressUI", nullptr},
    {"SelectPanel", "CSelectPanelUI", nullptr},
    {"DeviceKeyButton", "CDeviceKeyButtonUI", nullptr},
    {"HandImgButton", "CHandImgButtonUI", nullptr},
    {"AudioRecord", "CAudioRecordUI", nullptr},
    {"HandImgSelectButton", "CHandImgSelectButtonUI", nullptr},
    {"RedioMacroButton", "CRedioMacroButtonUI", nullptr},
    {"ComboEditContainerElement", "CComboEditContainerElementUI", nullptr},
    {"VelmoraMousePadDevice", "CVelmoraMousePadDevice", nullptr},
    {"VelmoraRE6533Device", "CVelmoraRE6533Device", nullptr},
    {"VelmoraMouseDevice", "CVelmoraMouseDevice", nullptr},
    {"VelmoraKeyboardDevice", "CVelmoraKeyboardDevice", nullptr},
    {"DeviceProfile", "CDeviceProfileUI", nullptr},
    {"LightControl", "CLightControlUI", nullptr},
    {"MagicControl", "CMagicControlUI", nullptr},
    {"Voice6533Control", "CVoice6533ControlUI", nullptr},
    {"KeySetControl", "CKeySetControlUI", nullptr},
    {"ShootControl", "CShootControlUI", nullptr},
    {"DeviceProfileUI", nullptr, "XML\\CustomControlXML\\DeviceProfile.xml"},
    {"LightSetControlUI", nullptr, "XML\\CustomControlXML\\LightControl.xml"},
    {"Voice6533SetControlUI", nullptr, "XML\\CustomControlXML\\Voice6533Control.xml"},
    {"MagicSetControlUI", nullptr, "XML\\CustomControlXML\\MagicControl.xml"},
    {"KeySetControlUI", nullptr, "XML\\CustomControlXML\\KeySetControl.xml"},
    {"MacroSetControlUI", nullptr, "XML\\CustomControlXML\\MacroControl.xml"},
    {"ShootKeySetControlUI", nullptr, "XML\\CustomControlXML\\ShootControl.xml"},
    {"VirtualSetControlUI", nullptr, "XML\\CustomControlXML\\VirtualSet.xml"},
};

}  // namespace

QStringList CustomControlClassNames() {
    QStringList names;
    for (const Registration& r : Registrations())
        names << QString::fromLatin1(r.name);
    return names;
}

QStringList RegisterCustomControls() {
    // The layers that provide classes register them with the factory.
    controls::RegisterCustomControls();
    panels::RegisterMpDevicePower();
    QStringList done;
    auto* factory = ui::CControlFactory::GetInstance();
    for (const Registration& r : Registrations()) {
        const QString name = QString::fromLatin1(r.name);
        if (r.creator)
            factory->RegistControl(name, r.creator);
        if (factory->IsRegistered(name) && !factory->IsBuiltin(name))
            done << name;
    }
    return done;
}

BuilderRow LookupBuilderRow(const QString& tag) {
    for (const TagRow& row : kTagRows) {
        if (tag.compare(QLatin1String(row.tag), Qt::CaseInsensitive) != 0)
            continue;
        BuilderRow result;
        if (row.className)
            result.className = QString::fromLatin1(row.className);
        if (row.layout)
            result.layoutFile = QString::fromLatin1(row.layout);
        return result;
    }
    return {};
}

ui::CControlUI* CreateMainControl(const QString& tag, ui::CPaintManagerUI* pm,
                                  ui::IDialogBuilderCallback* callback) {
    const BuilderRow row = LookupBuilderRow(tag);
    if (!row.className.isEmpty()) {
        // Only classes this program registered: a built-in control of the
        // same name must not stand in for a missing custom class.
        auto* factory = ui::CControlFactory::GetInstance();
        if (!factory->IsRegistered(row.className) || factory->IsBuiltin(row.className))
            return nullptr;
        return factory->CreateControl(row.className);
    }
    if (!row.layoutFile.isEmpty()) {
        ui::CDialogBuilder builder;
        ui::CControlUI* root = builder.Create(row.layoutFile, QString(), callback, pm);
        if (!root)
            platform::DebugLine(QStringLiteral("layout %1 not built").arg(row.layoutFile));
        return root;
    }
    return nullptr;
}

}  // namespace app
