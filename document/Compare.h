// Two documents compared as a technician reads them: each difference is a cell of a
// sheet, named by the view's title, the row's title and the column's (a setting row
// by its own title), with both cells' texts. The command line lists these; a window
// can go to each, as it carries the view id and the row.
#pragma once

#include <string>
#include <vector>

#include "document/ViewTable.h"

class CCloneManager;
class CTolvarDocumentData;

struct SSheetDifference {
    // The view whose sheet shows it; kViewNone for the variant itself and for a field
    // no sheet shows.
    int view = kViewNone;
    int row = -1;          // the sheet's row, 0-based; -1 with kViewNone
    std::string viewTitle; // as the right header shows it: "DTMF:RX Code"
    // "CH 7", "Group", "OK ACK", "No. 3"; a setting row's title after its headings:
    // "RPT TOT > TOT Timer"
    std::string rowTitle;
    std::string column;       // the column's title; empty for a setting row
    std::string textA, textB; // as the sheets show them; empty where a sheet lacks the row
    // The fields behind the cell whose texts differ (the cell may show more than
    // one); "Model" for the variant. Empty only where one document's variant has no
    // such sheet or row.
    std::vector<std::string> paths;
};

// The differences of b from a: the variant first ("Model", "LMR" and "PMR"), then
// the sheets' cells view by view in the view table's order, row by row, column by
// column; last, by path, the fields both documents hold that differ where no sheet
// shows it (a field of a channel not in use). A cell that differs only because
// another cell did (a transmit frequency shown as "<-----") is not one. For documents
// of two variants, views of the same title (the memory sheets) are compared as one,
// their columns paired by title, and a view only one variant shows lists every cell
// of its that is not empty. makerReserve: the maker-reserved area too. Changes
// neither document.
std::vector<SSheetDifference> CompareSheets(CCloneManager& a, CCloneManager& b,
                                            bool makerReserve = false);

// A verify after a write: the image the write sent, decoded afresh (normalising it
// for the write may have changed what the tree still shows), against what was read
// back. Changes neither document.
std::vector<SSheetDifference> CompareWritten(CTolvarDocumentData& written,
                                             CTolvarDocumentData& readBack, bool makerReserve);

// Where a difference is, in one line: "Memory > CH 7 > Rx Frequency",
// "Common Setting:Common > Hang ON > Timer"; a field no sheet shows by its path.
std::string DifferencePlace(const SSheetDifference& difference);

// A text in double quotes, '"', '\' and control characters escaped as JSON writes them.
std::string QuotedText(const std::string& text);
// One difference a line: Memory > CH 7 > Rx Frequency: "146.50000" -> "146.52000"
std::string DifferenceLine(const SSheetDifference& difference);
// Every difference a line (each ending in a newline); "No differences.\n" for none.
std::string DifferencesText(const std::vector<SSheetDifference>& differences);
