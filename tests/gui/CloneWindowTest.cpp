// The window's safety net: against the simulator, the progress dialog says what it
// does and stops from its Cancel button, a read gives an untitled document, and the
// questions whose yes cannot be taken back answer no on Enter; import and export of
// JSON and CSV files, an import being one undo step.
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "SheetEditing.h"
#include "datamodel/EditHistory.h"
#include "datamodel/Messages.h"
#include "document/TolvarPortFactory.h"
#include "shell/MessageView.h"
#include "shell/ProgressDialog.h"
#include "shell/QtInteraction.h"

namespace {

// COM1 reaches the simulator; pacing makes a transfer last long enough to watch.
void UseSimulator(SEditingApp& s, bool paced = false) {
    CPortSettings ports;
    ports.SetComPath(1, "SIM");
    s.app.Profile().SetPortSettings(ports);
    s.Doc().ApplyPortSettings();
    s.app.Ports().Simulator().WithRepeater([paced](CSimulatedRepeater& r) { r.SetPacing(paced); });
}

QString StatusText(SEditingApp& s) {
    return s.Frame().MessagePane()->text();
}

} // namespace

class CloneWindowTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;

private slots:
    // "Reading 42 %" while it reads; the Cancel button stops it as Esc does.
    void progressSaysWhatAndCancels() {
        SEditingApp s(0);
        UseSimulator(s, true);
        QStringList seen;
        bool clicked = false;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            CCloneProgressDialog* dialog = s.app.Interaction()->ProgressDialog();
            if (clicked || !dialog || !dialog->isVisible() || dialog->Position() < 5) return;
            seen << dialog->windowTitle() << dialog->Text();
            QVERIFY(dialog->CancelButton()->isVisible() && dialog->CancelButton()->isEnabled());
            QTest::mouseClick(dialog->CancelButton(), Qt::LeftButton);
            clicked = true;
        });
        watch.start(20);
        s.Frame().Action(ECommand::Read)->trigger();
        watch.stop();
        QVERIFY(clicked);
        QCOMPARE(seen.value(0), QString("Cloning"));
        QVERIFY2(QRegularExpression("^Reading \\d+ %$").match(seen.value(1)).hasMatch(),
                 qPrintable(seen.value(1)));
        QCOMPARE(StatusText(s), QString::fromStdString(LoadMessage(EMsg::TerminatedCloning)));
        QVERIFY(!s.Registry().History().CanUndo());
    }

    // A read leaves the file that was open untouched: the document is untitled, Save
    // asks for a name; undoing the read keeps it untitled.
    void aReadGivesAnUntitledDocument() {
        SEditingApp s(0);
        UseSimulator(s);
        const QString prepared = m_dir.filePath("prepared.zcf");
        QVERIFY(s.Doc().Data().Save(prepared.toStdString()) == EFileResult::Ok);
        QVERIFY(s.Doc().OpenDocumentFile(prepared));
        QCOMPARE(s.Frame().windowTitle(), QString("prepared.zcf - CS-Tolvar"));
        s.Frame().Action(ECommand::Read)->trigger();
        QCOMPARE(StatusText(s), QString::fromStdString(LoadMessage(EMsg::CloningCompleted)));
        QCOMPARE(s.Frame().windowTitle(), QString("Untitled* - CS-Tolvar"));
        QString asked;
        s.Doc().SetFileChooser([&](bool save, const QString&) {
            asked = save ? "save" : "open";
            return QString();
        });
        s.Frame().activateWindow(); // as a window manager does when the progress closes
        QVERIFY(QTest::qWaitForWindowActive(&s.Frame()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(asked, QString("save"));
        QCOMPARE(s.Doc().PathName(), QString());
    }

    // Enter on the write question and on the other-variant question answers no:
    // nothing is written.
    void irreversibleQuestionsDefaultToNo() {
        SEditingApp s(1); // a PMR document, an LMR repeater
        UseSimulator(s);
        s.app.Ports().Simulator().WithRepeater([](CSimulatedRepeater& r) { r.LoadFactoryImage(0); });
        s.Set("CommonSet.Common.Comment1", "NOT ARRIVING");
        s.app.Interaction()->SetBoxHook({});
        QStringList asked;
        auto enter = [&](QDialog& box) {
            asked << static_cast<QMessageBox&>(box).text();
            QTest::keyClick(&box, Qt::Key_Return);
        };
        QVERIFY(WithModal([&] { s.Frame().Action(ECommand::Write)->trigger(); }, enter));
        QCOMPARE(asked, QStringList{QString::fromStdString(LoadMessage(EMsg::WriteToRepeater))});
        // OK to the first: the other-variant question defaults to no as well.
        QList<SBoxRecord> questions;
        s.app.Interaction()->SetBoxHook([&](const SBoxRecord& box) {
            questions << box;
            return box.buttons == EButtons::OkCancelDefaultCancel ? EAnswer::Ok : EAnswer::No;
        });
        s.Frame().Action(ECommand::Write)->trigger();
        QCOMPARE(questions.size(), 2);
        QVERIFY(questions[1].text.contains("Write anyway?"));
        for (const SBoxRecord& question : questions) QVERIFY(DefaultsToNo(question.buttons));
        bool untouched = true;
        s.app.Ports().Simulator().WithRepeater([&](CSimulatedRepeater& r) {
            untouched = r.InformationBlock().size() > 0 &&
                        std::string(r.Image().Bytes().begin(), r.Image().Bytes().end())
                                .find("NOT ARRIVING") == std::string::npos;
        });
        QVERIFY(untouched);
    }

    // Export as CSV and JSON (by the name's extension); a channel CSV imports as one
    // step named after its file; a refused one names the row and column and changes
    // nothing.
    void importAndExport() {
        SEditingApp s(0);
        CListSheet& memory = s.Show(kViewMemoryLMR);
        QStringList chosen;
        s.Doc().SetFileChooser([&](bool, const QString&) { return chosen.takeFirst(); });
        chosen << m_dir.filePath("all") << m_dir.filePath("channels.csv");
        s.Frame().Action(ECommand::Export)->trigger();
        s.Frame().Action(ECommand::Export)->trigger();
        QFile json(m_dir.filePath("all.json")), csv(m_dir.filePath("channels.csv"));
        QVERIFY(json.open(QIODevice::ReadOnly) && csv.open(QIODevice::ReadOnly));
        QVERIFY(json.readAll().startsWith("{"));
        QVERIFY(csv.readLine().startsWith("CH,CH Atr,"));

        const QString good = m_dir.filePath("import.csv"), bad = m_dir.filePath("bad.csv");
        for (const auto& [path, text] : {std::pair{good, "CH,Rx Frequency,Text\n4,146.500,IMPORTED\n"},
                                         std::pair{bad, "CH,Rx Frequency\n5,999.999\n"}}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(text);
        }
        chosen << good;
        s.Frame().Action(ECommand::Import)->trigger();
        QCOMPARE(s.Cell(memory, 3, 8), QString("IMPORTED"));
        QCOMPARE(s.Frame().Action(ECommand::Undo)->text(), QString("&Undo Import import.csv"));
        chosen << bad;
        s.boxes.clear();
        s.Frame().Action(ECommand::Import)->trigger();
        QCOMPARE(s.boxes.size(), 1);
        QVERIFY2(s.boxes[0].startsWith("Nothing was imported from " + bad + ":\n\nrow 2, column \"Rx Frequency\""),
                 qPrintable(s.boxes[0]));
        QCOMPARE(s.Cell(memory, 4, 3), QString());
        QCOMPARE(s.Frame().Action(ECommand::Undo)->text(), QString("&Undo Import import.csv"));
        memory.Grid().setFocus();
        QTest::keyClick(&memory.Grid(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(s.Cell(memory, 3, 8), QString());
    }
};

int main(int argc, char* argv[]) {
    return RunOffscreenTests<CloneWindowTest>(argc, argv);
}

#include "CloneWindowTest.moc"
