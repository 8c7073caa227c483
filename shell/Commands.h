// The commands of the main window: ids, menu texts, status-bar prompts, keys and
// toolbar art, as one table that builds the menus, the toolbar and the keys.
#pragma once

#include <QKeySequence>
#include <vector>

#include "shell/Icons.h"

enum ECommand : int {
    kCmdNew = 32786,
    kCmdOpen = 57601,
    kCmdSave = 57603,
    kCmdSaveAs = 57604,
    kCmdPrintCurrent = 32810,
    kCmdPrintAll = 57607,
    kCmdPrintPreview = 32811,
    kCmdExportPdf = 32812,
    kCmdRecentFirst = 57616, // four entries
    kCmdExit = 57665,
    kCmdEditMemory = 20120,
    kCmdPrioA = 32775,
    kCmdEmergency = 32777,
    kCmdEmergencyOff = 32778,
    kCmdCopy = 57634,
    kCmdPaste = 57637,
    kCmdClear = 57632,
    kCmdDelete = 32784,
    kCmdInsert = 32785,
    kCmdCut = 57635,  // accepted and ignored
    kCmdUndo = 57643, // accepted and ignored
    kCmdToolbar = 59392,
    kCmdStatusBar = 59393,
    kCmdCom1 = 20113, // .. kCmdCom1 + 3
    kCmdPortSettings = 20117,
    kCmdRead = 20110,
    kCmdWrite = 20111,
    kCmdInformation = 20112,
    kCmdModelPMR = 20140,
    kCmdModelLMR = 20141,
    kCmdHelp = 57667,
    kCmdAbout = 57664,
    kCmdNextPane = 57680,
    kCmdPrevPane = 57681,
    kSeparator = 0,
};

struct SCommandDef {
    int id;
    const char* text;   // menu text; after a tab the key shown
    const char* prompt; // status-bar prompt, "" for none
    std::vector<QKeySequence> keys = {};
    bool checkable = false;
    bool hasArt = false;
    EArt art = EArt::App;
    const char* tip = ""; // toolbar tooltip
};

struct SMenuDef {
    const char* title;
    std::vector<int> items; // command ids, kSeparator, or a submenu marker below
};

const std::vector<SCommandDef>& CommandTable();
const SCommandDef* FindCommand(int id);
// The menu bar in order. In "&File" the id kCmdPrintCurrent stands for the "&Print"
// submenu (PrintSubmenu()) and kCmdRecentFirst for the recent files.
const std::vector<SMenuDef>& MenuTable();
// The items of the "&Print" submenu.
const std::vector<int>& PrintSubmenu();
// The toolbar buttons in order (kSeparator between groups).
const std::vector<int>& ToolbarTable();
