#include "Commands.h"

const std::vector<SCommandDef>& CommandTable() {
    using K = QKeySequence;
    static const std::vector<SCommandDef> table = {
        {kCmdNew, "&New", "Create a new document.", {K(Qt::CTRL | Qt::Key_N)}, false, true,
         EArt::New, "New"},
        {kCmdOpen, "&Open...", "Open an existing document.", {K(Qt::CTRL | Qt::Key_O)}, false,
         true, EArt::Open, "Open"},
        {kCmdSave, "&Save", "Save the active document.", {K(Qt::CTRL | Qt::Key_S)}, false, true,
         EArt::Save, "Save"},
        {kCmdSaveAs, "Save &As...", "Save the active document with a new name."},
        {kCmdPrintCurrent, "&Current...", ""},
        {kCmdPrintAll, "&All...", "Print the active document", {K(Qt::CTRL | Qt::Key_P)}},
        {kCmdPrintPreview, "Pre&view...", "Show the pages of all sheets as they print."},
        {kCmdExportPdf, "Export as PDF...", "Save the pages of all sheets as a PDF file."},
        {kCmdRecentFirst, "Recent File", "Open this document."},
        {kCmdRecentFirst + 1, "Recent File", "Open this document."},
        {kCmdRecentFirst + 2, "Recent File", "Open this document."},
        {kCmdRecentFirst + 3, "Recent File", "Open this document."},
        {kCmdExit, "E&xit\tAlt+F4", "Quit the application; prompts to save documents."},
        {kCmdEditMemory, "&Edit Memory...\tEnter", "Edit Memory."},
        {kCmdPrioA, "Prio A", "Set the channel as Prio A channel."},
        {kCmdEmergency, "Emergency", "Set the channel as emergency channel."},
        {kCmdEmergencyOff, "Emergency OFF", "Clear the emergency channel."},
        {kCmdCopy, "Copy", "", {K(Qt::CTRL | Qt::Key_C), K(Qt::CTRL | Qt::Key_Insert)}},
        {kCmdPaste, "Paste", "", {K(Qt::CTRL | Qt::Key_V), K(Qt::SHIFT | Qt::Key_Insert)}},
        {kCmdClear, "Clear", ""},
        {kCmdDelete, "Delete", "", {K(Qt::Key_Delete)}},
        {kCmdInsert, "Insert", "", {K(Qt::Key_Insert)}},
        {kCmdCut, "Cut", "", {K(Qt::CTRL | Qt::Key_X), K(Qt::SHIFT | Qt::Key_Delete)}},
        {kCmdUndo, "Undo", "", {K(Qt::CTRL | Qt::Key_Z), K(Qt::ALT | Qt::Key_Backspace)}},
        {kCmdToolbar, "&Toolbar", "Show or hide the toolbar.", {}, true},
        {kCmdStatusBar, "&Status Bar", "Show or hide the status bar.", {}, true},
        {kCmdCom1, "COM&1", "Use COM1.", {}, true, true, EArt::Com1, "COM1"},
        {kCmdCom1 + 1, "COM&2", "Use COM2.", {}, true, true, EArt::Com2, "COM2"},
        {kCmdCom1 + 2, "COM&3", "Use COM3.", {}, true, true, EArt::Com3, "COM3"},
        {kCmdCom1 + 3, "COM&4", "Use COM4.", {}, true, true, EArt::Com4, "COM4"},
        {kCmdPortSettings, "Port &Settings...",
         "Choose what COM1 to COM4 open and the transfer speed."},
        {kCmdRead, "&Read <- TR", "Read from repeater.", {}, false, true, EArt::Read,
         "Read from repeater"},
        {kCmdWrite, "&Write -> TR", "Write to repeater.", {}, false, true, EArt::Write,
         "Write to repeater"},
        {kCmdInformation, "&Information", "Read information from repeater.", {}, false, true,
         EArt::Information, "Information"},
        {kCmdModelLMR, "LMR (2Tone)", "Switch to \"LMR(2Tone)\" model.", {}, true},
        {kCmdModelPMR, "PMR (5Tone)", "Switch to \"PMR(5Tone)\" model.", {}, true},
        {kCmdHelp, "&Contents", "Opens Help.", {K(Qt::Key_F1)}},
        {kCmdAbout, "&About CS-Tolvar", "Display program information."},
        {kCmdNextPane, "Next Pane", "", {K(Qt::Key_F6)}},
        {kCmdPrevPane, "Previous Pane", "", {K(Qt::SHIFT | Qt::Key_F6)}},
    };
    return table;
}

const SCommandDef* FindCommand(int id) {
    for (const SCommandDef& def : CommandTable())
        if (def.id == id) return &def;
    return nullptr;
}

const std::vector<SMenuDef>& MenuTable() {
    static const std::vector<SMenuDef> menus = {
        {"&File", {kCmdNew, kCmdOpen, kCmdSave, kCmdSaveAs, kSeparator, kCmdPrintCurrent,
                   kSeparator, kCmdRecentFirst, kSeparator, kCmdExit}},
        {"&Edit", {kCmdEditMemory, kSeparator, kCmdPrioA, kCmdEmergency, kCmdEmergencyOff,
                   kSeparator, kCmdCopy, kCmdPaste, kSeparator, kCmdClear, kCmdDelete,
                   kCmdInsert}},
        {"&View", {kCmdToolbar, kCmdStatusBar}},
        {"COM &Port", {kCmdCom1, kCmdCom1 + 1, kCmdCom1 + 2, kCmdCom1 + 3, kSeparator,
                       kCmdPortSettings}},
        {"&Clone", {kCmdRead, kCmdWrite, kSeparator, kCmdInformation}},
        {"&Model", {kCmdModelLMR, kCmdModelPMR}},
        {"&Help", {kCmdHelp, kSeparator, kCmdAbout}},
    };
    return menus;
}

const std::vector<int>& PrintSubmenu() {
    static const std::vector<int> items = {kCmdPrintCurrent, kCmdPrintAll, kSeparator,
                                           kCmdPrintPreview, kCmdExportPdf};
    return items;
}

const std::vector<int>& ToolbarTable() {
    static const std::vector<int> bar = {kCmdNew,      kCmdOpen,     kCmdSave,     kSeparator,
                                         kCmdCom1,     kCmdCom1 + 1, kCmdCom1 + 2, kCmdCom1 + 3,
                                         kSeparator,   kCmdRead,     kCmdWrite,    kCmdInformation};
    return bar;
}
