// How an edit dialog shows one field: the kind of control, its label and what it
// takes while typing. Tables of these describe the dialogs; the desktop program
// makes the controls from them.
#pragma once

class IFieldForm;

enum class EFieldControl {
    Auto,  // from the node: options give a list, anything else a line edit
    List,  // the field's option texts (or those of optionsOf)
    Edit,  // a line edit
    Tone,  // a tone box (CTCSS tones and DTCS codes)
    Check, // a check box: value 1 when checked
    Radio, // a button per value from 0 (texts: buttons, or the option texts)
};

// One control of an editor: the field it shows and how.
struct SEditorField {
    const char* field; // the field's name under the editor's node ("DtmfTim", "Code")
    const char* label; // the text beside the control
    EFieldControl kind = EFieldControl::Auto;
    const char* keep = nullptr; // characters kept while typing (null: any)
    bool upper = false;         // letters turn to upper case as they are typed
    int maxLength = 0;          // characters the edit takes (0: the field's own limit)
    bool dtmfLetters = false;   // "E" is taken as "*" and "F" as "#"
    // A list shows the options of this other field of the same node, in its order,
    // each standing for the value of the same text ("%1" becomes "LMR" or "PMR").
    const char* optionsOf = nullptr;
    // optionsOf: each text stands for the value it has in the other field instead.
    bool optionsByValue = false;
    // Shown and read in another form than the field's own text (null: its text).
    const IFieldForm* form = nullptr;
    // How a refusal names the field (null: the label).
    const char* name = nullptr;
    // Radio: the buttons' texts, separated by "|" (null: the option texts).
    const char* buttons = nullptr;
};

// Characters the edit boxes keep while typing.
inline constexpr const char* kKeepDtmfCode = "ABCDEF0123456789*# ";
inline constexpr const char* kKeepDtmfFixed = "ABCDEF0123456789*#";
inline constexpr const char* kKeepDigits = "0123456789";
inline constexpr const char* kKeepCwId = " ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.,:?'-()=/+*\"";
// The printable characters from the blank to "}".
inline constexpr const char* kKeepPrintable =
    " !\"#$%&'()*+,-./"
    "0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}";
