#include "ui/UIRender.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include "ui/UIManager.h"

namespace ui {

bool ParseColor(const QString& text, DWORD* out) {
    QString s = text.trimmed();
    if (s.startsWith(QLatin1Char('#')))
        s = s.mid(1);
    else if (s.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        s = s.mid(2);
    if (s.isEmpty() || s.size() > 8)
        return false;
    bool ok = false;
    const uint v = s.toUInt(&ok, 16);
    if (!ok)
        return false;
    *out = s.size() <= 6 ? (0xFF000000u | v) : v;
    return true;
}

DWORD ParseColorOr(const QString& text, DWORD fallback) {
    DWORD c = fallback;
    return ParseColor(text, &c) ? c : fallback;
}

static bool parseInts(const QString& text, int* values, int count) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() > count)
        return false;
    for (int i = 0; i < count; ++i)
        values[i] = 0;
    for (int i = 0; i < parts.size(); ++i) {
        const QString p = parts[i].trimmed();
        if (p.isEmpty())
            continue;
        bool ok = false;
        values[i] = p.toInt(&ok);
        if (!ok)
            return false;
    }
    return true;
}

bool ParseRect(const QString& text, QRect* out) {
    int v[4];
    if (!parseInts(text, v, 4))
        return false;
    *out = QRect(QPoint(v[0], v[1]), QPoint(v[2] - 1, v[3] - 1));
    return true;
}

bool ParseMargins(const QString& text, TMargins* out) {
    int v[4];
    if (!parseInts(text, v, 4))
        return false;
    *out = {v[0], v[1], v[2], v[3]};
    return true;
}

bool ParseSize(const QString& text, QSize* out) {
    int v[2];
    if (!parseInts(text, v, 2))
        return false;
    if (!text.contains(QLatin1Char(',')))
        v[1] = v[0];
    *out = QSize(v[0], v[1]);
    return true;
}

bool ParseBool(const QString& text) {
    const QString t = text.trimmed();
    return t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || t == QLatin1String("1");
}

