// The window's safety net: against the simulator, the progress dialog says what it
// does and stops from its Cancel button, a read gives an untitled document, and the
// questions whose yes cannot be taken back answer no on Enter; a write verified by
// reading it back, comparisons with a file and with the repeater listed in their own
// window that leads to the rows, the backups of every transfer; import and export of
// JSON and CSV files, an import being one undo step.
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTreeWidget>
#include <QTemporaryDir>

#include "SheetEditing.h"
#include "datamodel/EditHistory.h"
#include "datamodel/Messages.h"
#include "document/TolvarPortFactory.h"
#include "shell/BackupsDialog.h"
#include "shell/CompareWindow.h"
#include "shell/MessageView.h"
#include "shell/PrintJob.h"
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

// The backups kept so far, newest first; the folder starts empty for each test.
QStringList Backups(SEditingApp& s, bool clear = false) {
    QDir folder(QString::fromStdString(s.Doc().Backups().Folder()));
    if (clear) folder.removeRecursively();
    return folder.entryList({"*.zcf"}, QDir::Files, QDir::Name | QDir::Reversed);
}

// The first difference listed, as its columns show it.
QStringList FirstDifference(CCompareWindow& window) {
    QTreeWidgetItem* group = window.List()->topLevelItem(0);
    if (!group || !group->child(0)) return {};
    return {group->text(0), group->child(0)->text(0), group->child(0)->text(1), group->child(0)->text(2)};
}

const char* const kComment = "CommonSet.Common.Comment1";

} // namespace

struct SVerifyCase {
    const char* tag;
    const char* fault;
    bool cancel; // Cancel pressed while it reads back
    const char* status;
    const char* box; // the box after the write question; "" for none
    int backups;
};

