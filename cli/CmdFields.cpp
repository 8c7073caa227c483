// tolvar fields: what each field of a variant is and takes, without a data file.
#include <algorithm>
#include <cmath>
#include <iostream>

#include "Cli.h"
#include "TableText.h"
#include "datamodel/DataManagers.h"
#include "datamodel/memmap/FieldFacts.h"
#include "datamodel/memmap/RadioDataManager.h"
#include "exchange/JsonTree.h"

namespace {

// A line of the listing: a field, or the same field of a run of numbered groups
// ("Mch.CH1..CH32.FreqRx").
struct SFieldRow {
    std::string path;
    Json facts; // every key but "path"
};

std::string VariantsText(unsigned models) {
    if ((models & kModelsBoth) == kModelsBoth)
        return "both";
    return models & kModelsPMR ? "PMR" : "LMR";
}

Json FactsToJson(const SFieldFacts& facts) {
    Json json;
    json["kind"] = facts.kind;
    json["accepts"] = facts.accepts;
    json["options"] = facts.options.empty() ? Json() : Json(facts.options);
    Json shown;
    for (const auto& [own, text] : facts.shownAs)
        shown[own] = text;
    json["shown_as"] = shown;
    // Whole numbers as integers; frequencies in their unit.
    const auto number = [](double value) {
        return value == std::floor(value) ? Json(static_cast<long long>(value)) : Json(value);
    };
    json["min"] = facts.ranged ? number(facts.min) : Json();
    json["max"] = facts.ranged ? number(facts.max) : Json();
    json["unit"] = facts.unit.empty() ? Json() : Json(facts.unit);
    json["raster"] = facts.raster.empty() ? Json() : Json(facts.raster);
    const bool text = facts.kind == "text";
    json["length"] = text && facts.length > 0 ? Json(facts.length) : Json();
    json["fixed_length"] = text ? Json(facts.fixedLength) : Json();
    json["charset"] = facts.charset.empty() ? Json() : Json(facts.charset);
    Json variants = Json::array();
    if (facts.models & kModelsLMR)
        variants.push_back("LMR");
    if (facts.models & kModelsPMR)
        variants.push_back("PMR");
    json["variants"] = variants;
    json["title"] = facts.title.empty() ? Json() : Json(facts.title);
    return json;
}

constexpr size_t kRunMin = 3;

// A group's last piece as a stem and a number: "CH12" is ("CH", 12), "7" is ("", 7).
bool SplitNumbered(const std::string& piece, std::string& stem, int& number) {
    const size_t digits = piece.find_last_not_of("0123456789") + 1;
    if (digits == piece.size() || piece.size() - digits > 4)
        return false;
    stem = piece.substr(0, digits);
    number = std::stoi(piece.substr(digits));
    return true;
}

// The fields of one group, in order.
struct SGroupFields {
    std::string path; // the group
    std::vector<std::pair<std::string, Json>> fields;
};

// Three or more numbered sibling groups in a row whose fields are the same, with the
// same facts, become one run: their fields are listed once with FIRST..LAST in the
// path. (Two named alike, such as two signalling formats, stay apart.)
std::vector<SFieldRow> Collapse(const std::vector<SGroupFields>& groups) {
    std::vector<SFieldRow> rows;
    for (size_t g = 0; g < groups.size();) {
        const SGroupFields& first = groups[g];
        const size_t dot = first.path.rfind('.');
        const std::string parent = dot == std::string::npos ? "" : first.path.substr(0, dot + 1);
        std::string stem, nextStem;
        int number = 0, next = 0;
        size_t end = g + 1;
        if (SplitNumbered(first.path.substr(parent.size()), stem, number))
            while (end < groups.size() && groups[end].fields == first.fields &&
                   groups[end].path.rfind(parent, 0) == 0 &&
                   SplitNumbered(groups[end].path.substr(parent.size()), nextStem, next) &&
                   nextStem == stem && next == number + static_cast<int>(end - g))
                ++end;
        if (end - g < kRunMin)
            end = g + 1;
        const std::string path = end - g > 1
                                     ? parent + stem + std::to_string(number) + ".." + stem +
                                           std::to_string(number + static_cast<int>(end - g - 1))
                                     : first.path;
        for (const auto& [name, facts] : first.fields)
            rows.push_back({path + "." + name, facts});
        g = end;
    }
    return rows;
}

std::vector<SFieldRow> Describe(const CTolvarRadioDataManager& manager,
                                const std::vector<const STreeLeaf*>& leaves) {
    std::vector<SGroupFields> groups;
    for (const STreeLeaf* leaf : leaves) {
        const size_t dot = leaf->path.rfind('.');
        const std::string group = dot == std::string::npos ? "" : leaf->path.substr(0, dot);
        if (groups.empty() || groups.back().path != group)
            groups.push_back({group, {}});
        groups.back().fields.emplace_back(leaf->path.substr(dot + 1),
                                          FactsToJson(DescribeField(manager, *leaf)));
    }
    return Collapse(groups);
}

// A path with a run of numbered groups ("Mch.CH1..CH32.Text") as the paths of its
// groups; the path itself when it has none. False with a message when the run is
// not FIRST..LAST of one stem.
bool ExpandRun(const std::string& path, std::vector<std::string>& paths, std::string& message) {
    const size_t dots = path.find("..");
    if (dots == std::string::npos) {
        paths = {path};
        return true;
    }
    const std::string left = path.substr(0, dots), right = path.substr(dots + 2);
    const size_t start = left.rfind('.') == std::string::npos ? 0 : left.rfind('.') + 1;
    const size_t stop = std::min(right.find('.'), right.size());
    const std::string rest = right.substr(stop);
    std::string stemA, stemB;
    int a = 0, b = 0;
    if (!SplitNumbered(left.substr(start), stemA, a) ||
        !SplitNumbered(right.substr(0, stop), stemB, b) || stemA != stemB || b < a ||
        rest.find("..") != std::string::npos) {
        message = path + ": FIRST..LAST must name numbered groups of one kind in order, such "
                         "as Mch.CH1..CH32";
        return false;
    }
    for (int n = a; n <= b; ++n)
        paths.push_back(left.substr(0, start) + stemA + std::to_string(n) + rest);
    return true;
}

// The fields at or below path ("" for all). When the path names no field or group:
// false, the index's message and why.
bool FieldsAt(const CTreeIndex& index, const std::string& path,
              std::vector<const STreeLeaf*>& leaves, std::string& message, EPathProblem& problem) {
    std::vector<std::string> paths;
    problem = EPathProblem::Unknown;
    if (!ExpandRun(path, paths, message))
        return false;
    for (const std::string& each : paths) {
        if (each.empty()) {
            for (const STreeLeaf& leaf : index.Leaves())
                leaves.push_back(&leaf);
            continue;
        }
        problem = index.Check(each, &message);
        if (problem != EPathProblem::None && problem != EPathProblem::Group)
            return false;
        const auto below = index.Below(each);
        leaves.insert(leaves.end(), below.begin(), below.end());
    }
    return true;
}

void PrintTable(const std::vector<SFieldRow>& rows, int model, std::ostream& out) {
    out << "Fields of " << ModelName(model) << " files\n";
    CTextTable table({"Path", "Kind", "Variants", "Sheet column", "Accepts"});
    bool runs = false;
    for (const SFieldRow& row : rows) {
        const Json& facts = row.facts;
        unsigned models = 0;
        for (const auto& variant : facts["variants"])
            models |= variant == "PMR" ? kModelsPMR : kModelsLMR;
        table.AddRow({row.path, facts["kind"].get<std::string>(), VariantsText(models),
                      facts["title"].is_null() ? "" : facts["title"].get<std::string>(),
                      facts["accepts"].get<std::string>()});
        runs = runs || row.path.find("..") != std::string::npos;
    }
    table.Print(out);
    if (runs)
        out << "\nFIRST..LAST in a path: the field of each group from FIRST to LAST; they "
               "take the same values.\n";
}

} // namespace

