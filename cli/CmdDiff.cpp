// tolvar diff: the fields in which two data files differ.
#include <iostream>

#include "Cli.h"
#include "datamodel/memmap/TreeAccess.h"
#include "exchange/JsonTree.h"

static CCliRegistrar registrar(45, [](CLI::App& app, SCliOptions&) -> std::function<int()> {
    auto* cmd = app.add_subcommand(
        "diff", "List the fields that differ: PATH: \"A's text\" -> \"B's text\"; "
                "exit 1 when any differ");
    auto fileA = std::make_shared<std::string>();
    auto fileB = std::make_shared<std::string>();
    auto maker = std::make_shared<bool>(false);
    cmd->add_option("A", *fileA, "The first data file")->required();
    cmd->add_option("B", *fileB, "The second data file")->required();
    cmd->add_flag("--maker-reserve", *maker, "Compare the maker-reserved area too");
    return [fileA, fileB, maker] {
        int status = 0;
        auto a = OpenDataFile(*fileA, status);
        if (!a) return status;
        auto b = OpenDataFile(*fileB, status);
        if (!b) return status;
        if (a->GetModel() != b->GetModel())
            std::cerr << "tolvar: the files are of different variants: " << *fileA << " is "
                      << ModelName(a->GetModel()) << ", " << *fileB << " is "
                      << ModelName(b->GetModel()) << "\n";
        const auto diffs = CompareTrees(a->Registry(), b->Registry(), *maker);
        for (const SFieldDiff& diff : diffs)
            std::cout << diff.path << ": " << Json(diff.textA).dump() << " -> "
                      << Json(diff.textB).dump() << "\n";
        return diffs.empty() ? kExitOk : kExitDiffer;
    };
});