const SVerifyCase kVerifyCases[] = {
    {"verified", "", false, " Verified: the repeater holds the data written.",
     "Verified: the repeater holds the data written.", 2},
    {"a changed byte", "changed-byte", false,
     " Verify: the repeater differs from the data written in 1 field.", "", 2},
    {"read-back fails", "silent-after=3", false, " The data was written; verifying it failed.",
     "The data was written to the repeater, but reading it back to verify it failed", 1},
    {"read-back cancelled", "", true, " The data was written; verifying it was cancelled.", "", 1},
};

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

    // Verify after write is a checked Clone menu item kept in the profile, off at
    // first. The write then reads the repeater back: verified; a repeater that keeps a
    // byte changed lists the field in the compare window; a read-back that fails or
    // is cancelled says the write itself succeeded. Each image is kept as a backup.
    void verifyAfterWrite_data() { AddCases(kVerifyCases); }
    void verifyAfterWrite() {
        QFETCH(int, index);
        const SVerifyCase& c = kVerifyCases[index];
        SEditingApp s(0);
        UseSimulator(s);
        Backups(s, true);
        QAction* verify = s.Frame().Action(ECommand::VerifyAfterWrite);
        QVERIFY(verify->isCheckable() && !verify->isChecked());
        verify->trigger();
        QVERIFY(verify->isChecked() && s.app.Profile().VerifyAfterWrite());
        s.app.Ports().Simulator().WithRepeater([&](CSimulatedRepeater& r) {
            std::string error;
            if (*c.fault) QVERIFY(r.Faults().Add(c.fault, error));
            // Slow from the write on, so that the read-back can be cancelled.
            if (c.cancel) r.onWritten = [&r](const CEepromImage&) { r.SetPacing(true); };
        });
        bool cancelled = false;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            CCloneProgressDialog* dialog = s.app.Interaction()->ProgressDialog();
            if (!c.cancel || cancelled || !dialog || !dialog->Text().startsWith("Reading")) return;
            QTest::mouseClick(dialog->CancelButton(), Qt::LeftButton);
            cancelled = true;
        });
        watch.start(10);
        s.Set(kComment, "SITE NORTH");
        s.boxes.clear();
        s.Frame().Action(ECommand::Write)->trigger();
        watch.stop();
        QCOMPARE(StatusText(s), QString(c.status));
        QCOMPARE(s.boxes.size(), *c.box ? 2 : 1);
        QVERIFY2(s.boxes.last().contains(*c.box ? c.box : "Write to repeater"), qPrintable(s.boxes.last()));
        const QStringList backups = Backups(s);
        QCOMPARE(backups.size(), c.backups);
        QVERIFY2(backups.last().contains("_write_LMR_SITE_NORTH"), qPrintable(backups.last()));
        CCompareWindow* window = s.Frame().CompareWindow();
        QCOMPARE(window && window->isVisible(), QString(c.fault) == "changed-byte");
        if (window) {
            // "SITE NORTH" came back as "RITE NORTH": the first letter's lowest bit.
            QCOMPARE(FirstDifference(*window),
                     (QStringList{"Common Setting:Common", "Clone Comment > (1)", "SITE NORTH", "RITE NORTH"}));
            QCOMPARE(window->List()->headerItem()->text(1), QString("Written"));
        }
    }

    // File > Compare With... and Clone > Compare With Repeater list what differs and
    // leave the document as it was; Enter on a difference shows its row; Ctrl+C
    // copies the list, Print prints it; no difference is one line.
    void compareWithFileAndRepeater() {
        SEditingApp s(0);
        UseSimulator(s);
        Backups(s, true);
        const QString prepared = m_dir.filePath("factory.zcf");
        QVERIFY(s.Doc().Data().Save(prepared.toStdString()) == EFileResult::Ok);
        s.Set(kComment, "SITE NORTH");
        s.Doc().SetFileChooser([&](bool, const QString&) { return prepared; });
        s.Frame().Action(ECommand::CompareFile)->trigger();
        CCompareWindow* window = s.Frame().CompareWindow();
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->Summary()->text(), QString("1 field differs between Untitled and factory.zcf."));
        const QStringList difference{"Common Setting:Common", "Clone Comment > (1)", "SITE NORTH", ""};
        QCOMPARE(FirstDifference(*window), difference);

        QTest::keyClick(window->List(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), window->Text());
        QVERIFY2(window->Text().contains("Common Setting:Common > Clone Comment > (1): \"SITE NORTH\" -> \"\""),
                 qPrintable(window->Text()));
        const QString pdf = m_dir.filePath("differences.pdf");
        s.app.PrintJob()->SetDialogRunner([&](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        });
        QTest::mouseClick(window->PrintButton(), Qt::LeftButton);
        QVERIFY(QFileInfo(pdf).size() > 0);

        s.Show(kViewMemoryLMR);
        QTest::keyClick(window->List(), Qt::Key_Return);
        auto* sheet = dynamic_cast<CListSheet*>(s.Frame().ListFrame()->CurrentSheet());
        QVERIFY(sheet && s.Frame().GetCurrentViewId() != kViewMemoryLMR);
        QCOMPARE(QString::fromStdString(ViewTitle(s.Frame().GetCurrentViewId())), difference[0]);
        QVERIFY(sheet->GetSelectedRow() >= 0);
        QVERIFY(s.Cell(*sheet, sheet->GetSelectedRow(), 1).contains("SITE NORTH"));
        QCOMPARE(s.Frame().focusWidget(), &sheet->Grid());

        const QString undo = s.Frame().Action(ECommand::Undo)->text();
        s.Frame().Action(ECommand::CompareRepeater)->trigger();
        QCOMPARE(window->Summary()->text(), QString("1 field differs between Untitled and the repeater."));
        QCOMPARE(StatusText(s), QString(" Compared with the repeater: 1 field differs."));
        QCOMPARE(s.Text(kComment), QString("SITE NORTH"));
        QCOMPARE(s.Frame().Action(ECommand::Undo)->text(), undo);
        QCOMPARE(Backups(s).size(), 1);

        s.Doc().SetFileChooser([&](bool, const QString&) { return prepared; });
        QVERIFY(s.Doc().OpenDocumentFile(prepared));
        s.Frame().Action(ECommand::CompareFile)->trigger();
        QCOMPARE(window->Summary()->text(), QString("No differences between factory.zcf and factory.zcf."));
        QVERIFY(window->List()->isHidden());
    }

    // Every read is kept; File > Backups... lists them newest first and opens the one
    // chosen with Enter as an untitled document. A folder that cannot be made warns in
    // the status bar, and the read still succeeds.
    void backups() {
        SEditingApp s(0);
        UseSimulator(s);
        QVERIFY(Backups(s, true).isEmpty());
        s.Set(kComment, "SITE EAST");
        s.Frame().Action(ECommand::Write)->trigger();
        s.Frame().Action(ECommand::Read)->trigger();
        QCOMPARE(Backups(s).size(), 2);
        s.Set(kComment, "NOT SAVED");
        s.app.Interaction()->SetBoxHook([](const SBoxRecord& box) {
            return box.buttons == EButtons::YesNoCancel ? EAnswer::No : EAnswer::Ok;
        });
        QStringList row;
        QVERIFY(WithModal([&] { s.Frame().Action(ECommand::Backups)->trigger(); }, [&](QDialog& d) {
            QTreeWidget* list = static_cast<CBackupsDialog&>(d).List();
            for (int column = 1; column < 4; ++column) row << list->currentItem()->text(column);
            QCOMPARE(list->topLevelItemCount(), 2);
            QTest::keyClick(list, Qt::Key_Return);
        }));
        QCOMPARE(row, (QStringList{"read", "LMR", "SITE EAST"}));
        QCOMPARE(s.Frame().windowTitle(), QString("Untitled - CS-Tolvar"));
        QCOMPARE(s.Text(kComment), QString("SITE EAST"));

        const QString folder = QString::fromStdString(s.Doc().Backups().Folder());
        Backups(s, true);
        QFile blocker(folder); // a file where the folder should be
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        s.Frame().Action(ECommand::Read)->trigger();
        QVERIFY2(StatusText(s).startsWith(QString::fromStdString(LoadMessage(EMsg::CloningCompleted)) +
                                          " Warning: no backup was kept in " + folder + ": "),
                 qPrintable(StatusText(s)));
        QVERIFY(QFile::remove(folder));
    }

    // Export as CSV and JSON    // Export as CSV and JSON (by the name's extension); a channel CSV imports as one
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
