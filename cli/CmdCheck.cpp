// tolvar check: does the data file load?
#include <iostream>

#include "Cli.h"

static CCliRegistrar registrar(20, [](CLI::App& app, SCliOptions&) -> std::function<int()> {
    auto* cmd = app.add_subcommand("check", "Load a data file and print the reader's result");
    auto file = std::make_shared<std::string>();
    cmd->add_option("FILE", *file, "The data file")->required();
    return [file] {
        int status = 0;
        auto document = OpenDataFile(*file, status);
        if (document)
            std::cout << "OK\n";
        return status;
    };
});
