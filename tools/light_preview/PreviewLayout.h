// Where each light of a family sits in a preview picture (grid cells).
#pragma once

#include <QPoint>
#include <QSize>
#include <QString>
#include <vector>

struct PreviewLayout {
    QSize grid;                  // cells across and down
    std::vector<QPoint> cellOf;  // per light; (-1,-1) = not drawn
};

// "keyboard" (the 23 x 6 column matrix), "mouse", "mousepad", "headset".
bool LayoutForFamily(const QString& family, int lightCount, PreviewLayout* out);
