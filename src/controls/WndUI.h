// CWndUI: a placeholder that hosts another widget. Whenever the control is
// placed, shown or hidden, the hosted widget is moved onto the control's
// rectangle and shown or hidden with it, without being activated or raised.
#pragma once

#include <QPointer>

#include "ui/UIControl.h"

namespace controls {

class CWndUI : public ui::CControlUI {
public:
    CWndUI() = default;
    ~CWndUI() override;

    QString GetClass() const override;
    void* GetInterface(const QString& name) override;
    void SetPos(const QRect& rc, bool needInvalidate = true) override;
    void SetVisible(bool visible = true) override;
    void SetInternVisible(bool visible = true) override;

    // The control does not own the widget; a deleted widget is forgotten.
    bool Attach(QWidget* widget);
    QWidget* Detach();
    QWidget* GetHostedWidget() const { return m_hosted; }

private:
    void Follow();

    QPointer<QWidget> m_hosted;
};

}  // namespace controls
