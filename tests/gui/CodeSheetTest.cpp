// The code-channel sheets offscreen, in both variants: row counts, titles and cells,
// the editor of a row storing what was typed (and what `tolvar get` then reads from
// the saved file), refusals and Cancel storing nothing, the characters the boxes
// keep while typing, and the controls a row's editor offers.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "datamodel/DataManagers.h"
#include "datamodel/memmap/CodeSheets.h"
#include "datamodel/memmap/TreeAccess.h"
#include "datamodel/nodes/Node.h"
#include "document/NavigationTree.h"
#include "editors/FieldControls.h"
#include "editors/sheets/CodeDialog.h"
#include "editors/sheets/CodeSheet.h"
#include "editors/sheets/Sheets.h"
#include "shell/Commands.h"
#include "shell/Document.h"
#include "shell/ListFrame.h"
#include "shell/MainFrame.h"
#include "shell/MessageView.h"
#include "shell/QtInteraction.h"
#include "shell/TolvarApp.h"
#include "GuiTestApp.h"
#include "shell/TreeView.h"

namespace {

struct SCodeApp {
    CTolvarApp app;
    bool ok = false;

    explicit SCodeApp(int model) {
        ok = StartTestApp(app, model, [](const SBoxRecord&) { return EAnswer::Ok; });
    }
    CTolvarMainFrame& Frame() { return *app.MainFrame(); }
    CCloneManager& Registry() { return app.Document()->Registry(); }
    CNode& Node(const QString& path) {
        CNode* node = Registry().Model()->GetNodeByPath(path.toStdString());
        if (!node)
            qFatal("no node %s", qPrintable(path));
        return *node;
    }
    QString Text(const QString& path) { return QString::fromStdString(LeafText(Node(path))); }
    // Shows the view and gives its sheet.
    CCodeSheet& Show(int view) {
        if (!Frame().Tree()->SelectId(view))
            qFatal("view %d is not in the tree", view);
        QApplication::processEvents();
        auto* sheet = dynamic_cast<CCodeSheet*>(Frame().ListFrame()->CurrentSheet());
        if (!sheet)
            qFatal("view %d shows no code sheet", view);
        return *sheet;
    }
    QString Cell(CCodeSheet& sheet, int row, int column) {
        return sheet.Grid().Model().CellText(row, column);
    }
    // Opens the selected row's editor through the Edit command; act runs in it, then
    // OK (or Cancel). Gives the text of the refusal shown, empty when none was.
    QString Edit(CCodeSheet& sheet, int row, const std::function<void(CCodeDialog&)>& act,
                 bool ok = true, bool* accepted = nullptr) {
        sheet.SelectRow(row);
        QString refused;
        bool opened = false;
        sheet.SetDialogRunner([&](QDialog& d) {
            opened = true;
            auto& dialog = dynamic_cast<CCodeDialog&>(d);
            act(dialog);
            app.Interaction()->ClearRecords();
            ok ? dialog.accept() : dialog.reject();
            const auto& boxes = app.Interaction()->Boxes();
            refused = boxes.empty() ? QString() : QString(boxes.back().text);
            if (accepted)
                *accepted = dialog.result() == QDialog::Accepted;
            return dialog.result() == QDialog::Accepted;
        });
        Frame().OnCommand(kCmdEditMemory);
        if (!opened)
            qWarning("no editor opened");
        return refused;
    }
};

CFieldControl& ControlOf(CCodeDialog& dialog, const QString& field) {
    CFieldControl* control = dialog.Fields().Control(field);
    if (!control)
        qFatal("no control for %s", qPrintable(field));
    return *control;
}

// Replaces a box's text as a user does: select all, then type.
void Type(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

// Puts a value into a control the way its kind is used: typed into an edit or a
// tone box, picked from a list, a check box ticked ("1") or cleared.
void Enter(CFieldControl& control, const QString& value) {
    if (control.Check()) {
        control.Check()->setChecked(value == "1");
    } else if (auto* tone = qobject_cast<QComboBox*>(control.Widget());
               tone && tone->isEditable()) {
        Type(tone->lineEdit(), value);
    } else if (control.List()) {
        const int index = control.List()->findText(value);
        if (index < 0)
            qWarning("%s has no entry %s", control.EditorField().field, qPrintable(value));
        control.List()->setCurrentIndex(index);
    } else {
        Type(control.Edit(), value);
    }
}

QString TolvarGet(const QString& file, const QString& path) {
    QProcess get;
    get.start(TOLVAR_BIN, {"get", file, path});
    if (!get.waitForFinished(30000))
        return QStringLiteral("<no answer>");
    return QString::fromUtf8(get.readAllStandardOutput()).section('\n', 0, 0);
}

// clang-format off
// A row of a sheet: its title and status, with the sheet's row count and first column.
struct SRowCase { const char* tag; int model, view, rows; const char* header; int row; const char* title, *status; };
const SRowCase kRowCases[] = {
    {"multiple tone", 0, 3, 16, "RX", 3, "4", " - No. 4"},
    {"DTMF TX LMR", 0, 35, 20, "Code", 17, "Emergency", " - Emergency"},
    {"DTMF TX PMR", 1, 35, 20, "Code", 18, "19", " - CH 19"},
    {"DTMF TX alert", 1, 35, 20, "Code", 19, "Alert", " - Alert"},
    {"DTMF RX", 1, 36, 20, "Code", 4, "5", " - CH 5"},
    {"DTMF TX system", 0, 37, 4, "Code", 2, "OK ACK", " - OK ACK"},
    {"DTMF RX system", 1, 38, 18, "Code", 14, "TEL Dial", " - TEL Dial"},
    {"2Tone RX", 0, 40, 4, "1st", 3, "G", " - Group"},
    {"5Tone RX", 1, 43, 9, "RX Code", 8, "G", " - Group"},
    {"5Tone TX", 1, 45, 32, "TX Code", 31, "32", " - CH 32"},
    {"5Tone format", 1, 47, 10, "Tone Period", 6, "EEA2", " - EEA2"},
    {"5Tone user tone", 1, 48, 15, "Encode", 11, "B", " - B"},
};

// A value put into an editor's control (typed, picked, or "1" for a tick), the cell
// that then shows it, and what the saved file holds.
struct SEditCase { const char* tag; int model, view, row; const char* field, *value; int column; const char* cell, *path, *stored; };
const SEditCase kEditCases[] = {
    {"DTMF TX code", 0, 35, 4, "Code", "12ef*", 1, "12*#*", "DtmfCodeCH.TxCodeCH.CH5.Code", "12*#*"},
    {"DTMF RX text", 0, 36, 1, "Text", "Gate~1", 2, "Gate1", "DtmfCodeCH.RxCodeCH.CH2.Text", "Gate1"},
    {"DTMF RX beep", 1, 36, 1, "Beep", "PiPi(repeat)", 4, "PiPi(repeat)", "DtmfCodeCH.RxCodeCH.CH2.Beep", "PiPi(repeat)"},
    {"DTMF RX LCD", 1, 36, 6, "Lcd", "ON", 3, "ON", "DtmfCodeCH.RxCodeCH.CH7.Lcd", "ON"},
    {"DTMF TX system", 1, 37, 0, "Code", "1a2b", 1, "1A2B", "DtmfCodeCH.TxSysCodeCH.CH1.Code", "1A2B"},
    {"DTMF RX system", 0, 38, 5, "Code", "e0f9", 1, "*0#9", "DtmfCodeCH.RxSysCodeCH.CH6.Code", "*0#9"},
    {"2Tone tone", 0, 40, 0, "1stFreq", "1500", 1, "1500.0", "2ToneCodeCH.RXCodeCH.CH1.1stFreq", "1500.00000"},
    {"2Tone stun", 0, 40, 1, "Stun", "Kill", 8, "Kill", "2ToneCodeCH.RXCodeCH.CH2.Stun", "Kill"},
    {"2Tone group call", 0, 40, 2, "Group", "2nd", 3, "2nd", "2ToneCodeCH.RXCodeCH.CH3.Group", "2nd"},
    {"2Tone group channel", 0, 40, 3, "AutTx", "ACC", 7, "ACC", "2ToneCodeCH.RXCodeCH.CHG.AutTx", "ACC"},
    {"5Tone RX code", 1, 43, 2, "RxCode", "1g2+", 1, "1G2+", "5ToneCodeCH.RXCodeCH.CH3.RxCode", "1A2+"},
    {"5Tone RX ID-Dec", 1, 43, 2, "IdDec", "1", 2, "(ID-Dec)", "5ToneCodeCH.RXCodeCH.CH3.IdDec", "ON"},
    {"5Tone RX repeater", 1, 43, 0, "Rpt", "Open", 9, "Open", "5ToneCodeCH.RXCodeCH.CH1.Rpt", "Open"},
    {"5Tone TX code", 1, 45, 7, "TxCode", "9g8", 1, "9G8", "5ToneCodeCH.TXCodeCH.CH8.TxCode", "9A8"},
    {"5Tone TX digit", 1, 45, 7, "InpDigit2", "1", 2, "_2_____", "5ToneCodeCH.TXCodeCH.CH8.InpDigit2", "2"},
    {"5Tone TX sel", 1, 45, 0, "Sel", "OFF", 7, "OFF", "5ToneCodeCH.TXCodeCH.CH1.Sel", "OFF"},
    {"5Tone format", 1, 47, 1, "TonPeriod", "75.000", 1, "75.000", "5ToneCodeCH.Format.CCIR.TonPeriod", "75"},
    {"5Tone user tone", 1, 48, 3, "DecH", "2000", 3, "2000", "5ToneCodeCH.UsrTon.3.DecH", "2000.00000"},
    // The second set numbers on after the 16 tones of the first.
    {"multiple tone set 2", 0, 4, 2, "CTonTx", "754i", 2, "754i", "MultiTon.Ton19.CTonTx", "754i"},
};

// A value the field refuses on OK (with a piece of the reason), with another field of
// the same dialog changed too; the first row of the sheet.
struct SRefusalCase { const char* tag; int model, view; const char* field, *value, *reason, *other, *otherValue; };
const SRefusalCase kRefusalCases[] = {
    {"system code too short", 0, 37, "Code", "12", "exactly 4", nullptr, nullptr},
    {"blank in a DTMF code", 0, 35, "Code", "1 2", "space", nullptr, nullptr},
    {"2Tone tone out of range", 0, 40, "1stFreq", "5000", "outside", "Beep", "PiRo(repeat)"},
    {"odd no-tone timer", 1, 47, "NoTonTim", "7", "not kept", "TonPeriod", "99"},
    {"star in a 5Tone code", 1, 45, "TxCode", "1*", "*", "Sel", "OFF"},
    {"user tone no number", 1, 48, "Enc", "abc", "not a frequency", "DecL", "1000"},
    {"tone no code", 0, 3, "CTonRx", "023", "", "CTonTx", "754i"},
};

// Keys typed into an edit box and what it then holds.
struct STypingCase { const char* tag; int model, view; const char* field, *keys, *shown; };
const STypingCase kTypingCases[] = {
    {"DTMF TX code", 0, 35, "Code", "a1g#*e 9", "A1#*E 9"},
    {"DTMF RX code", 1, 36, "Code", "bx*", "B*"},
    {"system code length", 0, 38, "Code", "123456", "1234"},
    {"5Tone RX code", 1, 43, "RxCode", "g1#+*f", "G1+*"},
    {"5Tone TX code", 1, 45, "TxCode", "g1+*x23456", "G1*2345"},
    {"DTMF RX text", 0, 36, "Text", "~ab}~", "ab}"},
    {"5Tone RX text", 1, 43, "Text", "Depot~ 12345", "Depot 1234"},
};

// What a row's editor offers: fields without a control, the control focused, one
// that cannot be changed (and OK then stores nothing).
struct SDialogCase { const char* tag; int model, view, row; std::vector<const char*> absent; const char *focused, *disabled; };
const SDialogCase kDialogCases[] = {
    {"2Tone group channel", 0, 40, 3, {"1stFreq", "2ndFreq", "Group"}, "Text", nullptr},
    {"5Tone fixed format", 1, 47, 9, {"NoTonTim", "TonLen"}, "TonPeriod", nullptr},
    {"fixed system code", 1, 38, 16, {}, nullptr, "Code"},
};
// clang-format on

// One data row per case, tagged with its name.
template <class Case, size_t N> void AddCases(const Case (&cases)[N]) {
    QTest::addColumn<int>("index");
    for (size_t i = 0; i < N; ++i)
        QTest::newRow(cases[i].tag) << int(i);
}

} // namespace

class CodeSheetTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;

private slots:
    // Row count, header and a row's title and status; only Edit is offered.
    void rowsAndTitles_data() { AddCases(kRowCases); }
    void rowsAndTitles() {
        QFETCH(int, index);
        const SRowCase& c = kRowCases[index];
        SCodeApp s(c.model);
        QVERIFY(s.ok);
        CCodeSheet& sheet = s.Show(c.view);
        QCOMPARE(sheet.RowCount(), c.rows);
        QCOMPARE(sheet.Grid().Model().headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QString(c.header));
        QCOMPARE(s.Cell(sheet, c.row, 0), QString(c.title));
        sheet.SelectRow(c.row);
        QCOMPARE(s.Frame().RightHeader()->TrailingText(), QString(c.status));
        QVERIFY(s.Frame().CommandState(kCmdEditMemory).enabled);
        QVERIFY(!s.Frame().CommandState(kCmdCopy).enabled);
    }

