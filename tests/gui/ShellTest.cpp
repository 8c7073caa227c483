// The desktop program, offscreen: start-up, tree and headers, commands and their
// states, the document's files, the profile, the lock, and clone operations against
// the simulator on the worker thread. Boxes are answered by a hook; none is shown.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLockFile>
#include <QMenu>
#include <QScreen>
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
#include "datamodel/memmap/ChannelEditing.h"
#include "datamodel/nodes/Node.h"
#include "document/NavigationTree.h"
#include "document/TolvarPortFactory.h"
#include "shell/Document.h"
#include "shell/PrintJob.h"
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
    // COM1 (the port chosen at start) opens path: a device, or "SIM".
    void UsePort(const QString& path) {
        CPortSettings ports;
        ports.SetComPath(1, path.toStdString());
        app.Profile().SetPortSettings(ports);
        Doc().ApplyPortSettings();
    }
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
        QCOMPARE(f.RightHeader()->ShownText(), QString("Memory - CH 1"));
        QCOMPARE(f.Tree()->SelectedId(), int(kViewMemoryLMR));
        QCOMPARE(f.GetCurrentViewId(), int(kViewMemoryLMR));
        QVERIFY(f.CommandState(ECommand::Com1).checked);
        QVERIFY(f.CommandState(ECommand::ModelLMR).checked);
        QVERIFY(!f.CommandState(ECommand::ModelPMR).checked);
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
        QStringList expected = {model ? "PMR" : "LMR"};
        if (maker) expected << "Maker Reserved";
        expected << "Common Setting" << "Key&Display" << "Common" << "Expert" << "Memory CH"
                 << "Multiple Tone";
        for (int set = 1; set <= 32; ++set)
            expected << QString("CH %1").arg(set);
        expected << "DTMF" << "RX Code CH" << "TX Code CH(Autodial)" << "RX System Code"
                 << "TX System Code" << "DTMF Setting";
        if (model)
            expected << "5Tone" << "RX Code CH" << "RX Code Setting" << "TX Code CH"
                     << "TX Code Setting" << "Format" << "User Tone";
        else
            expected << "2Tone" << "RX Code CH" << "RX Code Setting" << "TX Code";
        QCOMPARE(TreeLabels(*s.Frame().Tree()), expected);
        QCOMPARE(s.Frame().ExtraPane()->text(),
                 maker ? QString("****** Maker Reserved ******") : QString("      "));
        // The memory item stays selected through the change.
        QCOMPARE(s.Frame().Tree()->SelectedId(), MemoryViewOf(model));
    }

    void selectionShowsViewAndTitle_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("view");
        QTest::newRow("multiple tone 17") << 19 << "Multiple Tone:CH 17 - No. 1" << 19;
        QTest::newRow("multiple tone 3") << 5 << "Multiple Tone:CH 3 - No. 1" << 5;
        QTest::newRow("key and display")
            << int(kViewKeyDisp) << "Common Setting:Key & Display Assign     " << int(kViewKeyDisp);
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
        s.Frame().OnCommand(ECommand::ModelPMR);
        QCOMPARE(s.LastBox(), QString(kChangeModelText));
        QCOMPARE(s.Doc().Model(), afterModel);
        QCOMPARE(s.Frame().Tree()->SelectedId(), afterItem);
        QCOMPARE(s.Frame().GetCurrentViewId(), afterView);
        QCOMPARE(s.Frame().CommandState(ECommand::ModelPMR).checked, afterModel == 1);
        QCOMPARE(s.Doc().IsModified(), afterModel == 0);
        // The variant already chosen asks nothing.
        const size_t boxes = s.Ui().Boxes().size();
        s.Frame().OnCommand(afterModel ? ECommand::ModelPMR : ECommand::ModelLMR);
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
        for (ECommand id : {ECommand::New, ECommand::Open, ECommand::SaveAs, ECommand::Read, ECommand::Write, ECommand::Information})
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
        s.Frame().OnCommand(ECommand::Help);
        auto* browser = s.Frame().findChild<QTextBrowser*>();
        QVERIFY(browser);
        QVERIFY(browser->toPlainText().contains("Troubleshooting"));
    }

    void aMissingPortIsReported() {
        SApp s;
        QVERIFY(s.ok);
        s.UsePort(m_config.filePath("no-such-port"));
        s.answers = {EAnswer::Ok, EAnswer::Ok};
        s.Frame().Action(ECommand::Information)->trigger();
        const auto& boxes = s.Ui().Boxes();
        QCOMPARE(boxes.size(), size_t(2));
        QVERIFY(boxes[0].text.startsWith(" not Open "));
        QCOMPARE(boxes[1].text, QString::fromStdString(LoadMessage(EMsg::CheckPortAndPower)));
        QCOMPARE(boxes[1].icon, EIcon::Stop);
        QCOMPARE(s.Frame().MessagePane()->text(),
                 QString::fromStdString(LoadMessage(EMsg::CannotAccessPort)));
        QCOMPARE(s.Ui().BeepsPlayed().size(), size_t(0));
        // The status text lasts until the next command.
        s.Frame().Action(ECommand::Com2)->trigger();
        QCOMPARE(s.Frame().MessagePane()->text(), QString());
    }

    void commandsRouteAndShowState() {
        SApp s;
        QVERIFY(s.ok);
        CTolvarMainFrame& f = s.Frame();
        // A setting sheet takes no channel command.
        QVERIFY(f.Tree()->SelectId(kViewCommon));
        QVERIFY(f.CommandState(ECommand::EditMemory).enabled);
        for (ECommand id : {ECommand::PrioA, ECommand::Copy, ECommand::Paste, ECommand::Delete, ECommand::Insert})
            QVERIFY2(!f.CommandState(id).enabled, qPrintable(f.Action(id)->text()));
        f.OnCommand(ECommand::Com3);
        QCOMPARE(s.Doc().PortNumber(), 3);
        f.UpdateCommandUI();
        QVERIFY(f.Action(ECommand::Com3)->isChecked());
        QVERIFY(!f.Action(ECommand::Com1)->isChecked());
        QCOMPARE(s.app.Profile().PortNumber(), 3);
        // Cut and Undo are taken and do nothing.
        f.OnCommand(ECommand::Cut);
        f.OnCommand(ECommand::Undo);
        QVERIFY(!s.Doc().IsModified());
        QVERIFY(s.Ui().Boxes().empty());
        // Toolbar and status bar toggle with their check marks.
        f.show();
        const bool toolbar = f.CommandState(ECommand::Toolbar).checked;
        f.OnCommand(ECommand::Toolbar);
        QCOMPARE(f.CommandState(ECommand::Toolbar).checked, !toolbar);
        // F6 moves between the tree and the right-hand pane.
        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        f.Tree()->setFocus();
        QVERIFY(f.Tree()->hasFocus());
        f.OnCommand(ECommand::NextPane);
        QVERIFY(!f.Tree()->hasFocus());
        f.OnCommand(ECommand::PrevPane);
        QVERIFY(f.Tree()->hasFocus());
    }

    void saveOpenAndTheirRefusals() {
        SApp s;
        QVERIFY(s.ok);
        const QString saved = m_config.filePath("site.zcf");
        s.files = {saved};
        s.Frame().OnCommand(ECommand::SaveAs);
        QVERIFY(QFile::exists(saved));
        QCOMPARE(s.Frame().windowTitle(), QString("site.zcf - CS-Tolvar"));
        QVERIFY(!s.Doc().IsModified());

        // New on a modified document asks; Cancel keeps it as it is.
        s.Doc().SetModifiedFlag(true);
        s.answers = {EAnswer::Cancel};
        s.Frame().OnCommand(ECommand::New);
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
        s.Frame().OnCommand(ECommand::Open);
        QVERIFY(s.LastBox().startsWith("Unexpected file format."));
        QCOMPARE(s.Doc().PathName(), saved);
        QVERIFY(s.Doc().IsModified());
        QCOMPARE(s.Frame().windowTitle(), QString("site.zcf - CS-Tolvar"));

        // The saved file opens; it is the first recent file.
        s.answers = {EAnswer::No};
        QVERIFY(s.Doc().OpenDocumentFile(saved));
        QVERIFY(!s.Doc().IsModified());
        QCOMPARE(s.app.Profile().RecentFiles().front(), saved);
        QVERIFY(s.Frame().CommandState(ECommand::Recent1).enabled);
        QVERIFY(!s.Frame().CommandState(ECommand::Recent2).enabled);

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
            s.Frame().OnCommand(ECommand::Com2);
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
        s.UsePort("SIM");
        // Information: the dialog receives what the repeater says.
        SRepeaterInfo shown;
        s.Ui().SetInfoHook([&](const SRepeaterInfo& info) { shown = info; });
        s.Frame().OnCommand(ECommand::Information);
        QCOMPARE(QString::fromStdString(shown.ModelText()), QString("LMR"));
        QVERIFY(s.Ui().Boxes().empty());

        // Read: no question for an unmodified document, completed, modified after.
        s.Frame().OnCommand(ECommand::Read);
        QCOMPARE(s.Frame().MessagePane()->text(), QString::fromStdString(LoadMessage(EMsg::CloningCompleted)));
        QVERIFY(s.Doc().IsModified());
        QVERIFY(s.Ui().Boxes().empty());
        QVERIFY(s.Frame().centralWidget()->isEnabled() && s.Frame().menuBar()->isEnabled());
        QCOMPARE(s.Ui().BeepsPlayed().back().front().frequency, 1000);

        // Write: the question, then the success box.
        s.answers = {EAnswer::Ok, EAnswer::Ok};
        s.Frame().OnCommand(ECommand::Write);
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
        s.Frame().OnCommand(ECommand::Read);
        esc.stop();
        QVERIFY(pressed);
        QCOMPARE(s.Frame().MessagePane()->text(), QString::fromStdString(LoadMessage(EMsg::TerminatedCloning)));
        QCOMPARE(s.Ui().Boxes().size(), size_t(1)); // the question only
        QVERIFY(!s.Ui().ProgressDialog()->isVisible());
        QVERIFY(s.Frame().centralWidget()->isEnabled() && s.Frame().menuBar()->isEnabled());
    }


    void startsOnScreenWithTheKeyboardInTheSheet() {
        // A position from another screen layout: the whole frame comes back on screen.
        QSettings profile("Velk", "CS-Tolvar");
        profile.clear();
        profile.setValue("Window Position/Left", -400);
        profile.setValue("Window Position/Top", -120);
        SApp s({"cs-tolvar"}, true);
        QVERIFY(s.ok);
        CTolvarMainFrame& f = s.Frame();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        const QRect screen = f.screen()->availableGeometry();
        QVERIFY2(screen.contains(f.frameGeometry()),
                 qPrintable(QString("%1,%2").arg(f.frameGeometry().x()).arg(f.frameGeometry().y())));
        // Down and Enter reach the memory sheet without a click.
        QWidget* focused = QApplication::focusWidget();
        QVERIFY(focused && focused->objectName() != "Slot1" && f.ListFrame()->isAncestorOf(focused));
        QTest::keyClick(focused, Qt::Key_Down);
        QCOMPARE(f.RightHeader()->TrailingText(), QString(" - CH 2"));
        bool edited = WithModal([&] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); },
                                [](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); });
        QVERIFY(edited);
        QVERIFY(f.ListFrame()->isAncestorOf(f.focusWidget()));
        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        // After Open too.
        const QString file = m_config.filePath("focus.zcf");
        QVERIFY(s.Doc().Data().Save(file.toStdString()) == EFileResult::Ok);
        s.files = {file};
        f.Action(ECommand::Open)->trigger();
        QCOMPARE(s.Doc().PathName(), file);
        focused = QApplication::focusWidget();
        QVERIFY(focused && f.ListFrame()->isAncestorOf(focused));
        QTest::keyClick(focused, Qt::Key_Down);
        QCOMPARE(f.RightHeader()->TrailingText(), QString(" - CH 3"));
    }

    void boxesAreCentredOverTheWindowAfterATransfer() {
        SApp s;
        QVERIFY(s.ok);
        s.UsePort("SIM");
        s.Ui().SetInfoHook([](const SRepeaterInfo&) {});
        s.Frame().Action(ECommand::Information)->trigger();
        QVERIFY(s.Ui().ProgressDialog());
        s.answers = {EAnswer::Cancel};
        s.Frame().Action(ECommand::Write)->trigger();
        QCOMPARE(s.Ui().Boxes().back().text, QString::fromStdString(LoadMessage(EMsg::WriteToRepeater)));
        QCOMPARE(s.Ui().Boxes().back().owner, &s.Frame());
    }

    void aGoneRecentFileSaysWhyAndLeavesTheList() {
        SApp s;
        QVERIFY(s.ok);
        const QString gone = m_config.filePath("gone.zcf");
        const QString kept = m_config.filePath("kept.zcf");
        s.app.Profile().SetRecentFiles({gone, kept});
        emit s.Doc().RecentFilesChanged();
        QAction* first = s.Frame().Action(ECommand::Recent1);
        QVERIFY(first->isEnabled());
        s.answers = {EAnswer::Ok};
        first->trigger();
        QVERIFY2(s.LastBox().contains(gone) && s.LastBox().contains("does not exist"),
                 qPrintable(s.LastBox()));
        QCOMPARE(s.app.Profile().RecentFiles(), QStringList{kept});
        QVERIFY(first->text().endsWith(kept));
        QVERIFY(!s.Frame().Action(ECommand::Recent2)->isVisible());
    }

    void aPartialFileLiesOverTheSavedDocument() {
        SApp s;
        QVERIFY(s.ok);
        // A saved name, then an edit the user discards when opening a partial file.
        CNode* name = s.Doc().Registry().Model()->GetNodeByPath("CommonSet.Common.Comment1");
        QVERIFY(name);
        name->SetText("SAVED");
        const QString saved = m_config.filePath("saved.zcf");
        s.files = {saved};
        s.Frame().Action(ECommand::SaveAs)->trigger();
        name->SetText("DISCARD");
        s.Doc().SetModifiedFlag(true);
        const QString part = m_config.filePath("part.zcf");
        QFile file(part);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("23680100\r\n#\r\n19F001AA\r\n");
        file.close();
        s.answers = {EAnswer::No, EAnswer::Ok};
        s.files = {part};
        s.Frame().Action(ECommand::Open)->trigger();
        QCOMPARE(QString::fromStdString(name->GetText()), QString("SAVED"));
        QVERIFY2(s.LastBox().contains("come from the document that was open"), qPrintable(s.LastBox()));
    }

    void exportAsPdfAddsItsExtension() {
        SApp s;
        QVERIFY(s.ok);
        const QString chosen = m_config.filePath("sheets");
        s.app.PrintJob()->SetFileChooser([&](const QString&) { return chosen; });
        s.Frame().Action(ECommand::ExportPdf)->trigger();
        QVERIFY(QFile::exists(chosen + ".pdf"));
        QVERIFY(!QFile::exists(chosen));
    }

private:
    QTemporaryDir m_config;
};

int main(int argc, char* argv[]) {
    return RunOffscreenTests<ShellTest>(argc, argv);
}

#include "ShellTest.moc"
