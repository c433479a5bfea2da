// UI library figures:
//  1. building a tree of 600 controls from XML and laying it out (ms);
//  2. repainting a page of 126 animated key buttons 100 times a second
//     (CPU time per second of animation).
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

#include "ui/UIlib.h"

namespace {

double CpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

QString TreeXml() {
    // 20 rows × (1 row layout + 1 label + 28 assorted controls) = 600 controls.
    QString xml =
        QStringLiteral("<Window size='1000,640'><VerticalLayout name='root' vscrollbar='true'>");
    int n = 1;
    for (int r = 0; r < 20; ++r) {
        xml += QStringLiteral("<HorizontalLayout height='30' childpadding='2'>");
        xml += QStringLiteral("<Label text='row %1' width='60'/>").arg(r);
        n += 2;
        for (int c = 0; c < 28; ++c, ++n) {
            switch (c % 4) {
                case 0:
                    xml += QStringLiteral(
                               "<Button name='b%1_%2' text='B' bkcolor='#FF272B34' "
                               "hotbkcolor='#FF323742' "
                               "borderround='8,8'/>")
                               .arg(r)
                               .arg(c);
                    break;
                case 1:
                    xml +=
                        QStringLiteral("<Option group='g%1' text='O' selectedbkcolor='#FF19C6E6'/>")
                            .arg(r);
                    break;
                case 2:
                    xml += QStringLiteral("<Label text='L%1' align='center'/>").arg(c);
                    break;
                default:
                    xml += QStringLiteral("<Control bkcolor='#FF1E2128' padding='1,1,1,1'/>");
            }
        }
        xml += QStringLiteral("</HorizontalLayout>");
    }
    xml += QStringLiteral("</VerticalLayout></Window>");
    return xml;
}

void BenchBuild() {
    const QString xml = TreeXml();
    std::vector<double> times;
    int controls = 0;
    for (int i = 0; i < 15; ++i) {
        QWidget host;
        host.resize(1000, 640);
        ui::CPaintManagerUI pm;
        pm.Init(&host);
        QElapsedTimer t;
        t.start();
        ui::CDialogBuilder builder;
        ui::CControlUI* root = builder.Create(xml, QString(), nullptr, &pm);
        pm.AttachDialog(root);
        pm.UpdateLayout();
        times.push_back(t.nsecsElapsed() / 1e6);
        controls = static_cast<int>(root->findChildren<ui::CControlUI*>().size()) + 1;
        delete root;
    }
    std::sort(times.begin(), times.end());
    std::printf(
        "build+layout of %d controls: median %.2f ms, best %.2f ms, worst %.2f ms (goal < 50 ms)\n",
        controls, times[times.size() / 2], times.front(), times.back());
}

void BenchAnimation() {
    // The keyboard page: 23 columns × 6 rows, 126 key buttons used.
    QString xml =
        QStringLiteral("<Window size='1000,320'><Container name='kb' bkcolor='#FF15171C'>");
    int keys = 0;
    for (int row = 0; row < 6 && keys < 126; ++row)
        for (int col = 0; col < 23 && keys < 126; ++col, ++keys)
            xml += QStringLiteral(
                       "<Button name='k%1' float='true' pos='%2,%3,%4,%5' bkcolor='#FF272B34' "
                       "borderround='8,8' text='K'/>")
                       .arg(keys)
                       .arg(10 + col * 42)
                       .arg(10 + row * 48)
                       .arg(10 + col * 42 + 38)
                       .arg(10 + row * 48 + 44);
    xml += QStringLiteral("</Container></Window>");
    QWidget host;
    host.resize(1000, 320);
    ui::CPaintManagerUI pm;
    pm.Init(&host);
    ui::CDialogBuilder builder;
    ui::CControlUI* root = builder.Create(xml, QString(), nullptr, &pm);
    pm.AttachDialog(root);
    host.show();
    pm.UpdateLayout();
    std::vector<ui::CControlUI*> buttons;
    for (int i = 0; i < keys; ++i)
        buttons.push_back(pm.FindControl(QStringLiteral("k%1").arg(i)));

    int frame = 0;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        ++frame;
        for (int i = 0; i < keys; ++i) {
            // A moving rainbow wave, as the light preview does.
            const int hue = (i * 7 + frame * 4) % 360;
            buttons[i]->SetBkColor(QColor::fromHsv(hue, 220, 230).rgba());
        }
    });
    const double seconds = 3.0;
    QElapsedTimer wall;
    const double cpu0 = CpuSeconds();
    wall.start();
    timer.start(10);
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
    timer.stop();
    const double cpu = CpuSeconds() - cpu0;
    const double w = wall.elapsed() / 1000.0;
    std::printf(
        "animation of %d key buttons at 100 Hz: %d frames in %.2f s, CPU %.1f ms per second (%.1f "
        "%% of one core)\n",
        keys, frame, w, cpu / w * 1000.0, cpu / w * 100.0);
    delete root;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    BenchBuild();
    BenchAnimation();
    return 0;
}
