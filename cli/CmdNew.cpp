// tolvar new: a data file holding the factory image.
#include <iostream>

#include "Cli.h"
#include "TerminalInteraction.h"

static CCliRegistrar registrar(10, [](CLI::App& app, SCliOptions&) -> std::function<int()> {
    auto* cmd = app.add_subcommand("new", "Write a data file holding the factory image");
    auto pmr = std::make_shared<bool>(false);
    auto out = std::make_shared<std::string>();
    cmd->add_flag("--pmr", *pmr, "The PMR (5-tone) variant; LMR (2-tone) otherwise");
    cmd->add_option("-o,--output", *out, "The data file to write")->required();
    return [pmr, out] {
        if (const int status = CheckOutput("new", *out); status != kExitOk) return status;
        auto document = NewDocument(*pmr ? 1 : 0);
        const int status = SaveDataFile(*document, *out);
        if (status == kExitOk)
            std::cerr << "tolvar: wrote " << *out << ": the factory image of the "
                      << (*pmr ? "PMR" : "LMR") << " variant\n";
        return status;
    };
});
