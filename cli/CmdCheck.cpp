// tolvar check: does the data file load, and how much of the user area does it hold?
#include <iostream>

#include "Cli.h"
#include "datamodel/Hex.h"
#include "datamodel/memmap/TreeAccess.h"

static CCliRegistrar registrar(20, [](CLI::App& app, SCliOptions&) -> std::function<int()> {
    auto* cmd = app.add_subcommand("check", "Load a data file and print the reader's result");
    auto file = std::make_shared<std::string>();
    cmd->add_option("FILE", *file, "The data file")->required();
    return [file] {
        int status = 0;
        auto document = OpenDataFile(*file, status);
        if (!document) return status;
        std::cout << "OK (" << ModelName(document->GetModel()) << ")\n";
        // A file of some records only is a patch: say how much of the image it sets.
        const SCoverage coverage = document->UserAreaCoverage();
        if (!coverage.Complete()) {
            const SAddrRange& user = CTolvarCloneFileIoManager::UserRange().front();
            std::cout << "covers " << coverage.covered << " of " << coverage.total
                      << " bytes of the user area " << HexText(user.first, 4) << "-"
                      << HexText(user.last, 4)
                      << "; the rest comes from the factory image\n";
        }
        return status;
    };
});
