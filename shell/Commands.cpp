#include "Commands.h"

const std::vector<SCommandDef>& CommandTable() {
    using K = QKeySequence;
    using C = ECommand;
    static const std::vector<SCommandDef> table = {
        {C::New, "&New", "Create a new document.", {K(Qt::CTRL | Qt::Key_N)}, false, true, EArt::New,
         "New"},
        {C::Open, "&Open...", "Open an existing document.", {K(Qt::CTRL | Qt::Key_O)}, false, true,
         EArt::Open, "Open"},
        {C::Save, "&Save", "Save the active document.", {K(Qt::CTRL | Qt::Key_S)}, false, true,
         EArt::Save, "Save"},
        {C::SaveAs, "Save &As...", "Save the active document with a new name."},
        {C::Import, "&Import...", "Set fields from a JSON export or the memory channels from a CSV file."},
        {C::Export, "&Export...", "Write every field as JSON, or the memory channels as CSV."},
        {C::CompareFile, "Co&mpare With...",
         "List every field in which a data file differs from the document."},
        {C::Backups, "&Backups...",
         "Open a copy of an image read from or written to a repeater."},
        {C::PrintCurrent, "&Current...", ""},
        {C::PrintAll, "&All...", "Print the active document", {K(Qt::CTRL | Qt::Key_P)}},
        {C::PrintPreview, "Pre&view...", "Show the pages of all sheets as they print."},
        {C::ExportPdf, "Export as PDF...", "Save the pages of all sheets as a PDF file."},
        {C::Recent1, "Recent File", "Open this document."},
        {C::Recent2, "Recent File", "Open this document."},
        {C::Recent3, "Recent File", "Open this document."},
        {C::Recent4, "Recent File", "Open this document."},
        {C::Exit, "E&xit\tAlt+F4", "Quit the application; prompts to save documents."},
        {C::EditMemory, "&Edit Memory...\tEnter", "Edit Memory."},
        {C::PrioA, "Prio A", "Set the channel as Prio A channel.", {}, true},
        {C::Emergency, "Emergency", "Set the channel as emergency channel.", {}, true},
        {C::EmergencyOff, "Emergency OFF", "Clear the emergency channel."},
        {C::Copy, "Copy", "", {K(Qt::CTRL | Qt::Key_C), K(Qt::CTRL | Qt::Key_Insert)}},
        {C::Paste, "Paste", "", {K(Qt::CTRL | Qt::Key_V), K(Qt::SHIFT | Qt::Key_Insert)}},
        {C::Clear, "Clear", ""},
        {C::Delete, "Delete", "", {K(Qt::Key_Delete)}},
        {C::Insert, "Insert", "", {K(Qt::Key_Insert)}},
        {C::Cut, "Cut", "", {K(Qt::CTRL | Qt::Key_X), K(Qt::SHIFT | Qt::Key_Delete)}},
        {C::Undo, "&Undo", "Undo the last change.", {K(Qt::CTRL | Qt::Key_Z), K(Qt::ALT | Qt::Key_Backspace)},
         false, true, EArt::Undo, "Undo"},
        {C::Redo, "&Redo", "Make the change undone last again.",
         {K(Qt::CTRL | Qt::Key_Y), K(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}, false, true, EArt::Redo, "Redo"},
        {C::Toolbar, "&Toolbar", "Show or hide the toolbar.", {}, true},
        {C::StatusBar, "&Status Bar", "Show or hide the status bar.", {}, true},
        {C::Com1, "COM&1", "Use COM1.", {}, true, true, EArt::Com1, "COM1"},
        {C::Com2, "COM&2", "Use COM2.", {}, true, true, EArt::Com2, "COM2"},
        {C::Com3, "COM&3", "Use COM3.", {}, true, true, EArt::Com3, "COM3"},
        {C::Com4, "COM&4", "Use COM4.", {}, true, true, EArt::Com4, "COM4"},
        {C::PortSettings, "Port &Settings...",
         "Choose what COM1 to COM4 open and the transfer speed."},
        {C::Read, "&Read <- TR", "Read from repeater.", {}, false, true, EArt::Read,
         "Read from repeater"},
        {C::Write, "&Write -> TR", "Write to repeater.", {}, false, true, EArt::Write,
         "Write to repeater"},
        {C::VerifyAfterWrite, "&Verify After Write",
         "Read the repeater back after writing and compare it with the data written.", {}, true},
        {C::CompareRepeater, "&Compare With Repeater",
         "Read the repeater and list every field in which it differs; the document stays as it is."},
        {C::Information, "&Information", "Read information from repeater.", {}, false, true,
         EArt::Information, "Information"},
        {C::ModelLMR, "LMR (2Tone)", "Switch to \"LMR(2Tone)\" model.", {}, true},
        {C::ModelPMR, "PMR (5Tone)", "Switch to \"PMR(5Tone)\" model.", {}, true},
        {C::Help, "&Contents", "Opens Help.", {K(Qt::Key_F1)}},
        {C::About, "&About CS-Tolvar", "Display program information."},
        {C::NextPane, "Next Pane", "", {K(Qt::Key_F6)}},
        {C::PrevPane, "Previous Pane", "", {K(Qt::SHIFT | Qt::Key_F6)}},
    };
    return table;
}

const SCommandDef* FindCommand(ECommand command) {
    for (const SCommandDef& def : CommandTable())
        if (def.command == command) return &def;
    return nullptr;
}

const std::vector<SMenuDef>& MenuTable() {
    using C = ECommand;
    static const SMenuItem separator{};
    static const std::vector<SMenuDef> menus = {
        {"&File",
         {{C::New}, {C::Open}, {C::Save}, {C::SaveAs}, separator, {C::Import}, {C::Export}, separator,
          {C::CompareFile}, {C::Backups}, separator,
          {C::None, "&Print", {C::PrintCurrent, C::PrintAll, C::None, C::PrintPreview, C::ExportPdf}},
          separator, {C::Recent1}, {C::Recent2}, {C::Recent3}, {C::Recent4}, separator, {C::Exit}}},
        {"&Edit",
         {{C::Undo}, {C::Redo}, separator, {C::EditMemory}, separator, {C::PrioA}, {C::Emergency}, {C::EmergencyOff}, separator,
          {C::Copy}, {C::Paste}, separator, {C::Clear}, {C::Delete}, {C::Insert}}},
        {"&View", {{C::Toolbar}, {C::StatusBar}}},
        {"COM &Port", {{C::Com1}, {C::Com2}, {C::Com3}, {C::Com4}, separator, {C::PortSettings}}},
        {"&Clone",
         {{C::Read}, {C::Write}, {C::VerifyAfterWrite}, separator, {C::CompareRepeater}, separator,
          {C::Information}}},
        {"&Model", {{C::ModelLMR}, {C::ModelPMR}}},
        {"&Help", {{C::Help}, separator, {C::About}}},
    };
    return menus;
}

const std::vector<ECommand>& ToolbarTable() {
    using C = ECommand;
    static const std::vector<ECommand> bar = {C::New,  C::Open,  C::Save, C::None, C::Undo,
                                              C::Redo, C::None,  C::Com1, C::Com2, C::Com3,
                                              C::Com4, C::None,  C::Read, C::Write, C::Information};
    return bar;
}
