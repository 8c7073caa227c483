// The memory channels as CSV: the columns of the variant's channel sheet, one row
// per channel, written and read by the sheet's own cell rules.
#pragma once

#include <string>
#include <vector>

#include "datamodel/memmap/ChannelMap.h"
#include "datamodel/memmap/ChannelSheet.h"
#include "datamodel/memmap/TreeAccess.h"

// The header and the 32 channels, each cell holding its field's text.
std::string ChannelCsvText(const CTreeIndex& index);
// The edits a CSV of the index's variant asks for; errors name the row and column.
// The separator is found in the header (',', ';' or tab; with ';' a decimal comma is
// taken in numbers); headers are compared without regard to case and blanks; a column
// the sheet does not have is ignored, with a warning.
std::vector<SLeafEdit> ChannelCsvEdits(const CTreeIndex& index, const std::string& csv,
                                       std::vector<std::string>& errors,
                                       std::vector<std::string>& warnings);

// The channels' rows as the sheet shows them, tab-separated under the sheet's titles:
// what a spreadsheet takes from the clipboard.
std::string ChannelTableText(const CTreeIndex& index, const std::vector<int>& channels);
// The edits tab-separated rows ask for (cells copied from a spreadsheet or from the
// sheet), by the CSV rules: with or without the title row (without it, the sheet's
// columns in order); errors name the row and column. channels: the channels the rows
// name.
std::vector<SLeafEdit> ChannelTableEdits(const CTreeIndex& index, const std::string& text,
                                         std::vector<std::string>& errors,
                                         std::vector<std::string>& warnings,
                                         std::vector<int>& channels);
