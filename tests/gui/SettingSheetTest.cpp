// The setting sheets and their editors, offscreen: row titles and value texts of
// both variants, the page and control an edit opens on, OK storing exactly the
// pages shown, refusals, Cancel, the typing filters, and every editable field
// typed and shown.
#include <QAction>
#include <QFontMetrics>
#include <QSettings>
#include <QTabBar>
#include <QTabWidget>
#include <map>
#include <memory>

#include "SheetEditing.h"
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

// Shows every page of the editor in turn (a click on its tab), calling each for every
// control.
void ForEachControl(QDialog& dialog, const std::function<void(CFieldControl&)>& each) {
    QTabBar* tabs = EditorOf(dialog).Tabs()->tabBar();
    for (int p = 0; p < EditorOf(dialog).PageCount(); ++p) {
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(p).center());
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

// Keys typed into the boxes of some fields and, for the codes and texts, what the
// field then holds: the boxes drop the characters their fields refuse as they are
// typed.
// clang-format off
const std::map<QString, std::pair<QString, QString>> kTyped = {
    {"Comment1", {"a~b}c", "ab}c"}}, {"Comment2", {"Net 2 {ok}", "Net 2 {ok}"}},
    {"UsrPswd", {"1a2-34", "1234"}}, {"CwIdCode", {"de \"q\"~", "DE \"Q\""}},
    {"TelTotCode", {"f g*e2", "#**2"}}, {"AlertTelCode", {"a9 +0#", "A90#"}},
    {"Text", {"OPEN TEXT", "OPEN TEXT"}}, {"SpcTonGrp", {"D", "D"}}, {"SpcTonRep", {"B", "B"}},
    {"SpcTonLnk2", {"C", "C"}}, {"UsrCtcssFreq", {"123.4", {}}}, {"BeepFreqL", {"1000", {}}},
    {"BeepFreqH", {"2000", {}}}, {"CwIdTonFreq", {"800", {}}}, {"1stTonFreq", {"1000", {}}},
    {"2ndTonFreq", {"1500", {}}}, {"IfFreq", {"-21.41250", {}}}, {"AlertTempReg", {"50", {}}},
    {"AlertTempPa", {"-10", {}}},
};
// clang-format on

// A text that differs from what a field holds and that the field takes.
QString OtherText(const CFieldControl& control) {
    const QString field = QString::fromUtf8(control.EditorField().field);
    if (const auto it = kTyped.find(field); it != kTyped.end())
        return it->second.first;
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
// The editor of a row: its caption, the page it opens on and the control focused.
struct SOpenCase { int view, row; const char *caption, *page, *focused; };
const SOpenCase kOpens[] = {
    {50, 11, "Edit Common", "Common 2", "AutoResTimA"}, // the "Auto Reset" heading
    {51, 15, "Edit Expert", "Expert 1", "CwIdCode"},
    {44, 1, "Edit 5Tone RX Code Setting", "Edit 5Tone RX Code Setting", "CompDigit1"},
    {42, 4, "Edit 2Tone TX Code", "Edit 2Tone TX Code", "2ndTonFreq"}, // a heading
};

// A value (LMR) the field refuses on OK, and the start of the reason shown.
struct SRefusalCase { int view; const char *field, *typed, *reason; };
const SRefusalCase kRefusals[] = {
    {39, "DtmfTim", "300", "DTMF Timer: "},
    {50, "InATim", "128", "Inactive Timer: "},
    {49, "MRCodeDisp", "MR CH+TX CODE CH", "MR/Code Display: "},
};

// clang-format on

} // namespace

class SettingSheetTest : public QObject {
    Q_OBJECT
private slots:
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

    // A page never shown holds what its fields hold: OK stores the page shown and
    // changes nothing of the others.
    void okStoresOnlyShownPages() {
        SEditingApp s(0);
        CListSheet& sheet = s.Show(kViewCommon);
        s.Set("CommonSet.Common.Comment1", "SET BEFORE");
        auto act = [](QDialog& d) {
            QVERIFY(!EditorOf(d).Page(0)->Shown());
            QCOMPARE(ControlOf(d, "Comment1")->Text(), QString("SET BEFORE"));
            Put(*ControlOf(d, "HangOnTim"), "77");
        };
        QVERIFY(s.Edit(sheet, 33, act).accepted);
        QCOMPARE(s.Text("CommonSet.Common.Comment1"), QString("SET BEFORE"));
        QCOMPARE(s.Text("CommonSet.Common.HangOnTim"), QString("77"));
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
            QVERIFY(PageOf(d, EditorOf(d).Tabs()->currentIndex()).Fields().Control(c.field));
            QVERIFY(Focused(d, *ControlOf(d, c.field)));
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

    // Every row shows its title; every editable field changed through its control:
    // Cancel stores nothing and leaves the document unmodified; OK stores every one, and
    // each row's cell reads back as the texts its fields hold (the texts themselves, time
    // formats included, are the core's). A setting sheet describes no row in the header.
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
        QCOMPARE(sheet.RowCount(), int(table.rows.size()));
        for (int r = 0; r < sheet.RowCount(); ++r)
            QCOMPARE(s.Cell(sheet, r, 0), QString(table.rows[size_t(r)].title));
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
        QCOMPARE(s.Frame().RightHeader()->TrailingText(), QString("     "));
        const SSnapshot after = Snapshot(s, table);
        for (size_t r = 0; r < table.rows.size(); ++r) {
            const SSettingRow& row = table.rows[r];
            QString held; // the texts of the row's fields, joined as the sheet shows them
            for (const SEditorField& editorField : row.fields) {
                QVERIFY2((model == 0 && LmrFixed(editorField.field)) ||
                             before.at(editorField.field) != after.at(editorField.field),
                         editorField.field);
                held += QString::fromStdString(after.at(editorField.field));
                if (const auto it = kTyped.find(editorField.field);
                    it != kTyped.end() && !it->second.second.isEmpty())
                    QCOMPARE(QString::fromStdString(after.at(editorField.field)),
                             it->second.second);
            }
            if (row.Heading())
                continue;
            // A time value's cell read back as the field's own text.
            std::string cell = s.Cell(sheet, static_cast<int>(r), 1).toStdString();
            if (const IFieldForm* form = row.fields[0].form) {
                std::string why;
                QVERIFY2(form->Typed(*s.Node(table.node).FindChild(row.fields[0].field),
                                     std::string(cell), cell, why),
                         why.c_str());
            }
            QCOMPARE(QString::fromStdString(cell), held);
        }
    }
};

int main(int argc, char* argv[]) {
    return RunOffscreenTests<SettingSheetTest>(argc, argv);
}

#include "SettingSheetTest.moc"
