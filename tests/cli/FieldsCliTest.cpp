// tolvar fields: the description of each field, as text and as JSON.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include <nlohmann/json.hpp>

#include "CliRunner.h"
#include "support/TextMatch.h"
#include "datamodel/DataManagers.h"
#include "datamodel/memmap/TreeAccess.h"

using clitest::Tolvar;

namespace {

using Row = std::map<std::string, std::string>;

// The rows of the aligned table under its header, cut at the columns the rule under
// the header marks; by path.
std::map<std::string, Row> TableRows(const std::string& text) {
    const std::vector<std::string> lines = clitest::Lines(text);
    size_t rule = 0;
    while (rule < lines.size() && lines[rule].rfind("----", 0) != 0)
        ++rule;
    std::map<std::string, Row> rows;
    if (rule == 0 || rule >= lines.size())
        return rows;
    std::vector<size_t> starts;
    for (size_t i = 0; i < lines[rule].size(); ++i)
        if (lines[rule][i] == '-' && (i == 0 || lines[rule][i - 1] == ' '))
            starts.push_back(i);
    const auto cell = [&](const std::string& line, size_t c) {
        if (starts[c] >= line.size())
            return std::string();
        const size_t end = c + 1 < starts.size() ? starts[c + 1] : line.size();
        std::string text = line.substr(starts[c], end - starts[c]);
        return text.erase(text.find_last_not_of(' ') + 1);
    };
    for (size_t l = rule + 1; l < lines.size() && !lines[l].empty(); ++l) {
        Row row;
        for (size_t c = 0; c < starts.size(); ++c)
            row[cell(lines[rule - 1], c)] = cell(lines[l], c);
        rows[row["Path"]] = row;
    }
    return rows;
}

std::vector<std::string> Args(int model, std::vector<std::string> args) {
    args.insert(args.begin(), "fields");
    if (model == ModelPMR)
        args.push_back("--pmr");
    return args;
}

class FieldsCli : public ::testing::TestWithParam<int> {};
INSTANTIATE_TEST_SUITE_P(Variants, FieldsCli, ::testing::Values(ModelLMR, ModelPMR),
                         [](const auto& info) { return std::string(ModelName(info.param)); });

// Each way of naming fields lists the row it names (all of them: the next test). What a
// row says is the field facts' own tests; here one row is read column by column.
TEST_P(FieldsCli, ListsTheFieldsAPathNamesWithTheirFacts) {
    const int model = GetParam();
    const bool pmr = model == ModelPMR;
    const std::string only = pmr ? "Mch.CH9.RxCNo2" : "Mch.CH9.AutoResetL";
    const struct {
        std::vector<std::string> args;
        std::string path; // a row listed
    } cases[] = {
        {{only}, only},
        {{"Mch.CH1..CH32.ScrmCode"}, "Mch.CH1..CH32.ScrmCode"},
        {{"DtmfCodeCH"}, "DtmfCodeCH.TxSysCodeCH.CH1..CH6.Code"},
        {{"--maker-reserve", "MakerR"}, "MakerR.IfFreq"},
    };
    std::map<std::string, Row> listed;
    for (const auto& c : cases) {
        const auto run = Tolvar(Args(model, c.args));
        ASSERT_EQ(run.status, 0) << c.path << ": " << run.err;
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out.rfind(std::string("Fields of ") + ModelName(model) + " files\n", 0), 0u);
        const auto rows = TableRows(run.out);
        ASSERT_TRUE(rows.count(c.path)) << c.path << " in:\n" << run.out;
        listed[c.path] = rows.at(c.path);
    }
    EXPECT_EQ(listed.at("Mch.CH1..CH32.ScrmCode").at("Variants"), "both");
    const Row& row = listed.at(only);
    EXPECT_EQ(row.at("Kind"), "option list");
    EXPECT_EQ(row.at("Variants"), pmr ? "PMR" : "LMR");
    EXPECT_EQ(row.at("Sheet column"), pmr ? "RX C-No(List No.)" : "Auto Reset");
    EXPECT_EQ(row.at("Accepts"), pmr ? "one of _, 2" : "one of Timer A, Timer B");
}

TEST_P(FieldsCli, ListsTheChannelsFieldsOnceAndAChannelAsAsked) {
    const auto all = Tolvar(Args(GetParam(), {}));
    ASSERT_EQ(all.status, 0);
    const auto rows = TableRows(all.out);
    const auto one = TableRows(Tolvar(Args(GetParam(), {"Mch.CH7"})).out);
    ASSERT_FALSE(one.empty());
    for (const auto& [path, row] : one) {
        ASSERT_EQ(path.rfind("Mch.CH7.", 0), 0u) << path;
        const std::string run = "Mch.CH1..CH32." + path.substr(8);
        ASSERT_TRUE(rows.count(run)) << run;
        Row same = rows.at(run);
        same["Path"] = path;
        EXPECT_EQ(same, row) << path;
    }
    for (const auto& [path, row] : rows)
        EXPECT_FALSE(path.rfind("Mch.CH7.", 0) == 0 || path.rfind("Mch.CH2.", 0) == 0) << path;
    EXPECT_TRUE(Has(all.out, "\nFIRST..LAST in a path: the field of each group"));
    // Two formats named alike are no run.
    if (GetParam() == ModelPMR) {
        EXPECT_TRUE(rows.count("5ToneCodeCH.Format.ZVEI1.TonLen"));
        EXPECT_TRUE(rows.count("5ToneCodeCH.UsrTon.0..14.DecH"));
    }
}

