#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "datamodel/DataManagers.h"
#include "document/DocumentData.h"
#include "support/ScriptedInteraction.h"
#include "datamodel/memmap/RadioDataManager.h"
#include "datamodel/nodes/NodeValue.h"

namespace {

constexpr EArea kSettingsAreas[] = {EArea::KeyDisp, EArea::Common, EArea::Expert, EArea::MakerR};

class SettingsDocument {
public:
    explicit SettingsDocument(int model) : doc(ui, model) {}
    CEepromImage& Image() { return doc.Registry().Image(); }
    CTolvarRadioDataManager& Radio() { return *doc.Registry().RadioData(); }
    CNode* Node(const std::string& path) { return doc.Registry().Model()->GetNodeByPath(path); }
    void Decode() {
        for (EArea area : kSettingsAreas)
            Radio().DecodeArea(area, Image());
    }
    void Encode(CEepromImage& image) {
        for (EArea area : kSettingsAreas)
            Radio().EncodeArea(area, image);
    }
    void Put(uint32_t addr, const std::vector<uint8_t>& bytes) {
        Image().Write(addr, bytes.data(), static_cast<uint32_t>(bytes.size()));
    }
    // Every leaf of the settings groups with its dotted path.
    void ForEachLeaf(const std::function<void(const std::string&, CNode&)>& visit) {
        std::function<void(const std::string&, CNode&)> walk = [&](const std::string& path,
                                                                   CNode& node) {
            if (node.Children().empty()) visit(path, node);
            for (CNode* child : node.Children())
                walk(path + "." + child->GetName(), *child);
        };
        walk("CommonSet", *Node("CommonSet"));
        walk("MakerR", *Node("MakerR"));
    }
    std::map<std::string, std::string> Snapshot() {
        std::map<std::string, std::string> values;
        ForEachLeaf([&](const std::string& path, CNode& node) {
            values[path] = node.GetText() + "|" + std::to_string(node.GetValue());
        });
        return values;
    }

    // Back to the factory state, unbound fields included.
    void Reset() {
        ForEachLeaf([](const std::string&, CNode& node) {
            if (auto* value = dynamic_cast<CNodeValue*>(&node)) value->Reset();
        });
        doc.Registry().InitImage();
    }

