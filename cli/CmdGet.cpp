// tolvar get: fields of a data file by path.
#include <iostream>

#include "Cli.h"
#include "datamodel/memmap/RadioDataManager.h"
#include "datamodel/memmap/TreeAccess.h"

static CCliRegistrar registrar(41, [](CLI::App& app, SCliOptions&) -> std::function<int()> {
    auto* cmd = app.add_subcommand(
        "get", "Print fields by path, one a line; a group prints PATH=VALUE for its fields");
    auto file = std::make_shared<std::string>();
    auto paths = std::make_shared<std::vector<std::string>>();
    auto maker = std::make_shared<bool>(false);
    cmd->add_option("FILE", *file, "The data file")->required();
    cmd->add_option("PATH", *paths, "Dotted paths such as Mch.CH1.FreqRx")->required();
    cmd->add_flag("--maker-reserve", *maker, "Allow the maker-reserved area (MakerR)");
    return [file, paths, maker] {
        int status = 0;
        auto document = OpenDataFile(*file, status);
        if (!document) return status;
        CTreeIndex index(*document->Registry().RadioData(), document->GetModel(), *maker);
        std::string output;
        bool failed = false;
        for (const std::string& path : *paths) {
            if (const STreeLeaf* leaf = index.Find(path)) {
                output += LeafText(*leaf->node) + "\n";
                continue;
            }
            std::string message;
            if (index.Check(path, &message) == EPathProblem::Group) {
                for (const STreeLeaf* leaf : index.Below(path))
                    output += leaf->path + "=" + LeafText(*leaf->node) + "\n";
                continue;
            }
            if (index.Check(path) == EPathProblem::MakerReserved) message += " (--maker-reserve)";
            std::cerr << "tolvar get: " << message << "\n";
            failed = true;
        }
        if (failed) return kExitUsage;
        std::cout << output;
        return kExitOk;
    };
});