TDrawInfo ParseImageString(const QString& text) {
    TDrawInfo info;
    info.sDrawString = text;
    const QString s = text.trimmed();
    if (s.isEmpty())
        return info;
    if (!s.contains(QLatin1Char('='))) {
        // A plain file name.
        if (s.contains(QLatin1Char('\'')))
            return info;
        info.sImageName = s;
        info.bValid = true;
        return info;
    }
    bool ok = true;
    int i = 0;
    const int n = s.size();
    while (i < n && ok) {
        while (i < n && s[i].isSpace())
            ++i;
        if (i >= n)
            break;
        const int keyStart = i;
        while (i < n && s[i] != QLatin1Char('=') && !s[i].isSpace())
            ++i;
        const QString key = s.mid(keyStart, i - keyStart).toLower();
        while (i < n && s[i].isSpace())
            ++i;
        if (key.isEmpty() || i >= n || s[i] != QLatin1Char('=')) {
            ok = false;
            break;
        }
        ++i;
        while (i < n && s[i].isSpace())
            ++i;
        if (i >= n || (s[i] != QLatin1Char('\'') && s[i] != QLatin1Char('"'))) {
            ok = false;
            break;
        }
        const QChar quote = s[i++];
        const int valueStart = i;
        while (i < n && s[i] != quote)
            ++i;
        if (i >= n) {
            ok = false;  // unterminated value
            break;
        }
        const QString value = s.mid(valueStart, i - valueStart);
        ++i;
        if (key == QLatin1String("file") || key == QLatin1String("res")) {
            info.sImageName = value;
        } else if (key == QLatin1String("restype")) {
            info.sResType = value;
        } else if (key == QLatin1String("dest")) {
            ok = ParseRect(value, &info.rcDest);
        } else if (key == QLatin1String("source")) {
            ok = ParseRect(value, &info.rcSource);
        } else if (key == QLatin1String("corner")) {
            ok = ParseMargins(value, &info.rcCorner);
        } else if (key == QLatin1String("mask")) {
            QString m = value.trimmed();
            if (m.startsWith(QLatin1Char('#')))
                m = m.mid(1);
            else if (m.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
                m = m.mid(2);
            info.dwMask = m.toUInt(&ok, 16);
        } else if (key == QLatin1String("fade")) {
            info.uFade = value.trimmed().toInt(&ok);
            info.uFade = std::clamp(info.uFade, 0, 255);
        } else if (key == QLatin1String("hole")) {
            info.bHole = ParseBool(value);
        } else if (key == QLatin1String("xtiled")) {
            info.bTiledX = ParseBool(value);
        } else if (key == QLatin1String("ytiled")) {
            info.bTiledY = ParseBool(value);
        } else if (key == QLatin1String("hsl")) {
            info.bHSL = ParseBool(value);
        }
        // Other keys are ignored.
    }
    info.bValid = ok && !info.sImageName.isEmpty();
    return info;
}

void CRenderEngine::DrawColor(QPainter& p, const QRect& rc, DWORD color, const QSize& round) {
    if ((color >> 24) == 0 || rc.isEmpty())
        return;
    if (round.width() > 0 || round.height() > 0) {
        p.save();
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(Qt::NoPen);
        p.setBrush(ToQColor(color));
        p.drawRoundedRect(QRectF(rc), round.width() / 2.0, round.height() / 2.0);
        p.restore();
    } else {
        p.fillRect(rc, ToQColor(color));
    }
}

void CRenderEngine::DrawBorder(QPainter& p, const QRect& rc, int size, DWORD color,
                               const QSize& round) {
    if (size <= 0 || (color >> 24) == 0 || rc.isEmpty())
        return;
    p.save();
    QPen pen(ToQColor(color));
    pen.setWidth(size);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const qreal half = size / 2.0;
    const QRectF r = QRectF(rc).adjusted(half, half, -half, -half);
    if (round.width() > 0 || round.height() > 0) {
        p.setRenderHint(QPainter::Antialiasing, true);
        p.drawRoundedRect(r, std::max(0.0, round.width() / 2.0 - half),
                          std::max(0.0, round.height() / 2.0 - half));
    } else {
        p.drawRect(r);
    }
    p.restore();
}

static void drawPiece(QPainter& p, const QImage& img, const QRect& dst, const QRect& src,
                      bool tiledX, bool tiledY) {
    if (dst.isEmpty() || src.isEmpty())
        return;
    if (!tiledX && !tiledY) {
        p.drawImage(dst, img, src);
        return;
    }
    const int stepX = tiledX ? src.width() : dst.width();
    const int stepY = tiledY ? src.height() : dst.height();
    p.save();
    p.setClipRect(dst, Qt::IntersectClip);
    for (int y = dst.top(); y <= dst.bottom(); y += stepY) {
        for (int x = dst.left(); x <= dst.right(); x += stepX) {
            p.drawImage(QRect(x, y, stepX, stepY), img, src);
        }
    }
    p.restore();
}

bool CRenderEngine::DrawImage(QPainter& p, CPaintManagerUI* manager, const QRect& rcItem,
                              const TDrawInfo& info, const TImageTint* tint) {
    if (!info.bValid || manager == nullptr)
        return false;
    TImagePtr img = manager->GetImageEx(info.sImageName, info.dwMask);
    if (!img || img->image.isNull())
        return false;
    const CDPI* dpi = manager->GetDPIObj();
    const int s = std::max(1, img->scale);
    QRect dest = rcItem;
    if (info.hasDest()) {
        const QRect d = dpi->Scale(info.rcDest);
        dest = QRect(rcItem.topLeft() + d.topLeft(), d.size());
    }
    if (dest.isEmpty())
        return true;
    QRect source(QPoint(0, 0), img->logicalSize());
    if (info.hasSource())
        source = info.rcSource.intersected(source);
    if (source.isEmpty())
        return true;
    const QRect src(source.topLeft() * s, source.size() * s);

    // Optional tint: the picture's shape filled with the light colour.
    QImage tinted;
    const QImage* im = &img->image;
    if (tint && tint->enabled) {
        tinted = img->image.copy(src).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QPainter tp(&tinted);
        tp.setCompositionMode(QPainter::CompositionMode_SourceIn);
        QColor c = ToQColor(tint->color);
        c.setAlpha(255);
        tp.fillRect(tinted.rect(), c);
        tp.end();
        im = &tinted;
    }
    const QRect srcRect = (im == &tinted) ? tinted.rect() : src;

    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    double opacity = info.uFade / 255.0;
    if (tint && tint->enabled)
        opacity *= std::clamp(tint->level, 0, 255) / 255.0;
    if (opacity < 1.0)
        p.setOpacity(p.opacity() * opacity);

    const TMargins& c = info.rcCorner;
    if (c == TMargins{}) {
        if (!info.bHole)
            drawPiece(p, *im, dest, srcRect, info.bTiledX, info.bTiledY);
    } else {
        // Nine slices: corners keep their size (scaled by DPI), edges stretch
        // (or tile) along one axis, the centre both (skipped with "hole").
        const int sl = c.left * s, st = c.top * s, sr = c.right * s, sb = c.bottom * s;
        int dl = dpi->Scale(c.left), dt = dpi->Scale(c.top), dr = dpi->Scale(c.right),
            db = dpi->Scale(c.bottom);
        if (dl + dr > dest.width()) {
            dl = dest.width() * c.left / std::max(1, c.left + c.right);
            dr = dest.width() - dl;
        }
        if (dt + db > dest.height()) {
            dt = dest.height() * c.top / std::max(1, c.top + c.bottom);
            db = dest.height() - dt;
        }
        const int sx[4] = {srcRect.left(), srcRect.left() + sl, srcRect.right() + 1 - sr,
                           srcRect.right() + 1};
        const int sy[4] = {srcRect.top(), srcRect.top() + st, srcRect.bottom() + 1 - sb,
                           srcRect.bottom() + 1};
        const int dx[4] = {dest.left(), dest.left() + dl, dest.right() + 1 - dr, dest.right() + 1};
        const int dy[4] = {dest.top(), dest.top() + dt, dest.bottom() + 1 - db, dest.bottom() + 1};
        for (int row = 0; row < 3; ++row) {
            for (int col = 0; col < 3; ++col) {
                if (row == 1 && col == 1 && info.bHole)
                    continue;
                const QRect sr2(QPoint(sx[col], sy[row]), QPoint(sx[col + 1] - 1, sy[row + 1] - 1));
                const QRect dr2(QPoint(dx[col], dy[row]), QPoint(dx[col + 1] - 1, dy[row + 1] - 1));
                const bool tx = info.bTiledX && col == 1;
                const bool ty = info.bTiledY && row == 1;
                drawPiece(p, *im, dr2, sr2, tx, ty);
            }
        }
    }
    p.restore();
    return true;
}

bool CRenderEngine::DrawImageString(QPainter& p, CPaintManagerUI* manager, const QRect& rcItem,
                                    const QString& imageString, const TImageTint* tint) {
    if (imageString.isEmpty() || manager == nullptr)
        return false;
    return DrawImage(p, manager, rcItem, manager->GetDrawInfo(imageString), tint);
}

void CRenderEngine::DrawText(QPainter& p, const QRect& rc, const QString& text, DWORD color,
                             const QFont& font, int flags, bool endEllipsis) {
    if (text.isEmpty() || rc.isEmpty())
        return;
    p.save();
    p.setFont(font);
    p.setPen(ToQColor(color));
    QString shown = text;
    if (endEllipsis && !(flags & Qt::TextWordWrap)) {
        QFontMetrics fm(font);
        shown = fm.elidedText(text, Qt::ElideRight, rc.width());
    }
    p.drawText(rc, flags, shown);
    p.restore();
}

QSize CRenderEngine::MeasureText(const QString& text, const QFont& font, int flags, int maxWidth) {
    QFontMetrics fm(font);
    if (flags & Qt::TextWordWrap) {
        return fm.boundingRect(QRect(0, 0, std::max(1, maxWidth), 100000), flags, text).size();
    }
    return QSize(fm.horizontalAdvance(text), fm.height());
}

}  // namespace ui
