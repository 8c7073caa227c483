// Renders the main window in every view of both variants, the maker-reserved state
// and the dialogs to PNG files, without a display: `make screenshots`.
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "gui/OwnProfile.h"
#include "datamodel/DataManagers.h"
#include "datamodel/memmap/ChannelEditing.h"
#include "datamodel/nodes/Node.h"
#include "document/NavigationTree.h"
#include "datamodel/memmap/CodeSheets.h"
#include "datamodel/memmap/TreeAccess.h"
#include "editors/sheets/CodeDialog.h"
#include "editors/sheets/CodeSheet.h"
#include "editors/sheets/MchDialog.h"
#include "editors/sheets/MchSheet.h"
#include "editors/sheets/SettingEditor.h"
#include "shell/BackupsDialog.h"
#include "shell/CompareWindow.h"
#include "shell/Dialogs.h"
#include "shell/Document.h"
#include "shell/MainFrame.h"
#include "shell/PrintJob.h"
#include "shell/ProgressDialog.h"
#include "shell/QtInteraction.h"
#include "shell/TolvarApp.h"
#include "shell/TreeView.h"

namespace {

void Save(QWidget& widget, const QDir& out, const QString& name, bool fit = true) {
    if (fit) widget.adjustSize();
    QApplication::processEvents();
    const QString path = out.filePath(name + ".png");
    if (!widget.grab().save(path)) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

// The code-channel sheets of both variants with some codes in them, and the editor
// of each, opened on a row that shows its fields.
void SaveCodeScreens(CTolvarApp& tolvar, const QDir& out) {
    CTolvarMainFrame& frame = *tolvar.MainFrame();
    // Path, text; the areas of the other variant are skipped.
    const std::pair<const char*, const char*> samples[] = {
        {"DtmfCodeCH.TxCodeCH.CH1.Code", "0123456789*#"},
        {"DtmfCodeCH.TxCodeCH.CH2.Code", "4711"},
        {"DtmfCodeCH.RxCodeCH.CH1.Code", "1234"},
        {"DtmfCodeCH.RxCodeCH.CH1.Text", "GATE"},
        {"DtmfCodeCH.RxCodeCH.CH1.Lcd", "ON"},
        {"DtmfCodeCH.RxCodeCH.CH1.Beep", "PiPi(repeat)"},
        {"DtmfCodeCH.TxSysCodeCH.CH1.Code", "1A2B"},
        {"2ToneCodeCH.RXCodeCH.CH1.1stFreq", "1000"},
        {"2ToneCodeCH.RXCodeCH.CH1.2ndFreq", "1500"},
        {"2ToneCodeCH.RXCodeCH.CH1.Text", "DEPOT"},
        {"2ToneCodeCH.RXCodeCH.CH1.AutTx", "REMOTE"},
        {"5ToneCodeCH.TxCodeCom.SpcTonGrp", "A"},
        {"5ToneCodeCH.RXCodeCH.CH1.RxCode", "12A45"},
        {"5ToneCodeCH.RXCodeCH.CH1.Text", "BASE"},
        {"5ToneCodeCH.RXCodeCH.CH2.RxCode", "1234+"},
        {"5ToneCodeCH.RXCodeCH.CH2.IdDec", "ON"},
        {"5ToneCodeCH.TXCodeCH.CH1.TxCode", "12345"},
        {"5ToneCodeCH.TXCodeCH.CH1.InpDigit4", "4"},
        {"5ToneCodeCH.TXCodeCH.CH1.InpDigit5", "5"},
        {"5ToneCodeCH.TXCodeCH.CH1.Text", "MOBILE 1"},
        {"MultiTon.Ton1.CTonRx", "88.5"},
        {"MultiTon.Ton1.CTonTx", "88.5"},
        {"MultiTon.Ton2.CTonRx", "023N"},
        {"MultiTon.Ton2.CTonTx", "754i"},
    };
    const int views[] = {kViewMultiToneFirst, kViewDtmfTx,   kViewDtmfRx,       kViewDtmfTxSys,
                         kViewDtmfRxSys,      kView2ToneRx,  kView5ToneRx,      kView5ToneTx,
                         kView5ToneFormat,    kView5ToneUserTone};
    for (int model : {0, 1}) {
        tolvar.Document()->OnModel(model);
        CCloneManager& registry = tolvar.Document()->Registry();
        CTreeIndex index(*registry.RadioData(), model);
        std::string error;
        for (const auto& [path, text] : samples)
            if (const STreeLeaf* leaf = index.Find(path)) SetLeafText(*leaf, text, error);
        tolvar.Document()->UpdateAllViews();
        const QString variant = model ? "pmr" : "lmr";
        for (int view : views) {
            if (!frame.Tree()->SelectId(view)) continue;
            QApplication::processEvents();
            Save(frame, out, QString("code-%1-view%2").arg(variant).arg(view), false);
            const SCodeSheet& sheet = *CodeSheetOf(view);
            CNode* node = registry.Model()->GetNodeByPath(CodeRowPath(sheet, 0, 0));
            if (!node) continue;
            const std::unique_ptr<QDialog> dialog = MakeCodeEditor(registry, sheet, 0, *node, &frame);
            if (dialog) Save(*dialog, out, QString("dialog-code-%1-view%2").arg(variant).arg(view));
        }
    }
}

// Every page of the setting editors of one variant (the 2Tone ones for LMR, the
// 5Tone ones for PMR).
void SaveSettingEditors(CTolvarApp& tolvar, QWidget& owner, const QDir& out, int model) {
    const QString variant = model ? "pmr" : "lmr";
    for (const SSettingSheet& sheet : SettingSheets()) {
        if ((sheet.view == kView2ToneRxSet || sheet.view == kView2ToneTx) && model) continue;
        if ((sheet.view == kView5ToneRxSet || sheet.view == kView5ToneTxSet) && !model) continue;
        for (size_t p = 0; p < sheet.pages.size(); ++p) {
            auto editor = MakeSettingEditor(tolvar.Document()->Registry(), sheet, model,
                                            sheet.pages[p].firstRow, &owner);
            if (!editor) continue;
            editor->show();
            Save(*editor, out, QString("dialog-setting%1-page%2-%3").arg(sheet.view).arg(p + 1).arg(variant));
        }
    }
}

} // namespace

int main(int argc, char* argv[]) {
    QTemporaryDir config;
    UseOwnProfile(config, false);
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? argv[1] : "screenshots");
    QDir().mkpath(out.path());

