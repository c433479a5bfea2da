// nuvaro-controls-gallery: renders every custom control and the power panel
// in each charging state into one PNG, for people to look at.
//
//   nuvaro-controls-gallery --dpi 144 --out controls-144.png
//
// Exit codes: 0 written, 1 cannot build or write, 2 bad options.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QTemporaryDir>
#include <array>
#include <cmath>
#include <cstdio>

#include "GalleryPictures.h"
#include "controls/AudioRecordUI.h"
#include "controls/ChartViewUI.h"
#include "controls/CircleProgressUI.h"
#include "controls/ComboEditContainerElementUI.h"
#include "controls/CustomControls.h"
#include "controls/DeviceKeyButtonUI.h"
#include "controls/HandImgSelectButtonUI.h"
#include "controls/SelectPanelUI.h"
#include "controls/WndUI.h"
#include "panels/MpDevicePowerUI.h"
#include "ui/UIlib.h"

namespace {

constexpr int kWidth = 1000;
constexpr int kHeight = 690;

QString Caption(const QString& text, int width) {
    return QStringLiteral("<Label text=\"%1\" width=\"%2\" height=\"20\" textcolor=\"#9AA1AE\"/>")
        .arg(text)
        .arg(width);
}

QString Title(const QString& text) {
    return QStringLiteral("<Label text=\"%1\" height=\"26\" font=\"1\" textcolor=\"#E8EAF0\"/>")
        .arg(text);
}

QString KeyGrid() {
    static const char* const kKeys[] = {"Esc", "1", "2", "3",    "4", "5", "Tab", "Q", "W",
                                        "E",   "R", "T", "Ctrl", "A", "S", "D",   "F", "G"};
    QString xml;
    for (int i = 0; i < 18; ++i) {
        const int x = 12 + (i % 6) * 58, y = 12 + (i / 6) * 46;
        xml += QStringLiteral(
                   "<DeviceKeyButton name=\"key_%1\" userdata=\"light_%1\" float=\"true\" "
                   "pos=\"%2,%3,%4,%5\" "
                   "text=\"%6\" normalimage=\"file='$P/keycap.png' corner='6,6,6,6'\" "
                   "hotimage=\"file='$P/keycap_hot.png' corner='6,6,6,6'\" "
                   "lightimage=\"file='$P/keylight.png' corner='8,8,8,8'\" "
                   "keysetimage=\"$P/keyset.png\" keyunsetimage=\"$P/keyunset.png\" "
                   "textcolor=\"#E8EAF0\" font=\"2\"/>")
                   .arg(i)
                   .arg(x)
                   .arg(y)
                   .arg(x + 52)
                   .arg(y + 40)
                   .arg(QString::fromLatin1(kKeys[i]));
    }
    return xml;
}

QString Ring(int value) {
    return QStringLiteral(
               "<VerticalLayout width=\"72\" childpadding=\"4\">"
               "<HorizontalLayout height=\"56\"><Control/><CircleProgress name=\"ring_%1\" "
               "width=\"56\" "
               "height=\"56\" min=\"0\" max=\"100\" value=\"%1\" bkcolor=\"#30A46C\" "
               "forecolor=\"#323742\" "
               "innercolor=\"#1E2128\" "
               "ringwidth=\"6\"/><Control/></HorizontalLayout>%2</VerticalLayout>")
        .arg(value)
        .arg(Caption(QStringLiteral("value %1").arg(value), 72)
                 .replace(QStringLiteral("textcolor"),
                          QStringLiteral("align=\"center\" textcolor")));
}

QString Page() {
    QString rings;
    for (int v : {0, 25, 60, 100})
        rings += Ring(v);
    QString rows;
    for (int i = 0; i < 3; ++i)
        rows += QStringLiteral("<ComboEditContainerElement name=\"row_%1\" height=\"30\"/>").arg(i);
    QString xml = QStringLiteral(
        "<VerticalLayout bkcolor=\"#15171C\" inset=\"24,16,24,16\" childpadding=\"10\">"
        "<Label text=\"Custom controls\" height=\"30\" font=\"3\" textcolor=\"#E8EAF0\"/>"
        "<HorizontalLayout height=\"220\" childpadding=\"16\">"
        "  <VerticalLayout width=\"372\" childpadding=\"6\">%1"
        "    <SelectPanel name=\"panel\" height=\"152\" bkcolor=\"#1E2128\" "
        "borderround=\"12,12\">%2</SelectPanel>"
        "    %3"
        "  </VerticalLayout>"
        "  <VerticalLayout width=\"300\" childpadding=\"6\">%4"
        "    <HorizontalLayout height=\"84\">%5</HorizontalLayout>%6"
        "    <AudioRecord name=\"trace\" height=\"60\" bkcolor=\"#1E2128\" barcolor=\"#19C6E6\"/>"
        "  </VerticalLayout>"
        "  <VerticalLayout childpadding=\"6\">%7"
        "    <HorizontalLayout height=\"150\" childpadding=\"8\">"
        "      <CChartViewUI name=\"pie\" width=\"100\" bkcolor=\"#1E2128\" borderround=\"8,8\" "
        "view=\"pie\" "
        "         showtext=\"false\"/>"
        "      <CChartViewUI name=\"hist\" bkcolor=\"#1E2128\" borderround=\"8,8\" "
        "view=\"histpgram\" font=\"2\" "
        "         textcolor=\"#9AA1AE\" pillarimagewidth=\"16\"/>"
        "    </HorizontalLayout>%8"
        "  </VerticalLayout>"
        "</HorizontalLayout>"
        "<HorizontalLayout height=\"170\" childpadding=\"16\">"
        "  <VerticalLayout width=\"160\" childpadding=\"6\">%9"
        "    <HandImgButton name=\"hand\" height=\"48\" width=\"48\" bkcolor=\"#272B34\" "
        "hotbkcolor=\"#323742\" "
        "      borderround=\"8,8\" handimage=\"file='$P/hand.png' dest='8,8,40,40'\"/>"
        "    <RedioMacroButton name=\"rec\" height=\"32\" width=\"120\" text=\"● Record\" "
        "bkcolor=\"#E5484D\" "
        "      textcolor=\"#FFFFFF\" borderround=\"8,8\" redioimage=\"rec.png\"/>"
        "  </VerticalLayout>"
        "  <VerticalLayout width=\"260\" childpadding=\"6\">%10"
        "    <HandImgSelectButton name=\"pan\" width=\"240\" height=\"100\" "
        "handimage=\"$P/panorama.png\" "
        "      cursor=\"sizeall\"/>%11"
        "  </VerticalLayout>"
        "  <VerticalLayout width=\"300\" childpadding=\"6\">%12"
        "    <List name=\"rows\" height=\"96\" bkcolor=\"#1E2128\" inset=\"0,3,0,3\" "
        "itemselectedbkcolor=\"#1B3A44\" itemhotbkcolor=\"#272B34\">%13</List>"
        "  </VerticalLayout>"
        "  <VerticalLayout childpadding=\"6\">%14"
        "    <CWndUI name=\"wnd\" height=\"48\"/>"
        "  </VerticalLayout>"
        "</HorizontalLayout>"
        "%15"
        "<HorizontalLayout name=\"powers1\" height=\"76\" childpadding=\"12\"/>"
        "<HorizontalLayout name=\"powers2\" height=\"76\" childpadding=\"12\"/>"
        "</VerticalLayout>");
    return xml
        .arg(Title(QStringLiteral("Select panel with key buttons")), KeyGrid(),
             Caption(QStringLiteral("lights by colour and level; dots: key set / unset"), 372),
             Title(QStringLiteral("Circle progress")), rings, Title(QStringLiteral("Level trace")),
             Title(QStringLiteral("Chart view: pie, histogram")),
             Caption(QStringLiteral("(the program gives it no values)"), 300),
             Title(QStringLiteral("Hand image, record")))
        .arg(Title(QStringLiteral("Hand image select (panned)")),
             Caption(QStringLiteral("drag to pan the wide picture"), 240),
             Title(QStringLiteral("Macro step rows")), rows, Title(QStringLiteral("Hosted widget")),
             Title(QStringLiteral("Power panel in each state")));
}

struct PowerCase {
    const char* caption;
    int type;
    std::array<std::uint8_t, 6> bytes;
};

const PowerCase kPowerCases[] = {
    {"mouse, wired, battery", 2, {57, 0, 0, 0, 0, 0}},
    {"mouse, wireless, charging", 2, {30, 1, 0, 1, 0, 0}},
    {"mouse, wired, charging", 2, {30, 1, 0, 0, 0, 0}},
    {"keyboard, wireless, full", 1, {100, 2, 0, 1, 0, 0}},
    {"headset, low", 7, {8, 0, 0, 0, 0, 0}},
    {"mousepad, no phone", 3, {100, 2, 0, 0, 0, 0}},
    {"mousepad, phone 1", 3, {100, 2, 0, 0, 0, 1}},
    {"mousepad, phone 2", 3, {100, 0, 0, 0, 0, 2}},
    {"mousepad, other phone", 3, {100, 0, 0, 0, 0, 3}},
    {"unknown state (3)", 2, {64, 3, 0, 1, 0, 0}},
};

bool AddPowerPanels(ui::CPaintManagerUI& pm) {
    int index = 0;
    for (const PowerCase& c : kPowerCases) {
        auto* row = static_cast<ui::CContainerUI*>(
            pm.FindControl(index < 5 ? QStringLiteral("powers1") : QStringLiteral("powers2"))
                ->GetInterface(QStringLiteral("Container")));
        ui::CDialogBuilder builder;
        ui::CControlUI* built = builder.Create(
            QStringLiteral("XML/CustomControlXML/MpDevicePower.xml"), QString(), nullptr, &pm);
        auto* panel = dynamic_cast<panels::CMpDevicePowerUI*>(built);
        if (!panel) {
            delete built;
            std::fprintf(stderr, "cannot build the power panel: %s\n",
                         qPrintable(builder.GetLastErrorMessage()));
            return false;
        }
        auto* cell = new ui::CVerticalLayoutUI();
        cell->SetFixedWidth(168);
        cell->SetBkColor(0xFF1E2128);
        cell->SetBorderRound(QSize(8, 8));
        cell->SetInset({8, 4, 8, 4});
        row->Add(cell);
        cell->Add(panel);
        auto* caption = new ui::CLabelUI();
        caption->SetText(QString::fromLatin1(c.caption));
        caption->SetTextColor(0xFF9AA1AE);
        caption->SetFont(2);
        caption->SetFixedHeight(18);
        cell->Add(caption);
        panel->SetDeviceType(c.type, 0);
        panel->ShowPowerLayout(true);
        panel->SetPowerState(c.bytes.data(), c.bytes.size());
        ++index;
    }
    return true;
}

void FeedControls(ui::CPaintManagerUI& pm) {
    // Lights: a rainbow across the keys at varying levels; colour words are
    // red | blue << 8 | green << 16.
    for (int i = 0; i < 18; ++i) {
        auto* key = dynamic_cast<controls::CDeviceKeyButtonUI*>(
            pm.FindControl(QStringLiteral("key_%1").arg(i)));
        if (!key)
            continue;
        const QColor c = QColor::fromHsv((i * 20) % 360, 255, 255);
        const std::uint32_t word =
            std::uint32_t(c.red()) | std::uint32_t(c.blue()) << 8 | std::uint32_t(c.green()) << 16;
        key->SetKeyLight(word, i % 6 == 5 ? 90 : 255, i % 6 != 0);
        key->SetKeySetImageHidden(i % 4 != 1);
        key->SetKeyUnsetImageHidden(i % 7 != 3);
        key->Invalidate();
    }
    if (auto* trace =
            dynamic_cast<controls::CAudioRecordUI*>(pm.FindControl(QStringLiteral("trace"))))
        for (int i = 0; i < controls::CAudioRecordUI::kLevelCount; ++i)
            trace->SetLevel(i, int(4096 + 3600 * std::sin(i / 9.0) * std::cos(i / 31.0)));
    const struct {
        const char* name;
        double value;
    } chart[] = {{"Mo", 3}, {"Tu", 5}, {"We", 2}, {"Th", 6}, {"Fr", 4}};
    for (const char* name : {"pie", "hist"})
        if (auto* c =
                dynamic_cast<controls::CChartViewUI*>(pm.FindControl(QString::fromLatin1(name))))
            for (const auto& v : chart)
                c->Add(QString::fromLatin1(v.name), v.value);
    for (int i = 0; i < 3; ++i) {
        auto* row = dynamic_cast<controls::CComboEditContainerElementUI*>(
            pm.FindControl(QStringLiteral("row_%1").arg(i)));
        if (!row)
            continue;
        static const char* const kSteps[] = {"Key A down", "Key A up", "Left button down"};
        if (row->GetText1())
            row->GetText1()->SetText(QString::number(i + 1));
        if (row->GetText2())
            row->GetText2()->SetText(QString::fromLatin1(kSteps[i]));
        if (auto* edit = row->GetDelayEdit())
            static_cast<ui::CControlUI*>(edit)->SetText(QString::number(50 + i * 25));
        row->Select(i == 1, false);
    }
    if (auto* wnd = dynamic_cast<controls::CWndUI*>(pm.FindControl(QStringLiteral("wnd")))) {
        auto* label = new QLabel(QStringLiteral("a plain Qt widget"), pm.GetPaintWindow());
        label->setAlignment(Qt::AlignCenter);
        label->setStyleSheet(
            QStringLiteral("background:#272B34;color:#E8EAF0;border:1px dashed #5A606C;"));
        wnd->Attach(label);
    }
}

void PanPicture(ui::CPaintManagerUI& pm) {
    auto* pan =
        dynamic_cast<controls::CHandImgSelectButtonUI*>(pm.FindControl(QStringLiteral("pan")));
    if (!pan)
        return;
    ui::TEventUI ev;
    ev.Type = ui::UIEVENT_BUTTONDOWN;
    ev.ptMouse = pan->GetPos().center();
    ev.wKeyState = Qt::LeftButton;
    pan->Event(ev);
    ev.Type = ui::UIEVENT_MOUSEMOVE;
    ev.ptMouse -= QPoint(pm.Scale(170), pm.Scale(40));
    pan->Event(ev);
    ev.Type = ui::UIEVENT_BUTTONUP;
    pan->Event(ev);
}

void SelectSomeKeys(ui::CPaintManagerUI& pm) {
    auto* panel = dynamic_cast<controls::CSelectPanelUI*>(pm.FindControl(QStringLiteral("panel")));
    if (!panel)
        return;
    // A band over the second row's first three keys.
    const QPoint origin = panel->GetPos().topLeft();
    ui::TEventUI ev;
    ev.Type = ui::UIEVENT_BUTTONDOWN;
    ev.ptMouse = origin + QPoint(pm.Scale(4), pm.Scale(60));
    ev.wKeyState = Qt::LeftButton;
    panel->Event(ev);
    ev.Type = ui::UIEVENT_MOUSEMOVE;
    ev.ptMouse = origin + QPoint(pm.Scale(180), pm.Scale(90));
    panel->Event(ev);
    ev.Type = ui::UIEVENT_BUTTONUP;
    panel->Event(ev);
    // The panel does not draw the selection; show it through the hot look.
    for (auto* c : pm.FindSubControlsByClass(panel, QStringLiteral("DeviceKeyButton"))) {
        auto* key = static_cast<controls::CDeviceKeyButtonUI*>(c);
        if (key->IsSelected())
            key->SetNormalImage(
                QStringLiteral("file='$P/keycap_hot.png' corner='6,6,6,6'")
                    .replace(QStringLiteral("$P"), pm.property("pictures").toString()));
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({QStringLiteral("dpi"), QStringLiteral("DPI to render at (96..192)."),
                      QStringLiteral("N"), QStringLiteral("96")});
    parser.addOption(
        {QStringLiteral("out"), QStringLiteral("PNG file to write."), QStringLiteral("FILE")});
    if (!parser.parse(app.arguments())) {
        std::fprintf(stderr, "%s\n", qPrintable(parser.errorText()));
        return 2;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        std::printf("%s", qPrintable(parser.helpText()));
        return 0;
    }
    bool ok = false;
    const int dpi = parser.value(QStringLiteral("dpi")).toInt(&ok);
    const QString out = parser.value(QStringLiteral("out"));
    if (!ok || dpi < 96 || dpi > 192 || out.isEmpty()) {
        std::fprintf(stderr, "usage: nuvaro-controls-gallery --dpi N (96..192) --out FILE.png\n");
        return 2;
    }

    QTemporaryDir pictures;
    if (!pictures.isValid() || !gallery::WritePictures(pictures.path())) {
        std::fprintf(stderr, "cannot write the gallery's pictures\n");
        return 1;
    }
    ui::CPaintManagerUI::SetInstance(QCoreApplication::applicationDirPath());
    ui::CPaintManagerUI::SetResourcePath(QCoreApplication::applicationDirPath() +
                                         QStringLiteral("/skin/"));
    controls::RegisterCustomControls();
    panels::RegisterMpDevicePower();

    struct Callback : ui::IDialogBuilderCallback {
        ui::CControlUI* CreateControl(const QString& tag) override {
            return controls::CreateCustomControl(tag);
        }
    } callback;

    // The manager outlives the host: controls leave it as they are deleted.
    ui::CPaintManagerUI pm;
    QWidget host;
    pm.Init(&host);
    pm.setProperty("pictures", pictures.path());
    pm.SetDPI(dpi);
    pm.SetDefaultFont(QString(), 14);
    pm.AddFont(1, QString(), 15, true);
    pm.AddFont(2, QString(), 12);
    pm.AddFont(3, QString(), 20, true);
    ui::CDialogBuilder builder;
    QString xml = Page();
    xml.replace(QStringLiteral("$P"), pictures.path());
    ui::CControlUI* root = builder.Create(xml, QString(), &callback, &pm);
    if (!root || !pm.AttachDialog(root)) {
        std::fprintf(stderr, "cannot build the gallery: %s\n",
                     qPrintable(builder.GetLastErrorMessage()));
        return 1;
    }
    host.resize(pm.Scale(kWidth), pm.Scale(kHeight));
    host.show();
    pm.UpdateLayout();
    if (!AddPowerPanels(pm))
        return 1;
    pm.UpdateLayout();
    FeedControls(pm);
    PanPicture(pm);
    SelectSomeKeys(pm);
    if (auto* hand = pm.FindControl(QStringLiteral("hand"))) {
        ui::TEventUI enter;
        enter.Type = ui::UIEVENT_MOUSEENTER;
        hand->Event(enter);
    }
    if (auto* row = pm.FindControl(QStringLiteral("row_2"))) {
        ui::TEventUI enter;
        enter.Type = ui::UIEVENT_MOUSEENTER;
        row->Event(enter);
    }
    pm.UpdateLayout();
    QCoreApplication::processEvents();
    const QImage image = host.grab().toImage();
    QDir().mkpath(QFileInfo(out).absolutePath());
    if (!image.save(out)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(out));
        return 1;
    }
    std::printf("%s: %dx%d at %d DPI\n", qPrintable(out), image.width(), image.height(), dpi);
    delete root;
    return 0;
}
