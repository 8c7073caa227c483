// The memory channel sheet of each variant as a table of columns: what the sheet
// shows, the channel CSV writes and reads back, and which field each column holds.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "datamodel/memmap/TreeAccess.h"

class CNode;

enum class ESheetColumn {
    Number,   // the channel number
    Attr,     // "A" for Mch.PrioA, "E" for Mch.Emr
    Field,    // the field's text
    FreqTx,   // the transmit frequency; "<-----" in the sheet when it is the receive one
    ToneRx,   // the receive tone
    ToneTx,   // the transmit tone; "<-----" when it is the receive one, "------" for Multi
    WithLong, // the field's text, then "L" when the "long" flag (extra) is set
    RxCNo,    // the texts of the fields field1 .. field8 run together
};

struct SSheetColumn {
    const char* title;
    ESheetColumn kind;
    const char* field = nullptr; // RxCNo: the stem of the numbered fields
    const char* extra = nullptr; // WithLong: the "long" flag
    int width = 0;               // the desktop sheet's default width in pixels
    int printWidth = 0;          // characters when printed
};

inline constexpr int kRxCNoCount = 8;

// The columns of the variant's sheet (0 LMR, 1 PMR), in order.
const std::vector<SSheetColumn>& ChannelSheetColumns(int model);
// The column of the variant's sheet that holds a field: a channel field by its name
// ("FreqRx", "RPTLng", "RxCNo3"), or "PrioA" and "Emr" of Mch; null when none does.
const SSheetColumn* ChannelSheetColumnOf(int model, const std::string& field);

std::vector<std::string> ChannelSheetTitles(int model);
// The cells of channel 1..32 with the texts the sheet shows (renamed options, code
// texts of tones). sheet: also "<-----" and "------" where the sheet shows them;
// otherwise every cell holds its field's text, as the CSV does.
std::vector<std::string> ChannelSheetRow(const CTreeIndex& index, int channel, bool sheet);
// The same from the "Mch" node, without building an index (the desktop sheet).
std::vector<std::string> ChannelSheetRow(const CNode& mch, int model, int channel, bool sheet);

// A field one cell sets: a field of the channel by name, or for the attribute column
// "PrioA" or "Emr" of "Mch"; the text as SetLeafText takes it.
struct SCellField {
    std::string field;
    std::string text;
};
// The way back from ChannelSheetRow: the fields one cell of channel's row sets, for
// a channel in use. The sheet's own cells are read too: "<-----" is the receive
// cell, "------" no transmit tone. A "long" flag follows the cell's "L" and keeps
// its value when the field is off. holder: the channel's field holder; rowCell: the
// row's cell of the column that holds a field, empty when none does. False, with
// why in reason, for a cell the column never shows.
bool ChannelCellFields(const SSheetColumn& column, const std::string& cell, int channel,
                       const CNode& holder,
                       const std::function<std::string(const std::string&)>& rowCell,
                       std::vector<SCellField>& fields, std::string& reason);
