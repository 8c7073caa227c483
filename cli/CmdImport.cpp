// tolvar import: fields from JSON, or memory channels from CSV, all or nothing.
#include <iostream>

#include "Cli.h"
#include "exchange/Exchange.h"
#include "exchange/TextFile.h"

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
        const SImportResult result = ImportText(*document, text, *maker);
        for (const std::string& warning : result.warnings)
            std::cerr << "tolvar import: " << *from << ": warning: " << warning << "\n";
        const std::vector<std::string>& errors = result.errors;
        if (!errors.empty()) {
            for (const std::string& message : errors)
                std::cerr << "tolvar import: " << *from << ": " << message << "\n";
            std::cerr << "tolvar import: nothing was written\n";
            return kExitRefused;
        }
        return SaveDataFile(*document, out->empty() ? *file : *out);
    };
});