    CScriptedInteraction ui;
    CTolvarDocumentData doc;
};

// Documents are costly to build: the tests share one per variant, reset to factory.
SettingsDocument& FactoryDocument(int model) {
    static std::unique_ptr<SettingsDocument> documents[2];
    std::unique_ptr<SettingsDocument>& doc = documents[model];
    if (!doc) doc = std::make_unique<SettingsDocument>(model);
    doc->Reset();
    return *doc;
}

struct SDecodeCase {
    const char* path;
    uint32_t addr;
    std::vector<uint8_t> bytes;
    int model;
    int value;                  // for value nodes
    const char* text = nullptr; // the expected text, when given
};

std::ostream& operator<<(std::ostream& os, const SDecodeCase& c) {
    return os << c.path << " @" << std::hex << c.addr << " model " << c.model;
}

class SettingsDecode : public testing::TestWithParam<SDecodeCase> {};

TEST_P(SettingsDecode, ReadsTheField) {
    const SDecodeCase& c = GetParam();
    SettingsDocument& doc = FactoryDocument(c.model);
    doc.Put(c.addr, c.bytes);
    doc.Decode();
    const CNode* node = doc.Node(c.path);
    ASSERT_NE(node, nullptr);
    if (dynamic_cast<const CNodeValue*>(node)) {
        EXPECT_EQ(node->GetValue(), c.value);
    }
    if (c.text) {
        EXPECT_EQ(node->GetText(), c.text);
    }
}

const std::string kTextPath = "CommonSet.KeyDisp.Text";

INSTANTIATE_TEST_SUITE_P(
    Fields, SettingsDecode,
    testing::Values(
        SDecodeCase{"CommonSet.Common.ScrmGrp", 0x0A5, {0x03}, 0, 4, "4"},
        SDecodeCase{"CommonSet.Common.ScrmGrp", 0x0A5, {0xFC}, 0, 1, "1"},
        SDecodeCase{"CommonSet.Common.SyncCap", 0x0A5, {0x80}, 0, 0, "Standard"},
        SDecodeCase{"CommonSet.Common.SyncCap", 0x0A5, {0xC0}, 0, 1, "Continuous"},
        SDecodeCase{"CommonSet.Common.TonStrTim", 0x0A5, {0x30}, 0, 3, "1.100"},
        SDecodeCase{"CommonSet.Common.BaseTotTim", 0x100, {0x01, 0x02}, 0, 0x0102},
        SDecodeCase{"CommonSet.Common.BaseTotTim", 0x100, {0xFF, 0xFF}, 0, 4095},
        SDecodeCase{"CommonSet.Common.RptLogIntTim", 0x108, {0x17, 0x35}, 0, 5940},
        SDecodeCase{"CommonSet.Common.UsrPswd", 0x0A0, {0x12, 0xAB}, 0, 0, "12AB"},
        SDecodeCase{
            "CommonSet.Common.Comment1", 0x150, {'A', 0x01, 'B', '~', 'C', ' '}, 0, 0, "A B C"},
        SDecodeCase{"CommonSet.Expert.BeepRepTim", 0x0F7, {61}, 0, 60},
        SDecodeCase{"CommonSet.Expert.AlertTempReg", 0x0C5, {0x78}, 0, 50, "50"},
        SDecodeCase{"CommonSet.Expert.AlertTempReg", 0x0C5, {0x00}, 0, 130},
        SDecodeCase{"CommonSet.Expert.AlertTempPa", 0x0C6, {0xFF}, 1, -30},
        SDecodeCase{"CommonSet.Expert.UsrCtcssFreq", 0x1EA, {0x08, 0x79}, 0, 885, "88.50000"},
        SDecodeCase{"CommonSet.Expert.UsrCtcssFreq", 0x1EA, {0x00, 0x00}, 0, 3000},
        SDecodeCase{"CommonSet.Expert.UsrCtcssFreq", 0x1EA, {0xFF, 0xFF}, 0, 600},
        SDecodeCase{"CommonSet.Expert.BeepFreqL", 0x0B3, {55}, 0, 1714},
        SDecodeCase{"CommonSet.Expert.BeepFreqH", 0x0B4, {0}, 0, 3000},
        SDecodeCase{"CommonSet.Expert.CwIdTonFreq", 0x0B6, {0xFF}, 1, 400},
        SDecodeCase{"CommonSet.Expert.AlertTelCode", 0xC28, {0x1E, 0xF0}, 0, 0, "1*#0"},
        SDecodeCase{"CommonSet.Expert.CwIdCode", 0x1960, {'D', 'E', 0xFF, 'X'}, 0, 0, "DE"},
        SDecodeCase{
            "CommonSet.Expert.CwIdCode", 0x1960, {'d', 'E', 0x00, '"', 0xFF}, 0, 0, " E \""},
        SDecodeCase{"CommonSet.KeyDisp.KeyP0Conv", 0x0AC, {24}, 0, 0, "Null"},
        SDecodeCase{"CommonSet.KeyDisp.KeyP0Conv", 0x0AC, {24}, 1, 24, "Call A (Code 30)"},
        SDecodeCase{"CommonSet.KeyDisp.KeyP0Conv", 0x0AC, {31}, 1, 31, "ID-MR Select"},
        SDecodeCase{"CommonSet.KeyDisp.KeyP0Conv", 0x0AC, {48}, 0, 48, "Sp. Func 1"},
        SDecodeCase{"CommonSet.KeyDisp.KeyP0Conv", 0x0AC, {1}, 1, 0},
        SDecodeCase{"CommonSet.KeyDisp.KeyP0Conv", 0x0AC, {64}, 1, 0},
        SDecodeCase{kTextPath.c_str(), 0x0D4, {0x20}, 0, 0, ""},
        SDecodeCase{"CommonSet.KeyDisp.Beep", 0x0D4, {0x80}, 0, 1, "ON"}));

TEST(SettingsDecode, OpeningTextNeedsItsFlag) {
    SettingsDocument& doc = FactoryDocument(0);
    doc.Put(0x1880, {'H', 'E', 'L', 'L', 'O'});
    doc.Decode();
    EXPECT_EQ(doc.Node(kTextPath)->GetText(), "");
    doc.Image().SetBit(0x0D4, 5, 1);
    doc.Decode();
    EXPECT_EQ(doc.Node(kTextPath)->GetText(), "HELLO");
}

struct SEncodeCase {
    const char* path;
    const char* text; // set as text, or nullptr to set value
    int value;
    uint32_t addr;
    std::vector<uint8_t> before; // image bytes at addr before encoding
    std::vector<uint8_t> after;
};

std::ostream& operator<<(std::ostream& os, const SEncodeCase& c) {
    return os << c.path << " = " << (c.text ? c.text : std::to_string(c.value));
}

class SettingsEncode : public testing::TestWithParam<SEncodeCase> {};

TEST_P(SettingsEncode, WritesTheField) {
    const SEncodeCase& c = GetParam();
    SettingsDocument& doc = FactoryDocument(0);
    CNode* node = doc.Node(c.path);
    ASSERT_NE(node, nullptr);
    if (c.text)
        node->SetText(c.text);
    else
        node->SetValue(c.value);
    doc.Put(c.addr, c.before);
    doc.Encode(doc.Image());
    const std::vector<uint8_t>& bytes = doc.Image().Bytes();
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + c.addr, bytes.begin() + c.addr + c.after.size()),
              c.after);
}

