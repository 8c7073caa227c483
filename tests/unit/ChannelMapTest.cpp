#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "SignallingTestSupport.h"
#include "datamodel/memmap/ChannelMap.h"
#include "datamodel/nodes/GroupNodes.h"

using namespace signalling_test;

namespace {

// A document of one variant with direct access to the channel nodes.
struct ChannelDoc : ::testing::TestWithParam<int> {
    SDocument doc{GetParam()};
    CEepromImage& image = doc.Image();
    CTolvarRadioDataManager& radio = doc.Radio();

    CNode* Node(const std::string& path) { return &doc.Node(path); }
    CNode& Field(int ch, const char* name) {
        return doc.Node("Mch.CH" + std::to_string(ch) + "." + name);
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
    // Values of the factory image.
    EXPECT_EQ(Node("Mch.BnkSet1")->GetValue(), 32);
    EXPECT_EQ(Node("MultiTon.Set32")->GetValue(), 16);
    EXPECT_EQ(Field(1, "ChOn").GetValue(), 0);
    EXPECT_EQ(Node("Mch.PrioA")->GetValue(), 1);
    EXPECT_EQ(Node("MultiTon.Ton1.CTonRx")->GetValue(), 1000);
    // Nodes of the tree only (the bound fields and their variants are the tree index's
    // and the field facts' tests).
    for (const char* path :
         {"Mch.BnkSet1", "Mch.CH0", "Mch.CH0.FreqRx", "Mch.CH1.RptLogIdL", "MultiTon.Set0"})
        EXPECT_FALSE(radio.GetNodeInfo(Node(path)).bound) << path;
    // The blank-channel template, set again by every decoding.
    Field(0, "Moni").SetValue(0);
    Decode();
    EXPECT_EQ(Field(0, "Moni").GetText(), "Both");
    EXPECT_EQ(Field(0, "CTonRx").GetText(), "OFF");
    EXPECT_EQ(Field(0, "RxCNo5").GetText(), "5");
}

// Channel 2's record: zeros, then the bytes each row writes; the last multiple tone.
TEST_P(ChannelDoc, RecordsDecode) {
    const uint32_t r = ChannelRecordAddr(2), t = MultiToneAddr(512);
    const std::string ch = "Mch.CH2.", ton = "MultiTon.Ton512.";
    constexpr EArea a = EArea::Channels, m = EArea::MultiTone;
    // clang-format off
    CheckDecoding(GetParam(), {
        // A blank record.
        {{{r, Bytes(32, 0)}, {r, {0xFF, 0x14, 0x51, 0x25}}}, a, 2, ch + "ChOn", "0"},
        {{}, a, 2, ch + "InhCh", "0"},             {{}, a, 2, ch + "FreqRx", "0"},
        {{{r, {0x80}}}, a, 2, ch + "InhCh", "1"},  {{}, a, 2, ch + "FreqRx", "145125000"},
        {{{r, {0x00, 0x14, 0x5A, 0x25}}}, a, 2, ch + "FreqRx", "0"},         // a digit above 9
        {{{r, {0x79, 0x99, 0x99, 0x99}}}, a, 2, ch + "FreqRx", "799995000"}, // clamped
        {{{r, {0x04, 0x29, 0x49, 0x68}}}, a, 2, ch + "FreqRx", "799995000"}, // above 2^32 Hz
        {{{r + 4, {0x80, 0x43, 0x05, 0x00}}}, a, 2, ch + "FreqTx", "430500000"},
        {{}, a, 2, ch + "InhTx", "1"},
        {{{r + 8, {0x7E, 0xC1, 0x00}}}, a, 2, ch + "CTonRx", "3754"}, // DTCS 754 inverted
        {{{r + 8, {0x10, 0x01, 0x00}}}, a, 2, ch + "CTonRx", "4000"}, // "Multi"
        {{}, a, 2, ch + "CTonTx", "0"},                               // no "Multi" in transmit
        {{{r + 0x0B, {0x03}}}, a, 2, ch + "RfPwr", "0"},
        {{{r + 0x0B, {0x01}}}, a, 2, ch + "RfPwr", "1"},
        {{{r + 0x0B, {0x0C}}}, a, 2, ch + "LockoutL", "2"},
        {{{r + 0x0C, {0x10}}}, a, 2, ch + "BasLogInOfP", "3"},
        {{{r + 0x0D, {0x02}}}, a, 2, ch + "AutoResetP", "0"},
        {{{r + 0x0D, {0x00}}}, a, 2, ch + "AutoResetL", "1"},
        {{{r + 0x0E, {0x60}}}, a, 2, ch + "ScrmOn", "2"},
        {{{r + 0x16, {0x01}}}, a, 2, ch + "RptLogInOf", "4"},
        // Receive 0x100, transmit 0x7EC: a multiple tone has no "Multi".
        {{{t, {0x10, 0x07, 0xEC}}}, m, 511, ton + "CTonRx", "0"},
        {{}, m, 511, ton + "CTonTx", "3754"},
    });
    // clang-format on
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
    // A multiple tone writes "Multi" as "OFF".
    const std::string ton = "MultiTon.Ton512.";
    const uint32_t t = MultiToneAddr(512);
    constexpr EArea m = EArea::MultiTone;
    CheckEncoding(GetParam(), {{ton + "CTonTx", "3754", m, 511, {t, {}}, {0x80, 0x07, 0xEC}},
                               {ton + "CTonRx", "4000", m, 511, {t, {0x12}}, {0x80, 0x07}}});
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
