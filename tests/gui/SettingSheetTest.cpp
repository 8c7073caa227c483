// The setting sheets and their editors, offscreen: row titles and value texts of
// both variants, the page and control an edit opens on, OK storing exactly the
// pages shown, refusals, Cancel, the typing filters, and every editable field
// typed, saved and read back by `tolvar get`.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QProcess>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <map>

#include "datamodel/DataManagers.h"
#include "datamodel/EditGuard.h"
#include "datamodel/memmap/SettingSheets.h"
#include "datamodel/memmap/TreeAccess.h"
#include "datamodel/nodes/Node.h"
#include "datamodel/nodes/ValueNodes.h"
#include "document/NavigationTree.h"
#include "editors/FieldControls.h"
#include "editors/PropSheet.h"
#include "editors/sheets/SettingSheet.h"
#include "editors/sheets/Sheets.h"
#include "shell/Document.h"
#include "shell/ListFrame.h"
#include "shell/MainFrame.h"
#include "shell/QtInteraction.h"
#include "shell/TolvarApp.h"
#include "shell/TreeView.h"

namespace {

struct SApp {
    CTolvarApp app;
    QStringList boxes; // the texts of the message boxes shown
    bool ok = false;

    explicit SApp(int model) {
        QSettings("Velk", "CS-Tolvar").clear();
        QSettings("Velk", "CS-Tolvar").setValue("Model/ModelVer", model);
        app.SetSplashDuration(0);
        app.SetSheetMaker(MakeTolvarSheet);
        ok = app.InitInstance({"cs-tolvar"});
        if (!ok)
            return;
        app.Interaction()->SetSilent(true);
        app.Interaction()->SetBoxHook([this](const SBoxRecord& box) {
            boxes << box.text;
            return EAnswer::Ok;
        });
    }
    CTolvarMainFrame& Frame() { return *app.MainFrame(); }
    CCloneManager& Registry() { return app.Document()->Registry(); }
    // Shows a view and returns its sheet.
    CTolvarSettingSheet& Show(int view) {
        Frame().ShowView(view);
        return *dynamic_cast<CTolvarSettingSheet*>(Frame().ListFrame()->CurrentSheet());
    }
    CNode& Node(const QString& path) {
        return *Registry().Model()->GetNodeByPath(path.toStdString());
    }
    void Set(const QString& path, const QString& text) {
        std::string error;
        QVERIFY2(Node(path).TrySetText(text.toStdString(), error), error.c_str());
    }
    QString Text(const QString& path) { return QString::fromStdString(LeafText(Node(path))); }
    // The texts of every field of a sheet's node.
    std::map<std::string, std::string> Snapshot(const SSettingSheet& sheet) {
        std::map<std::string, std::string> texts;
        for (CNode* field : Node(sheet.node).Children())
            texts[field->GetName()] = LeafText(*field);
        return texts;
    }
};

CSettingPage& PageOf(QDialog& dialog, int index) {
    return *static_cast<CSettingPage*>(static_cast<CListEditPropSheet&>(dialog).Page(index));
}

// The control of a field on whichever page holds it (pages are shown on the way).
CFieldControl* ControlOf(QDialog& dialog, const QString& field) {
    auto& editor = static_cast<CListEditPropSheet&>(dialog);
    for (int p = 0; p < editor.PageCount(); ++p)
        if (CFieldControl* c = PageOf(dialog, p).Fields().Control(field))
            return c;
    return nullptr;
}

void Type(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
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
    const QString field = QString::fromUtf8(control.Spec().field);
    if (const auto it = typed.find(field); it != typed.end())
        return it->second;
    if (QComboBox* list = control.List()) {
        const int next = (list->currentIndex() + 1) % list->count();
        return list->itemText(next);
    }
    const auto* value = dynamic_cast<const CNodeValue*>(&control.Node());
    if (!value)
        return "X";
    int n = (value->Minimum() + value->Maximum()) / 2;
    n += n % 2; // even: timers kept in steps of two hold it too
    if (n == value->Value())
        n = value->Value() == value->Minimum() ? value->Maximum() : value->Minimum();
    return QString::number(n);
}

} // namespace

class SettingSheetTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;

private slots:
    // Rows of both variants: titles as the program names them, values from the nodes.
    void rowsShowTitlesAndValues_data() {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("view");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("path"); // set before the sheet is shown ("" sets nothing)
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("value");
        struct SRow {
            int models; // 1 LMR, 2 PMR, 3 both
            int view, row;
            const char *path, *text, *title, *value;
        };
        // clang-format off
        const SRow rows[] = {
            {3, 39, 0, "", "", "Code Setting", ""},
            {3, 39, 3, "DtmfCodeCH.DtmfSet.MarkTim", "17", "    [*][#] Timer", "17"},
            {3, 39, 7, "DtmfCodeCH.DtmfSet.HeadTon", "#", "    Header Tone", "#"},
            {3, 39, 10, "DtmfCodeCH.DtmfSet.TelFunc", "Enable", "TEL Function", "Enable"},
            {3, 39, 13, "DtmfCodeCH.DtmfSet.TelTotCode", "0*9#", "    TOT Code", "0*9#"},
            {3, 39, 27, "DtmfCodeCH.DtmfSet.OnHookTimes", "15", "    Times", "15"},
            {3, 49, 0, "CommonSet.KeyDisp.KeyP0Conv", "Disp Select", "Key Assign (PROG)", "Disp Select"},
            {3, 49, 1, "CommonSet.KeyDisp.Text", "Hi there", "Opening Text", "Hi there"},
            {3, 50, 1, "CommonSet.Common.Comment1", "Site 7", "    (1)", "Site 7"},
            {3, 50, 23, "CommonSet.Common.ScrmGrp", "4", "    Group", "4"},
            {3, 50, 35, "", "", "RPT Log ", ""},
            {3, 50, 38, "CommonSet.Common.RptLogIntTim", "5940", "    IN/OFF Interval Timer", "5940"},
            {3, 51, 17, "CommonSet.Expert.AlertTempReg", "-30", "    REG Unit TEMP (Degrees C)", "-30"},
            {3, 51, 24, "CommonSet.Expert.AlertTelCodeTimes", "3", "        Times", "3"},
            {3, 51, 33, "CommonSet.Expert.BackupStatus", "Slave", "Backup Status", "Slave"},
            {3, 52, 8, "MakerR.DtcsDec", "23", "    Decode", "23"},
            {1, 41, 0, "2ToneCodeCH.RxCodeCom.NoTonTim", "30", "Notone Timer", "30"},
            {1, 42, 0, "2ToneCodeCH.TXCode.CodeType", "Group", "Code Type", "Group"},
            {1, 42, 6, "2ToneCodeCH.TXCode.2ndTonPeriod", "200", "    Period", "200"},
            {2, 44, 1, "5ToneCodeCH.RxCodeCom.CompDigit2", "_", "Compare Digit", "1_345__"},
            {2, 46, 8, "5ToneCodeCH.TxCodeCom.SpcTonRep", "E", "Special Tone(Repeat)", "E"},
            {2, 46, 6, "", "", "Displayed Digit", "12345__"},
        };
        // clang-format on
        for (const SRow& r : rows)
            for (int m : {0, 1})
                if (r.models & (1 << m))
                    QTest::addRow("%s %d row %d", m ? "PMR" : "LMR", r.view, r.row)
                        << m << r.view << r.row << QString(r.path) << QString(r.text)
                        << QString(r.title) << QString(r.value);
    }
    void rowsShowTitlesAndValues() {
        QFETCH(int, model);
        QFETCH(int, view);
        QFETCH(int, row);
        QFETCH(QString, path);
        QFETCH(QString, text);
        QFETCH(QString, title);
        QFETCH(QString, value);
        SApp s(model);
        QVERIFY(s.ok);
        // The factory compare digits are 1 ... 5.
        if (view == 44)
            for (const char* d : {"1", "3", "4", "5"})
                s.Set(QString("5ToneCodeCH.RxCodeCom.CompDigit%1").arg(d), d);
        if (!path.isEmpty())
            s.Set(path, text);
        CTolvarSettingSheet& sheet = s.Show(view);
        QCOMPARE(sheet.RowCount(), int(SettingSheetOf(view)->rows.size()));
        QCOMPARE(sheet.Grid().Model().CellText(row, 0), title);
        QCOMPARE(sheet.Grid().Model().CellText(row, 1), value);
        // A setting sheet describes no row in the header.
        sheet.SelectRow(row);
        QCOMPARE(sheet.TrailingText(), QString("     "));
    }

    void definitionsFollowTheirTables() {
        SApp s(0);
        QVERIFY(s.ok);
        CTolvarSettingSheet& dtmf = s.Show(kViewDtmfSet);
        QCOMPARE(dtmf.Definition().name, "DTMF Setting");
        QCOMPARE(QString(dtmf.Definition().section), QString("Column_DtmfSetSheet"));
        QCOMPARE(dtmf.Definition().popupMenu, 132);
        QCOMPARE(dtmf.Grid().Model().headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QString("Value"));
        QCOMPARE(dtmf.Definition().columns[0].width, 120);
        QCOMPARE(QString(s.Show(kView5ToneTxSet).Definition().section),
                 QString("Column_5ToneTxSetSheet"));
        // Columns never sized start wide enough for their titles and values, at
        // least at their default widths (120/40/100 is clamped to 100).
        const QFontMetrics metrics(dtmf.Grid().font());
        for (const SSettingSheet& table : SettingSheets()) {
            CTolvarSettingSheet& sheet = s.Show(table.view);
            QVERIFY(sheet.Grid().columnWidth(0) >= std::min(table.name.width, table.name.maximum));
            QVERIFY(sheet.Grid().columnWidth(1) >=
                    std::min(table.value.width, table.value.maximum));
            for (int r = 0; r < sheet.RowCount(); ++r)
                for (int c : {0, 1})
                    QVERIFY2(metrics.horizontalAdvance(sheet.Grid().Model().CellText(r, c)) <
                                 sheet.Grid().columnWidth(c),
                             qPrintable(sheet.Grid().Model().CellText(r, c)));
        }
        // A width the user chose is kept.
        QSettings("Velk", "CS-Tolvar").setValue("Column_ExpertSheet/Width0", 90);
        CTolvarExpertSheet expert(*s.app.Document(), nullptr);
        QCOMPARE(expert.Grid().columnWidth(0), 90);
    }

    void keyListFollowsVariant() {
        for (int model : {0, 1}) {
            SApp s(model);
            QVERIFY(s.ok);
            CTolvarSettingSheet& sheet = s.Show(kViewKeyDisp);
            sheet.SelectRow(0);
            QStringList items;
            sheet.SetDialogRunner([&](QDialog& d) {
                QComboBox* list = ControlOf(d, "KeyP0Conv")->List();
                for (int i = 0; i < list->count(); ++i)
                    items << list->itemText(i);
                return false;
            });
            sheet.EditRow();
            QCOMPARE(items.contains("Call A (Code 30)"), model == 1);
            QCOMPARE(items.contains("ID-MR Select"), model == 1);
            QVERIFY(items.contains("Sp. Func 2"));
            // In the order of the variant's key list, not of the key codes.
            QCOMPARE(items.mid(0, 4),
                     (QStringList{"Null", "Prio A", "Prio A (Rewrite)", "Disp Select"}));
            QCOMPARE(items.size(), model ? 17 : 13);
        }
    }

    // The editor opens on the page of the row, with the row's control focused.
    void editorOpensOnRow_data() {
        QTest::addColumn<int>("view");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("focused");
        struct SCase {
            int view, row;
            const char *caption, *page, *focused;
        };
        // clang-format off
        const SCase cases[] = {
            {50, 1, "Edit Common", "Common 1", "Comment1"},
            {50, 11, "Edit Common", "Common 2", "AutoResTimA"}, // the "Auto Reset" heading
            {50, 40, "Edit Common", "Common 3", "CtoneIdOut"},
            {39, 9, "Edit DTMF Setting", "DTMF Setting 1", "ABCDelayTim"},
            {39, 13, "Edit DTMF Setting", "DTMF Setting 2", "TelTotCode"},
            {51, 15, "Edit Expert", "Expert 1", "CwIdCode"},
            {51, 33, "Edit Expert", "Expert 2", "BackupStatus"},
            {44, 1, "Edit 5Tone RX Code Setting", "Edit 5Tone RX Code Setting", "CompDigit1"},
            {52, 10, "Edit Maker Reserved", "Edit Maker Reserved", "IfFreq"},
            {42, 4, "Edit 2Tone TX Code", "Edit 2Tone TX Code", "2ndTonFreq"}, // a heading
        };
        // clang-format on
        for (const SCase& c : cases)
            QTest::addRow("%d row %d", c.view, c.row)
                << c.view << c.row << QString(c.caption) << QString(c.page) << QString(c.focused);
    }
    void editorOpensOnRow() {
        QFETCH(int, view);
        QFETCH(int, row);
        QFETCH(QString, caption);
        QFETCH(QString, page);
        QFETCH(QString, focused);
        SApp s(view == 44 ? 1 : 0);
        QVERIFY(s.ok);
        CTolvarSettingSheet& sheet = s.Show(view);
        sheet.SelectRow(row);
        bool ran = false;
        sheet.SetDialogRunner([&](QDialog& d) {
            ran = true;
            auto& editor = static_cast<CListEditPropSheet&>(d);
            d.show();
            [&] {
                QCOMPARE(d.windowTitle(), caption);
                auto* current = static_cast<CListEditPropPage*>(editor.Tabs()->currentWidget());
                QCOMPARE(current->Title(), page);
                QCOMPARE(d.focusWidget(), ControlOf(d, focused)->Widget());
                // The pages never shown stay so.
                for (int p = 0; p < editor.PageCount(); ++p)
                    QCOMPARE(editor.Page(p)->Shown(), editor.Page(p) == current);
            }();
            return false;
        });
        sheet.EditRow();
        QVERIFY(ran);
    }

    // The framework alone: focus items outside the table, a start page beyond the last.
    void propertySheetEdges() {
        SApp s(0);
        QVERIFY(s.ok);
        CListEditPropSheet sheet(s.Registry(), "Edit", nullptr);
        auto* first = new CListEditPropPage("One");
        auto* second = new CListEditPropPage("Two");
        auto* edit = new QLineEdit(second);
        second->SetItems({nullptr, edit});
        sheet.AddPage(first);
        sheet.AddPage(second);
        for (int item : {0, 1, 3}) {
            second->SetFocusItem(item);
            QVERIFY(!second->FocusItem());
        }
        second->SetFocusItem(2);
        QVERIFY(second->FocusItem());
        sheet.SelectStartPage(5);
        QCOMPARE(sheet.StartPage(), 5);
        sheet.show();
        QCOMPARE(sheet.Tabs()->currentIndex(), 0);
        QVERIFY(first->Shown());
        QVERIFY(!second->Shown());
        // OK with nothing to store closes the sheet.
        sheet.accept();
        QCOMPARE(sheet.result(), int(QDialog::Accepted));
        QVERIFY(s.boxes.isEmpty());
    }

    // OK stores the pages that were shown and nothing of the others.
    void okStoresOnlyShownPages() {
        SApp s(0);
        QVERIFY(s.ok);
        CTolvarSettingSheet& sheet = s.Show(kViewCommon);
        const QString comment = s.Text("CommonSet.Common.Comment1");
        sheet.SelectRow(33);
        sheet.SetDialogRunner([&](QDialog& d) {
            d.show();
            // Changed on the first page, which is never shown.
            ControlOf(d, "Comment1")->SetText("NOT STORED");
            ControlOf(d, "HangOnTim")->SetText("77");
            d.accept();
            return d.result() == QDialog::Accepted;
        });
        sheet.EditRow();
        QCOMPARE(s.Text("CommonSet.Common.Comment1"), comment);
        QCOMPARE(s.Text("CommonSet.Common.HangOnTim"), QString("77"));
        QCOMPARE(sheet.Grid().Model().CellText(33, 1), QString("77"));
        QVERIFY(s.app.Document()->IsModified());
        QVERIFY(s.boxes.isEmpty());
    }

    // Cancel stores nothing, whatever the controls hold, and leaves the document unmodified.
    void cancelStoresNothing() {
        for (const SSettingSheet& table : SettingSheets()) {
            SApp s(table.view == 44 || table.view == 46 ? 1 : 0);
            QVERIFY(s.ok);
            const auto before = s.Snapshot(table);
            CTolvarSettingSheet& sheet = s.Show(table.view);
            sheet.SelectRow(0);
            sheet.SetDialogRunner([&](QDialog& d) {
                auto& editor = static_cast<CListEditPropSheet&>(d);
                d.show();
                for (int p = 0; p < editor.PageCount(); ++p) {
                    editor.Tabs()->setCurrentIndex(p);
                    for (const auto& c : PageOf(d, p).Fields().Controls())
                        c->SetText(OtherText(*c));
                }
                d.reject();
                return d.result() == QDialog::Accepted;
            });
            sheet.EditRow();
            QVERIFY2(s.Snapshot(table) == before, table.title);
            QVERIFY(!s.app.Document()->IsModified());
        }
    }

    // A value its field would not keep refuses OK with the reason and stores nothing.
    void refusedValueKeepsEditorOpen_data() {
        QTest::addColumn<int>("view");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("reason");
        struct SCase {
            int view;
            const char *field, *typed, *reason;
        };
        // clang-format off
        const SCase cases[] = {
            {39, "DtmfTim", "300", "DTMF Timer: "},
            {50, "UsrPswd", "12", "User Password: "},
            {52, "IfFreq", "21.4001", "IF Frequency (MHz): "},
            {51, "AlertTempPa", "131", "PA Unit TEMP (Degrees C): "},
            {41, "NoTonTim", "31", "Notone Timer: "},
            // Settings the LMR file keeps at their factory values.
            {50, "InATim", "128", "Inactive Timer: "},
            {49, "MRCodeDisp", "MR CH+TX CODE CH", "MR/Code Display: "},
        };
        // clang-format on
        for (const SCase& c : cases)
            QTest::addRow("%s", c.field)
                << c.view << QString(c.field) << QString(c.typed) << QString(c.reason);
    }
    void refusedValueKeepsEditorOpen() {
        QFETCH(int, view);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, reason);
        SApp s(0);
        QVERIFY(s.ok);
        const SSettingSheet& table = *SettingSheetOf(view);
        const auto before = s.Snapshot(table);
        CTolvarSettingSheet& sheet = s.Show(view);
        sheet.SelectRow(static_cast<int>(table.rows.size()) - 1);
        sheet.SetDialogRunner([&](QDialog& d) {
            auto& editor = static_cast<CListEditPropSheet&>(d);
            d.show();
            for (int p = 0; p < editor.PageCount(); ++p)
                editor.Tabs()->setCurrentIndex(p);
            ControlOf(d, field)->SetText(typed);
            d.accept();
            [&] { QVERIFY(d.isVisible()); }();
            return d.result() == QDialog::Accepted;
        });
        sheet.EditRow();
        QCOMPARE(s.boxes.size(), 1);
        QVERIFY2(s.boxes[0].startsWith(reason), qPrintable(s.boxes[0]));
        QVERIFY(s.boxes[0].size() > reason.size());
        QVERIFY(s.Snapshot(table) == before);
        QVERIFY(!s.app.Document()->IsModified());
    }

    // Edit boxes that take codes or texts drop refused characters as they are typed.
    void typingFilters_data() {
        QTest::addColumn<int>("view");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("stored");
        struct SCase {
            int view;
            const char *field, *typed, *shown, *stored;
        };
        // clang-format off
        const SCase cases[] = {
            {39, "TelTotCode", "1g*e2", "1*E2", "1**2"},
            {39, "TelTotCode", "f#a b", "F#AB", "##AB"},
            {51, "AlertTelCode", "a9 +0#", "A90#", "A90#"},
            {50, "UsrPswd", "1a2-34", "1234", "1234"},
            {51, "CwIdCode", "de \"q\"~", "DE \"Q\"", "DE \"Q\""},
            {50, "Comment1", "a~b}c", "ab}c", "ab}c"},
        };
        // clang-format on
        for (const SCase& c : cases)
            QTest::addRow("%s %s", c.field, c.typed)
                << c.view << QString(c.field) << QString(c.typed) << QString(c.shown)
                << QString(c.stored);
    }
    void typingFilters() {
        QFETCH(int, view);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, stored);
        SApp s(0);
        QVERIFY(s.ok);
        const SSettingSheet& table = *SettingSheetOf(view);
        CTolvarSettingSheet& sheet = s.Show(view);
        int row = 0;
        for (size_t r = 0; r < table.rows.size(); ++r)
            if (!table.rows[r].Heading() && field == table.rows[r].fields[0].field)
                row = static_cast<int>(r);
        sheet.SelectRow(row);
        sheet.SetDialogRunner([&](QDialog& d) {
            d.show();
            QLineEdit* edit = ControlOf(d, field)->Edit();
            [&] {
                QVERIFY(edit);
                Type(edit, typed);
                QCOMPARE(edit->text(), shown);
                // Typing inside keeps the caret where it was.
                edit->setCursorPosition(1);
                QTest::keyClicks(edit, "~");
                QCOMPARE(edit->text(), shown);
                QCOMPARE(edit->cursorPosition(), 1);
            }();
            d.accept();
            return d.result() == QDialog::Accepted;
        });
        sheet.EditRow();
        QVERIFY2(s.boxes.isEmpty(), qPrintable(s.boxes.join('\n')));
        QCOMPARE(s.Text(QString(table.node) + "." + field), stored);
    }

    void filterKeepsCaret_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<int>("after");
        QTest::newRow("typed at the end") << "12G" << 3 << "12" << 2;
        QTest::newRow("typed inside") << "1G2" << 2 << "12" << 1;
        QTest::newRow("pasted two") << "GG12" << 2 << "12" << 0;
        QTest::newRow("after the caret") << "12G" << 1 << "12" << 1;
        QTest::newRow("upper-cased") << "1a" << 2 << "1A" << 2;
    }
    void filterKeepsCaret() {
        QFETCH(QString, text);
        QFETCH(int, caret);
        QFETCH(QString, kept);
        QFETCH(int, after);
        QCOMPARE(CFieldControl::Filtered(text, kKeepDtmfFixed, true, caret), kept);
        QCOMPARE(caret, after);
    }

    // Every editable field: set through its control, OK, Save; `tolvar get` shows the
    // text the sheet showed.
    void everyFieldRoundTrips_data() {
        QTest::addColumn<int>("view");
        QTest::addColumn<int>("model");
        for (const SSettingSheet& table : SettingSheets()) {
            const bool pmrOnly = table.view == 44 || table.view == 46;
            const bool lmrOnly = table.view == 41 || table.view == 42;
            if (!pmrOnly)
                QTest::addRow("%s LMR", table.title) << table.view << 0;
            if (!lmrOnly)
                QTest::addRow("%s PMR", table.title) << table.view << 1;
        }
    }
    void everyFieldRoundTrips() {
        QFETCH(int, view);
        QFETCH(int, model);
        SApp s(model);
        QVERIFY(s.ok);
        const SSettingSheet& table = *SettingSheetOf(view);
        const auto before = s.Snapshot(table);
        // Settings an LMR file keeps at their factory values (refused, see above).
        const QStringList lmrFixed = {"InATim", "MRCodeDisp"};
        CTolvarSettingSheet& sheet = s.Show(view);
        sheet.SelectRow(0);
        sheet.SetDialogRunner([&](QDialog& d) {
            auto& editor = static_cast<CListEditPropSheet&>(d);
            d.show();
            for (int p = 0; p < editor.PageCount(); ++p) {
                editor.Tabs()->setCurrentIndex(p);
                for (const auto& c : PageOf(d, p).Fields().Controls()) {
                    if (model == 0 && lmrFixed.contains(c->Spec().field))
                        continue;
                    if (QCheckBox* box = c->Check())
                        box->toggle();
                    else if (QLineEdit* edit = c->Edit())
                        Type(edit, OtherText(*c));
                    else
                        c->SetText(OtherText(*c));
                }
            }
            d.accept();
            return d.result() == QDialog::Accepted;
        });
        sheet.EditRow();
        QVERIFY2(s.boxes.isEmpty(), qPrintable(s.boxes.join('\n')));
        QStringList paths, cells;
        for (size_t r = 0; r < table.rows.size(); ++r) {
            const SSettingRow& row = table.rows[r];
            for (const SFieldSpec& spec : row.fields) {
                paths << QString(table.node) + "." + spec.field;
                if (model == 0 && lmrFixed.contains(spec.field))
                    continue;
                // Every field changed.
                QVERIFY2(before.at(spec.field) !=
                             LeafText(*s.Node(table.node).FindChild(spec.field)),
                         spec.field);
            }
            if (!row.Heading())
                cells << sheet.Grid().Model().CellText(static_cast<int>(r), 1);
        }
        const QString file = m_dir.filePath(QString("setting%1-%2.zcf").arg(view).arg(model));
        QVERIFY(s.app.Document()->Data().Save(file.toStdString()) == EFileResult::Ok);
        QProcess get;
        get.start(TOLVAR_BIN, QStringList{"get", "--maker-reserve", file} + paths);
        QVERIFY(get.waitForFinished(30000));
        QCOMPARE(get.exitCode(), 0);
        QStringList lines = QString::fromUtf8(get.readAllStandardOutput()).split('\n');
        // The flags of one row are joined as the sheet shows them.
        QStringList read;
        int at = 0;
        for (const SSettingRow& row : table.rows) {
            if (row.Heading())
                continue;
            QString joined;
            for (size_t f = 0; f < row.fields.size(); ++f)
                joined += lines.value(at++);
            read << joined;
        }
        QCOMPARE(read, cells);
    }

    // A refusal on a later page puts back what the earlier pages stored.
    void refusalPutsBackEarlierPages() {
        SApp s(0);
        QVERIFY(s.ok);
        const QString comment = s.Text("CommonSet.Common.Comment1");
        CTolvarSettingSheet& sheet = s.Show(kViewCommon);
        sheet.SelectRow(0);
        sheet.SetDialogRunner([&](QDialog& d) {
            auto& editor = static_cast<CListEditPropSheet&>(d);
            d.show();
            editor.Tabs()->setCurrentIndex(1);
            ControlOf(d, "Comment1")->SetText("CHANGED");
            ControlOf(d, "InATim")->SetText("128");
            d.accept();
            [&] { QCOMPARE(editor.Tabs()->currentIndex(), 1); }();
            return d.result() == QDialog::Accepted;
        });
        sheet.EditRow();
        QCOMPARE(s.boxes.size(), 1);
        QCOMPARE(s.Text("CommonSet.Common.Comment1"), comment);
        QVERIFY(!s.app.Document()->IsModified());
    }

    void makerReservedOnlyAfterActivation() {
        SApp s(0);
        QVERIFY(s.ok);
        QVERIFY(!s.Frame().Tree()->SelectId(kViewMakerReserved));
        s.Frame().ActivateMakerReserve();
        QVERIFY(s.Frame().Tree()->SelectId(kViewMakerReserved));
        QCOMPARE(s.Frame().GetCurrentViewId(), int(kViewMakerReserved));
        auto* sheet =
            dynamic_cast<CTolvarMakerReservedSheet*>(s.Frame().ListFrame()->CurrentSheet());
        QVERIFY(sheet);
        QCOMPARE(sheet->Grid().Model().CellText(0, 0), QString("SQL"));
    }

    // While another edit runs, no editor opens.
    void busyGuardOpensNothing() {
        SApp s(0);
        QVERIFY(s.ok);
        CTolvarSettingSheet& sheet = s.Show(kViewExpert);
        sheet.SelectRow(3);
        bool ran = false;
        sheet.SetDialogRunner([&](QDialog&) { return ran = true; });
        CEditScope busy(s.Registry().EditGuard());
        sheet.EditRow();
        QVERIFY(!ran);
        sheet.SelectRow(-1);
    }
};

int main(int argc, char* argv[]) {
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    qputenv("TMPDIR", home.path().toUtf8());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SettingSheetTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "SettingSheetTest.moc"
