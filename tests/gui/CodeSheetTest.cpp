// The code-channel sheets offscreen, in both variants: row counts, titles and cells,
// the editor of a row storing what was typed (the boxes keeping the characters of
// their fields), refusals and Cancel storing nothing, and the controls a row's editor
// offers.
#include <QAction>
#include <QLabel>

#include "SheetEditing.h"
#include "datamodel/EditGuard.h"
#include "datamodel/memmap/CodeSheets.h"
#include "editors/sheets/CodeDialog.h"
#include "shell/MessageView.h"

namespace {

CCodeDialog& CodeDialog(QDialog& dialog) {
    return dynamic_cast<CCodeDialog&>(dialog);
}

CFieldControl& ControlOf(QDialog& dialog, const QString& field) {
    CFieldControl* control = CodeDialog(dialog).Fields().Control(field);
    if (!control)
        qFatal("no control for %s", qPrintable(field));
    return *control;
}

// clang-format off
// A value put into an editor's control (keys typed, the box keeping the characters
// and length of its field; an entry picked; or "1" for a tick), the cell that then
// shows it, and what the field holds.
struct SEditCase { const char* tag; int model, view, row; const char* field, *value; int column; const char* cell, *path, *stored; };
const SEditCase kEditCases[] = {
    {"DTMF TX code", 0, 35, 4, "Code", "a1g#*e9", 1, "A1#**9", "DtmfCodeCH.TxCodeCH.CH5.Code", "A1#**9"},
    {"DTMF RX text", 0, 36, 1, "Text", "Gate~1", 2, "Gate1", "DtmfCodeCH.RxCodeCH.CH2.Text", "Gate1"},
    {"DTMF RX beep", 1, 36, 1, "Beep", "PiPi(repeat)", 4, "PiPi(repeat)", "DtmfCodeCH.RxCodeCH.CH2.Beep", "PiPi(repeat)"},
    {"DTMF RX system", 0, 38, 5, "Code", "e0xf9123", 1, "*0#9", "DtmfCodeCH.RxSysCodeCH.CH6.Code", "*0#9"},
    {"2Tone tone", 0, 40, 0, "1stFreq", "1500", 1, "1500.0", "2ToneCodeCH.RXCodeCH.CH1.1stFreq", "1500.00000"},
    {"2Tone group channel", 0, 40, 3, "AutTx", "ACC", 7, "ACC", "2ToneCodeCH.RXCodeCH.CHG.AutTx", "ACC"},
    {"5Tone RX code", 1, 43, 2, "RxCode", "1g#2+f", 1, "1G2+", "5ToneCodeCH.RXCodeCH.CH3.RxCode", "1A2+"},
    {"5Tone RX ID-Dec", 1, 43, 2, "IdDec", "1", 2, "(ID-Dec)", "5ToneCodeCH.RXCodeCH.CH3.IdDec", "ON"},
    {"5Tone TX code", 1, 45, 7, "TxCode", "9g+8x1234567", 1, "9G81234", "5ToneCodeCH.TXCodeCH.CH8.TxCode", "9A81234"},
    {"5Tone TX digit", 1, 45, 7, "InpDigit2", "1", 2, "_2_____", "5ToneCodeCH.TXCodeCH.CH8.InpDigit2", "2"},
    {"5Tone format", 1, 47, 1, "TonPeriod", "75.000", 1, "75.000", "5ToneCodeCH.Format.CCIR.TonPeriod", "75"},
    {"5Tone user tone", 1, 48, 3, "DecH", "2000", 3, "2000", "5ToneCodeCH.UsrTon.3.DecH", "2000.00000"},
    // The second set numbers on after the 16 tones of the first.
    {"multiple tone set 2", 0, 4, 2, "CTonTx", "754i", 2, "754i", "MultiTon.Ton19.CTonTx", "754i"},
};

// A value the field refuses on OK (with a piece of the reason), with another field of
// the same dialog changed too; the first row of the sheet.
struct SRefusalCase { const char* tag; int model, view; const char* field, *value, *reason, *other, *otherValue; };
const SRefusalCase kRefusalCases[] = {
    {"blank in a DTMF code", 0, 35, "Code", "1 2", "space", nullptr, nullptr},
    {"2Tone tone out of range", 0, 40, "1stFreq", "5000", "outside", "Beep", "PiRo(repeat)"},
    {"odd no-tone timer", 1, 47, "NoTonTim", "7", "not kept", "TonPeriod", "99"},
    {"tone no code", 0, 3, "CTonRx", "023", "", "CTonTx", "754i"},
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
} // namespace

class CodeSheetTest : public QObject {
    Q_OBJECT
private slots:
    // The sheet shows the core's row count, column titles, row title and status (in the
    // header strip); the dialog opens with the row's values; Cancel stores nothing, OK
    // stores what was put in and the cell shows it.
    void editorStoresWhatWasTyped_data() { AddCases(kEditCases); }
    void editorStoresWhatWasTyped() {
        QFETCH(int, index);
        const SEditCase& c = kEditCases[index];
        SEditingApp s(c.model);
        if (c.model == ModelPMR)
            s.Set("5ToneCodeCH.TxCodeCom.SpcTonGrp", "A");
        CListSheet& sheet = s.Show(c.view);
        const SCodeSheet& table = *sheet.View().code;
        QCOMPARE(sheet.RowCount(), CodeRowCount(s.Registry(), table, sheet.View().set));
        QCOMPARE(sheet.Model().headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QString(table.columns[1].title));
        QCOMPARE(s.Cell(sheet, c.row, 0),
                 QString::fromStdString(CodeRowTitle(table, c.model, c.row)));
        s.Doc().SetModifiedFlag(false);
        const QString before = s.Text(c.path);
        const QString shown = s.Cell(sheet, c.row, c.column);
        auto put = [&](QDialog& d) {
            if (QLineEdit* box = ControlOf(d, c.field).Edit())
                QCOMPARE(box->text(), shown);
            Put(ControlOf(d, c.field), c.value);
        };
        QVERIFY(s.Edit(sheet, c.row, put, false).opened);
        QCOMPARE(s.Frame().RightHeader()->TrailingText(),
                 QString::fromStdString(CodeRowStatus(table, c.model, c.row)));
        QCOMPARE(s.Text(c.path), before);
        QVERIFY(!s.Doc().IsModified());
        const SEdit edit = s.Edit(sheet, c.row, put);
        QVERIFY(edit.opened && edit.accepted);
        QCOMPARE(edit.refused, QString());
        QCOMPARE(s.Cell(sheet, c.row, c.column), QString(c.cell));
        // Only a change marks the document modified.
        QCOMPARE(s.Doc().IsModified(), before != QString(c.stored));
        QCOMPARE(s.Text(c.path), QString(c.stored));
    }

