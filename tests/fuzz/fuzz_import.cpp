// `tolvar import` on arbitrary text: JSON (whole or partial exports) or a channel CSV,
// into a factory LMR or PMR file, the way the command reads it. An import that
// reports no error leaves a tree that saving keeps as it is, and whose exports (the
// JSON of the fields it named, the channel CSV) import back without an error and
// without a change.
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "datamodel/DataManagers.h"
#include "exchange/ChannelCsv.h"
#include "exchange/Exchange.h"

namespace {

// The edits of an import text, as the command finds them.
std::vector<SLeafEdit> Edits(const CTreeIndex& index, const std::string& text,
                             std::vector<std::string>& errors) {
    std::vector<std::string> warnings;
    return ImportEdits(index, text, errors, warnings);
}

// An export of the tree imported into the same tree names no error and changes no
// field.
void CheckExportImportsAsIs(CFuzzDocument& document, const CTreeIndex& index,
                            const std::string& exported, const char* what) {
    std::vector<std::string> errors;
    const std::vector<SLeafEdit> edits = Edits(index, exported, errors);
    FUZZ_CHECK(errors.empty(), std::string(what) + " export does not import: " + errors[0]);
    const std::vector<std::string> before = CFuzzDocument::Texts(index);
    errors = ApplyLeafEdits(document.Registry(), edits);
    FUZZ_CHECK(errors.empty(), std::string(what) + " export is refused: " + errors[0]);
    const std::vector<std::string> after = CFuzzDocument::Texts(index);
    for (size_t i = 0; i < before.size(); ++i)
        FUZZ_CHECK(after[i] == before[i], std::string(what) + " export changes " +
                                              index.Leaves()[i].path + ": \"" +
                                              Printable(before[i]) + "\" -> \"" +
                                              Printable(after[i]) + "\"");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    CFuzzDocument& document = FuzzDocument(data[0] & 1 ? ModelPMR : ModelLMR);
    const CTreeIndex& index = document.Index(data[0] & 2);
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);

    std::vector<std::string> errors;
    const std::vector<SLeafEdit> edits = Edits(index, text, errors);
    const std::vector<std::string> refused = ApplyLeafEdits(document.Registry(), edits);
    // A refused batch leaves every field as it was.
    if (!refused.empty())
        FUZZ_CHECK(CFuzzDocument::Texts(document.Index()) == document.FactoryTexts(),
                   "a refused import changed the document: " + refused[0]);
    errors.insert(errors.end(), refused.begin(), refused.end());
    if (!errors.empty() || edits.empty()) {
        if (!edits.empty()) document.Reset();
        return 0;
    }

    // Saved as it is: the image holds exactly this tree.
    CQCloneManager& registry = document.Registry();
    const std::vector<std::string> texts = CFuzzDocument::Texts(index);
    registry.StoreTreeToImage();
    registry.Adjust()->Normalise();
    registry.LoadImageToTree();
    const std::vector<std::string> saved = CFuzzDocument::Texts(index);
    for (size_t i = 0; i < texts.size(); ++i)
        FUZZ_CHECK(saved[i] == texts[i], index.Leaves()[i].path + ": \"" + Printable(texts[i]) +
                                             "\" is saved as \"" + Printable(saved[i]) + "\"");

    // Its exports, as `tolvar export` writes them, import back as they are: the JSON
    // of the fields the import named, and the channel CSV.
    std::vector<bool> named(index.Leaves().size());
    for (const SLeafEdit& edit : edits)
        named[static_cast<size_t>(edit.leaf - index.Leaves().data())] = true;
    CheckExportImportsAsIs(
        document, index,
        TreeToJson(index, &named).dump(2, ' ', false, Json::error_handler_t::replace), "JSON");
    CheckExportImportsAsIs(document, index, ChannelCsvText(index), "CSV");

    document.Reset();
    return 0;
}
