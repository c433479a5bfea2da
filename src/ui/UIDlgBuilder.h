// CDialogBuilder: turns skin XML (a file, a "res.xml" resource id or an XML
// string) into a control tree. For a tag it does not know it asks the
// builder callback first, then the control factory. Attributes are applied
// in document order after the class's default attributes. Unknown tags and
// attributes are skipped; malformed XML gives null and a debug line.
#pragma once

#include <QString>

#include "ui/UIMarkup.h"

namespace ui {

class CControlUI;
class CPaintManagerUI;

class IDialogBuilderCallback {
public:
    virtual ~IDialogBuilderCallback() = default;
    virtual CControlUI* CreateControl(const QString& className) = 0;
};

class CDialogBuilder {
public:
    // `xml`: text starting with '<', a resource id of "res.xml", or a path
    // (relative to the resource path, backslashes allowed). The <Window>
    // element's settings (size, caption, fonts, defaults) go to `manager`.
    // The returned root is not yet attached; when `parent` is given the
    // children are added to it and the first one is returned.
    CControlUI* Create(const QString& xml, const QString& type = QString(),
                       IDialogBuilderCallback* callback = nullptr,
                       CPaintManagerUI* manager = nullptr, CControlUI* parent = nullptr);
    // Re-runs the last loaded document (e.g. to build one template twice).
    CControlUI* Create(IDialogBuilderCallback* callback = nullptr,
                       CPaintManagerUI* manager = nullptr, CControlUI* parent = nullptr);
    CMarkup* GetMarkup() { return &m_xml; }
    QString GetLastErrorMessage() const { return m_error; }

private:
    CControlUI* build(const CMarkupNode* node, CControlUI* parent, CPaintManagerUI* manager,
                      int depth);
    void applyWindow(const CMarkupNode* node, CPaintManagerUI* manager);

    CMarkup m_xml;
    QString m_error;
    IDialogBuilderCallback* m_callback = nullptr;
    QString m_sourcePath;
};

}  // namespace ui
