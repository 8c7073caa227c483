// tolvar diff: the fields in which two data files differ, as the sheets name them.
#include <iostream>

#include "Cli.h"
#include "datamodel/memmap/TreeAccess.h"
#include "document/Compare.h"

static CCliRegistrar registrar(45, [](CLI::App& app, SCliOptions&) -> std::function<int()> {
    auto* cmd = app.add_subcommand(
        "diff", "List the fields that differ where the sheets show them, one a line: "
                "VIEW > ROW > COLUMN: \"A's text\" -> \"B's text\"; exit 1 when any differ");
    auto fileA = std::make_shared<std::string>();
    auto fileB = std::make_shared<std::string>();
    auto maker = std::make_shared<bool>(false);
    auto paths = std::make_shared<bool>(false);
    cmd->add_option("A", *fileA, "The first data file")->required();
    cmd->add_option("B", *fileB, "The second data file")->required();
    cmd->add_flag("--maker-reserve", *maker, "Compare the maker-reserved area too");
    cmd->add_flag("--paths", *paths,
                  "Name each field by its path instead (PATH: \"A's text\" -> \"B's text\"), "
                  "in tree order");
    cmd->footer("A variant that differs is the first line (Model: \"LMR\" -> \"PMR\"); a field "
                "no sheet shows is named by its path. Exit status: 0 no difference, 1 "
                "differences, 2 a file was refused.");
    return [fileA, fileB, maker, paths] {
        int status = 0;
        auto a = OpenDataFile(*fileA, status);
        if (!a) return status;
        auto b = OpenDataFile(*fileB, status);
        if (!b) return status;
        if (a->GetModel() != b->GetModel())
            std::cerr << "tolvar: the files are of different variants: " << *fileA << " is "
                      << ModelName(a->GetModel()) << ", " << *fileB << " is "
                      << ModelName(b->GetModel()) << "\n";
        if (!*paths) {
            const std::vector<SSheetDifference> diffs =
                CompareSheets(a->Registry(), b->Registry(), *maker);
            std::cout << DifferencesText(diffs);
            return diffs.empty() ? kExitOk : kExitDiffer;
        }
        const std::vector<SFieldDiff> diffs = CompareTrees(a->Registry(), b->Registry(), *maker);
        for (const SFieldDiff& diff : diffs)
            std::cout << diff.path << ": " << QuotedText(diff.textA) << " -> "
                      << QuotedText(diff.textB) << "\n";
        if (diffs.empty())
            std::cout << "No differences.\n";
        return diffs.empty() ? kExitOk : kExitDiffer;
    };
});
