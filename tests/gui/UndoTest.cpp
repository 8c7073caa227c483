// Undo, redo and blocks of channels, offscreen, by keys and menu clicks: every command
// that changes the document taken back with Ctrl+Z and made again with Ctrl+Y and
// Ctrl+Shift+Z, the menu texts, the title following the saved point, several rows
// selected with Shift, Ctrl and the mouse, block paste and its questions, and rows
// pasted from a spreadsheet.
#include <QAction>
#include <QClipboard>
#include <QMimeData>
#include <QTabWidget>
#include <QTemporaryDir>
#include <numeric>

#include "SheetEditing.h"
#include "datamodel/EditHistory.h"
#include "exchange/ChannelCsv.h"
#include "editors/PropSheet.h"
#include "editors/sheets/MchDialog.h"
#include "editors/sheets/SettingEditor.h"
#include "shell/TolvarApp.h"
#include "datamodel/Messages.h"
#include "document/TolvarPortFactory.h"

namespace {

// What the memory sheet shows, every row, with the variant.
QStringList Rows(SEditingApp& s, CListSheet& sheet) {
    QApplication::processEvents();
    QStringList rows{QString::number(s.Doc().Model())};
    for (int r = 0; r < sheet.RowCount(); ++r) {
        QString row;
        for (int c = 0; c < sheet.Model().columnCount(); ++c)
            row += sheet.Model().CellText(r, c) + '|';
        rows << row;
    }
    return rows;
}

void Press(QWidget* on, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(on ? on : QApplication::focusWidget(), key, modifiers);
    QApplication::processEvents();
}

// Clicks a row of the grid, with modifiers.
void ClickRow(CListSheet& sheet, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const QRect rect = sheet.Grid().visualRect(sheet.Model().index(row, 1));
    QTest::mouseClick(sheet.Grid().viewport(), Qt::LeftButton, modifiers, rect.center());
}

} // namespace

class UndoTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;

