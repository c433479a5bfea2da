#include "GalleryPictures.h"

#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <functional>

namespace gallery {

namespace {
using DrawFn = std::function<void(QPainter&, QSizeF)>;

bool Write(const QString& folder, const QString& name, QSize size, const DrawFn& draw) {
    for (int scale : {1, 2}) {
        QImage img(size * scale, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.scale(scale, scale);
        draw(p, QSizeF(size));
        p.end();
        const QString file = folder + QLatin1Char('/') + name +
                             (scale == 2 ? QStringLiteral("@2x.png") : QStringLiteral(".png"));
        if (!img.save(file))
            return false;
    }
    return true;
}

void KeyCap(QPainter& p, QSizeF s, QColor top, QColor border) {
    const QRectF r(1.5, 1.5, s.width() - 3, s.height() - 3);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, top.darker(125));
    p.setPen(QPen(border, 1.5));
    p.setBrush(g);
    p.drawRoundedRect(r, 5, 5);
}
}  // namespace

bool WritePictures(const QString& folder) {
    QDir().mkpath(folder);
    bool ok = true;
    ok &= Write(folder, QStringLiteral("keycap"), {52, 40}, [](QPainter& p, QSizeF s) {
        KeyCap(p, s, QColor(0x30, 0x35, 0x40), QColor(0x3A, 0x40, 0x4C));
    });
    ok &= Write(folder, QStringLiteral("keycap_hot"), {52, 40}, [](QPainter& p, QSizeF s) {
        KeyCap(p, s, QColor(0x38, 0x3E, 0x4A), QColor(0x19, 0xC6, 0xE6));
    });
    // The light: white where the cap's edge glows, fading towards the centre
    // and outwards, so a tint reads as light from under the key cap.
    ok &= Write(folder, QStringLiteral("keylight"), {52, 40}, [](QPainter& p, QSizeF s) {
        const QRectF r(1.5, 1.5, s.width() - 3, s.height() - 3);
        for (int i = 0; i < 6; ++i) {
            QColor c(255, 255, 255, 150 - i * 24);
            p.setPen(QPen(c, 1.0));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(r.adjusted(i, i, -i, -i), 5, 5);
        }
        QRadialGradient g(r.center(), r.width() / 2);
        g.setColorAt(0, QColor(255, 255, 255, 90));
        g.setColorAt(1, QColor(255, 255, 255, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawRoundedRect(r, 5, 5);
    });
    ok &= Write(folder, QStringLiteral("keyset"), {52, 40}, [](QPainter& p, QSizeF s) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x19, 0xC6, 0xE6));
        p.drawEllipse(QRectF(s.width() - 11, 4, 6, 6));
    });
    ok &= Write(folder, QStringLiteral("keyunset"), {52, 40}, [](QPainter& p, QSizeF s) {
        p.setPen(QPen(QColor(0x9A, 0xA1, 0xAE), 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(s.width() - 11, 4, 6, 6));
    });
    ok &= Write(folder, QStringLiteral("hand"), {32, 32}, [](QPainter& p, QSizeF) {
        // A pointing hand as a simple glyph: palm and one finger.
        p.setPen(QPen(QColor(0xE8, 0xEA, 0xF0), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        QPainterPath path;
        path.moveTo(12, 17);
        path.lineTo(12, 6);
        path.arcTo(QRectF(12, 4, 4, 4), 180, -180);
        path.lineTo(16, 14);
        path.lineTo(23, 15.5);
        path.quadTo(26, 16, 25.5, 19);
        path.lineTo(24, 25);
        path.quadTo(23.5, 28, 20, 28);
        path.lineTo(15, 28);
        path.quadTo(13, 28, 11.5, 26);
        path.lineTo(7.5, 20.5);
        path.quadTo(6.5, 18.5, 8.5, 17.5);
        path.quadTo(10, 17, 12, 19);
        p.drawPath(path);
    });
    ok &= Write(folder, QStringLiteral("panorama"), {600, 200}, [](QPainter& p, QSizeF s) {
        QLinearGradient sky(0, 0, 0, s.height());
        sky.setColorAt(0, QColor(0x1B, 0x3A, 0x5C));
        sky.setColorAt(1, QColor(0x19, 0xC6, 0xE6));
        p.fillRect(QRectF(QPointF(0, 0), s), sky);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x27, 0x2B, 0x34));
        QPainterPath hills;
        hills.moveTo(0, s.height());
        for (int x = 0; x <= 600; x += 50)
            hills.lineTo(x, 120 + ((x / 50) % 3) * 25 - ((x / 50) % 2) * 40);
        hills.lineTo(s.width(), s.height());
        p.drawPath(hills);
        p.setBrush(QColor(0xE8, 0xEA, 0xF0));
        p.drawEllipse(QRectF(420, 30, 36, 36));
        for (int i = 0; i < 6; ++i) {
            p.setBrush(QColor(0x15, 0x17, 0x1C));
            p.drawRect(QRectF(40 + i * 95, 150, 8, 50));
        }
    });
    return ok;
}

}  // namespace gallery
