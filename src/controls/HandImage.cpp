#include "controls/HandImage.h"

#include <QPainter>

#include "ui/UIControl.h"
#include "ui/UIManager.h"

namespace controls {

bool DrawHandImage(QPainter& p, ui::CControlUI* control, const QString& imageString) {
    ui::CPaintManagerUI* manager = control ? control->GetManager() : nullptr;
    if (!manager || imageString.isEmpty())
        return false;
    // The library resolves skin-relative and absolute names alike, cuts a
    // source window to the picture and draws nothing for a missing picture.
    const ui::TDrawInfo& info = manager->GetDrawInfo(imageString);
    if (!info.bValid)
        return false;
    const QRect rc = control->GetPos();
    p.save();
    p.setClipRect(rc, Qt::IntersectClip);
    const bool drawn = ui::CRenderEngine::DrawImage(p, manager, rc, info);
    p.restore();
    return drawn;
}

}  // namespace controls
