#include <gtest/gtest.h>

#include <random>

#include "SignallingTestSupport.h"
#include "datamodel/memmap/ChannelMap.h"
#include "datamodel/memmap/ChannelSheet.h"
#include "exchange/CsvText.h"
#include "exchange/Exchange.h"

namespace {

using signalling_test::SDocument;

// The channel area (records, names, Prio A and emergency) filled with random bytes,
// then saved as a file would hold it.
void RandomChannels(SDocument& doc, std::mt19937& random) {
    CQCloneManager& registry = doc.data.Registry();
    std::uniform_int_distribution<int> byte(0, 255);
    const auto fill = [&](uint32_t first, uint32_t count) {
        for (uint32_t a = first; a < first + count; ++a)
            registry.Image().SetByte(a, static_cast<uint8_t>(byte(random)));
    };
    fill(kChannelRecordBase, kChannelCount * kChannelRecordSize);
    fill(kChannelNameBase, kChannelCount * kChannelNameSize);
    registry.LoadImageToTree();
    doc.RoundTrip();
}

std::vector<std::vector<std::string>> Rows(SDocument& doc, bool sheet) {
    const CTreeIndex index = doc.Index();
    std::vector<std::vector<std::string>> rows;
    for (int channel = 1; channel <= kChannelCount; ++channel)
        rows.push_back(ChannelSheetRow(index, channel, sheet));
    return rows;
}

// The sheet's rows as they show them ("<-----", "------").
std::string SheetText(SDocument& doc) {
    std::string text = CsvLine(ChannelSheetTitles(doc.data.GetModel()));
    for (const auto& row : Rows(doc, true))
        text += CsvLine(row);
    return text;
}

class ChannelExchange : public ::testing::TestWithParam<std::tuple<int, bool>> {};
INSTANTIATE_TEST_SUITE_P(Variants, ChannelExchange,
                         ::testing::Combine(::testing::Values(ModelLMR, ModelPMR),
                                            ::testing::Bool()),
                         [](const auto& info) {
                             return std::string(ModelName(std::get<0>(info.param))) +
                                    (std::get<1>(info.param) ? "SheetCells" : "Csv");
                         });

// What the export writes imports back into a factory file as it was; what the sheet
// shows pastes back to show the same (a transmit tone under "------" stays hidden).
TEST_P(ChannelExchange, RandomChannelsImportBackAsTheyWere) {
    const auto [model, sheet] = GetParam();
    std::mt19937 random(1234u + static_cast<unsigned>(model));
    for (int round = 0; round < 12; ++round) {
        SDocument source(model), target(model);
        RandomChannels(source, random);
        const std::string text =
            sheet ? SheetText(source) : ExportText(source.data, EExportFormat::Csv);
        const SImportResult result = ImportText(target.data, text);
        ASSERT_TRUE(result.Ok()) << "round " << round << ": " << result.errors.front();
        const auto want = Rows(source, sheet), got = Rows(target, sheet);
        for (size_t r = 0; r < want.size(); ++r)
            EXPECT_EQ(got[r], want[r]) << "round " << round << ", channel " << r + 1;
    }
}

class JsonExchange : public ::testing::TestWithParam<int> {};
INSTANTIATE_TEST_SUITE_P(Variants, JsonExchange, ::testing::Values(ModelLMR, ModelPMR),
                         [](const auto& info) { return std::string(ModelName(info.param)); });

TEST_P(JsonExchange, TheWholeExportImportsBackAsItWas) {
    const int model = GetParam();
    std::mt19937 random(99u + static_cast<unsigned>(model));
    SDocument source(model), target(model);
    RandomChannels(source, random);
    const SImportResult result =
        ImportText(target.data, ExportText(source.data, EExportFormat::Json));
    ASSERT_TRUE(result.Ok()) << result.errors.front();
    EXPECT_EQ(target.Texts(), source.Texts());
}

// A text with one fault anywhere changes nothing and says where the fault is.
TEST(Import, WithAnErrorChangesNothingAndNamesThePlace) {
    SDocument doc(ModelLMR);
    // Channel 1 turned on with a frequency; each case adds one fault in a later line.
    const std::string header = "CH,CH Atr,Rx Frequency\n";
    const std::string channel1 = "1,,145.1\n";
    struct Case {
        std::string text, where;
    } cases[] = {
        {header + channel1 + "99,,\n", "row 3, column \"CH\""},
        {header + channel1 + "2,X,\n", "row 3, column \"CH Atr\""},
        {header + channel1 + "1,,145.2\n", "row 3: channel 1"},
        {header + channel1 + "2,,145.2,9\n", "row 3: 4 cells"},
        {"{\"Mch\": {\"CH1\": {\"ChOn\": \"ON\",\n \"FreqRx\": }}}", "line 2, column"},
        {"{\"Mch\": {\"CH1\": {\"ChOn\": \"ON\", \"FreqRx\": \"145.1\", \"RfPwr\": \"Purple\"}}}",
         "Mch.CH1.RfPwr"},
    };
    for (const Case& c : cases) {
        const std::vector<std::string> before = doc.Texts();
        const std::vector<uint8_t> image = doc.data.Registry().Image().Bytes();
        const SImportResult result = ImportText(doc.data, c.text);
        ASSERT_FALSE(result.Ok()) << c.text;
        EXPECT_NE(result.errors.front().find(c.where), std::string::npos) << result.errors.front();
        EXPECT_EQ(doc.Texts(), before) << c.text;
        EXPECT_TRUE(doc.data.Registry().Image().Bytes() == image) << c.text;
    }
    // The same lines without the fault are taken.
    const SImportResult taken = ImportText(doc.data, header + channel1);
    ASSERT_TRUE(taken.Ok()) << taken.errors.front();
    EXPECT_EQ(LeafText(*doc.Index().Find("Mch.CH1.FreqRx")->node), "145.10000");
}

} // namespace
