// The desktop program, offscreen: start-up, tree and headers, commands and their
// states, the document's files, the profile, the lock, and clone operations against
// the simulator on the worker thread. Boxes are answered by a hook; none is shown.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLockFile>
#include <QScreen>
#include <QMenuBar>
#include <QSettings>
#include <QSplitter>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
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

// The program with a fresh (or the kept) profile, boxes answered from a queue (then
// Cancel) and the file chooser from a list.
struct SApp {
    CTolvarApp app;
    std::deque<EAnswer> answers;
    QStringList files; // answers of the file chooser

    explicit SApp(const QStringList& arguments = {"cs-tolvar"}, bool keepProfile = false) {
        if (!keepProfile) QSettings("Velk", "CS-Tolvar").clear();
        app.SetSplashDuration(0);
        if (!app.InitInstance(arguments))
            qFatal("the program did not start"); // ends the test program
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
};

// clang-format off
// Arguments, whether they ask for maker-reserved mode, and the file --open names.
struct SCommandLineCase { const char* tag; QStringList arguments; bool maker; const char* open; };
const SCommandLineCase kCommandLines[] = {
    {"none", {"x"}, false, ""},
    {"slash", {"x", "/VURARID"}, true, ""},
    {"dash mixed case", {"x", "-vUrArId"}, true, ""},
    {"without flag", {"x", "VURARID"}, false, ""},
    {"longer word", {"x", "/VURARIDX"}, false, ""},
    {"open", {"x", "--open", "a.zcf", "/vurarid"}, true, "a.zcf"},
    {"open without file", {"x", "--open"}, false, ""},
};

// A tree item selected: the header title and the view shown.
struct SSelectionCase { const char* tag; int id; const char* title; int view; };
const SSelectionCase kSelections[] = {
    {"multiple tone 17", 19, "Multiple Tone:CH 17 - No. 1", 19},
    {"key and display", kViewKeyDisp, "Common Setting:Key & Display Assign     ", kViewKeyDisp},
    {"DTMF group", kGroupDtmf, "      ", 0},
};

// A modified LMR document switched to PMR with an item selected and the question
// answered: the variant, the item and view selected after it.
struct SVariantChangeCase { const char* tag; int selected; EAnswer answer; int afterItem, afterView, afterModel; };
const SVariantChangeCase kVariantChanges[] = {
    {"DTMF RX system code", kViewDtmfRxSys, EAnswer::Yes, kViewDtmfRxSys, kViewDtmfRxSys, 1},
    {"2Tone TX code", kView2ToneTx, EAnswer::Yes, kGroup5Tone, 0, 1},
    {"answer no", kView2ToneTx, EAnswer::No, kView2ToneTx, kView2ToneTx, 0},
};
// clang-format on

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class ShellTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(m_config.isValid()); }

    void commandLine_data() { AddCases(kCommandLines); }
    void commandLine() {
        QFETCH(int, index);
        const SCommandLineCase& c = kCommandLines[index];
        QCOMPARE(ParseCommandLine(c.arguments).makerReserve, c.maker);
        QCOMPARE(ParseCommandLine(c.arguments).openFile, QString(c.open));
    }

    void startsWithDefaults() {
        SApp s({"cs-tolvar", "site.zcf"});
        CTolvarMainFrame& f = s.Frame();
        QCOMPARE(f.size(), QSize(500, 300));
        QCOMPARE(f.ColumnSplitter()->sizes().front(), 180);
        QCOMPARE(f.windowTitle(), QString("Untitled - CS-Tolvar"));
        QCOMPARE(f.LeftHeader()->ShownText(), QString("LMR"));
        QCOMPARE(f.RightHeader()->ShownText(), QString("Memory - CH 1"));
        QCOMPARE(f.GetCurrentViewId(), int(kViewMemoryLMR));
        QVERIFY(f.CommandState(ECommand::Com1).checked);
        QVERIFY(f.CommandState(ECommand::ModelLMR).checked);
        QVERIFY(!f.CommandState(ECommand::ModelPMR).checked);
        QVERIFY(f.minimumSize() == QSize(400, 200));
        QVERIFY(s.Ui().Boxes().empty());
    }

    void treeOfEachVariant_data() {
        QTest::addColumn<int>("model");
        QTest::addColumn<bool>("maker");
        QTest::newRow("LMR") << 0 << false;
        QTest::newRow("PMR") << 1 << false;
        QTest::newRow("PMR maker") << 1 << true;
    }
    void treeOfEachVariant() {
        QFETCH(int, model);
        QFETCH(bool, maker);
        SApp s;
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
        QStringList labels;
        for (QTreeWidgetItemIterator it(s.Frame().Tree()); *it; ++it)
            labels << (*it)->text(0);
        QCOMPARE(labels, expected);
        QCOMPARE(s.Frame().ExtraPane()->text(),
                 maker ? QString("****** Maker Reserved ******") : QString("      "));
        // The memory item stays selected through the change.
        QCOMPARE(s.Frame().Tree()->SelectedId(), MemoryViewOf(model));
    }

    void selectionShowsViewAndTitle_data() { AddCases(kSelections); }
    void selectionShowsViewAndTitle() {
        QFETCH(int, index);
        const SSelectionCase& c = kSelections[index];
        SApp s;
        QVERIFY(s.Frame().Tree()->SelectId(c.id));
        QCOMPARE(s.Frame().RightHeader()->ShownText(), QString(c.title));
        QCOMPARE(s.Frame().GetCurrentViewId(), c.view);
    }

    void variantChangeReselects_data() { AddCases(kVariantChanges); }
    void variantChangeReselects() {
        QFETCH(int, index);
        const SVariantChangeCase& c = kVariantChanges[index];
        SApp s;
        QVERIFY(s.Frame().Tree()->SelectId(c.selected));
        s.Doc().SetModifiedFlag(true);
        s.answers = {c.answer};
        s.Frame().OnCommand(ECommand::ModelPMR);
        QCOMPARE(s.LastBox(), QString(kChangeModelText));
        QCOMPARE(s.Doc().Model(), c.afterModel);
        QCOMPARE(s.Frame().Tree()->SelectedId(), c.afterItem);
        QCOMPARE(s.Frame().GetCurrentViewId(), c.afterView);
        QCOMPARE(s.Frame().CommandState(ECommand::ModelPMR).checked, c.afterModel == 1);
        QCOMPARE(s.Doc().IsModified(), c.afterModel == 0);
        // The variant already chosen asks nothing.
        const size_t boxes = s.Ui().Boxes().size();
        s.Frame().OnCommand(c.afterModel ? ECommand::ModelPMR : ECommand::ModelLMR);
        QCOMPARE(s.Ui().Boxes().size(), boxes);
    }

    void splashClosesOnAKey() {
        QSettings("Velk", "CS-Tolvar").clear();
        CTolvarApp app;
        app.SetSplashDuration(5000);
        QVERIFY(app.InitInstance({"cs-tolvar"}));
        QPointer<QDialog> splash = app.MainFrame()->findChild<QDialog*>("Splash");
        QVERIFY(splash && splash->isVisible());
        QTest::keyClick(app.MainFrame(), Qt::Key_A); // long before its 5 s are up
        QTRY_VERIFY_WITH_TIMEOUT(splash.isNull() || !splash->isVisible(), 1000);
    }

    void commandsRouteAndShowState() {
        SApp s;
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
        // Cut is taken and does nothing, as does Undo with nothing to undo.
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
        // Help shows the manual.
        QVERIFY(!CTolvarMainFrame::ManualPath().isEmpty());
        f.OnCommand(ECommand::Help);
        auto* browser = f.findChild<QTextBrowser*>();
        QVERIFY(browser && browser->toPlainText().contains("Troubleshooting"));
        // Commands that need the document wait while another edit runs.
        s.Doc().SetModifiedFlag(true);
        CEditScope running(s.Doc().Registry().EditGuard());
        QVERIFY(running.Entered());
        for (ECommand id : {ECommand::New, ECommand::Open, ECommand::SaveAs, ECommand::Read, ECommand::Write, ECommand::Information})
            f.OnCommand(id);
        QVERIFY(s.Ui().Boxes().empty());
        QVERIFY(s.Doc().IsModified());
    }

    void saveOpenAndTheirRefusals() {
        SApp s;
        const QString saved = m_config.filePath("site.zcf");
        s.files = {saved};
        s.Frame().OnCommand(ECommand::SaveAs);
        QVERIFY(QFile::exists(saved));
        QCOMPARE(s.Frame().windowTitle(), QString("site.zcf - CS-Tolvar"));
        QVERIFY(!s.Doc().IsModified());

        // Open on a modified document asks first; a refused file leaves title and
        // modified state.
        s.Doc().SetModifiedFlag(true);
        const QString bad = m_config.filePath("bad.zcf");
        QVERIFY(WriteFile(bad, "not a data file\r\n"));
        s.answers = {EAnswer::No, EAnswer::Ok};
        s.files = {bad};
        s.Frame().OnCommand(ECommand::Open);
        QCOMPARE(s.Ui().Boxes().front().text, QString("Save changes to %1?").arg(saved));
        QVERIFY(s.LastBox().startsWith("Unexpected file format."));
        QCOMPARE(s.Doc().PathName(), saved);
        QVERIFY(s.Doc().IsModified());
        QCOMPARE(s.Frame().windowTitle(), QString("site.zcf* - CS-Tolvar"));

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

    // Closing asks to save a modified document; the variant, port and window the
    // user left are there at the next start.
    void closingAsksToSaveAndTheProfileSurvives() {
        {
            SApp s;
            s.answers = {EAnswer::Yes};
            s.Doc().OnModel(1);
            s.Frame().OnCommand(ECommand::Com2);
            s.Frame().show();
            s.Frame().resize(640, 420);
            s.Doc().SetModifiedFlag(true);
            s.answers = {EAnswer::Cancel};
            QVERIFY(!s.Frame().close());
            QCOMPARE(s.LastBox(), QString("Save changes to Untitled?"));
            QVERIFY(s.Frame().isVisible());
            // The position was stored before the question.
            QCOMPARE(s.app.Profile().WindowPosition().rect.size(), QSize(640, 420));
            s.answers = {EAnswer::No};
            QVERIFY(s.Frame().close());
        }
        SApp again({"cs-tolvar"}, true);
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
        QVERIFY(WriteFile(InstanceLockPath(),
                          "999999\ncs-tolvar\n" + QSysInfo::machineHostName().toUtf8() + "\n"));
        SApp s; // starts
    }

    void cloneAgainstTheSimulator() {
        SApp s;
        // A port that cannot be opened: two boxes (their texts are the core's) and the
        // status text, which lasts until the next command.
        s.UsePort(m_config.filePath("no-such-port"));
        s.answers = {EAnswer::Ok, EAnswer::Ok};
        s.Frame().Action(ECommand::Information)->trigger();
        QCOMPARE(s.Ui().Boxes().size(), size_t(2));
        QCOMPARE(s.Frame().MessagePane()->text(),
                 QString::fromStdString(LoadMessage(EMsg::CannotAccessPort)));
        s.Frame().Action(ECommand::Com1)->trigger();
        QCOMPARE(s.Frame().MessagePane()->text(), QString());
        s.UsePort("SIM");
        s.Ui().ClearRecords();
        // Information: the dialog receives what the repeater says.
        SRepeaterInfo shown;
        s.Ui().SetInfoHook([&](const SRepeaterInfo& info) { shown = info; });
        s.Frame().Action(ECommand::Information)->trigger();
        QCOMPARE(QString::fromStdString(shown.ModelText()), QString("LMR"));
        QVERIFY(s.Ui().Boxes().empty());

        // Read: no question for an unmodified document, completed, modified after.
        s.Frame().OnCommand(ECommand::Read);
        QCOMPARE(s.Frame().MessagePane()->text(), QString::fromStdString(LoadMessage(EMsg::CloningCompleted)));
        QVERIFY(s.Doc().IsModified());
        QVERIFY(s.Ui().Boxes().empty());
        QVERIFY(s.Frame().centralWidget()->isEnabled() && s.Frame().menuBar()->isEnabled());
        QCOMPARE(s.Ui().BeepsPlayed().back().front().frequency, 1000);

        // Write: the question, centred over the window after the transfers before it,
        // then the success box.
        s.answers = {EAnswer::Ok, EAnswer::Ok};
        s.Frame().OnCommand(ECommand::Write);
        QCOMPARE(s.Ui().Boxes().front().text, QString::fromStdString(LoadMessage(EMsg::WriteToRepeater)));
        QCOMPARE(s.Ui().Boxes().front().owner, &s.Frame());
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
        CTolvarMainFrame& f = s.Frame();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        const QRect screen = f.screen()->availableGeometry();
        QVERIFY2(screen.contains(f.frameGeometry()),
                 qPrintable(QString("%1,%2").arg(f.frameGeometry().x()).arg(f.frameGeometry().y())));
        // The keys reach the memory sheet without a click (Enter and the editor: the
        // sheet test); the header strip names the selected channel.
        QWidget* focused = QApplication::focusWidget();
        QVERIFY(focused && focused->objectName() != "Slot1" && f.ListFrame()->isAncestorOf(focused));
        QTest::keyClick(focused, Qt::Key_Down);
        QCOMPARE(f.RightHeader()->TrailingText(), QString(" - CH 2"));
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

    // A recent file that is gone says why and leaves the list. What a partial file
    // holds lies over the document (the core's rule); the box says where the rest comes
    // from.
    void openSaysWhyAFileIsGoneOrPartial() {
        SApp s;
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

        const QString part = m_config.filePath("part.zcf");
        QVERIFY(WriteFile(part, "23680100\r\n#\r\n19F001AA\r\n"));
        s.answers = {EAnswer::Ok};
        s.files = {part};
        s.Frame().Action(ECommand::Open)->trigger();
        QCOMPARE(s.Doc().PathName(), part);
        QVERIFY2(s.LastBox().contains("come from the document that was open"), qPrintable(s.LastBox()));
    }

private:
    QTemporaryDir m_config;
};

int main(int argc, char* argv[]) {
    return RunOffscreenTests<ShellTest>(argc, argv);
}

#include "ShellTest.moc"
