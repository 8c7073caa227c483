// The desktop program's start (process start to the first painted main window, splash
// off) and the time to switch views. Runs offscreen without a display.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <vector>

#include "document/NavigationTree.h"
#include "shell/MainFrame.h"
#include "shell/TolvarApp.h"
#include "shell/TreeView.h"

namespace {

// Milliseconds since the process started, from /proc (10 ms resolution).
double SinceProcessStart() {
    QFile stat("/proc/self/stat"), uptime("/proc/uptime");
    if (!stat.open(QIODevice::ReadOnly) || !uptime.open(QIODevice::ReadOnly)) return -1;
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    const double started = fields.value(19).toDouble() / static_cast<double>(sysconf(_SC_CLK_TCK));
    const double now = uptime.readAll().split(' ').value(0).toDouble();
    return (now - started) * 1000.0;
}

} // namespace

int main(int argc, char* argv[]) {
    QElapsedTimer sinceMain;
    sinceMain.start();
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    qputenv("TMPDIR", config.path().toUtf8());
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    CTolvarApp tolvar;
    tolvar.SetSplashDuration(0);
    if (!tolvar.InitInstance({"cs-tolvar"})) return 1;
    // InitInstance paints the window before it returns.
    const double firstPaint = sinceMain.nsecsElapsed() / 1e6;
    const double fromProcess = SinceProcessStart();

    CTolvarMainFrame& frame = *tolvar.MainFrame();
    const int ids[] = {kViewMemoryLMR, kViewCommon, 19, kViewDtmfRx, kView2ToneTx, kViewExpert};
    std::vector<double> times;
    for (int round = 0; round < 50; ++round)
        for (int id : ids) {
            QElapsedTimer clock;
            clock.start();
            frame.Tree()->SelectId(id);
            frame.repaint();
            QApplication::processEvents();
            times.push_back(clock.nsecsElapsed() / 1e6);
        }
    std::sort(times.begin(), times.end());
    std::printf("start to first painted main window: %.1f ms from main(), %.0f ms from process "
                "start (10 ms resolution)\n",
                firstPaint, fromProcess);
    std::printf("view switch (%zu switches): median %.2f ms, 95th percentile %.2f ms, max %.2f ms\n",
                times.size(), times[times.size() / 2], times[times.size() * 95 / 100], times.back());
    return 0;
}
