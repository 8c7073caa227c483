// The setting sheets and their editors, offscreen: row titles and value texts of
// both variants, the page and control an edit opens on, OK storing exactly the
// pages shown, refusals, Cancel, the typing filters, and every editable field
// typed, saved and read back by `tolvar get`.
#include <QAction>
#include <QFontMetrics>
#include <QSettings>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <map>
#include <memory>

#include "SheetEditing.h"
#include "datamodel/EditGuard.h"
#include "datamodel/memmap/FieldForm.h"
#include "datamodel/memmap/SettingSheets.h"
#include "datamodel/nodes/ValueNodes.h"
#include "editors/PropSheet.h"
#include "editors/sheets/SettingEditor.h"
#include "editors/sheets/Sheets.h"
#include "shell/MessageView.h"

namespace {

using SSnapshot = std::map<std::string, std::string>;

// The texts of every field of a sheet's node.
SSnapshot Snapshot(SEditingApp& s, const SSettingSheet& sheet) {
    SSnapshot texts;
    for (CNode* field : s.Node(sheet.node).Children())
        texts[field->GetName()] = LeafText(*field);
    return texts;
}

CListEditPropSheet& EditorOf(QDialog& dialog) {
    return dynamic_cast<CListEditPropSheet&>(dialog);
}

// Clicks the tab of a page.
void ShowPage(QDialog& dialog, int page) {
    QTabBar* tabs = EditorOf(dialog).Tabs()->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(page).center());
}

CSettingPage& PageOf(QDialog& dialog, int index) {
    return *static_cast<CSettingPage*>(EditorOf(dialog).Page(index));
}

// The control of a field on whichever page holds it (pages are shown on the way).
CFieldControl* ControlOf(QDialog& dialog, const QString& field) {
    for (int p = 0; p < EditorOf(dialog).PageCount(); ++p)
        if (CFieldControl* c = PageOf(dialog, p).Fields().Control(field))
            return c;
    return nullptr;
}

// Shows every page of the editor in turn, calling each for every control.
void ForEachControl(QDialog& dialog, const std::function<void(CFieldControl&)>& each) {
    CListEditPropSheet& editor = EditorOf(dialog);
    for (int p = 0; p < editor.PageCount(); ++p) {
        ShowPage(dialog, p);
        for (const auto& c : PageOf(dialog, p).Fields().Controls())
            each(*c);
    }
}

// Settings the LMR file keeps at their factory values: the editor refuses a change.
bool LmrFixed(const char* field) {
    return QString(field) == "InATim" || QString(field) == "MRCodeDisp";
}

// The variant a view's editor is tried in: PMR for the 5Tone sheets, else LMR.
int ModelOf(int view) {
    return view == 44 || view == 46 ? 1 : 0;
}

// A text that differs from what a field holds and that the field takes.
QString OtherText(const CFieldControl& control) {
    static const std::map<QString, QString> typed = {
        {"Comment1", "Hello, World"}, {"Comment2", "Net 2 {ok}"}, {"UsrPswd", "4711"},
        {"CwIdCode", "DE TEST/1"},    {"TelTotCode", "12*#"},     {"AlertTelCode", "9#0*"},
        {"Text", "OPEN TEXT"},        {"SpcTonGrp", "D"},         {"SpcTonRep", "B"},
        {"SpcTonLnk2", "C"},          {"UsrCtcssFreq", "123.4"},  {"BeepFreqL", "1000"},
        {"BeepFreqH", "2000"},        {"CwIdTonFreq", "800"},     {"1stTonFreq", "1000"},
        {"2ndTonFreq", "1500"},       {"IfFreq", "-21.41250"},    {"AlertTempReg", "50"},
        {"AlertTempPa", "-10"},
    };
    const QString field = QString::fromUtf8(control.EditorField().field);
    if (const auto it = typed.find(field); it != typed.end())
        return it->second;
    if (QComboBox* list = control.List())
        return list->itemText((list->currentIndex() + 1) % list->count());
    const auto* value = dynamic_cast<const CNodeValue*>(&control.Node());
    if (!value)
        return "X";
    int n = (value->Minimum() + value->Maximum()) / 2;
    n += n % 2; // even: timers kept in steps of two hold it too
    if (n == value->Value())
        n = value->Value() == value->Minimum() ? value->Maximum() : value->Minimum();
    return QString::number(n);
}

