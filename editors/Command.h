// The commands of the desktop program. The main window makes one action of each;
// a command goes first to the sheet shown, then to the document, the window and
// the application.
#pragma once

enum class ECommand {
    None,
    New,
    Open,
    Save,
    SaveAs,
    Import,
    Export,
    CompareFile,
    Backups,
    PrintCurrent,
    PrintAll,
    PrintPreview,
    ExportPdf,
    Recent1,
    Recent2,
    Recent3,
    Recent4,
    Exit,
    EditMemory,
    PrioA,
    Emergency,
    EmergencyOff,
    Copy,
    Paste,
    Clear,
    Delete,
    Insert,
    Cut, // accepted and ignored
    Undo,
    Redo,
    Toolbar,
    StatusBar,
    Com1,
    Com2,
    Com3,
    Com4,
    PortSettings,
    Read,
    Write,
    VerifyAfterWrite,
    CompareRepeater,
    Information,
    ModelLMR,
    ModelPMR,
    Help,
    About,
    NextPane,
    PrevPane,
};

inline constexpr int kRecentCommands = 4;

inline ECommand Offset(ECommand first, int n) {
    return static_cast<ECommand>(static_cast<int>(first) + n);
}
inline int Distance(ECommand first, ECommand command) {
    return static_cast<int>(command) - static_cast<int>(first);
}

// The enable and check state a command shows.
struct SCommandState {
    bool enabled = false;
    bool checked = false;
};
