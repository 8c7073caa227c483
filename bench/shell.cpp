// The desktop program's start (process start to the first painted main window, splash
// off), the time to switch views, the time from a key press to the repainted sheet
// for paste, delete, an editor's OK, and Undo and Redo of a whole-sheet paste and of a
// variant change, and the memory a history of 1,000 steps keeps. Runs offscreen
// without a display.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <vector>

#include "datamodel/CloneManager.h"
#include "datamodel/EditHistory.h"
#include "datamodel/memmap/ChannelEditing.h"
#include "datamodel/nodes/Node.h"
#include "document/ViewTable.h"
#include "editors/ListSheet.h"
#include "shell/ListFrame.h"
#include "shell/Document.h"
#include "shell/MainFrame.h"
#include "shell/QtInteraction.h"
#include "shell/TolvarApp.h"
#include "shell/TreeView.h"
#include "gui/OwnProfile.h"

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

// Median and maximum of a list of milliseconds.
void Report(const char* what, std::vector<double> times) {
    std::sort(times.begin(), times.end());
    std::printf("%s (%zu): median %.2f ms, max %.2f ms\n", what, times.size(),
                times[times.size() / 2], times.back());
}

// From a key press to the repainted window: the key goes through the shortcut map as
// a user's does, then the sheet reads its rows and the window paints.
double KeyToPaint(QWidget& window, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QElapsedTimer clock;
    clock.start();
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    QApplication::processEvents();
    window.repaint();
    return clock.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char* argv[]) {
    QElapsedTimer sinceMain;
    sinceMain.start();
    QTemporaryDir config;
    UseOwnProfile(config, false);
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
    // A full refresh of the memory sheet after a read: the tree loaded from the image,
    // then every row from the nodes.
    frame.Tree()->SelectId(kViewMemoryLMR);
    CChannelEditor channels(tolvar.Document()->Registry());
    for (int n = 1; n <= 32; ++n) {
        CNode& holder = *channels.Holder(n);
        holder.FindChild("ChOn")->SetValue(1);
        holder.FindChild("FreqRx")->SetText(std::to_string(140 + n) + ".125");
        holder.FindChild("Text")->SetText("CHANNEL " + std::to_string(n));
    }
    tolvar.Document()->Registry().StoreTreeToImage();
    std::vector<double> refreshes;
    for (int round = 0; round < 30; ++round) {
        QElapsedTimer clock;
        clock.start();
        tolvar.Document()->Registry().LoadImageToTree();
        tolvar.Document()->UpdateAllViews();
        frame.repaint();
        QApplication::processEvents();
        refreshes.push_back(clock.nsecsElapsed() / 1e6);
    }
    // Key press to repainted row: paste (Ctrl+V), delete (Delete, a channel not in use,
    // so no question) and an editor's OK (Enter in the channel dialog).
    frame.show();
    frame.activateWindow();
    QTest::qWaitForWindowActive(&frame);
    auto* sheet = qobject_cast<CListSheet*>(frame.ListFrame()->CurrentSheet());
    sheet->Grid().setFocus();
    std::vector<double> pastes, deletes, oks;
    QTest::keyClick(&sheet->Grid(), Qt::Key_Home);
    QTest::keyClick(&sheet->Grid(), Qt::Key_C, Qt::ControlModifier);
    for (int round = 0; round < 30; ++round) {
        QTest::keyClick(&sheet->Grid(), Qt::Key_End);
        pastes.push_back(KeyToPaint(frame, Qt::Key_V, Qt::ControlModifier));
        // The last channel blank again: Delete of CH 31 moves it up without a question.
        channels.ClearChannel(32);
        QApplication::processEvents();
        QTest::keyClick(&sheet->Grid(), Qt::Key_Up);
        channels.ClearChannel(31);
        QApplication::processEvents();
        deletes.push_back(KeyToPaint(frame, Qt::Key_Delete));
    }
    for (int round = 0; round < 30; ++round) {
        QTest::keyClick(&sheet->Grid(), Qt::Key_Home);
        double ok = 0;
        QElapsedTimer clock;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog) return;
            QWidget* text = dialog->findChild<QWidget*>("Text");
            if (text) {
                text->setFocus();
                QTest::keyClicks(text, round % 2 ? "A" : "B");
            }
            clock.start();
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        QTest::keyClick(&sheet->Grid(), Qt::Key_Return);
        QApplication::processEvents();
        frame.repaint();
        ok = clock.isValid() ? clock.nsecsElapsed() / 1e6 : -1;
        oks.push_back(ok);
    }
    // Undo and Redo of a paste of all 32 channels over channels in use (the question
    // answered yes), and of a variant change.
    tolvar.Interaction()->SetSilent(true);
    tolvar.Interaction()->SetBoxHook([](const SBoxRecord&) { return EAnswer::Yes; });
    frame.activateWindow();
    QTest::qWaitForWindowActive(&frame);
    sheet->Grid().setFocus();
    QTest::keyClick(&sheet->Grid(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&sheet->Grid(), Qt::Key_C, Qt::ControlModifier);
    std::vector<int> all(32);
    for (int n = 0; n < 32; ++n) all[static_cast<size_t>(n)] = n + 1;
    channels.ClearChannels(all); // the paste then changes every channel
    QTest::keyClick(&sheet->Grid(), Qt::Key_Home);
    QTest::keyClick(&sheet->Grid(), Qt::Key_V, Qt::ControlModifier);
    if (tolvar.Document()->UndoName() != QStringLiteral("Paste CH 1-32")) {
        std::printf("the whole-sheet paste did not happen\n");
        return 1;
    }
    std::vector<double> pasteUndos, pasteRedos, modelUndos, modelRedos;
    for (int round = 0; round < 30; ++round) {
        pasteUndos.push_back(KeyToPaint(frame, Qt::Key_Z, Qt::ControlModifier));
        pasteRedos.push_back(KeyToPaint(frame, Qt::Key_Y, Qt::ControlModifier));
    }
    frame.Action(ECommand::ModelPMR)->trigger();
    for (int round = 0; round < 30; ++round) {
        modelUndos.push_back(KeyToPaint(frame, Qt::Key_Z, Qt::ControlModifier));
        modelRedos.push_back(KeyToPaint(frame, Qt::Key_Y, Qt::ControlModifier));
    }
    // A history of 1,000 steps: single-field edits, and whole-sheet pastes.
    CCloneManager& registry = tolvar.Document()->Registry();
    CEditHistory& history = registry.History();
    history.Clear();
    for (int i = 0; i < 1000; ++i)
        CChannelEditor(registry).SetPrioA(i % 32 + 1);
    const size_t editBytes = history.MemoryBytes();
    history.Clear();
    std::vector<uint8_t> records;
    for (int n = 1; n <= 32; ++n) {
        const ChannelRecord record = CopyChannelRecord(*channels.Holder(n));
        records.insert(records.end(), record.begin(), record.end());
    }
    std::string refusal;
    for (int i = 0; i < 1000; ++i) {
        // Every other paste changes all channels: names alternate.
        for (int n = 0; n < 32; ++n)
            records[static_cast<size_t>(n) * kChannelRecordBytes + 112] = static_cast<uint8_t>('A' + i % 2);
        channels.PasteChannels(1, records.data(), records.size(), refusal);
    }
    const size_t pasteSteps = history.StepCount(), pasteBytes = history.MemoryBytes();

    std::sort(refreshes.begin(), refreshes.end());
    std::sort(times.begin(), times.end());
    std::printf("start to first painted main window: %.1f ms from main(), %.0f ms from process "
                "start (10 ms resolution)\n",
                firstPaint, fromProcess);
    std::printf("view switch (%zu switches): median %.2f ms, 95th percentile %.2f ms, max %.2f ms\n",
                times.size(), times[times.size() / 2], times[times.size() * 95 / 100], times.back());
    std::printf("read refresh (load the tree from the image, redraw the memory sheet): median "
                "%.2f ms, max %.2f ms\n",
                refreshes[refreshes.size() / 2], refreshes.back());
    Report("key to repainted sheet, paste (Ctrl+V)", pastes);
    Report("key to repainted sheet, delete (Delete)", deletes);
    Report("key to repainted sheet, channel editor OK (Enter)", oks);
    Report("key to repainted sheet, undo of a 32-channel paste (Ctrl+Z)", pasteUndos);
    Report("key to repainted sheet, redo of a 32-channel paste (Ctrl+Y)", pasteRedos);
    Report("key to repainted sheet, undo of a variant change (Ctrl+Z)", modelUndos);
    Report("key to repainted sheet, redo of a variant change (Ctrl+Y)", modelRedos);
    std::printf("history of 1000 single-field edits: %.1f KiB\n", editBytes / 1024.0);
    std::printf("history of 1000 32-channel pastes (every channel's name changed): %zu steps "
                "kept, %.1f MiB (bound %zu MiB)\n",
                pasteSteps, pasteBytes / 1048576.0, CEditHistory::kMaxBytes >> 20);
    return 0;
}
