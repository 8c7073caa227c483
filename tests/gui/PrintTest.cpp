// Printing, offscreen: every job goes to a PDF file whose pages are read back as
// text (pdftotext): the sheets and their order, the page header and footer, the
// column slices of a wide sheet, the multiple-tone sets, the jobs that print
// nothing, Cancel, the preview, the PDF export and the command line.
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QPushButton>
#include <QSet>
#include <QStandardPaths>

#include "SheetEditing.h"
#include "document/ViewTable.h"
#include "shell/PrintJob.h"

namespace {

const QString kFooter = QStringLiteral("CS-Tolvar Revision 1.4");

// The program with the printer choice answered: a PDF file, or no printer.
struct SPrintApp : SEditingApp {
    int choices = 0;    // times the printer choice was asked
    bool choose = true; // the answer to it
    QString outputFile; // where the chosen printer writes; empty: no printer

    SPrintApp(int model, const QString& file) : SEditingApp(model), outputFile(file) {
        QFile::remove(file);
        Job().SetDialogRunner([this](QPrinter& printer) {
            ++choices;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(outputFile);
            printer.setPageSize(QPageSize(QPageSize::A4));
            printer.setPageOrientation(QPageLayout::Portrait);
            return choose;
        });
    }
    CPrintJob& Job() { return *app.PrintJob(); }
    // Runs a command as its menu item does.
    void Trigger(ECommand command) { Frame().Action(command)->trigger(); }
    CListSheet* Sheet() { return qobject_cast<CListSheet*>(Frame().ListFrame()->CurrentSheet()); }
};

// The pages of a PDF file as text, laid out as printed.
QStringList PdfPages(const QString& path) {
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {"-layout", path, "-"});
    if (!text.waitForFinished(60000) || text.exitCode() != 0)
        return {};
    QStringList pages = QString::fromUtf8(text.readAllStandardOutput()).split('\f');
    if (!pages.isEmpty() && pages.back().trimmed().isEmpty())
        pages.pop_back();
    return pages;
}

QStringList Lines(const QString& page) {
    QStringList lines;
    for (const QString& line : page.split('\n'))
        if (!line.trimmed().isEmpty())
            lines << line.trimmed();
    return lines;
}

QStringList Words(const QString& text) {
    return text.split(' ', Qt::SkipEmptyParts);
}

// The page headers with repeats folded: one entry per printed sheet.
QStringList SheetRuns(const QStringList& pages) {
    QStringList runs;
    for (const QString& page : pages) {
        const QString header = Lines(page).value(0);
        if (runs.isEmpty() || runs.back() != header)
            runs << header;
    }
    return runs;
}

} // namespace

class PrintTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString File(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void initTestCase() {
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(),
                 "pdftotext (poppler-utils) is needed: make test installs it");
    }

    // Print All: the variant's sheets in the queue's order (the core's), each under its
    // own name and with the footer, the shown sheet left on its set; Export as PDF and
    // the preview draw the same pages.
    void printAllExportAndPreviewDrawTheSamePages() {
        SPrintApp s(ModelLMR, File("all.pdf"));
        // A tone of the second set; the seventh set shown while printing.
        s.Set("MultiTon.Ton20.CTonTx", "754i");
        QVERIFY(s.Frame().Tree()->SelectId(kViewMultiToneFirst + 6));
        const QString shownCell = s.Sheet()->Model().CellText(0, 0);
        s.Trigger(ECommand::PrintAll);
        QCOMPARE(s.choices, 1);
        // The sheet shown stays on its own set.
        QCOMPARE(s.Frame().GetCurrentViewId(), kViewMultiToneFirst + 6);
        QCOMPARE(s.Sheet()->View().set, 7);
        QCOMPARE(s.Sheet()->Model().CellText(0, 0), shownCell);
        // The views the queue names, in its order, each under its own name.
        QStringList expected;
        for (int id : s.Job().Queue())
            expected << QString::fromStdString(ViewOf(id)->name);
        const QStringList pages = PdfPages(s.outputFile);
        QCOMPARE(int(pages.size()), s.Job().LastPageCount());
        QCOMPARE(SheetRuns(pages), expected);
        for (const QString& page : pages)
            QCOMPARE(Lines(page).back(), kFooter);
        // Each multiple-tone set prints its own tones.
        QStringList toneSheets;
        for (const QString& page : pages)
            if (page.contains("754i"))
                toneSheets << Lines(page).front();
        QCOMPARE(toneSheets, QStringList{"Multiple Tone 2"});

        // A name chosen without an extension gets ".pdf".
        const QString exported = File("export");
        QString suggested;
        s.Job().SetFileChooser([&](const QString& name) {
            suggested = name;
            return exported;
        });
        s.Trigger(ECommand::ExportPdf);
        QVERIFY(suggested.endsWith("Untitled.pdf"));
        QVERIFY(!QFile::exists(exported));
        QCOMPARE(PdfPages(exported + ".pdf"), pages);

        int previewPages = -1;
        s.Job().SetPreviewRunner([&](QPrintPreviewDialog& preview) {
            auto* widget = preview.findChild<QPrintPreviewWidget*>();
            QVERIFY(widget);
            widget->updatePreview();
            previewPages = widget->pageCount();
        });
        s.Trigger(ECommand::PrintPreview);
        QCOMPARE(previewPages, int(pages.size()));
    }

    // The widest sheet (PMR memory) in slices of columns, each starting with the row
    // titles. Which rows and columns go on which page is the core's layout (the page
    // headers and footers: Print All); here the first block's slices show the column
    // titles once, every channel is printed and the name column lies on one slice.
    void wideSheetPrintsInSlicesRepeatingTheRowTitles() {
        SPrintApp s(ModelPMR, File("memory.pdf"));
        s.UseChannel(5, "145.125", "HILLTOP");
        const int memory = MemoryViewOf(ModelPMR); // the sheet shown at the start
        s.Trigger(ECommand::PrintCurrent);
        QCOMPARE(s.Job().Queue(), std::vector<int>{memory});

        // The column titles the sheet shows; those of columns 1.. as words.
        const CSheetModel& shown = s.Sheet()->Model();
        auto title = [&](int c) {
            return shown.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        };
        QStringList others;
        for (int c = 1; c < shown.columnCount(); ++c)
            others << Words(title(c));
        const QStringList pages = PdfPages(s.outputFile);
        QStringList firstBlock;
        int slices = 0;
        QSet<int> channels;
        for (const QString& page : pages) {
            const QStringList lines = Lines(page);
            QStringList titles = Words(lines.value(1));
            QCOMPARE(titles.takeFirst(), title(0));
            if (Words(lines.value(2)).value(0) == "1") {
                firstBlock << titles;
                ++slices;
            }
            for (int l = 2; l < lines.size() - 1; ++l)
                channels << Words(lines[l]).value(0).toInt();
        }
        QCOMPARE(firstBlock, others);
        QVERIFY2(slices > 1, "the sheet is wider than the page");
        QCOMPARE(channels.size(), 32);
        QCOMPARE(int(pages.join('\f').count("HILLTOP")), 1);
    }

    // Jobs that print nothing: view 0 (no printer choice), the choice cancelled, no
    // printer, a file that cannot be written; a failure is told in a box.
    void jobsThatPrintNothing() {
        const QString none = File("nothing.pdf");
        // clang-format off
        struct SCase { bool groupSelected, choose; QString output; int choices; QString box; };
        const SCase cases[] = {
            {true, true, none, 0, {}},
            {false, false, none, 1, {}},
            {false, true, {}, 1, "There is no printer.\nBefore you can print, you need to install a printer."},
            {false, true, "/nonexistent-folder/out.pdf", 1, "The file /nonexistent-folder/out.pdf cannot be written."},
        };
        // clang-format on
        for (const SCase& c : cases) {
            SPrintApp s(0, none);
            s.choose = c.choose;
            s.outputFile = c.output;
            if (c.groupSelected)
                QVERIFY(s.Frame().Tree()->SelectId(kGroupDtmf));
            QCOMPARE(s.Frame().GetCurrentViewId(), c.groupSelected ? 0 : 1);
            s.Trigger(ECommand::PrintCurrent);
            QCOMPARE(s.choices, c.choices);
            QVERIFY(!QFile::exists(none));
            QCOMPARE(s.boxes, c.box.isEmpty() ? QStringList() : QStringList{c.box});
            QCOMPARE(s.Job().LastPageCount(), 0);
        }
    }

    void cancelStopsTheJob() {
        SPrintApp s(0, File("cancelled.pdf"));
        bool shown = false;
        s.Job().SetPageHook([&](int page) {
            CPrintAbortDialog* abort = s.Job().AbortDialog();
            QVERIFY(abort && abort->isVisible());
            QCOMPARE(abort->windowTitle(), QString("Print"));
            QCOMPARE(abort->findChild<QLabel*>()->text(), QString("Now Printing"));
            shown = true;
            if (page == 1)
                QTest::mouseClick(abort->CancelButton(), Qt::LeftButton);
        });
        s.Trigger(ECommand::PrintAll);
        QVERIFY(shown);
        QCOMPARE(s.Job().LastPageCount(), 1);
        QVERIFY2(!QFile::exists(s.outputFile), "a cancelled file is removed");
        QVERIFY(!s.Job().AbortDialog());
    }

    // --print-pdf: the pages the program prints, or the view asked for, without a
    // window; the refusals and their exit codes (a file the core refuses: 2). The
    // profile is left as it was.
    void printsAFileWithoutAWindow() {
        // A PMR file, while the profile keeps LMR.
        QString inApp;
        const QString data = File("site.zcf");
        {
            SPrintApp s(1, File("inapp.pdf"));
            s.UseChannel(3, "145.125", "RIDGE");
            QVERIFY(s.Doc().Data().Save(data.toStdString()) == EFileResult::Ok);
            s.Trigger(ECommand::PrintAll);
            inApp = PdfPages(s.outputFile).join('\f');
        }
        QSettings("Velk", "CS-Tolvar").setValue("Model/ModelVer", 0);
        struct SRun {
            QStringList arguments;
            int status;
            bool written;
            QString error; // a line of stderr starts with it
        };
        const QString out = File("cli.pdf");
        const std::vector<SRun> runs = {
            {{data, out}, 0, true, {}},
            {{data, out, "--view", "2"}, 0, true, {}},
            {{data, out, "--view", "0"}, 0, false, {}},
            {{data, out, "--view", "40"}, 64, false, "cs-tolvar: view 40 is not shown"},
            {{data, out, "--view", "53"}, 64, false, "cs-tolvar: --view needs a view id"},
            {{data}, 64, false, "cs-tolvar: --print-pdf needs a data file and a PDF file"},
            {{File("missing.zcf"), out}, 2, false, "CANNOT_OPEN_FILE"},
            {{data, "/nonexistent-folder/x.pdf"}, 74, false, "cs-tolvar: The file"},
        };
        for (const SRun& run : runs) {
            QFile::remove(out);
            QProcess program;
            program.start(TOLVAR_GUI_BIN, QStringList{"--print-pdf"} + run.arguments);
            QVERIFY(program.waitForFinished(120000));
            const QString error = QString::fromUtf8(program.readAllStandardError());
            QVERIFY2(program.exitCode() == run.status,
                     qPrintable(run.arguments.join(' ') + ": " + error));
            QCOMPARE(QFile::exists(out), run.written);
            if (!run.error.isEmpty())
                QVERIFY2(error.contains("\n" + run.error) || error.startsWith(run.error),
                         qPrintable(error));
            if (run.arguments.size() == 2 && run.status == 0)
                QCOMPARE(PdfPages(out).join('\f'), inApp);
            if (run.arguments.contains("--view") && run.written) {
                const QStringList pages = PdfPages(out);
                QCOMPARE(SheetRuns(pages), QStringList{"Memory Channel"});
                QCOMPARE(int(pages.join('\f').count("RIDGE")), 1);
            }
        }
        QCOMPARE(QSettings("Velk", "CS-Tolvar").value("Model/ModelVer").toInt(), 0);
        QVERIFY(
            QSettings("Velk", "CS-Tolvar").value("Recent File List/File1").toString().isEmpty());
    }
};

int main(int argc, char* argv[]) {
    return RunOffscreenTests<PrintTest>(argc, argv);
}

#include "PrintTest.moc"
