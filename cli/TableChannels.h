// The memory channel sheet of each variant as columns: `show` prints it, the CSV
// export writes it and the CSV import reads it back.
#pragma once

#include <string>
#include <vector>

#include "datamodel/memmap/ChannelMap.h"
#include "datamodel/memmap/ChannelSheet.h"
#include "datamodel/memmap/TreeAccess.h"

// The edits a CSV of the index's variant asks for; errors name the row and column.
// The separator is found in the header (',', ';' or tab; with ';' a decimal comma is
// taken in numbers); headers are compared without regard to case and blanks; a column
// the sheet does not have is ignored, with a warning.
std::vector<SLeafEdit> ChannelCsvEdits(const CTreeIndex& index, const std::string& csv,
                                       std::vector<std::string>& errors,
                                       std::vector<std::string>& warnings);
