// tolvar set: change fields of a data file, all or nothing.
#include <iostream>

#include "Cli.h"
#include "datamodel/memmap/RadioDataManager.h"
#include "datamodel/memmap/TreeAccess.h"

static CCliRegistrar registrar(42, [](CLI::App& app, SCliOptions&) -> std::function<int()> {
    auto* cmd = app.add_subcommand(
        "set", "Change fields by path; nothing is written when any value is refused");
    auto file = std::make_shared<std::string>();
    auto assignments = std::make_shared<std::vector<std::string>>();
    auto out = std::make_shared<std::string>();
    auto maker = std::make_shared<bool>(false);
    cmd->add_option("FILE", *file, "The data file")->required();
    cmd->add_option("PATH=VALUE", *assignments, "Such as Mch.CH1.FreqRx=145.125")->required();
    cmd->add_option("-o,--output", *out, "Write the result here instead of FILE");
    cmd->add_flag("--maker-reserve", *maker, "Allow the maker-reserved area (MakerR)");
    return [file, assignments, out, maker] {
        int status = CheckSaveTarget("set", *file, *out);
        if (status != kExitOk) return status;
        auto document = OpenDataFile(*file, status);
        if (!document) return status;
        CTreeIndex index(*document->Registry().RadioData(), document->GetModel(), *maker);
        std::vector<std::string> errors;
        std::vector<SLeafEdit> edits;
        for (const std::string& assignment : *assignments) {
            const size_t equals = assignment.find('=');
            if (equals == std::string::npos) {
                errors.push_back("\"" + assignment + "\" is not PATH=VALUE");
                continue;
            }
            const std::string path = assignment.substr(0, equals);
            const STreeLeaf* leaf = index.Find(path);
            if (!leaf) {
                std::string message;
                const EPathProblem problem = index.Check(path, &message);
                if (problem == EPathProblem::MakerReserved) message += " (--maker-reserve)";
                errors.push_back(message);
                continue;
            }
            edits.push_back({leaf, assignment.substr(equals + 1), path});
        }
        const auto refused = ApplyLeafEdits(document->Registry(), edits);
        errors.insert(errors.end(), refused.begin(), refused.end());
        if (!errors.empty()) {
            for (const std::string& error : errors)
                std::cerr << "tolvar set: " << error << "\n";
            std::cerr << "tolvar set: nothing was written\n";
            return kExitUsage;
        }
        status = SaveDataFile(*document, out->empty() ? *file : *out);
        if (status != kExitOk) return status;
        for (const SLeafEdit& edit : edits)
            std::cout << edit.leaf->path << "=" << LeafText(*edit.leaf->node) << "\n";
        return kExitOk;
    };
});
