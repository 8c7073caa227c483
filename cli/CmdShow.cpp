// tolvar show: an area of a data file as aligned text tables.
#include <algorithm>
#include <iostream>
#include <map>
#include <set>

#include "Cli.h"
#include "TableText.h"
#include "datamodel/DataManagers.h"
#include "datamodel/memmap/ChannelMap.h"
#include "datamodel/memmap/ChannelSheet.h"
#include "datamodel/memmap/RadioDataManager.h"

namespace {

struct SArea {
    const char* name; // on the command line
    const char* path; // in the tree
    const char* title;
    int model; // -1: both variants
};

const std::vector<SArea>& Areas() {
    static const std::vector<SArea> areas = {
        {"channels", "Mch", "Memory channels", -1},
        {"multitone", "MultiTon", "Multiple tones", -1},
        {"dtmf", "DtmfCodeCH", "DTMF", -1},
        {"2tone", "2ToneCodeCH", "2Tone", ModelLMR},
        {"5tone", "5ToneCodeCH", "5Tone", ModelPMR},
        {"common", "CommonSet.Common", "Common", -1},
        {"expert", "CommonSet.Expert", "Expert", -1},
        {"keydisp", "CommonSet.KeyDisp", "Key & display", -1},
    };
    return areas;
}

// The fields below one group, split into its own fields and its sub-groups.
struct SGroup {
    std::string path;
    std::vector<const STreeLeaf*> fields;
    std::vector<SGroup> groups;
};

std::string LastPiece(const std::string& path) {
    return path.substr(path.rfind('.') + 1);
}

SGroup GroupLeaves(const std::string& path, const std::vector<const STreeLeaf*>& leaves) {
    SGroup group{path, {}, {}};
    std::map<std::string, std::vector<const STreeLeaf*>> below;
    std::vector<std::string> order;
    for (const STreeLeaf* leaf : leaves) {
        const std::string rest = leaf->path.substr(path.size() + 1);
        const size_t dot = rest.find('.');
        if (dot == std::string::npos) {
            group.fields.push_back(leaf);
            continue;
        }
        const std::string child = path + "." + rest.substr(0, dot);
        if (!below.count(child)) order.push_back(child);
        below[child].push_back(leaf);
    }
    for (const std::string& child : order)
        group.groups.push_back(GroupLeaves(child, below[child]));
    return group;
}

// Sibling groups of the same fields (code channels, tones, formats) read best as
// one table, a row per group.
bool AsOneTable(const SGroup& group) {
    if (group.groups.size() < 2) return false;
    std::set<std::string> first;
    for (const STreeLeaf* leaf : group.groups[0].fields)
        first.insert(LastPiece(leaf->path));
    for (const SGroup& child : group.groups) {
        if (!child.groups.empty() || child.fields.empty()) return false;
        size_t shared = 0;
        for (const STreeLeaf* leaf : child.fields)
            shared += first.count(LastPiece(leaf->path));
        if (shared * 2 < child.fields.size()) return false;
    }
    return true;
}

void PrintGroup(const SGroup& group, std::ostream& out) {
    if (!group.fields.empty()) {
        out << "[" << group.path << "]\n";
        CTextTable table({"Field", "Value"});
        for (const STreeLeaf* leaf : group.fields)
            table.AddRow({LastPiece(leaf->path), SheetText(*leaf)});
        table.Print(out);
        out << "\n";
    }
    if (!AsOneTable(group)) {
        for (const SGroup& child : group.groups)
            PrintGroup(child, out);
        return;
    }
    std::vector<std::string> columns;
    for (const SGroup& child : group.groups)
        for (const STreeLeaf* leaf : child.fields)
            if (std::find(columns.begin(), columns.end(), LastPiece(leaf->path)) == columns.end())
                columns.push_back(LastPiece(leaf->path));
    std::vector<std::string> header{""};
    header.insert(header.end(), columns.begin(), columns.end());
    CTextTable table(header);
    for (const SGroup& child : group.groups) {
        std::vector<std::string> row{LastPiece(child.path)};
        for (const std::string& column : columns) {
            std::string cell = "-";
            for (const STreeLeaf* leaf : child.fields)
                if (LastPiece(leaf->path) == column) cell = SheetText(*leaf);
            row.push_back(cell);
        }
        table.AddRow(row);
    }
    out << "[" << group.path << "]\n";
    table.Print(out);
    out << "\n";
}

void PrintArea(const CTreeIndex& index, const std::string& path, std::ostream& out) {
    const auto leaves = index.Below(path);
    if (leaves.empty()) {
        out << "[" << path << "]\n(no fields)\n\n";
        return;
    }
    PrintGroup(GroupLeaves(path, leaves), out);
}

// used: only the channels switched on.
void PrintChannels(const CTreeIndex& index, bool used, std::ostream& out) {
    out << "Memory channels (" << ModelName(index.Model()) << ")\n";
    CTextTable table(ChannelSheetTitles(index.Model()));
    int shown = 0;
    for (int channel = 1; channel <= kChannelCount; ++channel) {
        const STreeLeaf* on = index.Find("Mch.CH" + std::to_string(channel) + ".ChOn");
        if (used && (!on || on->node->GetValue() == 0))
            continue;
        table.AddRow(ChannelSheetRow(index, channel, true));
        ++shown;
    }
    if (shown == 0) {
        out << "(no channel in use)\n";
        return;
    }
    table.Print(out);
}

} // namespace

static CCliRegistrar registrar(40, [](CLI::App& app, SCliOptions&) -> std::function<int()> {
    auto* cmd = app.add_subcommand("show", "Print an area of a data file as tables");
    auto file = std::make_shared<std::string>();
    auto area = std::make_shared<std::string>("channels");
    auto maker = std::make_shared<bool>(false);
    std::vector<std::string> names;
    for (const SArea& a : Areas())
        names.emplace_back(a.name);
    cmd->add_option("FILE", *file, "The data file")->required();
    cmd->add_option("AREA", *area,
                    "channels (default), multitone, dtmf, 2tone (LMR), "
                    "5tone (PMR), common, expert or keydisp")
        ->check(CLI::IsMember(names));
    cmd->add_flag("--maker-reserve", *maker, "Add the maker-reserved area");
    auto used = std::make_shared<bool>(false);
    cmd->add_flag("--used", *used, "Channels: only those in use");
    return [file, area, maker, used] {
        int status = 0;
        auto document = OpenDataFile(*file, status);
        if (!document) return status;
        const int model = document->GetModel();
        const SArea* chosen = nullptr;
        for (const SArea& a : Areas())
            if (*area == a.name) chosen = &a;
        if (!chosen) return kExitUsage;
        if (chosen->model >= 0 && chosen->model != model) {
            std::cerr << "tolvar show: the " << chosen->title << " area belongs to "
                      << ModelName(chosen->model) << " files; " << *file << " is "
                      << ModelName(model) << " (show " << (model == ModelPMR ? "5tone" : "2tone")
                      << " instead)\n";
            return kExitUsage;
        }
        CTreeIndex index(*document->Registry().RadioData(), model, *maker);
        if (std::string(chosen->name) == "channels")
            PrintChannels(index, *used, std::cout);
        else
            PrintArea(index, chosen->path, std::cout);
        if (*maker) {
            if (std::string(chosen->name) == "channels") std::cout << "\n";
            PrintArea(index, "MakerR", std::cout);
        }
        return kExitOk;
    };
});
