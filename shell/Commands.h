// The commands of the main window: menu texts, status-bar prompts, keys and toolbar
// art, as one table that builds the actions, the menus, the toolbar and the keys.
#pragma once

#include <QKeySequence>
#include <vector>

#include "editors/Command.h"
#include "shell/Icons.h"

struct SCommandDef {
    ECommand command;
    const char* text;   // menu text; after a tab the key shown
    const char* prompt; // status-bar prompt, "" for none
    std::vector<QKeySequence> keys = {};
    bool checkable = false;
    bool hasArt = false;
    EArt art = EArt::App;
    const char* tip = ""; // toolbar tooltip
};

// An entry of a menu: a command, a separator (ECommand::None), or a submenu.
struct SMenuItem {
    ECommand command = ECommand::None;
    const char* submenu = nullptr;     // the "&Print" submenu's title
    std::vector<ECommand> items = {}; // the submenu's entries
};

struct SMenuDef {
    const char* title;
    std::vector<SMenuItem> items;
};

const std::vector<SCommandDef>& CommandTable();
const SCommandDef* FindCommand(ECommand command);
// The menu bar in order.
const std::vector<SMenuDef>& MenuTable();
// The toolbar buttons in order (ECommand::None between groups).
const std::vector<ECommand>& ToolbarTable();