    // OK is refused with the reason and stores nothing.
    void refusalsStoreNothing_data() { AddCases(kRefusalCases); }
    void refusalsStoreNothing() {
        QFETCH(int, index);
        const SRefusalCase& c = kRefusalCases[index];
        SEditingApp s(c.model);
        CListSheet& sheet = s.Show(c.view);
        s.Doc().SetModifiedFlag(false);
        const QString path = QString::fromStdString(CodeRowPath(*sheet.View().code, 0, 0)) + ".";
        const QString before = s.Text(path + c.field);
        const QString otherBefore = c.other ? s.Text(path + c.other) : QString();
        const SEdit edit = s.Edit(sheet, 0, [&](QDialog& d) {
            Put(ControlOf(d, c.field), c.value);
            if (c.other)
                Put(ControlOf(d, c.other), c.otherValue);
        });
        QVERIFY(edit.opened && !edit.accepted);
        QVERIFY2(!edit.refused.isEmpty() && edit.refused.contains(c.reason),
                 qPrintable(edit.refused));
        QCOMPARE(s.Text(path + c.field), before);
        if (c.other)
            QCOMPARE(s.Text(path + c.other), otherBefore);
        QVERIFY(!s.Doc().IsModified());
    }

    // Rows without tones, timers or a changeable code: their editors lack the controls
    // (and the decode windows) or keep them disabled, and the first box has the focus.
    void dialogOffersTheRowsFields_data() { AddCases(kDialogCases); }
    void dialogOffersTheRowsFields() {
        QFETCH(int, index);
        const SDialogCase& c = kDialogCases[index];
        SEditingApp s(c.model);
        CListSheet& sheet = s.Show(c.view);
        s.Doc().SetModifiedFlag(false);
        auto check = [&](QDialog& d) {
            for (const char* field : c.absent)
                QVERIFY2(!CodeDialog(d).Fields().Control(field), field);
            QVERIFY(!CodeDialog(d).WindowLabel(0)); // no tones, no decode window
            if (c.focused)
                QCOMPARE(d.focusWidget(), ControlOf(d, c.focused).Widget());
            if (c.disabled)
                QVERIFY(!ControlOf(d, c.disabled).Widget()->isEnabled());
        };
        const SEdit edit = s.Edit(sheet, c.row, check, c.disabled != nullptr);
        QVERIFY(edit.opened);
        QCOMPARE(edit.refused, QString());
        QCOMPARE(edit.accepted, c.disabled != nullptr);
        QVERIFY(!s.Doc().IsModified());
    }

    // A typed tone moves its decode window, shown under the box.
    void twoToneToneMovesItsDecodeWindow() {
        SEditingApp s(0);
        CListSheet& sheet = s.Show(kView2ToneRx);
        auto tones = [](QDialog& d) {
            QVERIFY(CodeDialog(d).WindowLabel(0));
            Put(ControlOf(d, "2ndFreq"), "1000");
            QCOMPARE(CodeDialog(d).WindowLabel(1)->text(),
                     QString("2nd decode window: 970 - 1030 Hz"));
            Put(ControlOf(d, "2ndFreq"), "2600.5");
            QVERIFY(CodeDialog(d).WindowLabel(1)->text().contains("-----"));
        };
        QVERIFY(s.Edit(sheet, 1, tones, false).opened);
    }

    void aChannelDecodingIdsTakesNoText() {
        SEditingApp s(1);
        auto idDec = [](QDialog& d) {
            QWidget* text = ControlOf(d, "Text").Widget();
            QVERIFY(text->isEnabled());
            Put(ControlOf(d, "IdDec"), "1");
            QVERIFY(!text->isEnabled());
            Put(ControlOf(d, "IdDec"), "0");
            QVERIFY(text->isEnabled());
        };
        QVERIFY(s.Edit(s.Show(kView5ToneRx), 0, idDec, false).opened);
    }

    // While another edit runs, Enter opens no editor; afterwards it does.
    void theEditGuardKeepsASecondEditorClosed() {
        SEditingApp s(0);
        CListSheet& sheet = s.Show(kViewDtmfTx);
        {
            CEditScope busy(s.Registry().EditGuard());
            QVERIFY(busy.Entered());
            QVERIFY(s.GoTo(sheet, 0));
            QVERIFY(!s.Edit(sheet, 0, [](QDialog&) {}).opened);
        }
        const auto nothing = [](QDialog&) {};
        QVERIFY(s.Edit(sheet, 0, nothing, false).opened);
    }
};

int main(int argc, char* argv[]) {
    return RunOffscreenTests<CodeSheetTest>(argc, argv);
}

#include "CodeSheetTest.moc"