std::vector<uint8_t> Padded(const std::string& text, size_t length, uint8_t fill) {
    std::vector<uint8_t> bytes(text.begin(), text.end());
    bytes.resize(length, fill);
    return bytes;
}

const std::string kLongCw(40, 'K');

INSTANTIATE_TEST_SUITE_P(
    Fields, SettingsEncode,
    testing::Values(
        SEncodeCase{"CommonSet.Common.ScrmGrp", nullptr, 4, 0x0A5, {0xF4}, {0x07}},
        SEncodeCase{"CommonSet.Common.ScrmGrp", nullptr, 1, 0x0A5, {0x03}, {0x00}},
        SEncodeCase{"CommonSet.Common.SyncCap", "Continuous", 0, 0x0A5, {0x00}, {0xC0}},
        SEncodeCase{"CommonSet.Common.UsrPswd", "12ab", 0, 0x0A0, {}, {0x12, 0xAB}},
        SEncodeCase{"CommonSet.Common.RptTotTim", nullptr, 4095, 0x102, {}, {0x0F, 0xFF}},
        SEncodeCase{"CommonSet.Expert.AlertTelCode", "#*9", 0, 0xC28, {}, {0xFE, 0x90}},
        SEncodeCase{"CommonSet.Expert.AlertTempReg", "50", 0, 0x0C5, {}, {0x78}},
        SEncodeCase{"CommonSet.Expert.AlertTempPa", nullptr, -30, 0x0C6, {}, {200}},
        SEncodeCase{"CommonSet.Expert.UsrCtcssFreq", "88.5", 0, 0x1EA, {}, {0x08, 0x79}},
        SEncodeCase{"CommonSet.Expert.BeepFreqL", "1700", 0, 0x0B3, {}, {55}},
        SEncodeCase{"CommonSet.Expert.CwIdCode", "VK1ab ", 0, 0x1960, {}, Padded("VK1", 32, 0xFF)},
        SEncodeCase{
            "CommonSet.Expert.CwIdCode", " QRZ?\"", 0, 0x1960, {}, Padded(" QRZ?\"", 32, 0xFF)},
        SEncodeCase{"CommonSet.Expert.CwIdCode", "", 0, 0x1960, {'A'}, Padded("", 32, 0xFF)},
        SEncodeCase{
            "CommonSet.Expert.CwIdCode", kLongCw.c_str(), 0, 0x1960, {}, Padded(kLongCw, 32, 0)},
        SEncodeCase{"CommonSet.KeyDisp.KeyP0Conv", nullptr, 24, 0x0AC, {}, {24}},
        SEncodeCase{"CommonSet.KeyDisp.Text", "HI", 0, 0x1880, {}, Padded("HI", 16, ' ')},
        SEncodeCase{"CommonSet.KeyDisp.Text", "HI", 0, 0x0D4, {0x84}, {0xA4}},
        SEncodeCase{"CommonSet.KeyDisp.Text", "", 0, 0x0D4, {0xA4}, {0x84}}));