// Changes a control: toggles a box with the space bar, else puts another text in.
void Change(CFieldControl& c) {
    if (c.Check())
        Put(c, c.Check()->isChecked() ? "0" : "1");
    else
        Put(c, OtherText(c));
}

// clang-format off
// A row of a variant (1 LMR, 2 PMR, 3 both): a field set before the sheet is shown
// ("" sets nothing), the row's title and its value.
struct SRowCase { int models, view, row; const char *path, *text, *title, *value; };
const SRowCase kRows[] = {
    {3, 39, 0, "", "", "Code Setting", ""},
    {1, 39, 7, "DtmfCodeCH.DtmfSet.HeadTon", "#", "    Header Tone", "#"},
    {2, 39, 13, "DtmfCodeCH.DtmfSet.TelTotCode", "0*9#", "    TOT Code", "0*9#"},
    {3, 49, 0, "CommonSet.KeyDisp.KeyP0Conv", "Disp Select", "Key Assign (PROG)", "Disp Select"},
    {2, 49, 1, "CommonSet.KeyDisp.Text", "Hi there", "Opening Text", "Hi there"},
    {1, 50, 1, "CommonSet.Common.Comment1", "Site 7", "    (1)", "Site 7"},
    {3, 50, 35, "", "", "RPT Log ", ""},
    {1, 51, 17, "CommonSet.Expert.AlertTempReg", "-30", "    REG Unit TEMP (Degrees C)", "-30"},
    {3, 51, 24, "CommonSet.Expert.AlertTelCodeTimes", "3", "        Times", "3"},
    {2, 52, 8, "MakerR.DtcsDec", "23", "    Decode", "23"},
    {1, 41, 0, "2ToneCodeCH.RxCodeCom.NoTonTim", "30", "Notone Timer", "30.000"},
    {1, 42, 6, "2ToneCodeCH.TXCode.2ndTonPeriod", "200", "    Period", "200.000"},
    {2, 44, 1, "5ToneCodeCH.RxCodeCom.CompDigit2", "_", "Compare Digit", "1_345__"},
    {2, 46, 8, "5ToneCodeCH.TxCodeCom.SpcTonRep", "E", "Special Tone(Repeat)", "E"},
    {2, 46, 6, "", "", "Displayed Digit", "12345__"},
};

// The editor of a row: its caption, the page it opens on and the control focused.
struct SOpenCase { int view, row; const char *caption, *page, *focused; };
const SOpenCase kOpens[] = {
    {50, 11, "Edit Common", "Common 2", "AutoResTimA"}, // the "Auto Reset" heading
    {50, 40, "Edit Common", "Common 3", "CtoneIdOut"},
    {39, 13, "Edit DTMF Setting", "DTMF Setting 2", "TelTotCode"},
    {51, 15, "Edit Expert", "Expert 1", "CwIdCode"},
    {44, 1, "Edit 5Tone RX Code Setting", "Edit 5Tone RX Code Setting", "CompDigit1"},
    {52, 10, "Edit Maker Reserved", "Edit Maker Reserved", "IfFreq"},
    {42, 4, "Edit 2Tone TX Code", "Edit 2Tone TX Code", "2ndTonFreq"}, // a heading
};

// A value (LMR) the field refuses on OK, and the start of the reason shown.
struct SRefusalCase { int view; const char *field, *typed, *reason; };
const SRefusalCase kRefusals[] = {
    {39, "DtmfTim", "300", "DTMF Timer: "},
    {50, "UsrPswd", "12", "User Password: "},
    {52, "IfFreq", "21.4001", "IF Frequency (MHz): "},
    {41, "NoTonTim", "31", "Notone Timer: "},
    {50, "InATim", "128", "Inactive Timer: "},
    {49, "MRCodeDisp", "MR CH+TX CODE CH", "MR/Code Display: "},
};

