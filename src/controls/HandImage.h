// Drawing of the picture the hand-image buttons show over their status
// image: the whole control rectangle, or the image string's destination
// taken from the control's top-left corner and clipped to the control.
#pragma once

#include <QString>

class QPainter;

namespace ui {
class CControlUI;
}

namespace controls {

// Returns false when there is nothing to draw (empty or malformed string,
// picture that cannot be loaded).
bool DrawHandImage(QPainter& p, ui::CControlUI* control, const QString& imageString);

}  // namespace controls
