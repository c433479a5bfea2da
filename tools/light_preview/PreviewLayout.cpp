#include "PreviewLayout.h"

#include "devices/light/KeyboardTables.h"

bool LayoutForFamily(const QString& family, int lightCount, PreviewLayout* out) {
    out->cellOf.assign(std::size_t(lightCount), QPoint(-1, -1));
    auto put = [&](int light, int x, int y) {
        if (light >= 0 && light < lightCount)
            out->cellOf[std::size_t(light)] = QPoint(x, y);
    };
    if (family == "keyboard") {
        out->grid = QSize(light::kColumns, light::kRows);
        for (int c = 0; c < light::kColumns; ++c)
            for (int r = 0; r < light::kRows; ++r)
                put(light::KeyAt(c, r), c, r);
        return true;
    }
    if (family == "mouse") {
        // Two strips along the sides, front at the top; light 14 at the tail.
        out->grid = QSize(3, 7);
        for (int g = 0; g < 7; ++g) {
            put(g, 0, g);
            put(13 - g, 2, g);
        }
        put(7, 2, 6);
        put(14, 1, 6);
        return true;
    }
    if (family == "mousepad" || family == "headset") {
        // Top edge 1..7, bottom edge 14..8, light 0 at the left end.
        out->grid = QSize(8, 3);
        put(0, 0, 1);
        for (int i = 1; i <= 7; ++i) {
            put(i, i, 0);
            put(15 - i, i, 2);
        }
        return true;
    }
    return false;
}