static CCliRegistrar registrar(46, [](CLI::App& app, SCliOptions&) -> std::function<int()> {
    auto* cmd = app.add_subcommand(
        "fields", "List the fields of a variant: kind, accepted values, variants and the "
                  "memory channel sheet's column");
    auto path = std::make_shared<std::string>();
    auto file = std::make_shared<std::string>();
    auto format = std::make_shared<std::string>("text");
    auto maker = std::make_shared<bool>(false);
    auto lmr = std::make_shared<bool>(false);
    auto pmr = std::make_shared<bool>(false);
    cmd->add_option("PATH", *path,
                    "A field or group such as Mch.CH1 or CommonSet.Expert (all when omitted); "
                    "Mch.CH1..CH32 names a run of groups");
    auto* lmrFlag = cmd->add_flag("--lmr", *lmr, "The LMR (2-tone) variant (the default)");
    auto* pmrFlag = cmd->add_flag("--pmr", *pmr, "The PMR (5-tone) variant");
    auto* fileOption = cmd->add_option("--file", *file, "Take the variant from this data file");
    lmrFlag->excludes(pmrFlag)->excludes(fileOption);
    pmrFlag->excludes(fileOption);
    cmd->add_option("--format", *format, "text or json")
        ->check(CLI::IsMember({"text", "json"}))
        ->capture_default_str();
    cmd->add_flag("--maker-reserve", *maker, "Include the maker-reserved area (MakerR)");
    cmd->footer("A path FIRST..LAST (Mch.CH1..CH32.FreqRx) stands for the same field of each "
                "numbered group from FIRST to LAST. JSON: an array of objects with the keys "
                "path, kind, accepts, options, shown_as, min, max, unit, raster, length, "
                "fixed_length, charset, variants and title (null where they do not apply).");
    return [path, file, format, maker, lmr, pmr] {
        int status = kExitOk;
        std::unique_ptr<CTolvarDocumentData> document;
        if (!file->empty()) {
            document = OpenDataFile(*file, status);
            if (!document)
                return status;
        } else {
            document = NewDocument(*pmr ? ModelPMR : ModelLMR);
        }
        const int model = document->GetModel();
        const CTolvarRadioDataManager& manager = *document->Registry().RadioData();
        const CTreeIndex index(*document->Registry().RadioData(), model, *maker);
        std::vector<const STreeLeaf*> leaves;
        std::string message;
        EPathProblem problem = EPathProblem::None;
        if (!FieldsAt(index, *path, leaves, message, problem)) {
            if (problem == EPathProblem::MakerReserved)
                message += " (--maker-reserve)";
            if (problem == EPathProblem::OtherVariant && file->empty())
                message += model == ModelPMR ? " (--lmr)" : " (--pmr)";
            std::cerr << "tolvar fields: " << message << "\n";
            return kExitUsage;
        }
        const std::vector<SFieldRow> rows = Describe(manager, leaves);
        if (*format == "json") {
            Json list = Json::array();
            for (const SFieldRow& row : rows) {
                Json object{{"path", row.path}};
                object.update(row.facts);
                list.push_back(object);
            }
            std::cout << list.dump(2, ' ', false, Json::error_handler_t::replace) << "\n";
        } else {
            PrintTable(rows, model, std::cout);
        }
        return kExitOk;
    };
});
