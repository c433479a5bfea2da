// Renders every SVG below a source folder into the PNG names the skin uses:
// <name>.png at the SVG's own size (96 DPI) and <name>@2x.png at twice it
// (used at DPI above 96). Usage: nuvaro-skin-pictures SRC_DIR OUT_DIR
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

namespace {

bool Render(QSvgRenderer& svg, const QSize& size, const QString& out) {
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    svg.render(&p, QRectF(QPointF(0, 0), QSizeF(size)));
    p.end();
    return img.save(out, "PNG");
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: nuvaro-skin-pictures SRC_DIR OUT_DIR\n");
        return 2;
    }
    const QDir src(args[1]);
    const QDir out(args[2]);
    if (!src.exists()) {
        std::fprintf(stderr, "nuvaro-skin-pictures: no folder %s\n", qPrintable(args[1]));
        return 2;
    }
    int failures = 0, written = 0;
    QDirIterator it(src.absolutePath(), {QStringLiteral("*.svg")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString rel = src.relativeFilePath(path);
        QSvgRenderer svg(path);
        const QSize size = svg.defaultSize();
        if (!svg.isValid() || size.isEmpty()) {
            std::fprintf(stderr, "nuvaro-skin-pictures: cannot read %s\n", qPrintable(rel));
            ++failures;
            continue;
        }
        const QString base = out.absoluteFilePath(rel.left(rel.size() - 4));
        QDir().mkpath(QFileInfo(base).path());
        if (!Render(svg, size, base + QStringLiteral(".png")) ||
            !Render(svg, size * 2, base + QStringLiteral("@2x.png"))) {
            std::fprintf(stderr, "nuvaro-skin-pictures: cannot write %s\n", qPrintable(base));
            ++failures;
            continue;
        }
        ++written;
    }
    std::printf("nuvaro-skin-pictures: %d pictures\n", written);
    return failures == 0 ? 0 : 1;
}
