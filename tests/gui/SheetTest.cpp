// The grid and the memory channel sheets, offscreen, by keys and clicks: cell texts
// from the nodes, the list keys, the Edit commands with the states their menu items
// show, the clipboard record, delete and insert.
#include <QClipboard>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollBar>

#include "SheetEditing.h"
#include "editors/ListGrid.h"
#include "editors/sheets/MchSheet.h"
#include "shell/MessageView.h"

namespace {

// The program on the memory channel sheet, boxes answered yes.
struct SSheetApp : SEditingApp {
    using SEditingApp::SEditingApp;
    CTolvarMchSheet& Sheet() {
        return *static_cast<CTolvarMchSheet*>(Frame().ListFrame()->CurrentSheet());
    }
    QString Cell(int row, int column) { return SEditingApp::Cell(Sheet(), row, column); }
    int Row() { return Sheet().GetSelectedRow(); }
    // Shows the window with the keyboard in the sheet.
    bool Activate() {
        Frame().show();
        Frame().activateWindow();
        if (!QTest::qWaitForWindowActive(&Frame())) return false;
        Sheet().Grid().setFocus();
        return Sheet().Grid().hasFocus();
    }
    // A key as the user presses it, to whatever has the focus.
    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
    }
    // The state of an item of the Edit menu as the user sees it.
    QAction* EditMenuItem(const QString& text) {
        for (QAction* menu : Frame().menuBar()->actions())
            if (menu->text() == "&Edit")
                for (QAction* item : menu->menu()->actions())
                    if (item->text() == text) return item;
        return nullptr;
    }
};

} // namespace

class SheetTest : public QObject {
    Q_OBJECT
private slots:
    // A text wider than its cell ends in "...", never below one character and the dots.
    void shortenText() {
        const QFontMetrics metrics(QApplication::font());
        const int inset = 12;
        const QString text = "145.12500";
        const int fits = metrics.horizontalAdvance(text) + inset;
        QCOMPARE(ShortenText(text, fits, inset, metrics), text);
        const QString cut = ShortenText(text, fits - 1, inset, metrics);
        QVERIFY2(cut.endsWith("...") && cut.size() >= 4 && cut != text, qPrintable(cut));
        QCOMPARE(ShortenText("", 0, inset, metrics), QString());
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
        s.UseChannel(3, "145.125", "BASE 1");
        s.Channels().SetPrioA(3);
        s.Channels().Holder(3)->FindChild("CTonRx")->SetValue(4000);
        QCOMPARE(s.Cell(2, 1), QString("A"));
        QCOMPARE(s.Cell(2, 3), QString("145.12500"));
        QCOMPARE(s.Cell(2, 4), QString("<-----"));
        QCOMPARE(s.Cell(2, 6), QString("Multi"));
        QCOMPARE(s.Cell(2, 7), QString("------"));
        QCOMPARE(s.Cell(2, 8), QString("BASE 1"));
        QCOMPARE(s.Cell(3, 3), QString()); // a blank channel shows only its number
        QCOMPARE(s.Cell(3, 0), QString("4"));
        if (model == ModelPMR) { // the repeater and its long flag in one cell; the C-No list
            CNode& holder = *s.Channels().Holder(3);
            holder.FindChild("RPT")->SetValue(5);
            holder.FindChild("RPTLng")->SetValue(1);
            holder.FindChild("RxCNo2")->SetValue(0);
            QCOMPARE(s.Cell(2, 26), QString("5L"));
            QCOMPARE(s.Cell(2, 30), QString("1_345678"));
        }
    }

    void aChangedFieldRedrawsItsRowOnly() {
        SSheetApp s(0);
        s.UseChannel(6, "145.5", "SIX");
        QTRY_COMPARE(s.Cell(5, 8), QString("SIX"));
        int changedRows = 0;
        connect(&s.Sheet().Model(), &QAbstractItemModel::dataChanged, this,
                [&](const QModelIndex& from, const QModelIndex& to) {
                    QCOMPARE(from.row(), 5);
                    QCOMPARE(to.row(), 5);
                    ++changedRows;
                });
        s.Channels().Holder(6)->FindChild("Text")->SetText("SIXTH");
        QTRY_COMPARE(s.Cell(5, 8), QString("SIXTH"));
        QCOMPARE(changedRows, 1);
    }