// Leaves that have no place in the image.
const std::set<std::string> kUnbound = {"CommonSet.Common.RptTotBeepSp",
                                        "CommonSet.KeyDisp.Key_Conv_LMR",
                                        "CommonSet.KeyDisp.Key_Conv_PMR", "MakerR.SetModeAcs"};

TEST(SettingsTree, RecordsWhichFieldsAreBound) {
    SettingsDocument& doc = FactoryDocument(0);
    int leaves = 0;
    doc.ForEachLeaf([&](const std::string& path, CNode& node) {
        ++leaves;
        EXPECT_EQ(doc.Radio().GetNodeInfo(&node).bound, kUnbound.count(path) == 0) << path;
    });
    EXPECT_EQ(leaves, 33 + 27 + 7 + 18);
    EXPECT_EQ(doc.Radio().GetNodeInfo(doc.Node("CommonSet.KeyDisp.Key_Conv_PMR")).models,
              kModelsPMR);
}

// Bits that encoding the settings areas writes: encode the same values over an image
// of zeros and one of ones; a written bit changes in one of the two.
std::vector<uint8_t> WrittenBits(SettingsDocument& doc) {
    CEepromImage zeros(kImageSize), ones(kImageSize);
    const std::vector<uint8_t> all(kImageSize, 0xFF);
    ones.Write(0, all.data(), kImageSize);
    doc.Encode(zeros);
    doc.Encode(ones);
    std::vector<uint8_t> mask(kImageSize);
    for (uint32_t a = 0; a < kImageSize; ++a)
        mask[a] = static_cast<uint8_t>(zeros.GetByte(a) | ~ones.GetByte(a));
    return mask;
}

class SettingsFactory : public testing::TestWithParam<int> {};

TEST_P(SettingsFactory, DecodesToDefaultsAndIsStable) {
    SettingsDocument doc(GetParam());
    const CEepromImage factory = doc.Image();
    const std::map<std::string, std::string> codes = {{"CommonSet.Common.UsrPswd", "0000"},
                                                      {"CommonSet.Expert.AlertTelCode", "0000"}};
    doc.ForEachLeaf([&](const std::string& path, CNode& node) {
        if (const auto* value = dynamic_cast<const CNodeValue*>(&node))
            EXPECT_EQ(value->Value(), value->Default()) << path;
        else
            EXPECT_EQ(node.GetText(), codes.count(path) ? codes.at(path) : "") << path;
    });

    doc.Encode(doc.Image());
    EXPECT_TRUE(doc.Image() == factory);

    doc.doc.Registry().Adjust()->Normalise();
    const std::vector<uint8_t> mask = WrittenBits(doc);
    for (uint32_t a = 0; a < kTableSize; ++a)
        ASSERT_EQ(doc.Image().GetByte(a) & mask[a], factory.GetByte(a) & mask[a]) << std::hex << a;
}

INSTANTIATE_TEST_SUITE_P(Variants, SettingsFactory, testing::Values(0, 1));

class SettingsRoundTrip : public testing::TestWithParam<int> {};

// Random images: decode, encode and decode again give the same values, and a
// re-encoded image is stable.
TEST_P(SettingsRoundTrip, RandomImagesSurvive) {
    const int model = GetParam();
    SettingsDocument& doc = FactoryDocument(model);
    std::mt19937 random(20240611u + static_cast<unsigned>(model));
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 200; ++round) {
        CEepromImage& image = doc.Image();
        for (uint32_t a = 0; a < kTableSize; ++a)
            image.SetByte(a, static_cast<uint8_t>(byte(random)));
        image.SetBit(kModelAddr, kModelBit, model);
        doc.Decode();
        const auto first = doc.Snapshot();
        doc.Encode(image);
        const CEepromImage encoded = image;
        doc.Decode();
        ASSERT_EQ(doc.Snapshot(), first) << "round " << round;
        doc.Encode(image);
        ASSERT_TRUE(image == encoded) << "round " << round;
    }
}

INSTANTIATE_TEST_SUITE_P(Variants, SettingsRoundTrip, testing::Values(0, 1));

} // namespace