    // The dialog opens with the row's values; what was put in is shown, stored, saved
    // and read back by `tolvar get`.
    void editorStoresWhatWasTyped_data() { AddCases(kEditCases); }
    void editorStoresWhatWasTyped() {
        QFETCH(int, index);
        const SEditCase& c = kEditCases[index];
        SCodeApp s(c.model);
        QVERIFY(s.ok);
        if (c.model == ModelPMR)
            s.Node("5ToneCodeCH.TxCodeCom.SpcTonGrp").SetText("A");
        CCodeSheet& sheet = s.Show(c.view);
        s.app.Document()->SetModifiedFlag(false);
        const QString before = s.Text(c.path);
        const QString refused = s.Edit(sheet, c.row, [&](CCodeDialog& d) {
            if (QLineEdit* edit = ControlOf(d, c.field).Edit())
                QCOMPARE(edit->text(), s.Cell(sheet, c.row, c.column));
            Enter(ControlOf(d, c.field), c.value);
        });
        QCOMPARE(refused, QString());
        QCOMPARE(s.Cell(sheet, c.row, c.column), QString(c.cell));
        // Only a change marks the document modified.
        QCOMPARE(s.app.Document()->IsModified(), before != QString(c.stored));
        QCOMPARE(s.Text(c.path), QString(c.stored));
        const QString file = m_dir.filePath(QString("code-%1.zcf").arg(index));
        QVERIFY(s.app.Document()->Data().Save(file.toStdString()) == EFileResult::Ok);
        QCOMPARE(TolvarGet(file, c.path), QString(c.stored));
    }

