// Renders the reference skin (every control in its looks, plus a message
// box) offscreen to a PNG:
//   nuvaro-ui-gallery --dpi N --out FILE.png [--lang en|cn]
#include <QApplication>
#include <QCommandLineParser>
#include <QPainter>
#include <cstdio>

#include "appearance/AboutWnd.h"
#include "appearance/MsgWnd.h"
#include "platform/Folders.h"
#include "ui/UIlib.h"

namespace {

class GalleryWnd : public ui::WindowImplBase {
public:
    QString GetSkinFile() const override { return QStringLiteral("XML_GALLERY"); }
    QString GetWindowClassName() const override { return QStringLiteral("GalleryWnd"); }
};

void Settle() {
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Renders the UI library's reference skin to a PNG."));
    parser.addHelpOption();
    QCommandLineOption dpiOpt(QStringLiteral("dpi"), QStringLiteral("DPI, 48 to 192 (96 = 100 %)."),
                              QStringLiteral("N"), QStringLiteral("96"));
    QCommandLineOption outOpt(QStringLiteral("out"), QStringLiteral("PNG file to write."),
                              QStringLiteral("FILE"));
    QCommandLineOption langOpt(QStringLiteral("lang"), QStringLiteral("Language table: en or cn."),
                               QStringLiteral("LANG"), QStringLiteral("en"));
    QCommandLineOption aboutOpt(QStringLiteral("about"), QStringLiteral("Also render the about window to FILE."),
                                QStringLiteral("FILE"));
    parser.addOptions({dpiOpt, outOpt, langOpt, aboutOpt});
    parser.process(app);

    bool ok = false;
    const int dpi = parser.value(dpiOpt).toInt(&ok);
    if (!ok || dpi < 48 || dpi > 192) {
        std::fprintf(stderr, "nuvaro-ui-gallery: --dpi must be a number from 48 to 192\n");
        return 2;
    }
    const QString out = parser.value(outOpt);
    if (out.isEmpty()) {
        std::fprintf(stderr, "nuvaro-ui-gallery: --out FILE.png is required\n");
        return 2;
    }
    const QString lang = parser.value(langOpt);
    if (lang != QLatin1String("en") && lang != QLatin1String("cn")) {
        std::fprintf(stderr, "nuvaro-ui-gallery: --lang must be en or cn\n");
        return 2;
    }

    ui::CPaintManagerUI::SetInstance(platform::InstanceFolder());
    ui::CPaintManagerUI::SetResourcePath(platform::SkinFolder());
    auto* rm = ui::CResourceManager::GetInstance();
    if (!rm->LoadResource(QStringLiteral("res.xml")) || !rm->LoadLanguageByName(lang)) {
        std::fprintf(stderr, "nuvaro-ui-gallery: cannot load the skin from %s\n",
                     qPrintable(platform::SkinFolder()));
        return 1;
    }

    GalleryWnd gallery;
    gallery.Create(nullptr, QStringLiteral("gallery"), ui::UI_WNDSTYLE_FRAME);
    if (!gallery.SkinLoaded()) {
        std::fprintf(stderr, "nuvaro-ui-gallery: the gallery skin did not load\n");
        return 1;
    }
    gallery.SetDPI(dpi);
    gallery.show();
    Settle();
    gallery.GetPaintManager().UpdateLayout();

    appearance::CMsgWnd box;
    box.Create(nullptr, QStringLiteral("msgwnd"), ui::UI_WNDSTYLE_DIALOG,
               ui::UI_WNDSTYLE_EX_TOOLWINDOW);
    box.SetText(QStringLiteral("g_msg_text"), true);
    box.SetMsgDpi(dpi);
    box.SetButtons(1);
    box.show();
    Settle();
    box.GetPaintManager().UpdateLayout();

    QImage image = gallery.grab().toImage();
    if (ui::CControlUI* slot = gallery.FindControl(QStringLiteral("msgbox_slot"))) {
        QPainter p(&image);
        const QPixmap boxPixmap = box.grab();
        p.drawPixmap(slot->GetPos().topLeft(), boxPixmap);
    }
    if (!image.save(out, "PNG")) {
        std::fprintf(stderr, "nuvaro-ui-gallery: cannot write %s\n", qPrintable(out));
        return 1;
    }
    if (parser.isSet(aboutOpt)) {
        appearance::CAboutWnd about;
        about.Create(nullptr, QStringLiteral("  "), ui::UI_WNDSTYLE_DIALOG, ui::UI_WNDSTYLE_EX_TOOLWINDOW);
        about.SetDPI(dpi);
        about.show();
        Settle();
        about.GetPaintManager().UpdateLayout();
        if (!about.grab().save(parser.value(aboutOpt), "PNG")) {
            std::fprintf(stderr, "nuvaro-ui-gallery: cannot write %s\n", qPrintable(parser.value(aboutOpt)));
            return 1;
        }
    }
    std::printf("nuvaro-ui-gallery: %dx%d at %d DPI (%s) -> %s\n", image.width(), image.height(),
                dpi, qPrintable(lang), qPrintable(out));
    return 0;
}