    void listKeysMoveThroughTheRows() {
        SSheetApp s(0);
        QVERIFY(s.Activate());
        s.Press(Qt::Key_End);
        QCOMPARE(s.Row(), 31);
        s.Press(Qt::Key_Home);
        QCOMPARE(s.Row(), 0);
        s.Press(Qt::Key_PageDown);
        QVERIFY2(s.Row() > 1, qPrintable(QString::number(s.Row())));
        s.Press(Qt::Key_PageUp);
        QCOMPARE(s.Row(), 0);
        // A channel number typed selects that channel, whatever row is selected.
        s.Press(Qt::Key_End);
        s.Press(Qt::Key_3);
        QCOMPARE(s.Row(), 2);
        s.Press(Qt::Key_1); // "31"
        QCOMPARE(s.Row(), 30);
        s.Press(Qt::Key_Down); // another key ends the number
        s.Press(Qt::Key_1);
        s.Press(Qt::Key_2);
        QCOMPARE(s.Row(), 11);
        QTest::qWait(1100); // a pause starts a new number
        s.Press(Qt::Key_2);
        QCOMPARE(s.Row(), 1);
        // Left and Right scroll the columns; the row stays.
        s.Frame().resize(420, 300);
        QScrollBar* bar = s.Sheet().Grid().horizontalScrollBar();
        QTRY_VERIFY(bar->maximum() > 0);
        s.Press(Qt::Key_Right);
        s.Press(Qt::Key_Right);
        QVERIFY(bar->value() > 0);
        s.Press(Qt::Key_Left);
        s.Press(Qt::Key_Left);
        QCOMPARE(bar->value(), 0);
        QCOMPARE(s.Row(), 1);
        // Enter opens the editor; the focus comes back to the sheet.
        QVERIFY(WithModal([&] { s.Press(Qt::Key_Return); },
                          [](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }));
        // The window's focus stays in the sheet (the window manager activates it again).
        QCOMPARE(s.Frame().focusWidget(), &s.Sheet().Grid());
        s.Frame().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&s.Frame()));
        // A click below the last row keeps the selection; Tab goes to the tree.
        s.Sheet().Grid().resize(600, 2000);
        QTest::mouseClick(s.Sheet().Grid().viewport(), Qt::LeftButton, {}, QPoint(20, 1990));
        QCOMPARE(s.Row(), 1);
        s.Press(Qt::Key_Tab);
        QVERIFY(s.Frame().Tree()->hasFocus());
    }

    void channelCommandsByKeysAndMenus() {
        SSheetApp s(0);
        s.UseChannel(1, "145.125", "ONE");
        s.UseChannel(2, "146.5", "TWO");
        QVERIFY(s.Activate());
        QAction* prioA = s.EditMenuItem("Prio A");
        QAction* paste = s.EditMenuItem("Paste");
        QVERIFY(prioA && paste);

        // Prio A from the Edit menu: its check mark follows the selected row.
        s.Press(Qt::Key_3);
        prioA->trigger();
        QCOMPARE(s.Channels().PrioA(), 3);
        QCOMPARE(s.Cell(2, 1), QString("A"));
        QVERIFY(prioA->isChecked());
        s.Press(Qt::Key_Up);
        QVERIFY(!prioA->isChecked());
        QVERIFY(s.Doc().IsModified());
        s.EditMenuItem("Emergency")->trigger();
        QCOMPARE(s.Channels().Emergency(), 2);
        QVERIFY(s.EditMenuItem("Emergency")->isChecked());

        // Ctrl+C, then Ctrl+V elsewhere pastes at once; so does Shift+Insert.
        QApplication::clipboard()->setText("just text");
        QVERIFY(!paste->isEnabled());
        s.Press(Qt::Key_Home);
        s.Press(Qt::Key_C, Qt::ControlModifier);
        QVERIFY(QApplication::clipboard()->mimeData()->text().contains("145.12500"));
        QVERIFY(paste->isEnabled());
        s.Press(Qt::Key_1);
        s.Press(Qt::Key_0);
        s.Press(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(s.Cell(9, 8), QString("ONE"));
        s.Press(Qt::Key_Down);
        s.Press(Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(s.Cell(10, 8), QString("ONE"));

        // A record of the wrong size pastes nothing and says so.
        auto* bad = new QMimeData;
        bad->setData(s.Sheet().ClipboardFormat(), QByteArray(100, 'x'));
        QApplication::clipboard()->setMimeData(bad);
        s.Press(Qt::Key_Down);
        s.Press(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(s.Cell(11, 8), QString());
        QVERIFY(s.Frame().MessagePane()->text().contains("nothing was pasted"));
        // The other variant's record is not offered.
        auto* pmr = new QMimeData;
        pmr->setData("VK-TolvarPMRClipboadData", QByteArray(int(kChannelRecordBytes), '\0'));
        QApplication::clipboard()->setMimeData(pmr);
        QVERIFY(!paste->isEnabled());

        // Delete asks for a channel in use and moves the channels below up.
        s.Press(Qt::Key_Home);
        s.Press(Qt::Key_Delete); // answered yes
        QCOMPARE(s.Cell(0, 8), QString("TWO"));
        // Insert opens a blank channel at the selected row.
        s.Press(Qt::Key_Insert);
        QCOMPARE(s.Cell(0, 8), QString());
        QCOMPARE(s.Cell(1, 8), QString("TWO"));
        // Clear from the context menu blanks the channel; the menu shows the Prio A
        // mark the Edit menu shows.
        s.Press(Qt::Key_3);
        QCOMPARE(s.Channels().PrioA(), 3);
        bool prioShown = false, cleared = false;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu) return;
            QAction* clear = nullptr;
            for (QAction* item : menu->actions()) {
                if (item->text() == "Prio A") prioShown = item->isChecked();
                if (item->text() == "Clear") clear = item;
            }
            menu->close();
            if (clear) {
                clear->trigger();
                cleared = true;
            }
        });
        s.Press(Qt::Key_F10, Qt::ShiftModifier);
        QVERIFY(prioShown);
        QVERIFY(cleared);
        QCOMPARE(s.Cell(2, 3), QString());
    }

    void columnWidthsSurviveARestart() {
        {
            SSheetApp s(0);
            s.Sheet().Grid().setColumnWidth(3, 120);
            s.Sheet().Grid().setColumnWidth(8, 500); // dragged beyond the maximum
            QCOMPARE(s.Sheet().Grid().columnWidth(8), 500);
        }
        CTolvarApp again;
        again.SetSplashDuration(0);
        QVERIFY(again.InitInstance({"cs-tolvar"}));
        auto& sheet = *static_cast<CTolvarMchSheet*>(again.MainFrame()->ListFrame()->CurrentSheet());
        QCOMPARE(sheet.Grid().columnWidth(3), 120);
        QCOMPARE(sheet.Grid().columnWidth(8), 200);
        QCOMPARE(sheet.Grid().columnWidth(9), 80); // the default
    }
};

int main(int argc, char* argv[]) {
    return RunOffscreenTests<SheetTest>(argc, argv);
}

#include "SheetTest.moc"
