// The grid and the memory channel sheets, offscreen: cell texts from the nodes, the
// Edit commands with their states, the clipboard record, delete and insert.
#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QLabel>
#include <QMimeData>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <deque>

#include "datamodel/DataManagers.h"
#include "datamodel/memmap/ChannelEditing.h"
#include "datamodel/nodes/Node.h"
#include "document/NavigationTree.h"
#include "editors/ListGrid.h"
#include "editors/sheets/MchSheet.h"
#include "editors/sheets/Sheets.h"
#include "shell/Document.h"
#include "shell/ListFrame.h"
#include "shell/MainFrame.h"
#include "shell/MessageView.h"
#include "shell/QtInteraction.h"
#include "shell/TolvarApp.h"
#include "GuiTestApp.h"
#include "shell/TreeView.h"

namespace {

struct SSheetApp {
    CTolvarApp app;
    std::deque<EAnswer> answers;

    explicit SSheetApp(int model) {
        ok = StartTestApp(app, model, [this](const SBoxRecord&) {
            if (answers.empty()) return EAnswer::Cancel;
            const EAnswer a = answers.front();
            answers.pop_front();
            return a;
        });
    }
    CTolvarMainFrame& Frame() { return *app.MainFrame(); }
    CTolvarMchSheet& Sheet() {
        return *static_cast<CTolvarMchSheet*>(Frame().ListFrame()->CurrentSheet());
    }
    CChannelEditor Channels() { return CChannelEditor(app.Document()->Registry()); }
    void Use(int channel, const char* freq, const char* name) {
        CNode& holder = *Channels().Holder(channel);
        holder.FindChild("ChOn")->SetValue(1);
        holder.FindChild("FreqRx")->SetText(freq);
        holder.FindChild("FreqTx")->SetText(freq);
        holder.FindChild("Text")->SetText(name);
    }
    QString Cell(int row, int column) { return Sheet().Grid().Model().CellText(row, column); }
    bool ok = false;
};

} // namespace

class SheetTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;