private slots:
    // Each command that changes the document: Ctrl+Z gives back what the sheet showed,
    // Ctrl+Y and Ctrl+Shift+Z what it showed after; the menu names the step.
    void everyCommandUndoesAndRedoes_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("step");
        QTest::newRow("edit") << "edit" << "Edit CH 2";
        QTest::newRow("prio a") << "prio" << "Prio A CH 2";
        QTest::newRow("emergency") << "emergency" << "Emergency CH 2";
        QTest::newRow("emergency off") << "emergency off" << "Emergency off";
        QTest::newRow("paste") << "paste" << "Paste CH 2";
        QTest::newRow("clear") << "clear" << "Clear CH 2";
        QTest::newRow("delete") << "delete" << "Delete CH 2";
        QTest::newRow("insert") << "insert" << "Insert CH 2";
        QTest::newRow("model") << "model" << "Model: PMR";
        QTest::newRow("read") << "read" << "Read from repeater";
        QTest::newRow("setting editor") << "setting" << "Edit Common";
    }
    void everyCommandUndoesAndRedoes() {
        QFETCH(QString, command);
        QFETCH(QString, step);
        SEditingApp s(0);
        s.UseChannel(1, "145.000", "ONE");
        s.UseChannel(2, "145.125", "TWO");
        s.UseChannel(3, "145.250", "THREE");
        s.Channels().SetEmergency(3);
        s.Registry().History().Clear();
        CListSheet& memory = s.Show(kViewMemoryLMR);
        QVERIFY(s.GoTo(memory, 0));
        Press(&memory.Grid(), Qt::Key_C, Qt::ControlModifier); // CH 1 on the clipboard
        QVERIFY(s.GoTo(memory, 1));
        QAction* undo = s.Frame().Action(ECommand::Undo);
        QAction* redo = s.Frame().Action(ECommand::Redo);
        QVERIFY(!undo->isEnabled() && !redo->isEnabled());
        QCOMPARE(undo->text(), QString("&Undo"));
        CListSheet& sheet = command == "setting" ? s.Show(kViewCommon) : memory;
        // The sheet shown, and the channels and comment whichever sheet shows them.
        auto state = [&] {
            auto& shown = *dynamic_cast<CListSheet*>(s.Frame().ListFrame()->CurrentSheet());
            const CTreeIndex index(*s.Registry().RadioData(), s.Doc().Model());
            std::vector<int> all(32);
            std::iota(all.begin(), all.end(), 1);
            return Rows(s, shown) << QString::fromStdString(ChannelTableText(index, all))
                                  << s.Text("CommonSet.Common.Comment1");
        };
        const QStringList opening = state();

        auto trigger = [&](ECommand id) { s.Frame().Action(id)->trigger(); };
        if (command == "edit") {
            QVERIFY(s.Edit(memory, 1, [](QDialog& d) {
                          Put(*dynamic_cast<CTolvarMchDialog&>(d).Control("Text"), "CHANGED");
                      }).accepted);
        } else if (command == "prio") trigger(ECommand::PrioA);
        else if (command == "emergency") trigger(ECommand::Emergency);
        else if (command == "emergency off") trigger(ECommand::EmergencyOff);
        else if (command == "paste") Press(&memory.Grid(), Qt::Key_V, Qt::ControlModifier);
        else if (command == "clear") trigger(ECommand::Clear);
        else if (command == "delete") Press(&memory.Grid(), Qt::Key_Delete);
        else if (command == "insert") Press(&memory.Grid(), Qt::Key_Insert);
        else if (command == "model") trigger(ECommand::ModelPMR);
        else if (command == "read") {
            s.app.Ports().Simulator().WithRepeater([](CSimulatedRepeater& r) { r.LoadFactoryImage(1); });
            CPortSettings ports;
            ports.SetComPath(1, "SIM");
            s.app.Profile().SetPortSettings(ports);
            s.Doc().ApplyPortSettings();
            trigger(ECommand::Read);
        } else if (command == "setting") {
            QVERIFY(s.Edit(sheet, 1, [](QDialog& d) {
                          auto& editor = dynamic_cast<CListEditPropSheet&>(d);
                          auto& page = dynamic_cast<CSettingPage&>(*editor.Page(editor.Tabs()->currentIndex()));
                          Type(page.Fields().Control("Comment1")->Edit(), "NEW SITE");
                      }).accepted);
        }
        // As a window manager does when a dialog closes.
        s.Frame().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&s.Frame()));
        QCOMPARE(undo->text(), "&Undo " + step);
        QVERIFY(undo->isEnabled() && !redo->isEnabled());
        const QStringList after = state();
        QVERIFY(after != opening);

        Press(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(state(), opening);
        QCOMPARE(redo->text(), "&Redo " + step);
        QVERIFY(!undo->isEnabled() && redo->isEnabled());
        Press(nullptr, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(state(), after);
        Press(nullptr, Qt::Key_Z, Qt::ControlModifier);
        Press(nullptr, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(state(), after);
        QCOMPARE(s.Frame().CommandState(ECommand::ModelPMR).checked, command == "model" || command == "read");
    }

    // Unsaved changes show in the title until the history is back at the saved point;
    // there, closing asks nothing.
    void titleFollowsTheSavedPoint() {
        SEditingApp s(0);
        CListSheet& memory = s.Show(kViewMemoryLMR);
        const QString file = m_dir.filePath("site.zcf");
        s.Doc().SetFileChooser([&](bool, const QString&) { return file; });
        s.Frame().Action(ECommand::SaveAs)->trigger();
        QCOMPARE(s.Frame().windowTitle(), QString("site.zcf - CS-Tolvar"));
        QVERIFY(s.GoTo(memory, 4));
        s.Frame().Action(ECommand::PrioA)->trigger();
        QCOMPARE(s.Frame().windowTitle(), QString("site.zcf* - CS-Tolvar"));
        Press(&memory.Grid(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(s.Frame().windowTitle(), QString("site.zcf - CS-Tolvar"));
        Press(&memory.Grid(), Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(s.Doc().IsModified());
        Press(&memory.Grid(), Qt::Key_Z, Qt::ControlModifier);
        s.boxes.clear();
        QVERIFY(s.Frame().close());
        QVERIFY(s.boxes.isEmpty());
    }

    // Shift+Down, Shift+End, Ctrl+click, Shift+click and Ctrl+A select blocks; Prio A,
    // Emergency, Insert and Edit need one row.
    void severalRowsAreSelected() {
        SEditingApp s(0);
        CListSheet& memory = s.Show(kViewMemoryLMR);
        QVERIFY(s.GoTo(memory, 2));
        Press(&memory.Grid(), Qt::Key_Down, Qt::ShiftModifier);
        Press(&memory.Grid(), Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(memory.SelectedRows(), (std::vector<int>{2, 3, 4}));
        for (ECommand id : {ECommand::PrioA, ECommand::Emergency, ECommand::Insert, ECommand::EditMemory})
            QVERIFY(!s.Frame().Action(id)->isEnabled());
        for (ECommand id : {ECommand::Copy, ECommand::Clear, ECommand::Delete})
            QVERIFY(s.Frame().Action(id)->isEnabled());
        ClickRow(memory, 9, Qt::ControlModifier);
        QCOMPARE(memory.SelectedRows(), (std::vector<int>{2, 3, 4, 9}));
        ClickRow(memory, 6);
        ClickRow(memory, 8, Qt::ShiftModifier);
        QCOMPARE(memory.SelectedRows(), (std::vector<int>{6, 7, 8}));
        Press(&memory.Grid(), Qt::Key_End, Qt::ShiftModifier);
        QCOMPARE(memory.SelectedRows().size(), size_t(32 - 6));
        QCOMPARE(memory.GetSelectedRow(), 31);
        Press(&memory.Grid(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(memory.SelectedRows().size(), size_t(32));
        Press(&memory.Grid(), Qt::Key_Home);
        QCOMPARE(memory.SelectedRows(), std::vector<int>{0});
        QVERIFY(s.Frame().Action(ECommand::PrioA)->isEnabled());
        // The setting sheets keep one row.
        CListSheet& common = s.Show(kViewCommon);
        QVERIFY(s.GoTo(common, 1));
        Press(&common.Grid(), Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(common.SelectedRows(), std::vector<int>{2});
    }

    // A block copied with Shift+Down and pasted further down is one step and selected
    // after; Clear and Delete take the block; the questions and refusals are the
    // core's (ChannelEditing tests).
    void blocksCopyPasteClearAndDelete() {
        SEditingApp s(0);
        for (int n = 1; n <= 3; ++n) s.UseChannel(n, "145.000", qPrintable(QString("CH%1").arg(n)));
        CListSheet& memory = s.Show(kViewMemoryLMR);
        auto shiftDownFrom = [&](int row) {
            QVERIFY(s.GoTo(memory, row));
            Press(&memory.Grid(), Qt::Key_Down, Qt::ShiftModifier);
        };
        shiftDownFrom(0);
        Press(&memory.Grid(), Qt::Key_Down, Qt::ShiftModifier);
        Press(&memory.Grid(), Qt::Key_C, Qt::ControlModifier);
        const QString text = QApplication::clipboard()->text();
        QVERIFY2(text.startsWith("CH\tCH Atr\t") && text.count('\n') == 4, qPrintable(text));
        QVERIFY(s.GoTo(memory, 9));
        Press(&memory.Grid(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(s.Cell(memory, 10, 8), QString("CH2"));
        QCOMPARE(memory.SelectedRows(), (std::vector<int>{9, 10, 11}));
        QCOMPARE(s.Frame().Action(ECommand::Undo)->text(), QString("&Undo Paste CH 10-12"));
        QVERIFY(s.GoTo(memory, 30));
        Press(&memory.Grid(), Qt::Key_V, Qt::ControlModifier);
        QVERIFY2(s.boxes.value(0).contains("would run past CH 32"), qPrintable(s.boxes.join('|')));

        shiftDownFrom(9);
        s.boxes.clear();
        s.Frame().Action(ECommand::Clear)->trigger();
        QCOMPARE(s.boxes, QStringList{"Clear CH 10, 11 ?"});
        QCOMPARE(s.Cell(memory, 9, 8), QString());
        shiftDownFrom(0);
        Press(&memory.Grid(), Qt::Key_Delete);
        QCOMPARE(s.Cell(memory, 0, 8), QString("CH3"));
        QCOMPARE(s.Frame().Action(ECommand::Undo)->text(), QString("&Undo Delete CH 1, 2"));
        Press(&memory.Grid(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(s.Cell(memory, 0, 8), QString("CH1"));
    }

    // Rows from a spreadsheet paste by the CSV rules, with or without titles; a bad cell
    // refuses the whole paste and says where.
    void spreadsheetRowsPaste() {
        SEditingApp s(0);
        CListSheet& memory = s.Show(kViewMemoryLMR);
        QVERIFY(s.GoTo(memory, 0));
        QApplication::clipboard()->setText("CH\tRx Frequency\tText\r\n5\t146.500\tFIELD\r\n6\t146.525\tDAY\r\n");
        QVERIFY(s.Frame().Action(ECommand::Paste)->isEnabled());
        Press(&memory.Grid(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(s.Cell(memory, 4, 8), QString("FIELD"));
        QCOMPARE(s.Cell(memory, 5, 3), QString("146.52500"));
        QCOMPARE(s.Frame().Action(ECommand::Undo)->text(), QString("&Undo Paste CH 5, 6"));

        s.boxes.clear();
        QApplication::clipboard()->setText("CH\tRx Frequency\n7\t146.000\n8\t999.999\n");
        Press(&memory.Grid(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(s.boxes.size(), 1);
        QVERIFY2(s.boxes[0].startsWith("Nothing was pasted: row 3, column \"Rx Frequency\""),
                 qPrintable(s.boxes[0]));
        QCOMPARE(s.Cell(memory, 6, 3), QString());
        QCOMPARE(s.Frame().Action(ECommand::Undo)->text(), QString("&Undo Paste CH 5, 6"));
    }
};

int main(int argc, char* argv[]) {
    return RunOffscreenTests<UndoTest>(argc, argv);
}

#include "UndoTest.moc"