    // OK is refused with the reason and stores nothing; Cancel stores nothing either.
    void refusalsStoreNothing_data() { AddCases(kRefusalCases); }
    void refusalsStoreNothing() {
        QFETCH(int, index);
        const SRefusalCase& c = kRefusalCases[index];
        SCodeApp s(c.model);
        QVERIFY(s.ok);
        CCodeSheet& sheet = s.Show(c.view);
        s.app.Document()->SetModifiedFlag(false);
        const QString path = QString::fromStdString(CodeRowPath(sheet.Table(), 0, 0)) + ".";
        const QString before = s.Text(path + c.field);
        const QString otherBefore = c.other ? s.Text(path + c.other) : QString();
        auto act = [&](CCodeDialog& d) {
            Enter(ControlOf(d, c.field), c.value);
            if (c.other)
                Enter(ControlOf(d, c.other), c.otherValue);
        };
        bool accepted = true;
        const QString refused = s.Edit(sheet, 0, act, true, &accepted);
        QVERIFY(!accepted);
        QVERIFY2(!refused.isEmpty() && refused.contains(c.reason), qPrintable(refused));
        QCOMPARE(s.Text(path + c.field), before);
        if (c.other)
            QCOMPARE(s.Text(path + c.other), otherBefore);
        QVERIFY(!s.app.Document()->IsModified());
    }

