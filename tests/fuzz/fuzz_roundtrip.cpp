// A file's fields taken into another file: an arbitrary image (the factory image with
// any bytes changed) is decoded, exported as `tolvar export` does (JSON, whole or only
// the fields that differ from the factory file, or the channel CSV) and imported into
// a factory file of the same variant. The import either reports an error or leaves
// every field the export names with the text it had in the exporting file: it never
// changes a field silently.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "datamodel/DataManagers.h"
#include "exchange/ChannelCsv.h"
#include "exchange/JsonTree.h"

namespace {

// The document the image is decoded into, with an index for either variant.
struct SSource {
    SSource() : document(ModelLMR), lmr(*document.Registry().RadioData(), ModelLMR),
                pmr(*document.Registry().RadioData(), ModelPMR) {}
    CFuzzDocument document;
    CTreeIndex lmr, pmr;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static SSource source;
    FuzzedDataProvider in(data, size);
    const uint8_t mode = in.ConsumeIntegral<uint8_t>();
    const int startModel = mode & 1 ? ModelPMR : ModelLMR;
    const bool csv = mode & 2;
    // The whole JSON export costs some thirty times the partial one: 1 input in 64.
    const bool whole = (mode & 0xFC) == 0xFC;

    // The image: a factory image with runs of bytes replaced.
    CQCloneManager& from = source.document.Registry();
    from.Image().Resize(kImageSize);
    const std::vector<uint8_t>& factory = FactoryTable(startModel);
    from.Image().Write(0, factory.data(), static_cast<uint32_t>(factory.size()));
    while (in.remaining_bytes() > 0) {
        const auto address = in.ConsumeIntegralInRange<uint32_t>(0, kTableSize - 1);
        const std::vector<uint8_t> bytes =
            in.ConsumeBytes<uint8_t>(in.ConsumeIntegralInRange<size_t>(1, 32));
        for (size_t i = 0; i < bytes.size(); ++i)
            from.Image().SetByte(address + static_cast<uint32_t>(i), bytes[i]);
    }
    from.LoadImageToTree();
    const int model = from.Model()->GetModel();
    const CTreeIndex& exporting = model == ModelPMR ? source.pmr : source.lmr;
    const std::vector<std::string> texts = CFuzzDocument::Texts(exporting);

    CFuzzDocument& target = FuzzDocument(model);
    const CTreeIndex& index = target.Index();
    const std::vector<std::string>& factoryTexts = target.FactoryTexts();
    FUZZ_CHECK(index.Leaves().size() == exporting.Leaves().size(), "the two trees differ");

    std::string exported;
    if (csv) {
        exported = ChannelCsvText(exporting);
    } else if (whole) {
        exported = TreeToJson(exporting).dump(2, ' ', false, Json::error_handler_t::replace);
    } else {
        // A partial export, as a user cuts one: the fields that differ from the factory
        // file, as the whole export writes them.
        std::vector<bool> differ(texts.size());
        for (size_t i = 0; i < texts.size(); ++i)
            differ[i] = texts[i] != factoryTexts[i];
        const Json json = TreeToJson(exporting, &differ);
        exported = json.dump(2, ' ', false, Json::error_handler_t::replace);
    }

    std::vector<std::string> errors, warnings;
    const std::vector<SLeafEdit> edits = csv ? ChannelCsvEdits(index, exported, errors, warnings)
                                             : JsonEdits(index, Json::parse(exported), errors);
    // The export of a file of the same variant names only fields the file has.
    FUZZ_CHECK(errors.empty(), "the export does not fit its own variant: " + errors[0]);
    errors = ApplyLeafEdits(target.Registry(), edits);
    if (errors.empty()) {
        // Every field has the text it had in the exporting file. A JSON export holds
        // every field (the partial one leaves out only fields with the same text); the
        // CSV holds the memory channels' sheet columns, so only the fields it names.
        std::vector<bool> named(index.Leaves().size(), !csv);
        for (const SLeafEdit& edit : edits)
            named[static_cast<size_t>(edit.leaf - index.Leaves().data())] = true;
        const std::vector<std::string> imported = CFuzzDocument::Texts(index);
        for (size_t i = 0; i < imported.size(); ++i) {
            const std::string& path = index.Leaves()[i].path;
            FUZZ_CHECK(exporting.Leaves()[i].path == path, path + ": the trees differ");
            if (!named[i]) continue;
            FUZZ_CHECK(imported[i] == texts[i], path + ": \"" + Printable(texts[i]) +
                                                    "\" imported as \"" + Printable(imported[i]) +
                                                    "\" without an error");
        }
    }
    if (!edits.empty()) target.Reset();
    return 0;
}