TEST_P(FieldsCli, JsonHasTheSameFieldsWithStableKeys) {
    const int model = GetParam();
    const auto text = TableRows(Tolvar(Args(model, {"--maker-reserve"})).out);
    const auto run = Tolvar(Args(model, {"--maker-reserve", "--format", "json"}));
    ASSERT_EQ(run.status, 0) << run.err;
    const auto json = nlohmann::json::parse(run.out);
    ASSERT_TRUE(json.is_array());
    ASSERT_EQ(json.size(), text.size());
    const std::set<std::string> keys = {
        "path", "kind",   "accepts", "options",      "shown_as", "min",      "max",
        "unit", "raster", "length",  "fixed_length", "charset",  "variants", "title"};
    std::map<std::string, nlohmann::json> byPath;
    for (const auto& field : json) {
        std::set<std::string> have;
        for (const auto& item : field.items())
            have.insert(item.key());
        EXPECT_EQ(have, keys) << field.dump();
        const std::string path = field["path"];
        ASSERT_TRUE(text.count(path)) << path;
        EXPECT_EQ(field["kind"], text.at(path).at("Kind")) << path;
        EXPECT_EQ(field["accepts"], text.at(path).at("Accepts")) << path;
        byPath[path] = field;
    }
    // What the facts are is the field facts' own tests; here how each kind of value is
    // written: numbers, texts, lists, a map, true and false, and null for what a field
    // does not have.
    const bool pmr = model == ModelPMR;
    const auto& freq = byPath.at("Mch.CH1..CH32.FreqRx");
    EXPECT_DOUBLE_EQ(freq["max"].get<double>(), 799.995);
    EXPECT_EQ(freq["unit"], "MHz");
    EXPECT_EQ(freq["variants"], nlohmann::json::array({"LMR", "PMR"}));
    EXPECT_TRUE(freq["length"].is_null() && freq["charset"].is_null() && freq["options"].is_null());

    const auto& comment = byPath.at("CommonSet.Common.Comment1");
    EXPECT_EQ(comment["length"], 16);
    EXPECT_EQ(comment["fixed_length"], false);

    const auto& logId = byPath.at("Mch.CH1..CH32.RptLogIdP");
    EXPECT_EQ(logId["options"], nlohmann::json::array({"5Tone", "CW ID"}));
    if (pmr)
        EXPECT_TRUE(logId["shown_as"].is_null());
    else
        EXPECT_EQ(logId["shown_as"], nlohmann::json({{"5Tone", "DTMF"}}));

    const auto& scrm = byPath.at("Mch.CH1..CH32.ScrmCode");
    EXPECT_EQ(scrm["min"], 1);
    EXPECT_TRUE(scrm["min"].is_number_integer());
    EXPECT_EQ(byPath.at("CommonSet.Expert.AlertTelCode")["fixed_length"], true);
    const std::string only =
        pmr ? "5ToneCodeCH.RXCodeCH.CH1..CH8.RxCode" : "2ToneCodeCH.RXCodeCH.CH1..CH3.1stFreq";
    EXPECT_EQ(byPath.at(only)["variants"], nlohmann::json::array({pmr ? "PMR" : "LMR"}));
}

TEST_P(FieldsCli, APathThatNamesNoFieldIsAUsageError) {
    const bool pmr = GetParam() == ModelPMR;
    const struct {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{"Mch.CH1.FreqRxx"}, "tolvar fields: Mch.CH1.FreqRxx: no such field; Mch.CH1 holds "},
        {{pmr ? "Mch.CH1.LockoutL" : "Mch.CH1.LockoutP"},
         pmr ? "a field of LMR files only; this file is PMR (--lmr)"
             : "a field of PMR files only; this file is LMR (--pmr)"},
        {{"MakerR.IfFreq"}, "maker-reserve mode (--maker-reserve)"},
        {{"Mch.CH3..CH1"}, "Mch.CH3..CH1: FIRST..LAST must name numbered groups"},
        {{"Mch.CH1..SmTr4"}, "FIRST..LAST must name"},
        {{"Mch.CH31..CH33"}, "Mch.CH33: no such field"},
        {{"--format", "xml"}, "xml"},
        {{"--lmr", "--file", "x.zcf"}, "excludes"},
    };
    for (const auto& c : cases) {
        const auto run = Tolvar(Args(GetParam(), c.args));
        EXPECT_EQ(run.status, 64) << c.message;
        EXPECT_TRUE(Has(run.err, c.message));
        EXPECT_EQ(run.out, "") << c.message;
    }
}

TEST(FieldsCliFile, TakesTheVariantFromADataFile) {
    clitest::CTempDir dir;
    const std::string pmr = dir.Path("pmr.zcf");
    ASSERT_EQ(Tolvar({"new", "--pmr", "-o", pmr}).status, 0);
    const auto run = Tolvar({"fields", "--file", pmr, "Mch.CH1.Moni"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Has(run.out, "Fields of PMR files\n"));
    EXPECT_TRUE(TableRows(run.out).count("Mch.CH1.Moni"));
    // From a file, the hint is no option.
    const auto lmrOnly = Tolvar({"fields", "--file", pmr, "Mch.CH1.LockoutL"});
    EXPECT_EQ(lmrOnly.status, 64);
    EXPECT_TRUE(Has(lmrOnly.err, "this file is PMR\n"));
}

} // namespace