    void cancelStoresNothing() {
        SCodeApp s(0);
        QVERIFY(s.ok);
        CCodeSheet& sheet = s.Show(kViewDtmfRx);
        s.app.Document()->SetModifiedFlag(false);
        const QString code = s.Text("DtmfCodeCH.RxCodeCH.CH3.Code");
        const QString beep = s.Text("DtmfCodeCH.RxCodeCH.CH3.Beep");
        auto act = [](CCodeDialog& d) {
            Enter(ControlOf(d, "Code"), "4711");
            Enter(ControlOf(d, "Beep"), "Emer");
        };
        s.Edit(sheet, 2, act, false);
        QCOMPARE(s.Text("DtmfCodeCH.RxCodeCH.CH3.Code"), code);
        QCOMPARE(s.Text("DtmfCodeCH.RxCodeCH.CH3.Beep"), beep);
        QVERIFY(!s.app.Document()->IsModified());
    }

    void typingKeepsTheCharactersOfTheField_data() { AddCases(kTypingCases); }
    void typingKeepsTheCharactersOfTheField() {
        QFETCH(int, index);
        const STypingCase& c = kTypingCases[index];
        SCodeApp s(c.model);
        QVERIFY(s.ok);
        auto type = [&](CCodeDialog& d) {
            QLineEdit* edit = ControlOf(d, c.field).Edit();
            QVERIFY(edit);
            Type(edit, c.keys);
            QCOMPARE(edit->text(), QString(c.shown));
        };
        s.Edit(s.Show(c.view), 0, type, false);
    }