// Keys typed into an edit box (LMR), what it shows and what the field then holds.
struct STypingCase { int view; const char *field, *typed, *shown, *stored; };
const STypingCase kTyping[] = {
    {39, "TelTotCode", "1g*e2", "1*E2", "1**2"},
    {39, "TelTotCode", "f#a b", "F#AB", "##AB"},
    {51, "AlertTelCode", "a9 +0#", "A90#", "A90#"},
    {50, "UsrPswd", "1a2-34", "1234", "1234"},
    {51, "CwIdCode", "de \"q\"~", "DE \"Q\"", "DE \"Q\""},
    {50, "Comment1", "a~b}c", "ab}c", "ab}c"},
};
// clang-format on

} // namespace

class SettingSheetTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;

private slots:
    // Rows of both variants: titles as the program names them, values from the nodes;
    // a setting sheet describes no row in the header.
    void rowsShowTitlesAndValues_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("model");
        for (size_t i = 0; i < std::size(kRows); ++i)
            for (int m : {0, 1})
                if (kRows[i].models & (1 << m))
                    QTest::addRow("%s %d row %d", m ? "PMR" : "LMR", kRows[i].view, kRows[i].row)
                        << int(i) << m;
    }
    void rowsShowTitlesAndValues() {
        QFETCH(int, index);
        QFETCH(int, model);
        const SRowCase& c = kRows[index];
        SEditingApp s(model);
        if (c.view == 44) // the factory compare digits are 1 ... 5
            for (const char* d : {"1", "3", "4", "5"})
                s.Set(QString("5ToneCodeCH.RxCodeCom.CompDigit%1").arg(d), d);
        if (*c.path)
            s.Set(c.path, c.text);
        CListSheet& sheet = s.Show(c.view);
        QCOMPARE(s.Cell(sheet, c.row, 0), QString(c.title));
        QCOMPARE(s.Cell(sheet, c.row, 1), QString(c.value));
        QVERIFY(s.GoTo(sheet, c.row));
        QCOMPARE(s.Frame().RightHeader()->TrailingText(), QString("     "));
    }

    // Columns never sized start wide enough for their texts; a width the user chose is kept.
    void columnsFitTheirTexts() {
        SEditingApp s(0);
        for (const SSettingSheet& table : SettingSheets()) {
            const ECommand variant = ModelOf(table.view) ? ECommand::ModelPMR : ECommand::ModelLMR;
            s.Frame().Action(variant)->trigger(); // answered yes
            CListSheet& sheet = s.Show(table.view);
            const QFontMetrics metrics(sheet.Grid().font());
            for (int r = 0; r < sheet.RowCount(); ++r)
                for (int c : {0, 1}) {
                    const QString text = s.Cell(sheet, r, c);
                    QVERIFY2(metrics.horizontalAdvance(text) < sheet.Grid().columnWidth(c),
                             qPrintable(text));
                }
        }
        QSettings("Velk", "CS-Tolvar").setValue("Column_ExpertSheet/Width0", 90);
        std::unique_ptr<CSheetView> expert(MakeSheet(*ViewOf(kViewExpert), s.Registry(), nullptr));
        QCOMPARE(dynamic_cast<CListSheet&>(*expert).Grid().columnWidth(0), 90);
    }

    // The key list has the variant's keys, in the order of its list, not of the codes.
    void keyListFollowsVariant() {
        for (int model : {0, 1}) {
            SEditingApp s(model);
            QStringList items;
            auto list = [&](QDialog& d) {
                QComboBox* keys = ControlOf(d, "KeyP0Conv")->List();
                for (int i = 0; i < keys->count(); ++i)
                    items << keys->itemText(i);
            };
            QVERIFY(s.Edit(s.Show(kViewKeyDisp), 0, list, false).opened);
            QCOMPARE(items.contains("Call A (Code 30)"), model == 1);
            QCOMPARE(items.contains("ID-MR Select"), model == 1);
            QVERIFY(items.contains("Sp. Func 2"));
            QCOMPARE(items.mid(0, 4),
                     (QStringList{"Null", "Prio A", "Prio A (Rewrite)", "Disp Select"}));
            QCOMPARE(items.size(), model ? 17 : 13);
        }
    }

    // The editor opens on the page of the row with the row's control focused; the
    // pages never shown stay so.
    void editorOpensOnRow_data() { AddCases(kOpens); }
    void editorOpensOnRow() {
        QFETCH(int, index);
        const SOpenCase& c = kOpens[index];
        SEditingApp s(ModelOf(c.view));
        auto check = [&](QDialog& d) {
            CListEditPropSheet& editor = EditorOf(d);
            auto* current = static_cast<CListEditPropPage*>(editor.Tabs()->currentWidget());
            QCOMPARE(d.windowTitle(), QString(c.caption));
            QCOMPARE(current->Title(), QString(c.page));
            QCOMPARE(d.focusWidget(), ControlOf(d, c.focused)->Widget());
            for (int p = 0; p < editor.PageCount(); ++p)
                QCOMPARE(editor.Page(p)->Shown(), editor.Page(p) == current);
        };
        QVERIFY(s.Edit(s.Show(c.view), c.row, check, false).opened);
    }

    // The framework alone: focus items outside the table, a start page beyond the last.
    void propertySheetEdges() {
        SEditingApp s(0);
        CListEditPropSheet sheet(s.Registry(), "Edit", nullptr);
        auto* first = new CListEditPropPage("One");
        auto* second = new CListEditPropPage("Two");
        second->SetItems({nullptr, new QLineEdit(second)});
        sheet.AddPage(first);
        sheet.AddPage(second);
        for (int item : {0, 1, 3}) {
            second->SetFocusItem(item);
            QVERIFY(!second->FocusItem());
        }
        second->SetFocusItem(2);
        QVERIFY(second->FocusItem());
        sheet.SelectStartPage(5);
        sheet.show();
        QCOMPARE(sheet.Tabs()->currentIndex(), 0);
        QVERIFY(first->Shown() && !second->Shown());
        sheet.accept(); // nothing to store: closes
        QCOMPARE(sheet.result(), int(QDialog::Accepted));
        QVERIFY(s.boxes.isEmpty());
    }

    // A page never shown holds what its fields hold: OK stores the page shown and
    // changes nothing of the others.
    void okStoresOnlyShownPages() {
        SEditingApp s(0);
        CListSheet& sheet = s.Show(kViewCommon);
        s.Set("CommonSet.Common.Comment1", "SET BEFORE");
        auto act = [](QDialog& d) {
            // A page never shown holds what its fields hold, so it changes nothing.
            QVERIFY(!EditorOf(d).Page(0)->Shown());
            QCOMPARE(ControlOf(d, "Comment1")->Text(), QString("SET BEFORE"));
            Put(*ControlOf(d, "HangOnTim"), "77");
        };
        QVERIFY(s.Edit(sheet, 33, act).accepted);
        QCOMPARE(s.Text("CommonSet.Common.Comment1"), QString("SET BEFORE"));
        QCOMPARE(s.Text("CommonSet.Common.HangOnTim"), QString("77"));
        QTRY_COMPARE(sheet.Model().CellText(33, 1), QString("77.000"));
        QVERIFY(s.Doc().IsModified());
        QVERIFY(s.boxes.isEmpty());
    }

    // A value its field would not keep refuses OK with the reason, stays on the page of
    // that field and stores nothing, not even what an earlier page took.
    void refusedValueKeepsEditorOpen_data() { AddCases(kRefusals); }
    void refusedValueKeepsEditorOpen() {
        QFETCH(int, index);
        const SRefusalCase& c = kRefusals[index];
        SEditingApp s(0);
        const SSettingSheet& table = *SettingSheetOf(c.view);
        const SSnapshot before = Snapshot(s, table);
        auto act = [&](QDialog& d) {
            ForEachControl(d, [](CFieldControl&) {});
            for (const auto& other : PageOf(d, 0).Fields().Controls())
                if (QString(other->EditorField().field) != c.field) {
                    Change(*other);
                    break;
                }
            Put(*ControlOf(d, c.field), c.typed);
        };
        auto after = [&](QDialog& d) { // on the field's page, the field focused
            QVERIFY(d.isVisible());
            CFieldControl* control = ControlOf(d, c.field);
            QVERIFY(PageOf(d, EditorOf(d).Tabs()->currentIndex()).Fields().Control(c.field));
            QVERIFY(d.focusWidget() == control->FocusWidget() ||
                    control->FocusWidget()->isAncestorOf(d.focusWidget()));
        };
        const int last = static_cast<int>(table.rows.size()) - 1;
        QVERIFY(s.Edit(s.Show(c.view), last, act, true, after).opened);
        const QString reason = c.reason;
        QCOMPARE(s.boxes.size(), 1);
        QVERIFY2(s.boxes[0].startsWith(reason) && s.boxes[0].size() > reason.size(),
                 qPrintable(s.boxes[0]));
        QVERIFY(Snapshot(s, table) == before);
        QVERIFY(!s.Doc().IsModified());
    }

    // Edit boxes that take codes or texts drop refused characters as they are typed.
    void typingFilters_data() { AddCases(kTyping); }
    void typingFilters() {
        QFETCH(int, index);
        const STypingCase& c = kTyping[index];
        SEditingApp s(0);
        const SSettingSheet& table = *SettingSheetOf(c.view);
        int row = 0;
        for (size_t r = 0; r < table.rows.size(); ++r)
            if (!table.rows[r].Heading() && QString(c.field) == table.rows[r].fields[0].field)
                row = static_cast<int>(r);
        auto type = [&](QDialog& d) {
            QLineEdit* edit = ControlOf(d, c.field)->Edit();
            QVERIFY(edit);
            Type(edit, c.typed);
            QCOMPARE(edit->text(), QString(c.shown));
            // A refused key inside leaves the caret where it was.
            QTest::keyClick(edit, Qt::Key_Home);
            QTest::keyClick(edit, Qt::Key_Right);
            QTest::keyClicks(edit, "~");
            QCOMPARE(edit->text(), QString(c.shown));
            QCOMPARE(edit->cursorPosition(), 1);
        };
        QVERIFY(s.Edit(s.Show(c.view), row, type).accepted);
        QVERIFY2(s.boxes.isEmpty(), qPrintable(s.boxes.join('\n')));
        QCOMPARE(s.Text(QString(table.node) + "." + c.field), QString(c.stored));
    }

    // The caret stays where the user typed when characters are dropped.
    void filterKeepsCaret() {
        struct SCase {
            const char* text;
            int caret;
            const char* kept;
            int after;
        };
        for (SCase c :
             {SCase{"12G", 3, "12", 2}, SCase{"1G2", 2, "12", 1}, SCase{"GG12", 2, "12", 0},
              SCase{"12G", 1, "12", 1}, SCase{"1a", 2, "1A", 2}}) {
            QCOMPARE(CFieldControl::Filtered(c.text, kKeepDtmfFixed, true, c.caret),
                     QString(c.kept));
            QCOMPARE(c.caret, c.after);
        }
    }

    // Every editable field changed through its control: Cancel stores nothing and
    // leaves the document unmodified; OK, Save, and `tolvar get` shows the text the
    // sheet showed.
    void everyFieldRoundTrips_data() {
        QTest::addColumn<int>("view");
        QTest::addColumn<int>("model");
        for (const SSettingSheet& table : SettingSheets()) {
            if (table.view != 44 && table.view != 46)
                QTest::addRow("%s LMR", table.title) << table.view << 0;
            if (table.view != 41 && table.view != 42)
                QTest::addRow("%s PMR", table.title) << table.view << 1;
        }
    }
    void everyFieldRoundTrips() {
        QFETCH(int, view);
        QFETCH(int, model);
        SEditingApp s(model);
        const SSettingSheet& table = *SettingSheetOf(view);
        const SSnapshot before = Snapshot(s, table);
        CListSheet& sheet = s.Show(view);
        auto changeAll = [&](QDialog& d) {
            ForEachControl(d, [&](CFieldControl& c) {
                if (model != 0 || !LmrFixed(c.EditorField().field))
                    Change(c);
            });
        };
        QVERIFY(s.Edit(sheet, 0, changeAll, false).opened);
        QVERIFY(Snapshot(s, table) == before);
        QVERIFY(!s.Doc().IsModified());
        QVERIFY(s.Edit(sheet, 0, changeAll).accepted);
        QVERIFY2(s.boxes.isEmpty(), qPrintable(s.boxes.join('\n')));
        QStringList paths, cells;
        for (size_t r = 0; r < table.rows.size(); ++r) {
            for (const SEditorField& editorField : table.rows[r].fields) {
                paths << QString(table.node) + "." + editorField.field;
                QVERIFY2((model == 0 && LmrFixed(editorField.field)) ||
                             before.at(editorField.field) !=
                                 LeafText(*s.Node(table.node).FindChild(editorField.field)),
                         editorField.field);
            }
            if (table.rows[r].Heading())
                continue;
            // A time value's cell read back as the field's own text.
            std::string cell = s.Cell(sheet, static_cast<int>(r), 1).toStdString();
            if (const IFieldForm* form = table.rows[r].fields[0].form) {
                const CNode& node = *s.Node(table.node).FindChild(table.rows[r].fields[0].field);
                std::string why;
                QVERIFY2(form->Typed(node, std::string(cell), cell, why), why.c_str());
            }
            cells << QString::fromStdString(cell);
        }
        const QString file = m_dir.filePath(QString("setting%1-%2.zcf").arg(view).arg(model));
        QVERIFY(s.Doc().Data().Save(file.toStdString()) == EFileResult::Ok);
        const QStringList lines = TolvarGet(QStringList{file} + paths);
        QStringList read; // the flags of one row joined as the sheet shows them
        int at = 0;
        for (const SSettingRow& row : table.rows)
            if (!row.Heading()) {
                read << QString();
                for (size_t f = 0; f < row.fields.size(); ++f)
                    read.back() += lines.value(at++);
            }
        QCOMPARE(read, cells);
    }

    void makerReservedOnlyAfterActivation() {
        SEditingApp s(0);
        QVERIFY(!s.Frame().Tree()->SelectId(kViewMakerReserved));
        s.Frame().ActivateMakerReserve();
        QVERIFY(s.Frame().Tree()->SelectId(kViewMakerReserved));
        QCOMPARE(s.Frame().GetCurrentViewId(), int(kViewMakerReserved));
        auto* sheet = dynamic_cast<CListSheet*>(s.Frame().ListFrame()->CurrentSheet());
        QVERIFY(sheet);
        QCOMPARE(sheet->View().id, int(kViewMakerReserved));
        QCOMPARE(s.Cell(*sheet, 0, 0), QString("SQL"));
    }

    // While another edit runs, no editor opens.
    void busyGuardOpensNothing() {
        SEditingApp s(0);
        CListSheet& sheet = s.Show(kViewExpert);
        {
            CEditScope busy(s.Registry().EditGuard());
            QVERIFY(s.GoTo(sheet, 3));
            QVERIFY(!s.Edit(sheet, 3, [](QDialog&) {}).opened);
        }
        const auto nothing = [](QDialog&) {};
        QVERIFY(s.Edit(sheet, 3, nothing, false).opened);
    }
};

int main(int argc, char* argv[]) {
    return RunOffscreenTests<SettingSheetTest>(argc, argv);
}

#include "SettingSheetTest.moc"
