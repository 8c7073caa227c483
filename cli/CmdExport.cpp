// tolvar export: a data file's fields as JSON, or its memory channels as CSV.
#include <iostream>

#include "Cli.h"
#include "exchange/Exchange.h"
#include "exchange/TextFile.h"

static CCliRegistrar registrar(43, [](CLI::App& app, SCliOptions&) -> std::function<int()> {
    auto* cmd = app.add_subcommand(
        "export", "Write the fields as JSON, or the memory channels as CSV (sheet columns)");
    auto file = std::make_shared<std::string>();
    auto format = std::make_shared<std::string>("json");
    auto out = std::make_shared<std::string>();
    auto maker = std::make_shared<bool>(false);
    cmd->add_option("FILE", *file, "The data file")->required();
    cmd->add_option("--format", *format, "json or csv")
        ->check(CLI::IsMember({"json", "csv"}))
        ->capture_default_str();
    cmd->add_option("-o,--output", *out, "Write here instead of standard output");
    cmd->add_flag("--maker-reserve", *maker, "Include the maker-reserved area (JSON)");
    return [file, format, out, maker] {
        int status = out->empty() ? kExitOk : CheckOutput("export", *out);
        if (status != kExitOk) return status;
        auto document = OpenDataFile(*file, status);
        if (!document) return status;
        const std::string text = ExportText(
            *document, *format == "csv" ? EExportFormat::Csv : EExportFormat::Json, *maker);
        if (out->empty()) {
            std::cout << text;
            return kExitOk;
        }
        std::string error;
        if (!WriteTextFile(*out, text, error)) {
            std::cerr << "tolvar export: " << *out << ": " << error << "\n";
            return kExitIo;
        }
        return kExitOk;
    };
});