    // Rows without tones, timers or a changeable code: their editors lack the controls
    // or keep them disabled, and the first box has the focus.
    void dialogOffersTheRowsFields_data() { AddCases(kDialogCases); }
    void dialogOffersTheRowsFields() {
        QFETCH(int, index);
        const SDialogCase& c = kDialogCases[index];
        SCodeApp s(c.model);
        QVERIFY(s.ok);
        CCodeSheet& sheet = s.Show(c.view);
        s.app.Document()->SetModifiedFlag(false);
        auto check = [&](CCodeDialog& d) {
            for (const char* field : c.absent)
                QVERIFY2(!d.Fields().Control(field), field);
            if (c.focused)
                QCOMPARE(d.focusWidget(), ControlOf(d, c.focused).Widget());
            if (c.disabled)
                QVERIFY(!ControlOf(d, c.disabled).Widget()->isEnabled());
        };
        bool accepted = false;
        QCOMPARE(s.Edit(sheet, c.row, check, c.disabled != nullptr, &accepted), QString());
        QCOMPARE(accepted, c.disabled != nullptr);
        QVERIFY(!s.app.Document()->IsModified());
    }

    // A typed tone moves its decode window, shown under the box.
    void twoToneToneMovesItsDecodeWindow() {
        SCodeApp s(0);
        QVERIFY(s.ok);
        CCodeSheet& sheet = s.Show(kView2ToneRx);
        s.Edit(
            sheet, 1,
            [](CCodeDialog& d) {
                QVERIFY(d.WindowLabel(0));
                Enter(ControlOf(d, "2ndFreq"), "1000");
                QCOMPARE(d.WindowLabel(1)->text(), QString("2nd decode window: 970 - 1030 Hz"));
                Enter(ControlOf(d, "2ndFreq"), "2600.5");
                QVERIFY(d.WindowLabel(1)->text().contains("-----"));
            },
            false);
        s.Edit(
            sheet, 3, [](CCodeDialog& d) { QVERIFY(!d.WindowLabel(0)); }, false);
    }

    void aChannelDecodingIdsTakesNoText() {
        SCodeApp s(1);
        QVERIFY(s.ok);
        s.Edit(
            s.Show(kView5ToneRx), 0,
            [](CCodeDialog& d) {
                QVERIFY(ControlOf(d, "Text").Widget()->isEnabled());
                Enter(ControlOf(d, "IdDec"), "1");
                QVERIFY(!ControlOf(d, "Text").Widget()->isEnabled());
                Enter(ControlOf(d, "IdDec"), "0");
                QVERIFY(ControlOf(d, "Text").Widget()->isEnabled());
            },
            false);
    }

    void theEditGuardKeepsASecondEditorClosed() {
        SCodeApp s(0);
        QVERIFY(s.ok);
        CCodeSheet& sheet = s.Show(kViewDtmfTx);
        CEditScope busy(s.Registry().EditGuard());
        QVERIFY(busy.Entered());
        int opened = 0;
        sheet.SetDialogRunner([&](QDialog&) { return ++opened, false; });
        sheet.SelectRow(0);
        sheet.EditRow();
        QCOMPARE(opened, 0);
    }
};

int main(int argc, char* argv[]) {
    return RunOffscreenTests<CodeSheetTest>(argc, argv);
}

#include "CodeSheetTest.moc"