private slots:
    void shortenText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("extra"); // width beyond the text's own
        QTest::addColumn<bool>("cut");
        QTest::newRow("fits exactly") << "145.12500" << 0 << false;
        QTest::newRow("one pixel short") << "145.12500" << -1 << true;
        QTest::newRow("empty") << "" << -100 << false;
    }
    void shortenText() {
        QFETCH(QString, text);
        QFETCH(int, extra);
        QFETCH(bool, cut);
        const QFontMetrics metrics(QApplication::font());
        const int inset = 12;
        const int width = metrics.horizontalAdvance(text) + inset + extra;
        const QString shown = ShortenText(text, width, inset, metrics);
        QCOMPARE(shown != text, cut);
        if (cut) {
            QVERIFY(shown.endsWith("..."));
            QVERIFY(shown.size() >= 4);
        }
        // Nothing is ever cut below one character and the dots.
        QCOMPARE(ShortenText("WIDE", 1, inset, metrics), QString("W..."));
    }

    void cellsFollowTheNodes_data() {
        QTest::addColumn<int>("model");
        QTest::newRow("LMR") << 0;
        QTest::newRow("PMR") << 1;
    }
    void cellsFollowTheNodes() {
        QFETCH(int, model);
        SSheetApp s(model);
        QVERIFY(s.ok);
        QCOMPARE(s.Frame().GetCurrentViewId(), MemoryViewOf(model));
        s.Use(3, "145.125", "BASE 1");
        s.Channels().SetPrioA(3);
        s.app.Document()->Registry().Model()->GetNodeByPath("Mch.CH3")->FindChild("CTonRx")->SetValue(4000);
        s.Sheet().OnUpdate();
        QCOMPARE(s.Sheet().RowCount(), 32);
        QCOMPARE(s.Cell(2, 0), QString("3"));
        QCOMPARE(s.Cell(2, 1), QString("A"));
        QCOMPARE(s.Cell(2, 3), QString("145.12500"));
        QCOMPARE(s.Cell(2, 4), QString("<-----"));
        QCOMPARE(s.Cell(2, 6), QString("Multi"));
        QCOMPARE(s.Cell(2, 7), QString("------"));
        QCOMPARE(s.Cell(2, 8), QString("BASE 1"));
        QCOMPARE(s.Cell(3, 3), QString()); // a blank channel shows only its number
        QCOMPARE(s.Cell(3, 0), QString("4"));
        QCOMPARE(s.Sheet().Grid().Model().headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(),
                 model ? QString("RX Frequency") : QString("Rx Frequency"));
        // The header strip names the selected channel.
        s.Sheet().SelectRow(4);
        QCOMPARE(s.Frame().RightHeader()->TrailingText(), QString(" - CH 5"));
    }

    void aChangedFieldRedrawsItsRowOnly() {
        SSheetApp s(0);
        QVERIFY(s.ok);
        s.Use(6, "145.5", "SIX");
        QTRY_COMPARE(s.Cell(5, 8), QString("SIX"));
        int changedCells = 0;
        connect(&s.Sheet().Grid().Model(), &QAbstractItemModel::dataChanged, this,
                [&](const QModelIndex& from, const QModelIndex& to) {
                    QCOMPARE(from.row(), 5);
                    QCOMPARE(to.row(), 5);
                    ++changedCells;
                });
        s.Channels().Holder(6)->FindChild("Text")->SetText("SIXTH");
        QTRY_COMPARE(s.Cell(5, 8), QString("SIXTH"));
        QCOMPARE(changedCells, 1);
    }

    void editCommandsAndTheirStates() {
        SSheetApp s(0);
        QVERIFY(s.ok);
        CTolvarMainFrame& f = s.Frame();
        s.Use(1, "145.125", "ONE");
        s.Use(2, "146.5", "TWO");
        s.Sheet().OnUpdate();
        s.Sheet().SelectRow(2);
        f.OnCommand(kCmdPrioA);
        QCOMPARE(s.Channels().PrioA(), 3);
        QVERIFY(f.CommandState(kCmdPrioA).checked);
        s.Sheet().SelectRow(1);
        QVERIFY(!f.CommandState(kCmdPrioA).checked);
        QVERIFY(s.app.Document()->IsModified());
        f.OnCommand(kCmdEmergency);
        QCOMPARE(s.Channels().Emergency(), 2);
        s.Sheet().SelectRow(5);
        f.OnCommand(kCmdEmergencyOff);
        QCOMPARE(s.Channels().Emergency(), 0);

        // Paste needs this sheet's record on the clipboard.
        QApplication::clipboard()->setText("just text");
        QVERIFY(!f.CommandState(kCmdPaste).enabled);
        s.Sheet().SelectRow(0);
        f.OnCommand(kCmdCopy);
        QVERIFY(QApplication::clipboard()->mimeData()->text().contains("145.12500"));
        s.Sheet().SelectRow(9);
        QVERIFY(f.CommandState(kCmdPaste).enabled);
        f.OnCommand(kCmdPaste);
        QCOMPARE(s.Cell(9, 8), QString("ONE"));
        QCOMPARE(s.Cell(9, 3), QString("145.12500"));

        // A record of the wrong size pastes nothing and says so.
        auto* bad = new QMimeData;
        bad->setData(s.Sheet().ClipboardFormat(), QByteArray(100, 'x'));
        QApplication::clipboard()->setMimeData(bad);
        s.Sheet().SelectRow(10);
        f.OnCommand(kCmdPaste);
        QCOMPARE(s.Cell(10, 8), QString());
        QVERIFY(f.MessagePane()->text().contains("nothing was pasted"));

        // Delete asks for a channel in use and moves the channels below up.
        s.Sheet().SelectRow(0);
        s.answers = {EAnswer::Yes};
        f.OnCommand(kCmdDelete);
        QCOMPARE(s.Cell(0, 8), QString("TWO"));
        QCOMPARE(s.Channels().PrioA(), 2);
        // Insert opens a blank channel at the selected row.
        f.OnCommand(kCmdInsert);
        QCOMPARE(s.Cell(0, 8), QString());
        QCOMPARE(s.Cell(1, 8), QString("TWO"));
        // Clear blanks the selected channel.
        s.Sheet().SelectRow(1);
        f.OnCommand(kCmdClear);
        QCOMPARE(s.Cell(1, 3), QString());
    }

    void keysOfTheSheet() {
        SSheetApp s(0);
        QVERIFY(s.ok);
        s.Frame().show();
        QVERIFY(QTest::qWaitForWindowActive(&s.Frame()));
        int edits = 0;
        s.Sheet().SetDialogRunner([&](QDialog&) {
            ++edits;
            return false;
        });
        s.Sheet().Grid().setFocus();
        QTest::keyClick(&s.Sheet().Grid(), Qt::Key_Down);
        QCOMPARE(s.Sheet().GetSelectedRow(), 1);
        QTest::keyClick(&s.Sheet().Grid(), Qt::Key_Return);
        QCOMPARE(edits, 1);
        QVERIFY(s.Sheet().Grid().hasFocus());
        // A click below the last row keeps the selection.
        s.Sheet().Grid().resize(600, 2000);
        QTest::mouseClick(s.Sheet().Grid().viewport(), Qt::LeftButton, {}, QPoint(20, 1990));
        QCOMPARE(s.Sheet().GetSelectedRow(), 1);
        QTest::keyClick(&s.Sheet().Grid(), Qt::Key_Tab);
        QVERIFY(s.Frame().Tree()->hasFocus());
    }

    void columnWidthsSurviveARestart() {
        {
            SSheetApp s(0);
            QVERIFY(s.ok);
            s.Sheet().Grid().setColumnWidth(3, 120);
            s.Sheet().Grid().setColumnWidth(8, 500); // dragged beyond the maximum
            QCOMPARE(s.Sheet().Grid().columnWidth(8), 500);
        }
        CTolvarApp again;
        again.SetSplashDuration(0);
        again.SetSheetMaker([](int slot, CTolvarCloneSupportDoc& doc, QWidget* parent) -> CSheetView* {
            return slot == 1 ? new CTolvarMchLMRSheet(doc, parent) : nullptr;
        });
        QVERIFY(again.InitInstance({"cs-tolvar"}));
        auto& sheet = *static_cast<CTolvarMchSheet*>(again.MainFrame()->ListFrame()->SheetOfSlot(1));
        QCOMPARE(sheet.Grid().columnWidth(3), 120);
        QCOMPARE(sheet.Grid().columnWidth(8), 200);
        QCOMPARE(sheet.Grid().columnWidth(9), 80); // the default
    }

    void whatTheSheetShowsIsWhatTheFileHolds() {
        SSheetApp s(1);
        QVERIFY(s.ok);
        s.Use(4, "446.00625", "PMR 4");
        CNode& holder = *s.Channels().Holder(4);
        holder.FindChild("CTonRx")->SetValue(3754);
        holder.FindChild("RPT")->SetValue(5);
        holder.FindChild("RPTLng")->SetValue(1);
        holder.FindChild("RxCNo2")->SetValue(1);
        s.Sheet().OnUpdate();
        QCOMPARE(s.Cell(3, 26), QString("5L"));
        const QString file = m_dir.filePath("pmr.zcf");
        QVERIFY(s.app.Document()->Data().Save(file.toStdString()) == EFileResult::Ok);
        QProcess get;
        get.start(TOLVAR_BIN, {"get", file, "Mch.CH4.FreqRx", "Mch.CH4.CTonRx", "Mch.CH4.Text",
                               "Mch.CH4.RPT"});
        QVERIFY(get.waitForFinished(30000));
        const QStringList lines = QString::fromUtf8(get.readAllStandardOutput()).split('\n');
        QCOMPARE(lines.value(0), s.Cell(3, 3));
        QCOMPARE(lines.value(1), s.Cell(3, 6));
        QCOMPARE(lines.value(2), s.Cell(3, 8));
        QCOMPARE(lines.value(1), QString("754i"));
        QCOMPARE(s.Cell(3, 30).size(), 8);
    }

    void theOtherVariantsRecordDoesNotPaste() {
        SSheetApp s(1);
        QVERIFY(s.ok);
        auto* lmr = new QMimeData;
        lmr->setData("VK-TolvarLMRClipboadData", QByteArray(int(kChannelRecordBytes), '\0'));
        QApplication::clipboard()->setMimeData(lmr);
        QVERIFY(!s.Frame().CommandState(kCmdPaste).enabled);
    }
};

int main(int argc, char* argv[]) {
    return RunOffscreenTests<SheetTest>(argc, argv);
}

#include "SheetTest.moc"