    CTolvarApp tolvar;
    tolvar.SetSplashDuration(0);
    if (!tolvar.InitInstance({"cs-tolvar"})) return 1;
    CTolvarMainFrame& frame = *tolvar.MainFrame();
    CQtUserInteraction& ui = *tolvar.Interaction();
    ui.SetBoxHook([](const SBoxRecord&) { return EAnswer::Yes; });
    ui.SetSilent(true);
    frame.resize(760, 480);

    for (int model : {0, 1}) {
        tolvar.Document()->OnModel(model);
        CChannelEditor channels(tolvar.Document()->Registry());
        const char* names[] = {"BASE 1", "SITE A RPT", "EMERGENCY", "PORTABLE"};
        for (int n = 1; n <= 4; ++n) {
            CNode& holder = *channels.Holder(n);
            holder.FindChild("ChOn")->SetValue(1);
            holder.FindChild("FreqRx")->SetText(std::to_string(144 + n) + ".125");
            holder.FindChild("FreqTx")->SetText(n == 2 ? "145.725" : std::to_string(144 + n) + ".125");
            holder.FindChild("Text")->SetText(names[n - 1]);
            holder.FindChild("CTonRx")->SetValue(n == 3 ? 2023 : 13);
        }
        channels.SetPrioA(2);
        channels.SetEmergency(3);
        tolvar.Document()->UpdateAllViews();
        const QString variant = model ? "pmr" : "lmr";
        for (int id = 0; id <= kViewLast; ++id) {
            if (!frame.Tree()->SelectId(id)) continue;
            QApplication::processEvents();
            Save(frame, out, QString("main-%1-view%2").arg(variant).arg(id, 2, 10, QChar('0')), false);
        }
        CTolvarMchDialog channel(tolvar.Document()->Registry(), model, 2, &frame);
        Save(channel, out, QString("dialog-channel-%1").arg(variant));
        SaveSettingEditors(tolvar, frame, out, model);
    }
    SaveCodeScreens(tolvar, out);
    frame.ActivateMakerReserve();
    frame.Tree()->SelectId(kViewMakerReserved);
    Save(frame, out, "main-maker-reserved", false);

    SRepeaterInfo info;
    info.revision = 0x0100;
    const std::string comment = "VK-TOLVAR SIM   REPEATER SITE A ";
    for (size_t i = 0; i < comment.size(); ++i) info.information[i] = static_cast<uint8_t>(comment[i]);
    info.information[32] = 0x01;
    CInformationDialog information(info, &frame);
    Save(information, out, "dialog-information");
    CAboutDialog about(&frame);
    Save(about, out, "dialog-about");
    CSplashDialog splash(&frame, 100000);
    Save(splash, out, "dialog-splash");
    CPortSettingsDialog ports(CPortSettings(), 1, &frame);
    Save(ports, out, "dialog-port-settings");
    CCloneProgressDialog progress(&frame);
    progress.Begin("Reading");
    progress.SetPos(40);
    Save(progress, out, "dialog-progress");
    CPrintAbortDialog printing(&frame);
    Save(printing, out, "dialog-now-printing");
    CCompareWindow compare(&frame);
    compare.Show({"hilltop.zcf and the repeater", "hilltop.zcf", "Repeater",
                  {{kViewMemoryLMR, 6, "Memory", "CH 7", "Rx Frequency", "146.50000", "146.52000", {}},
                   {kViewMemoryLMR, 6, "Memory", "CH 7", "Text", "NORTH", "", {}},
                   {kViewNone, -1, "", "", "", "OFF", "ON", {"Mch.CH9.InhTx"}}}});
    Save(compare, out, "window-compare", false);
    CBackupsDialog backups(tolvar.Document()->Backups(), &frame);
    Save(backups, out, "dialog-backups", false);
    // The File menu's Print submenu.
    for (QMenu* menu : frame.findChildren<QMenu*>())
        if (menu->title() == "&Print") {
            frame.UpdateCommandUI();
            Save(*menu, out, "menu-print");
        }
    std::printf("screenshots written to %s\n", qPrintable(out.absolutePath()));
    return 0;
}
