#include "Exchange.h"

#include "datamodel/DataManagers.h"
#include "datamodel/EditHistory.h"
#include "datamodel/memmap/RadioDataManager.h"
#include "document/DocumentData.h"
#include "exchange/ChannelCsv.h"
#include "exchange/JsonTree.h"

namespace {

// Where the text starts, past blanks and a byte order mark; npos when it is empty.
size_t TextStart(const std::string& text) {
    return text.find_first_not_of(" \t\r\n\xEF\xBB\xBF");
}

// Applies the edits as one batch when reading found no error; what the rules refuse
// is named too, after the errors of reading (with those the edits are only tried).
void Apply(CCloneManager& registry, const std::vector<SLeafEdit>& edits, SImportResult& result) {
    const std::vector<std::string> refused = result.errors.empty()
                                                 ? ApplyLeafEdits(registry, edits)
                                                 : TryLeafEdits(registry, edits);
    result.errors.insert(result.errors.end(), refused.begin(), refused.end());
}

} // namespace

std::string ExportText(CTolvarDocumentData& document, EExportFormat format, bool makerReserve) {
    const CTreeIndex index(*document.Registry().RadioData(), document.GetModel(), makerReserve);
    if (format == EExportFormat::Csv)
        return ChannelCsvText(index);
    return TreeToJson(index).dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

std::vector<SLeafEdit> ImportEdits(const CTreeIndex& index, const std::string& text,
                                   std::vector<std::string>& errors,
                                   std::vector<std::string>& warnings) {
    const size_t first = TextStart(text);
    if (first != std::string::npos && text[first] == '{') {
        Json json;
        std::string error;
        if (ParseJson(text, json, error))
            return JsonEdits(index, json, errors);
        errors.push_back(error);
        return {};
    }
    return ChannelCsvEdits(index, text.substr(first == std::string::npos ? 0 : first), errors,
                           warnings);
}

SImportResult ImportText(CTolvarDocumentData& document, const std::string& text,
                         bool makerReserve, const std::string& stepName) {
    const CTreeIndex index(*document.Registry().RadioData(), document.GetModel(), makerReserve);
    SImportResult result;
    const std::vector<SLeafEdit> edits = ImportEdits(index, text, result.errors, result.warnings);
    if (result.errors.empty() && edits.empty()) {
        const size_t first = TextStart(text);
        result.errors.push_back(first == std::string::npos ? "nothing to import (the file is empty)"
                                : text[first] == '{'
                                    ? "nothing to import (the JSON names no field)"
                                    : "nothing to import (no row of the CSV sets a field)");
    }
    CEditStep step(document.Registry(), stepName);
    Apply(document.Registry(), edits, result);
    return result;
}

SImportResult PasteChannelTable(CCloneManager& registry, const std::string& text) {
    const CTreeIndex index(*registry.RadioData(), registry.Model()->GetModel());
    SImportResult result;
    std::vector<int> channels;
    const std::vector<SLeafEdit> edits =
        ChannelTableEdits(index, text, result.errors, result.warnings, channels);
    if (result.errors.empty() && edits.empty())
        result.errors.push_back("the text holds no row of channels");
    CEditStep step(registry, "Paste " + ChannelListText(channels));
    Apply(registry, edits, result);
    return result;
}
