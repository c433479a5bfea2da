// Drawing helpers: colours, image strings and the render engine that draws
// images (source rectangles, nine-slice corners, colour masks, fading,
// tiling) and text for the controls.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <memory>

#include "ui/UIDefines.h"

class QPainter;

namespace ui {

class CPaintManagerUI;

// Parses "#RRGGBB", "#AARRGGBB", "0xAARRGGBB" or "AARRGGBB" into ARGB.
// Six digits give an opaque colour. Returns false (and leaves *out) on bad input.
bool ParseColor(const QString& text, DWORD* out);
DWORD ParseColorOr(const QString& text, DWORD fallback);
inline QColor ToQColor(DWORD argb) {
    return QColor::fromRgba(argb);
}

// "l,t,r,b" (a missing part is 0). Returns false on non-numeric parts.
bool ParseRect(const QString& text, QRect* out);
// "l,t,r,b" as four margins.
struct TMargins {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const TMargins&) const = default;
};
bool ParseMargins(const QString& text, TMargins* out);
// "cx,cy" or "n" (both the same).
bool ParseSize(const QString& text, QSize* out);
bool ParseBool(const QString& text);

// A parsed image string. Either a plain file name ("common/btn.png") or
// key='value' pairs: file/res, restype, dest, source, corner, mask, fade,
// hole, xtiled, ytiled, hsl, width, height. Rectangles are l,t,r,b in
// 96-DPI units (dest, corner) or picture pixels (source).
struct TDrawInfo {
    QString sDrawString;
    QString sImageName;
    QString sResType;
    QRect rcDest;    // null: the whole control rectangle
    QRect rcSource;  // null: the whole picture
    TMargins rcCorner;
    DWORD dwMask = 0;  // 0: no mask colour
    int uFade = 255;
    bool bHole = false;
    bool bTiledX = false;
    bool bTiledY = false;
    bool bHSL = false;
    bool bValid = false;  // false for an empty or malformed string
    bool hasDest() const { return !rcDest.isNull(); }
    bool hasSource() const { return !rcSource.isNull(); }
};

// Parses an image string. Malformed strings (unbalanced quotes, bad numbers,
// no file) give bValid == false; unknown keys are ignored.
TDrawInfo ParseImageString(const QString& text);

// A loaded picture. `image` is the picture in device pixels; `scale` is how
// many device pixels one source pixel spans (2 for an "@2x" variant).
struct TImageInfo {
    QImage image;
    int scale = 1;
    QSize logicalSize() const { return scale > 0 ? image.size() / scale : image.size(); }
};
using TImagePtr = std::shared_ptr<const TImageInfo>;

// Optional colouring of a picture: its alpha channel filled with `color`
// at `level` (0..255) opacity. Used for light overlays.
struct TImageTint {
    DWORD color = 0;
    int level = 255;
    bool enabled = false;
};

class CRenderEngine {
public:
    static void DrawColor(QPainter& p, const QRect& rc, DWORD color, const QSize& round = QSize());
    static void DrawBorder(QPainter& p, const QRect& rc, int size, DWORD color,
                           const QSize& round = QSize());
    // Draws a picture into `rcItem` as the draw info says. `manager` resolves
    // files, caches pictures and gives the DPI. Returns false when the
    // picture cannot be loaded (nothing is drawn).
    static bool DrawImage(QPainter& p, CPaintManagerUI* manager, const QRect& rcItem,
                          const TDrawInfo& info, const TImageTint* tint = nullptr);
    // Parses (through the manager's cache) and draws an image string.
    static bool DrawImageString(QPainter& p, CPaintManagerUI* manager, const QRect& rcItem,
                                const QString& imageString, const TImageTint* tint = nullptr);
    // Draws text with Qt alignment flags; `endEllipsis` elides single lines.
    static void DrawText(QPainter& p, const QRect& rc, const QString& text, DWORD color,
                         const QFont& font, int flags, bool endEllipsis);
    // Size the text needs with the font (single line unless flags wrap).
    static QSize MeasureText(const QString& text, const QFont& font, int flags, int maxWidth);
};

}  // namespace ui
