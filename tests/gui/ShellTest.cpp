// The desktop program, offscreen: start-up, tree and headers, commands and their
// states, the document's files, the profile, the lock, and clone operations against
// the simulator on the worker thread. Boxes are answered by a hook; none is shown.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLockFile>
#include <QMenuBar>
#include <QSettings>
#include <QSplitter>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <deque>

#include "datamodel/DataManagers.h"
#include "datamodel/Messages.h"
#include "document/NavigationTree.h"
#include "document/TolvarPortFactory.h"
#include "shell/Document.h"
#include "shell/ListFrame.h"
#include "shell/MainFrame.h"
#include "shell/MessageView.h"
#include "shell/ProgressDialog.h"
#include "shell/QtInteraction.h"
#include "shell/TolvarApp.h"
#include "GuiTestApp.h"
#include "shell/TreeView.h"

namespace {

// An application with a fresh profile and scripted answers.
struct SApp {
    CTolvarApp app;
    std::deque<EAnswer> answers;
    QStringList files; // answers of the file chooser

    explicit SApp(const QStringList& arguments = {"cs-tolvar"}, bool keepProfile = false) {
        if (!keepProfile) QSettings("Velk", "CS-Tolvar").clear();
        app.SetSplashDuration(0);
        ok = app.InitInstance(arguments);
        if (!ok) return;
        Ui().SetSilent(true);
        Ui().SetBoxHook([this](const SBoxRecord&) {
            if (answers.empty()) return EAnswer::Cancel;
            const EAnswer answer = answers.front();
            answers.pop_front();
            return answer;
        });
        Doc().SetFileChooser([this](bool, const QString&) {
            return files.isEmpty() ? QString() : files.takeFirst();
        });
    }
    CTolvarMainFrame& Frame() { return *app.MainFrame(); }
    CTolvarCloneSupportDoc& Doc() { return *app.Document(); }
    CQtUserInteraction& Ui() { return *app.Interaction(); }
    QString LastBox() const {
        const auto& boxes = app.Interaction()->Boxes();
        return boxes.empty() ? QString() : boxes.back().text;
    }
    bool ok = false;
};

QStringList TreeLabels(const CTolvarTreeView& tree) {
    QStringList labels;
    for (QTreeWidgetItemIterator it(const_cast<CTolvarTreeView*>(&tree)); *it; ++it)
        labels << (*it)->text(0);
    return labels;
}

// A sheet that takes Copy and Prio A and counts its updates.
class CRecordingSheet : public CSheetView {
public:
    using CSheetView::CSheetView;
    bool OnCommand(int id) override {
        commands.push_back(id);
        return id == kCmdCopy || id == kCmdPrioA || id == kCmdSave;
    }
    bool OnUpdateCommand(int id, SCommandState& state) override {
        if (id != kCmdCopy && id != kCmdPrioA) return false;
        state = {true, id == kCmdPrioA};
        return true;
    }
    void OnUpdate() override { ++updates; }
    std::vector<int> commands;
    int updates = 0;
};

} // namespace

class ShellTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(m_config.isValid()); }

    void commandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("maker");
        QTest::addColumn<QString>("open");
        QTest::newRow("none") << QStringList{"x"} << false << "";
        QTest::newRow("slash") << QStringList{"x", "/VURARID"} << true << "";
        QTest::newRow("dash mixed case") << QStringList{"x", "-vUrArId"} << true << "";
        QTest::newRow("without flag") << QStringList{"x", "VURARID"} << false << "";
        QTest::newRow("file name") << QStringList{"x", "site.zcf"} << false << "";
        QTest::newRow("longer word") << QStringList{"x", "/VURARIDX"} << false << "";
        QTest::newRow("open") << QStringList{"x", "--open", "a.zcf", "/vurarid"} << true << "a.zcf";
        QTest::newRow("open without file") << QStringList{"x", "--open"} << false << "";
    }
    void commandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, maker);
        QFETCH(QString, open);
        QCOMPARE(ParseCommandLine(arguments).makerReserve, maker);
        QCOMPARE(ParseCommandLine(arguments).openFile, open);
    }

    void startsWithDefaults() {
        SApp s({"cs-tolvar", "site.zcf"});
        QVERIFY(s.ok);
        CTolvarMainFrame& f = s.Frame();
        QCOMPARE(f.size(), QSize(500, 300));
        QCOMPARE(f.ColumnSplitter()->sizes().front(), 180);
        QCOMPARE(f.windowTitle(), QString("Untitled - CS-Tolvar"));
        QCOMPARE(f.LeftHeader()->ShownText(), QString("LMR"));
        QCOMPARE(f.RightHeader()->ShownText(), QString("Memory"));
        QCOMPARE(f.Tree()->SelectedId(), int(kViewMemoryLMR));
        QCOMPARE(f.GetCurrentViewId(), int(kViewMemoryLMR));
        QVERIFY(f.CommandState(kCmdCom1).checked);
        QVERIFY(f.CommandState(kCmdModelLMR).checked);
        QVERIFY(!f.CommandState(kCmdModelPMR).checked);
        QCOMPARE(f.ExtraPane()->text(), QString("      "));
        QVERIFY(f.minimumSize() == QSize(400, 200));
        QVERIFY(s.Ui().Boxes().empty());
    }

    void treeOfEachVariant_data() {
        QTest::addColumn<int>("model");
        QTest::addColumn<bool>("maker");
        QTest::newRow("LMR") << 0 << false;
        QTest::newRow("PMR") << 1 << false;
        QTest::newRow("LMR maker") << 0 << true;
        QTest::newRow("PMR maker") << 1 << true;
    }
    void treeOfEachVariant() {
        QFETCH(int, model);
        QFETCH(bool, maker);
        SApp s;
        QVERIFY(s.ok);
        s.answers = {EAnswer::Yes, EAnswer::Ok};
        s.Doc().OnModel(model);
        if (maker) s.Frame().ActivateMakerReserve();
        QStringList expected;
        for (const SNavItem& item : NavigationItems(model, maker))
            expected << QString::fromStdString(item.label);
        QCOMPARE(TreeLabels(*s.Frame().Tree()), expected);
        QCOMPARE(expected.contains("2Tone"), model == 0);
        QCOMPARE(expected.contains("5Tone"), model == 1);
        QCOMPARE(expected[1] == "Maker Reserved", maker);
        QCOMPARE(s.Frame().ExtraPane()->text(),
                 maker ? QString("****** Maker Reserved ******") : QString("      "));
        // The memory item stays selected through the change.
        QCOMPARE(s.Frame().Tree()->SelectedId(), MemoryViewOf(model));
    }

    void selectionShowsViewAndTitle_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("view");
        QTest::newRow("multiple tone 17") << 19 << "Multiple Tone:CH 17" << 19;
        QTest::newRow("multiple tone 3") << 5 << "Multiple Tone:CH 3" << 5;
        QTest::newRow("key and display") << int(kViewKeyDisp) << "Common Setting:Key & Display Assign"
                                         << int(kViewKeyDisp);
        QTest::newRow("DTMF group") << int(kGroupDtmf) << "      " << 0;
        QTest::newRow("root") << int(kTreeRoot) << "      " << 0;
    }
    void selectionShowsViewAndTitle() {
        QFETCH(int, id);
        QFETCH(QString, title);
        QFETCH(int, view);
        SApp s;
        QVERIFY(s.ok);
        QVERIFY(s.Frame().Tree()->SelectId(id));
        QCOMPARE(s.Frame().RightHeader()->ShownText(), title);
        QCOMPARE(s.Frame().GetCurrentViewId(), view);
    }

    void variantChangeReselects_data() {
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("afterItem");
        QTest::addColumn<int>("afterView");
        QTest::addColumn<int>("afterModel");
        QTest::newRow("DTMF RX system code") << int(kViewDtmfRxSys) << int(EAnswer::Yes)
                                             << int(kViewDtmfRxSys) << int(kViewDtmfRxSys) << 1;
        QTest::newRow("2Tone TX code") << int(kView2ToneTx) << int(EAnswer::Yes)
                                       << int(kGroup5Tone) << 0 << 1;
        QTest::newRow("answer no") << int(kView2ToneTx) << int(EAnswer::No)
                                   << int(kView2ToneTx) << int(kView2ToneTx) << 0;
    }
    void variantChangeReselects() {
        QFETCH(int, selected);
        QFETCH(int, answer);
        QFETCH(int, afterItem);
        QFETCH(int, afterView);
        QFETCH(int, afterModel);
        SApp s;
        QVERIFY(s.ok);
        QVERIFY(s.Frame().Tree()->SelectId(selected));
        s.Doc().SetModifiedFlag(true);
        s.answers = {static_cast<EAnswer>(answer)};
        s.Frame().OnCommand(kCmdModelPMR);
        QCOMPARE(s.LastBox(), QString(kChangeModelText));
        QCOMPARE(s.Doc().Model(), afterModel);
        QCOMPARE(s.Frame().Tree()->SelectedId(), afterItem);
        QCOMPARE(s.Frame().GetCurrentViewId(), afterView);
        QCOMPARE(s.Frame().CommandState(kCmdModelPMR).checked, afterModel == 1);
        QCOMPARE(s.Doc().IsModified(), afterModel == 0);
        // The variant already chosen asks nothing.
        const size_t boxes = s.Ui().Boxes().size();
        s.Frame().OnCommand(afterModel ? kCmdModelPMR : kCmdModelLMR);
        QCOMPARE(s.Ui().Boxes().size(), boxes);
    }

    void splashClosesOnAKey() {
        QSettings("Velk", "CS-Tolvar").clear();
        CTolvarApp app;
        app.SetSplashDuration(5000);
        QVERIFY(app.InitInstance({"cs-tolvar"}));
        QPointer<QDialog> splash = app.MainFrame()->findChild<QDialog*>("Splash");
        QVERIFY(splash && splash->isVisible());
        QElapsedTimer clock;
        clock.start();
        QTest::keyClick(app.MainFrame(), Qt::Key_A);
        QTRY_VERIFY_WITH_TIMEOUT(splash.isNull() || !splash->isVisible(), 1000);
        QVERIFY(clock.elapsed() < 1000);
    }

    void guardedCommandsWaitForTheRunningOne() {
        SApp s;
        QVERIFY(s.ok);
        s.Doc().SetModifiedFlag(true);
        CEditScope running(s.Doc().Registry().EditGuard());
        QVERIFY(running.Entered());
        for (int id : {kCmdNew, kCmdOpen, kCmdSaveAs, kCmdRead, kCmdWrite, kCmdInformation})
            s.Frame().OnCommand(id);
        QVERIFY(s.Ui().Boxes().empty());
        QVERIFY(s.Doc().IsModified());
    }

    void closingAsksToSave() {
        SApp s;
        QVERIFY(s.ok);
        s.Frame().show();
        s.Frame().resize(620, 410);
        s.Doc().SetModifiedFlag(true);
        s.answers = {EAnswer::Cancel};
        QVERIFY(!s.Frame().close());
        QCOMPARE(s.LastBox(), QString("Save changes to Untitled?"));
        QVERIFY(s.Frame().isVisible());
        // The position was stored before the question.
        QCOMPARE(s.app.Profile().WindowPosition().rect.size(), QSize(620, 410));
        s.answers = {EAnswer::No};
        QVERIFY(s.Frame().close());
    }

    void helpShowsTheManual() {
        SApp s;
        QVERIFY(s.ok);
        QVERIFY(!CTolvarMainFrame::ManualPath().isEmpty());
        s.Frame().OnCommand(kCmdHelp);
        auto* browser = s.Frame().findChild<QTextBrowser*>();
        QVERIFY(browser);
        QVERIFY(browser->toPlainText().contains("Troubleshooting"));
    }

    void aMissingPortIsReported() {
        SApp s;
        QVERIFY(s.ok);
        CPortSettings ports;
        ports.SetComPath(1, m_config.filePath("no-such-port").toStdString());
        s.app.Profile().SetPortSettings(ports);
        s.Doc().ApplyPortSettings();
        s.answers = {EAnswer::Ok, EAnswer::Ok};
        s.Frame().OnCommand(kCmdInformation);
        const auto& boxes = s.Ui().Boxes();
        QCOMPARE(boxes.size(), size_t(2));
        QVERIFY(boxes[0].text.startsWith(" not Open "));
        QCOMPARE(boxes[1].text, QString::fromStdString(LoadMessage(EMsg::CheckPortAndPower)));
        QCOMPARE(boxes[1].icon, EIcon::Stop);
        QCOMPARE(s.Frame().MessagePane()->text(),
                 QString::fromStdString(LoadMessage(EMsg::CannotAccessPort)));
        QCOMPARE(s.Ui().BeepsPlayed().size(), size_t(0));
    }

    void commandsGoToTheSheetFirst() {
        QSettings("Velk", "CS-Tolvar").clear();
        CTolvarApp app;
        app.SetSplashDuration(0);
        CRecordingSheet* memory = nullptr;
        app.SetSheetMaker([&](int slot, CTolvarCloneSupportDoc&, QWidget* parent) -> CSheetView* {
            if (slot != 1) return nullptr;
            return memory = new CRecordingSheet(parent);
        });
        QVERIFY(app.InitInstance({"cs-tolvar"}));
        CTolvarMainFrame& f = *app.MainFrame();
        QVERIFY(memory);
        QVERIFY(memory->updates > 0); // shown at start
        QVERIFY(f.CommandState(kCmdCopy).enabled);
        QVERIFY(f.CommandState(kCmdPrioA).checked);
        QVERIFY(!f.CommandState(kCmdPaste).enabled);
        // The sheet takes Save before the document does.
        app.Document()->SetModifiedFlag(true);
        f.OnCommand(kCmdSave);
        QVERIFY(app.Document()->IsModified());
        QCOMPARE(memory->commands.back(), int(kCmdSave));
        // Another view: the commands no longer reach it.
        f.Tree()->SelectId(kViewCommon);
        QVERIFY(!f.CommandState(kCmdCopy).enabled);
        const size_t before = memory->commands.size();
        f.OnCommand(kCmdCopy);
        QCOMPARE(memory->commands.size(), before);
    }

    void commandsRouteAndShowState() {
        SApp s;
        QVERIFY(s.ok);
        CTolvarMainFrame& f = s.Frame();
        // The empty sheets handle no edit command.
        for (int id : {kCmdEditMemory, kCmdPrioA, kCmdCopy, kCmdPaste, kCmdDelete, kCmdInsert})
            QVERIFY2(!f.CommandState(id).enabled, qPrintable(QString::number(id)));
        f.OnCommand(kCmdCom1 + 2);
        QCOMPARE(s.Doc().PortNumber(), 3);
        f.UpdateCommandUI();
        QVERIFY(f.Action(kCmdCom1 + 2)->isChecked());
        QVERIFY(!f.Action(kCmdCom1)->isChecked());
        QCOMPARE(s.app.Profile().PortNumber(), 3);
        // Cut and Undo are taken and do nothing.
        f.OnCommand(kCmdCut);
        f.OnCommand(kCmdUndo);
        QVERIFY(!s.Doc().IsModified());
        QVERIFY(s.Ui().Boxes().empty());
        // Toolbar and status bar toggle with their check marks.
        f.show();
        const bool toolbar = f.CommandState(kCmdToolbar).checked;
        f.OnCommand(kCmdToolbar);
        QCOMPARE(f.CommandState(kCmdToolbar).checked, !toolbar);
        // F6 moves between the tree and the right-hand pane.
        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        f.Tree()->setFocus();
        QVERIFY(f.Tree()->hasFocus());
        f.OnCommand(kCmdNextPane);
        QVERIFY(!f.Tree()->hasFocus());
        f.OnCommand(kCmdPrevPane);
        QVERIFY(f.Tree()->hasFocus());
    }

    void saveOpenAndTheirRefusals() {
        SApp s;
        QVERIFY(s.ok);
        const QString saved = m_config.filePath("site.zcf");
        s.files = {saved};
        s.Frame().OnCommand(kCmdSaveAs);
        QVERIFY(QFile::exists(saved));
        QCOMPARE(s.Frame().windowTitle(), QString("site.zcf - CS-Tolvar"));
        QVERIFY(!s.Doc().IsModified());

        // New on a modified document asks; Cancel keeps it as it is.
        s.Doc().SetModifiedFlag(true);
        s.answers = {EAnswer::Cancel};
        s.Frame().OnCommand(kCmdNew);
        QCOMPARE(s.LastBox(), QString("Save changes to %1?").arg(saved));
        QVERIFY(s.Doc().IsModified());
        QCOMPARE(s.Doc().PathName(), saved);

        // A refused file leaves title and modified state.
        const QString bad = m_config.filePath("bad.zcf");
        QFile file(bad);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a data file\r\n");
        file.close();
        s.answers = {EAnswer::No, EAnswer::Ok};
        s.files = {bad};
        s.Frame().OnCommand(kCmdOpen);
        QVERIFY(s.LastBox().startsWith("Unexpected file format."));
        QCOMPARE(s.Doc().PathName(), saved);
        QVERIFY(s.Doc().IsModified());
        QCOMPARE(s.Frame().windowTitle(), QString("site.zcf - CS-Tolvar"));

        // The saved file opens; it is the first recent file.
        s.answers = {EAnswer::No};
        QVERIFY(s.Doc().OpenDocumentFile(saved));
        QVERIFY(!s.Doc().IsModified());
        QCOMPARE(s.app.Profile().RecentFiles().front(), saved);
        QVERIFY(s.Frame().CommandState(kCmdRecentFirst).enabled);
        QVERIFY(!s.Frame().CommandState(kCmdRecentFirst + 1).enabled);

        // A target that cannot be written is refused and the document stays modified.
        s.Doc().SetModifiedFlag(true);
        const QString nowhere = m_config.filePath("missing-folder/site.zcf");
        s.files = {nowhere};
        QVERIFY(!s.Doc().OnFileSaveAs());
        QCOMPARE(s.LastBox().section('\n', 0, 0), QString("Access to %1 was denied.").arg(nowhere));
        QVERIFY(s.Doc().IsModified());
        QCOMPARE(s.Doc().PathName(), saved);
        QFile::setPermissions(saved, QFile::ReadOwner);
        s.Doc().SetModifiedFlag(true);
        if (QFileInfo(saved).isWritable()) QSKIP("running with rights that ignore permissions");
        QVERIFY(!s.Doc().OnFileSave());
        QCOMPARE(s.LastBox(), QString("Access to %1 was denied.").arg(saved));
        QVERIFY(s.Doc().IsModified());
    }

    void profileSurvivesARun() {
        {
            SApp s;
            QVERIFY(s.ok);
            s.answers = {EAnswer::Yes};
            s.Doc().OnModel(1);
            s.Frame().OnCommand(kCmdCom1 + 1);
            s.Frame().resize(640, 420);
            s.Frame().close();
        }
        SApp again({"cs-tolvar"}, true);
        QVERIFY(again.ok);
        QCOMPARE(again.Doc().Model(), 1);
        QCOMPARE(again.Doc().PortNumber(), 2);
        QCOMPARE(again.Frame().size(), QSize(640, 420));
        QCOMPARE(again.Frame().LeftHeader()->ShownText(), QString("PMR"));
    }

    void oneCopyAtATime() {
        QLockFile other(InstanceLockPath());
        QVERIFY(other.tryLock(0));
        {
            CTolvarApp second;
            second.SetSplashDuration(0);
            QVERIFY(!second.InitInstance({"cs-tolvar"}));
            QVERIFY(!second.MainFrame());
        }
        other.unlock();
        // A lock left by a process that is gone does not block the start.
        QFile stale(InstanceLockPath());
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write(QByteArray("999999\ncs-tolvar\n") + QSysInfo::machineHostName().toUtf8() + "\n");
        stale.close();
        SApp s;
        QVERIFY(s.ok);
        QVERIFY(s.ok);
    }

    void cloneAgainstTheSimulator() {
        SApp s;
        QVERIFY(s.ok);
        CPortSettings ports;
        ports.SetComPath(1, "SIM");
        s.app.Profile().SetPortSettings(ports);
        s.Doc().ApplyPortSettings();
        // Information: the dialog receives what the repeater says.
        SRepeaterInfo shown;
        s.Ui().SetInfoHook([&](const SRepeaterInfo& info) { shown = info; });
        s.Frame().OnCommand(kCmdInformation);
        QCOMPARE(QString::fromStdString(shown.ModelText()), QString("LMR"));
        QVERIFY(s.Ui().Boxes().empty());

        // Read: no question for an unmodified document, completed, modified after.
        s.Frame().OnCommand(kCmdRead);
        QCOMPARE(s.Frame().MessagePane()->text(), QString::fromStdString(LoadMessage(EMsg::CloningCompleted)));
        QVERIFY(s.Doc().IsModified());
        QVERIFY(s.Ui().Boxes().empty());
        QVERIFY(s.Frame().centralWidget()->isEnabled() && s.Frame().menuBar()->isEnabled());
        QCOMPARE(s.Ui().BeepsPlayed().back().front().frequency, 1000);

        // Write: the question, then the success box.
        s.answers = {EAnswer::Ok, EAnswer::Ok};
        s.Frame().OnCommand(kCmdWrite);
        QCOMPARE(s.Ui().Boxes().front().text, QString::fromStdString(LoadMessage(EMsg::WriteToRepeater)));
        QCOMPARE(s.LastBox(), QString::fromStdString(LoadMessage(EMsg::WriteSucceeded)));

        // Esc in the progress dialog ends a paced read with no box.
        s.app.Ports().Simulator().WithRepeater([](CSimulatedRepeater& r) { r.SetPacing(true); });
        s.Ui().ClearRecords();
        s.answers = {EAnswer::Ok}; // the document is modified: read anyway
        bool pressed = false;
        QTimer esc;
        connect(&esc, &QTimer::timeout, [&] {
            CCloneProgressDialog* dialog = s.Ui().ProgressDialog();
            if (!pressed && dialog && dialog->isVisible() && dialog->Position() > 0) {
                QTest::keyClick(dialog, Qt::Key_Escape);
                pressed = true;
            }
        });
        esc.start(20);
        s.Frame().OnCommand(kCmdRead);
        esc.stop();
        QVERIFY(pressed);
        QCOMPARE(s.Frame().MessagePane()->text(), QString::fromStdString(LoadMessage(EMsg::TerminatedCloning)));
        QCOMPARE(s.Ui().Boxes().size(), size_t(1)); // the question only
        QVERIFY(!s.Ui().ProgressDialog()->isVisible());
        QVERIFY(s.Frame().centralWidget()->isEnabled() && s.Frame().menuBar()->isEnabled());
    }

private:
    QTemporaryDir m_config;
};

int main(int argc, char* argv[]) {
    return RunOffscreenTests<ShellTest>(argc, argv);
}

#include "ShellTest.moc"
