// The two-column setting sheets (DTMF setting, 2Tone and 5Tone code settings, key &
// display, common, expert, maker reserved): one table per sheet gives its rows
// (title and fields), its columns and its editor's pages. The sheet, its editor,
// printing and the tests walk the same tables.
#pragma once

#include <string>
#include <vector>

#include "datamodel/memmap/EditorFields.h"

class CNode;

// One row: a heading (no fields, title at the left margin) or a setting (title
// indented under its heading, or at the margin when it stands alone).
struct SSettingRow {
    const char* title;
    // The fields the row shows and its editor edits; several are flags shown as one
    // value (the digits "1" ... "7" or "_" each).
    std::vector<SEditorField> fields;
    bool Heading() const { return fields.empty(); }
};

// One page of a setting editor, from its first row up to the next page's.
struct SSettingPage {
    const char* title; // the page's title (the dialog's title when it is the only page)
    int dialog;        // the dialog's number
    int firstRow;
};

struct SSettingColumn {
    int width, minimum, maximum, printWidth;
};

struct SSettingSheet {
    int view;
    const char* className; // "CTolvarDtmfSetSheet"
    const char* section;   // the profile section of its column widths
    const char* title;     // the definition title
    const char* node;      // the path of the node that holds the fields
    SSettingColumn name, value;
    std::vector<SSettingRow> rows;
    const char* editorTitle; // the property sheet's caption; null for a single dialog
    std::vector<SSettingPage> pages;
};

// The sheets, in view order.
const std::vector<SSettingSheet>& SettingSheets();
// The sheet of a view, or null.
const SSettingSheet* SettingSheetOf(int view);

// The value cell of a row: the field's text (a time value in its format, "12.000"),
// the flags' texts side by side, empty for a heading; "------" where the node lacks a
// field.
std::string SettingRowText(const CNode& sheetNode, const SSettingRow& row);

// Where the editor opens for a row: the page (0-based) and the item within it
// (1-based: the row's number minus the page's first row, plus one).
struct SEditorPlace {
    int page = 0;
    int item = 1;
};
SEditorPlace EditorPlaceOf(const SSettingSheet& sheet, int row);
// The row after the last one a page covers.
int PageEndRow(const SSettingSheet& sheet, int page);
