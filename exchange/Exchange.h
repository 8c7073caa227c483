// Export and import of a document's data as text: its fields as JSON, its memory
// channels as CSV. An import is one edit batch, taken whole or not at all.
#pragma once

#include <string>
#include <vector>

#include "datamodel/memmap/TreeAccess.h"

class CTolvarDocumentData;
class CCloneManager;

enum class EExportFormat { Json, Csv };

// What `tolvar export` writes: every field of the variant (the maker-reserved area
// only when asked for) as indented JSON, or the memory channel sheet as CSV.
std::string ExportText(CTolvarDocumentData& document, EExportFormat format,
                       bool makerReserve = false);

struct SImportResult {
    // Each names where (a JSON path or line and column, a CSV row and column) and why.
    std::vector<std::string> errors;
    std::vector<std::string> warnings;
    bool Ok() const { return errors.empty(); }
};

// The edits an import text asks for: JSON when it starts with "{" (a whole or partial
// export), otherwise a channel CSV. Changes nothing.
std::vector<SLeafEdit> ImportEdits(const CTreeIndex& index, const std::string& text,
                                   std::vector<std::string>& errors,
                                   std::vector<std::string>& warnings);
// Reads text as ImportEdits does and applies the edits as one batch (ApplyLeafEdits):
// with any error the document is left exactly as it was. A text that sets nothing is
// an error. What it stores is one step of the history, named stepName
// ("Import channels.csv").
SImportResult ImportText(CTolvarDocumentData& document, const std::string& text,
                         bool makerReserve = false, const std::string& stepName = "Import");

// Sets the memory channels that tab-separated rows describe (from a spreadsheet, with
// or without the title row), by the CSV import's rules, as one step of the history
// ("Paste CH 10-12"): all or nothing.
SImportResult PasteChannelTable(CCloneManager& registry, const std::string& text);
