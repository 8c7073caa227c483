// tolvar import: fields from JSON, or memory channels from CSV, all or nothing.
#include <iostream>

#include "Cli.h"
#include "JsonTree.h"
#include "TableChannels.h"
#include "TableIo.h"
#include "datamodel/memmap/RadioDataManager.h"

namespace {

// "line 1, column 9: not valid JSON: syntax error ..." from the parser's message; a
// message without a place (a number too large for a double) loses its "[json.exception...]".
std::string JsonParseMessage(const std::string& what) {
    const size_t at = what.find(" at line ");
    const size_t colon = what.find(": ", at == std::string::npos ? 0 : at);
    if (at == std::string::npos || colon == std::string::npos) {
        const size_t id = what.rfind("] ", what.find(' '));
        return "not valid JSON: " + (id == std::string::npos ? what : what.substr(id + 2));
    }
    return what.substr(at + 4, colon - at - 4) + ": not valid JSON: " + what.substr(colon + 2);
}

} // namespace

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
        int status = CheckSaveTarget("import", *file, *out);
        if (status != kExitOk) return status;
        std::string text, error;
        if (!ReadTextFile(*from, text, error)) {
            std::cerr << "tolvar import: " << *from << ": " << error << "\n";
            return kExitRefused;
        }
        auto document = OpenDataFile(*file, status);
        if (!document) return status;
        const CTreeIndex index(*document->Registry().RadioData(), document->GetModel(), *maker);
        std::vector<std::string> errors, warnings;
        std::vector<SLeafEdit> edits;
        const size_t first = text.find_first_not_of(" \t\r\n\xEF\xBB\xBF");
        const bool json = first != std::string::npos && text[first] == '{';
        if (json) {
            Json tree;
            try {
                tree = Json::parse(text);
            } catch (const Json::exception& e) { // a syntax error, or a number out of range
                errors.push_back(JsonParseMessage(e.what()));
            }
            if (errors.empty()) edits = JsonEdits(index, tree, errors);
        } else {
            edits = ChannelCsvEdits(index, text.substr(first == std::string::npos ? 0 : first),
                                    errors, warnings);
        }
        for (const std::string& warning : warnings)
            std::cerr << "tolvar import: " << *from << ": warning: " << warning << "\n";
        if (errors.empty() && edits.empty())
            errors.push_back(first == std::string::npos ? "nothing to import (the file is empty)"
                             : json ? "nothing to import (the JSON names no field)"
                                    : "nothing to import (no row of the CSV sets a field)");
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
