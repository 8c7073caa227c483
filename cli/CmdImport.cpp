// tolvar import: fields from JSON, or memory channels from CSV, all or nothing.
#include <iostream>

#include "Cli.h"
#include "JsonTree.h"
#include "TableChannels.h"
#include "TableIo.h"
#include "datamodel/memmap/RadioDataManager.h"

static CCliRegistrar registrar(44, [](CLI::App& app, SCliOptions&) -> std::function<int()> {
    auto* cmd = app.add_subcommand(
        "import", "Set fields from a JSON export (whole or partial) or a channel CSV; "
                  "nothing is written on any error");
    auto file = std::make_shared<std::string>();
    auto from = std::make_shared<std::string>();
    auto out = std::make_shared<std::string>();
    auto maker = std::make_shared<bool>(false);
    cmd->add_option("FILE", *file, "The data file")->required();
    cmd->add_option("--from", *from, "The JSON or CSV file to read")->required();
    cmd->add_option("-o,--output", *out, "Write the result here instead of FILE");
    cmd->add_flag("--maker-reserve", *maker, "Allow the maker-reserved area (MakerR)");
    return [file, from, out, maker] {
        std::string text, error;
        if (!ReadTextFile(*from, text, error)) {
            std::cerr << "tolvar import: " << *from << ": " << error << "\n";
            return kExitRefused;
        }
        int status = 0;
        auto document = OpenDataFile(*file, status);
        if (!document) return status;
        const CTreeIndex index(*document->Registry().RadioData(), document->GetModel(), *maker);
        std::vector<std::string> errors;
        std::vector<SLeafEdit> edits;
        const size_t first = text.find_first_not_of(" \t\r\n\xEF\xBB\xBF");
        if (first != std::string::npos && text[first] == '{') {
            Json json;
            try {
                json = Json::parse(text);
            } catch (const Json::parse_error& e) {
                errors.push_back(std::string("not valid JSON: ") + e.what());
            }
            if (errors.empty()) edits = JsonEdits(index, json, errors);
        } else {
            edits =
                ChannelCsvEdits(index, text.substr(first == std::string::npos ? 0 : first), errors);
        }
        const auto refused = ApplyLeafEdits(document->Registry(), edits);
        errors.insert(errors.end(), refused.begin(), refused.end());
        if (!errors.empty()) {
            for (const std::string& message : errors)
                std::cerr << "tolvar import: " << *from << ": " << message << "\n";
            std::cerr << "tolvar import: nothing was written\n";
            return kExitRefused;
        }
        return SaveDataFile(*document, out->empty() ? *file : *out);
    };
});
