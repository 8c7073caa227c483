#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "datamodel/DataManagers.h"
#include "document/DocumentData.h"
#include "support/ScriptedInteraction.h"
#include "datamodel/memmap/ChannelMap.h"
#include "datamodel/memmap/RadioDataManager.h"
#include "datamodel/nodes/GroupNodes.h"
#include "datamodel/nodes/ValueNodes.h"

namespace {

// A document of one variant with direct access to the channel nodes.
struct ChannelDoc : ::testing::TestWithParam<int> {
    CScriptedInteraction ui;
    CTolvarDocumentData doc{ui, GetParam()};
    CEepromImage& image = doc.Registry().Image();
    CTolvarRadioDataManager& radio = *doc.Registry().RadioData();

    CNode* Node(const std::string& path) { return doc.Registry().Model()->GetNodeByPath(path); }
    CNode& Field(int ch, const char* name) {
        CNode* node = Node("Mch.CH" + std::to_string(ch) + "." + name);
        EXPECT_NE(node, nullptr) << ch << " " << name;
        return *node;
    }
    void Decode() {
        radio.DecodeArea(EArea::Channels, image);
        radio.DecodeArea(EArea::MultiTone, image);
    }
    void Encode() {
        radio.EncodeArea(EArea::Channels, image);
        radio.EncodeArea(EArea::MultiTone, image);
    }
    uint8_t Rec(int ch, uint32_t offset) { return image.GetByte(ChannelRecordAddr(ch) + offset); }
    void SetRec(int ch, std::vector<uint8_t> bytes) {
        image.Write(ChannelRecordAddr(ch), bytes.data(), static_cast<uint32_t>(bytes.size()));
    }
    // Every value of the channel and multiple-tone nodes meant for the variant.
    std::vector<std::string> Snapshot() {
        const unsigned mask = ModelMaskOf(GetParam());
        std::vector<std::string> values;
        std::vector<const CNode*> stack = {Node("MultiTon"), Node("Mch")};
        while (!stack.empty()) {
            const CNode* node = stack.back();
            stack.pop_back();
            if (!(radio.GetNodeInfo(node).models & mask)) continue;
            if (const auto* text = dynamic_cast<const CStringNode*>(node))
                values.push_back(node->GetName() + "=" + text->GetString());
            else if (dynamic_cast<const CNodeValue*>(node))
                values.push_back(node->GetName() + "=" + std::to_string(node->GetValue()));
            for (const CNode* child : node->Children())
                stack.push_back(child);
        }
        return values;
    }
    std::vector<uint8_t> Area() {
        const auto& b = image.Bytes();
        std::vector<uint8_t> bytes(b.begin() + 0x200, b.begin() + 0x600);
        bytes.insert(bytes.end(), b.begin() + 0xD00, b.begin() + 0x1300);
        bytes.insert(bytes.end(), b.begin() + 0x1480, b.begin() + 0x15C0);
        for (uint32_t a : {0xB8u, 0xB9u, 0xD2u, 0x120u})
            bytes.push_back(b[a]);
        return bytes;
    }
    bool Pmr() const { return GetParam() == ModelPMR; }
};

std::string Names(const CNode& parent, size_t from, size_t count) {
    std::string names;
    for (size_t i = from; i < from + count && i < parent.Children().size(); ++i)
        names += parent.Children()[i]->GetName() + " ";
    return names;
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Variants, ChannelDoc, ::testing::Values(ModelLMR, ModelPMR));

TEST_P(ChannelDoc, TreeNamesOrderAndNodeInfo) {
    const CNode& mch = *Node("Mch");
    ASSERT_EQ(mch.Children().size(), 17u + 2 + 16 + 33);
    EXPECT_EQ(Names(mch, 15, 5), "BnkSet15 BnkSet16 PrioA Emr SmTr1 ");
    EXPECT_EQ(Names(mch, 34, 3), "SmTr16 CH0 CH1 ");
    EXPECT_EQ(Names(*Node("Mch.CH7"), 0, 8), "ChOn FreqRx InhCh FreqTx InhTx CTonRx CTonTx Text ");
    EXPECT_EQ(Node("Mch.CH7")->Children().size(), 47u);
    EXPECT_EQ(Node("MultiTon")->Children().size(), 33u + 512);
    EXPECT_EQ(Node("Mch.BnkSet1")->GetValue(), 32);
    EXPECT_EQ(Node("MultiTon.Set32")->GetValue(), 16);
    // path, models, bound
    const std::tuple<const char*, unsigned, bool> infos[] = {
        {"Mch.PrioA", kModelsBoth, true},         {"Mch.BnkSet1", kModelsBoth, false},
        {"Mch.CH0", kModelsBoth, false},          {"Mch.CH0.FreqRx", kModelsBoth, false},
        {"Mch.CH1.FreqRx", kModelsBoth, true},    {"Mch.CH1.LockoutL", kModelsLMR, true},
        {"Mch.CH1.RptLogIdL", kModelsLMR, false}, {"Mch.CH32.RxCNo8", kModelsPMR, true},
        {"MultiTon.Set0", kModelsBoth, false},    {"MultiTon.Ton512.CTonRx", kModelsBoth, true},
    };
    for (const auto& [path, models, bound] : infos) {
        EXPECT_EQ(radio.GetNodeInfo(Node(path)).models, models) << path;
        EXPECT_EQ(radio.GetNodeInfo(Node(path)).bound, bound) << path;
    }
    // The blank-channel template, set again by every decoding.
    Field(0, "Moni").SetValue(0);
    Decode();
    EXPECT_EQ(Field(0, "Moni").GetText(), "Both");
    EXPECT_EQ(Field(0, "CTonRx").GetText(), "OFF");
    EXPECT_EQ(Field(0, "RxCNo5").GetText(), "5");
}

TEST_P(ChannelDoc, FactoryImageDecodesEncodesAndNormalisesUnchanged) {
    const std::vector<uint8_t> factory = Area();
    EXPECT_EQ(Field(1, "ChOn").GetValue(), 0);
    EXPECT_EQ(Node("Mch.PrioA")->GetValue(), 1);
    EXPECT_EQ(Node("MultiTon.Ton1.CTonRx")->GetValue(), 1000);
    Encode();
    EXPECT_EQ(Area(), factory);
    doc.Registry().Adjust()->Normalise();
    EXPECT_EQ(Area(), factory);
}

TEST_P(ChannelDoc, RecordsDecode) {
    const struct {
        uint32_t offset; // where the bytes go in an otherwise zero record
        std::vector<uint8_t> bytes;
        const char* field;
        int value;
    } cases[] = {
        // clang-format off
        {0, {0xFF, 0x14, 0x51, 0x25}, "ChOn", 0},    // a blank record
        {0, {0xFF, 0x14, 0x51, 0x25}, "InhCh", 0},
        {0, {0xFF, 0x14, 0x51, 0x25}, "FreqRx", 0},
        {0, {0x80, 0x14, 0x51, 0x25}, "InhCh", 1},
        {0, {0x80, 0x14, 0x51, 0x25}, "FreqRx", 145125000},
        {0, {0x00, 0x14, 0x5A, 0x25}, "FreqRx", 0},          // a digit above 9
        {0, {0x79, 0x99, 0x99, 0x99}, "FreqRx", 799995000},  // clamped
        {0, {0x04, 0x29, 0x49, 0x68}, "FreqRx", 799995000},  // above 2^32 Hz: not wrapped
        {4, {0x80, 0x43, 0x05, 0x00}, "FreqTx", 430500000},
        {4, {0x80, 0x43, 0x05, 0x00}, "InhTx", 1},
        {8, {0x7E, 0xC1, 0x00}, "CTonRx", 3754},  // DTCS 754 inverted
        {8, {0x10, 0x01, 0x00}, "CTonRx", 4000},  // "Multi"
        {8, {0x10, 0x01, 0x00}, "CTonTx", 0},     // no "Multi" in a transmit code
        {0x0B, {0x03}, "RfPwr", 0},       {0x0B, {0x01}, "RfPwr", 1},
        {0x0B, {0x0C}, "LockoutL", 2},    {0x0C, {0x10}, "BasLogInOfP", 3},
        {0x0D, {0x02}, "AutoResetP", 0},  {0x0D, {0x00}, "AutoResetL", 1},
        {0x0E, {0x60}, "ScrmOn", 2},      {0x16, {0x01}, "RptLogInOf", 4},
        // clang-format on
    };
    for (const auto& c : cases) {
        SetRec(2, std::vector<uint8_t>(32, 0));
        image.Write(ChannelRecordAddr(2) + c.offset, c.bytes.data(),
                    static_cast<uint32_t>(c.bytes.size()));
        radio.DecodeArea(EArea::Channels, image, 2);
        EXPECT_EQ(Field(2, c.field).GetValue(), c.value) << c.field;
    }
}

TEST_P(ChannelDoc, RecordsEncodeByVariant) {
    constexpr unsigned B = kModelsBoth, L = kModelsLMR, P = kModelsPMR;
    const struct {
        const char* field;
        int value;
        uint32_t offset;
        uint8_t mask, bits;
        unsigned models;
    } cases[] = {
        // clang-format off
        {"InhCh", 1, 0, 0xFF, 0x80, B},
        {"FreqRx", 145125000, 1, 0xFF, 0x14, B}, {"FreqRx", 145125000, 3, 0xFF, 0x25, B},
        {"CTonRx", 3754, 8, 0xFF, 0x7E, B},     {"CTonTx", 2023, 9, 0xFF, 0xC4, B},
        {"CTonTx", 2023, 10, 0xFF, 0x13, B},    {"RfPwr", 0, 0x0B, 0x03, 0x03, B},
        {"RptBas", 3, 0x16, 0x30, 0x20, B},     {"ScrmOn", 1, 0x0E, 0x60, 0x40, B},
        {"RptLogInOf", 4, 0x16, 0x0D, 0x01, B}, {"ScrmCode", 0, 0x10, 0xFF, 0x01, B},
        {"BasLogInOfL", 2, 0x0C, 0xF0, 0x30, L}, {"BasLogInOfP", 7, 0x0C, 0xF0, 0xA0, P},
        {"AutoResetL", 0, 0x0D, 0x03, 0x02, L},  {"AutoResetP", 2, 0x0D, 0x03, 0x03, P},
        // LMR: "2Ton" turns on Call, PTT and Mute; the PMR bytes are fixed.
        {"2Ton", 2, 0x15, 0xFF, 0x02, L},        {"2Ton", 2, 0x0D, 0x0C, 0x0C, L},
        {"2Ton", 2, 0x0C, 0x01, 0x01, L},        {"Form", 5, 0x11, 0xCF, 0x00, L},
        {"RPT", 5, 0x12, 0xFF, 0x00, L},         {"STN", 5, 0x13, 0xFF, 0x81, L},
        {"Moni", 7, 0x0D, 0xF0, 0x30, L},
        // PMR: byte 0x15 holds "RxCNo1".."RxCNo8".
        {"RxCNo1", 0, 0x15, 0x80, 0x00, P},      {"RxCNo8", 1, 0x15, 0x01, 0x01, P},
        {"Form", 12, 0x11, 0x0F, 0x09, P},       {"RPT", 17, 0x12, 0x7F, 17, P},
        {"IdPos", 2, 0x11, 0xC0, 0xC0, P},       {"Sel", 1, 0x0D, 0xC0, 0x80, P},
        {"Moni", 4, 0x0D, 0x30, 0x10, P},        {"Moni", 4, 0x0B, 0x40, 0x40, P},
        // clang-format on
    };
    for (const auto& c : cases) {
        if (!(c.models & ModelMaskOf(GetParam()))) continue;
        Field(20, "ChOn").SetValue(1);
        Field(20, c.field).SetValue(c.value);
        radio.EncodeArea(EArea::Channels, image, 20);
        EXPECT_EQ(Rec(20, c.offset) & c.mask, c.bits) << c.field << " " << c.value;
    }
}

TEST_P(ChannelDoc, PriorityAndEmergencyChannels) {
    image.SetByte(0xB9, 0x40);
    image.SetByte(0xB8, 0x06);
    image.SetBit(0xD2, 5, 1);
    radio.DecodeArea(EArea::PrioEmr, image);
    EXPECT_EQ(Node("Mch.PrioA")->GetValue(), 32);
    EXPECT_EQ(Node("Mch.Emr")->GetValue(), 7);
    image.SetBit(0xD2, 5, 0);
    radio.DecodeArea(EArea::Channels, image, 0);
    EXPECT_EQ(Node("Mch.Emr")->GetValue(), 0);

    image.SetBit(0xD2, 5, 1);
    radio.EncodeArea(EArea::PrioEmr, image);
    EXPECT_EQ(image.GetByte(0xB8), 0);
    EXPECT_EQ(image.GetBit(0xD2, 5), 0);
    EXPECT_EQ(image.GetByte(0xB9), 31);
    Node("Mch.Emr")->SetValue(12);
    Node("Mch.PrioA")->SetValue(0); // written as channel 1
    radio.EncodeArea(EArea::Channels, image, 0);
    EXPECT_EQ(image.GetByte(0xB8), 11);
    EXPECT_EQ(image.GetBit(0xD2, 5), 1);
    EXPECT_EQ(image.GetByte(0xB9), 0);
}

TEST_P(ChannelDoc, NamesAndBlankChannels) {
    const std::pair<const char*, const char*> names[] = {
        {"ABCDEFGHIJKL", "ABCDEFGHIJ"}, {"", "          "}, {"a~b\x01", "a b       "}};
    for (int ch = 1; ch <= 3; ++ch) {
        Field(ch, "ChOn").SetValue(1);
        Field(ch, "Text").SetText(names[ch - 1].first);
    }
    image.Write(ChannelNameAddr(4), reinterpret_cast<const uint8_t*>("KEEP ME   "), 10);
    Field(4, "Text").SetText("Other"); // "ChOn" stays 0
    image.SetByte(ChannelRecordAddr(4) + 0x1C, 0x55);
    Encode();
    for (int ch = 1; ch <= 4; ++ch) {
        const auto* at = image.Bytes().data() + ChannelNameAddr(ch);
        EXPECT_EQ(std::string(at, at + 10), ch == 4 ? "KEEP ME   " : names[ch - 1].second);
        EXPECT_EQ(Rec(ch, 0x0C) & 0x04, ch == 1 || ch == 3 ? 0x04 : 0x00) << ch;
    }
    EXPECT_EQ(Rec(4, 0), 0xFF);
    EXPECT_EQ(Rec(4, 0x1C), 0x00); // the whole record is the factory one
    Decode();
    EXPECT_EQ(Field(3, "Text").GetText(), "a b");
    EXPECT_EQ(Field(4, "Text").GetText(), "");
}

TEST_P(ChannelDoc, EncodingFollowsTheFieldHolders) {
    Field(1, "ChOn").SetValue(1);
    Field(1, "FreqRx").SetText("145.125");
    Field(1, "InhCh").SetValue(1);
    Field(2, "ChOn").SetValue(1);
    Field(2, "FreqRx").SetText("430.5");
    Field(2, "Text").SetText("Two");
    auto* ch1 = dynamic_cast<CQMchNode*>(Node("Mch.CH1"));
    auto* ch2 = dynamic_cast<CQMchNode*>(Node("Mch.CH2"));
    auto* ch3 = dynamic_cast<CQMchNode*>(Node("Mch.CH3"));
    ch1->SetFieldHolder(ch3); // channel 1 now blank
    ch3->SetFieldHolder(ch2);
    ch2->SetFieldHolder(ch1);
    auto* ton1 = dynamic_cast<CTolvarMultiToneNode*>(Node("MultiTon.Ton1"));
    Node("MultiTon.Ton2.CTonRx")->SetValue(2023);
    ton1->SetFieldHolder(Node("MultiTon.Ton2"));
    Encode();
    EXPECT_EQ(Rec(1, 0), 0xFF);
    EXPECT_EQ(Rec(2, 0), 0x80);
    EXPECT_EQ(Rec(3, 1), 0x43);
    EXPECT_EQ(image.GetByte(MultiToneAddr(1)), 0x41);
    // The priority byte sees the channels in their new order.
    doc.Registry().Adjust()->Normalise();
    EXPECT_EQ(image.GetByte(0x120), 2); // channel 2 is inhibited, channel 3 is not

    Decode();
    EXPECT_EQ(ch1->GetFieldHolder(), ch1);
    EXPECT_EQ(ton1->GetFieldHolder(), ton1);
    EXPECT_EQ(Field(3, "Text").GetText(), "Two");
    EXPECT_EQ(Field(2, "FreqRx").GetValue(), 145125000);
}

TEST_P(ChannelDoc, MultipleTonesHaveNoMultiCase) {
    const uint8_t entry[] = {0x10, 0x07, 0xEC}; // receive 0x100, transmit 0x7EC
    image.Write(MultiToneAddr(512), entry, 3);
    radio.DecodeArea(EArea::MultiTone, image, 511);
    EXPECT_EQ(Node("MultiTon.Ton512.CTonRx")->GetValue(), 0);
    EXPECT_EQ(Node("MultiTon.Ton512.CTonTx")->GetValue(), 3754);
    Node("MultiTon.Ton512.CTonRx")->SetValue(4000);
    radio.EncodeArea(EArea::MultiTone, image, 511);
    EXPECT_EQ(image.GetByte(MultiToneAddr(512)), 0x80); // "OFF"
    EXPECT_EQ(image.GetByte(MultiToneAddr(512) + 1), 0x07);
}

TEST_P(ChannelDoc, RandomAreasRoundTrip) {
    std::mt19937 rng(20240517u + static_cast<unsigned>(GetParam()));
    auto byte = [&](int lo = 0, int hi = 255) {
        return static_cast<uint8_t>(std::uniform_int_distribution<int>(lo, hi)(rng));
    };
    const std::vector<uint8_t>& factory = FactoryTable(GetParam());
    auto bcd = [&] { return static_cast<uint8_t>(byte(0, 9) << 4 | byte(0, 9)); };
    for (int round = 0; round < 20; ++round) {
        for (int ch = 1; ch <= kChannelCount; ++ch) {
            std::vector<uint8_t> rec(32);
            for (auto& b : rec)
                b = byte();
            // Mostly valid frequencies, sometimes blank records or garbage. A blank
            // record keeps none of its fields, so it is the factory one.
            const int kind = byte(0, 9);
            if (kind == 0)
                rec.assign(factory.begin() + ChannelRecordAddr(ch),
                           factory.begin() + ChannelRecordAddr(ch) + 32);
            else if (rec[0] == 0xFF)
                rec[0] = 0xFE;
            for (int i = 0; i < 8 && kind > 2; ++i)
                rec[static_cast<size_t>(i)] = bcd();
            if (kind > 2) {
                rec[0] =
                    static_cast<uint8_t>((rec[0] & 0x0F) | byte(0, 7) << 4 | (byte(0, 1) << 7));
                rec[4] = static_cast<uint8_t>((rec[4] & 0x7F) | (byte(0, 1) << 7));
            }
            SetRec(ch, rec);
            for (uint32_t i = 0; i < kChannelNameSize; ++i)
                image.SetByte(ChannelNameAddr(ch) + i, byte(0x1E, 0x80));
        }
        for (uint32_t a = kMultiToneBase; a < kMultiToneBase + 3 * kMultiToneCount; ++a)
            image.SetByte(a, byte());
        for (uint32_t a : {0xB8u, 0xB9u, 0xD2u})
            image.SetByte(a, byte());

        Decode();
        const std::vector<std::string> first = Snapshot();
        Encode();
        const std::vector<uint8_t> y = Area();
        Decode();
        ASSERT_EQ(Snapshot(), first) << "round " << round;
        Encode();
        ASSERT_EQ(Area(), y) << "round " << round;
    }
}
