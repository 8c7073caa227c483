// The code-channel sheets as tables: multiple tones, the DTMF code channels and
// system codes, the 2Tone receive channels and the 5Tone code channels, formats
// and user tones. A table gives the sheet's columns, how its rows are titled, the
// node of each row and how each cell shows its field; the desktop sheets, their
// editors and the tests walk the same tables.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "datamodel/memmap/EditorFields.h"
#include "datamodel/memmap/FieldForm.h"

class CCloneManager;
class CNode;

// How a cell (and the editor's box of the same field) shows a field.
enum class ECodeCell : uint8_t {
    Text,         // the field's text
    DtmfCode,     // a DTMF code: "E" shown as "*" and "F" as "#"
    FiveToneCode, // a 5Tone code: the group tone's digit shown as "G"
    Digits,       // the texts of field1 .. field7 run together ("12345__")
    TextOrIdDec,  // "(ID-Dec)" while "IdDec" is on, else the text
    Timer3,       // a time value with three decimals ("%1.3Lf", see TimeForm.h)
    Frequency,    // a tone in Hz with the decimals of its resolution ("1500.0", "1000")
    ToneRx,       // a multiple tone's receive tone: option text or DTCS code text
    ToneTx,       // the transmit tone; "<-----" when it equals the receive tone
};

// How the rows are titled and which node each row shows.
enum class ECodeRows : uint8_t {
    Numbered,      // "1" ..; node path + number
    NumberedGroup, // "1" .. then "G" for the last row; node path + number, "G" last
    Titled,        // the table's titles; node path + number
    Named,         // the table's titles; node path + title
    Hex,           // "0" .. "E"; node path + row in decimal
    MultiTone,     // "1" .. the size of the set; node path + running number over the sets
};

struct SCodeColumn {
    const char* title;
    int format; // 0 left, 1 right
    int width, minimum, maximum;
    int printWidth;
    ECodeCell kind = ECodeCell::Text;
    const char* field = nullptr;  // null: the row title
    const char* absent = "-----"; // the cell of a field that does not apply to the row
    bool onGroupRow = true;       // false: the group channel does not keep the field
};

// A row titled otherwise for some variants (the DTMF transmit code channels).
struct SCodeRowName {
    int row;
    unsigned models; // kModelsLMR, kModelsPMR or both
    const char* title;
};

struct SCodeSheet {
    int view;            // the view id (the first set's for the multiple tones)
    const char* name;    // the definition's title
    const char* section; // the profile section of the column widths
    int rows;
    ECodeRows rowKind;
    const char* path; // the node path of a row before its number or name
    std::vector<SCodeColumn> columns;
    std::vector<const char*> titles = {};   // Titled, Named
    std::vector<SCodeRowName> renamed = {}; // Numbered
    // Rows whose fields the file keeps at their factory values (0-based).
    std::vector<int> fixedRows = {};
    // The editor of a row: its title and its fields in order.
    const char* editorTitle = nullptr;
    std::vector<SEditorField> editor = {};
};

// The code-channel sheets in view order; the multiple tones once, for views 3..34.
const std::vector<SCodeSheet>& CodeSheets();
// The sheet of a view id, or null.
const SCodeSheet* CodeSheetOf(int view);

// Rows of the multiple-tone set 1..32 and the tones of the sets before it, from the
// set sizes "MultiTon.Set%d".
int MultiToneSetSize(const CCloneManager& registry, int set);
int MultiToneOffset(const CCloneManager& registry, int set);

// The number of rows the sheet shows (set: the multiple-tone set, else ignored).
int CodeRowCount(const CCloneManager& registry, const SCodeSheet& sheet, int set);
std::string CodeRowTitle(const SCodeSheet& sheet, int model, int row);
// The node path of row (0-based); offset is the multiple-tone row offset.
std::string CodeRowPath(const SCodeSheet& sheet, int row, int offset);
// " - CH 5", " - Group", " - OK ACK", " - No. 3", " - A".
std::string CodeRowStatus(const SCodeSheet& sheet, int model, int row);
// Every cell of the row, the title first; empty cells for a row past the last.
std::vector<std::string> CodeRowCells(const CCloneManager& registry, const SCodeSheet& sheet,
                                      int row, int offset);

// The text of a field as its cell shows it (kinds Text, DtmfCode, FiveToneCode,
// Timer3, ToneRx / ToneTx without the "<-----").
std::string CodeFieldText(const CNode& node, ECodeCell kind);
// What a typed text stands for in the field's own terms: the group tone's digit for
// "G" of a 5Tone code, the whole number of a timer typed with decimals; other kinds
// as typed (the editors turn a DTMF code's "E" and "F" into "*" and "#").
// False with the reason when the text cannot stand for a value of the field.
bool CodeFieldTyped(const CNode& node, ECodeCell kind, const std::string& typed, std::string& text,
                    std::string& reason);
// The form of the kinds an editor shows otherwise than the field's text, or null.
const IFieldForm* CodeFieldForm(ECodeCell kind);
// The column of a sheet that shows a field, or null.
const SCodeColumn* CodeColumnOf(const SCodeSheet& sheet, const std::string& field);

// Whether the file keeps the row's fields at their factory values, so that an
// editor cannot change them.
bool CodeRowFixed(const SCodeSheet& sheet, int row);
// Whether a field applies to the row that shows it: the image keeps it for that row.
bool CodeFieldApplies(const CCloneManager& registry, const SCodeSheet& sheet, int row,
                      const CNode& node);

// The characters the 5Tone code boxes keep while typing ("G" the group tone).
inline constexpr const char* kKeepFiveToneRx = "ABCDEG0123456789*+";
inline constexpr const char* kKeepFiveToneTx = "ABCDEG0123456789*";
