// "2ToneCodeCH" (LMR): the 2Tone receive code channels with their decode
// windows, the transmit code and the common receive timers.
#include <string>
#include <vector>

#include "Codecs.h"
#include "FieldTable.h"
#include "RadioDataManager.h"
#include "SignallingCodecs.h"
#include "datamodel/DataManagers.h"
#include "datamodel/nodes/ToneNodes.h"

namespace {

constexpr int kRxChannels = 4; // "CH1" .. "CH3", then the group channel "CHG"
constexpr uint32_t kRxRecords = 0x07BC, kRxStride = 9; // record j from S - 4, S = 0x7C0 + 9 j
constexpr uint32_t kRxNames = 0x1750, kNameStride = 10;
constexpr uint32_t kWindows = 0x018E, kWindowStride = 8;
// A receive record from S - 4: four head bytes, "Group" the first (the group channel's
// belong to the last transmit group), byte S (5Tone "+" marks), then "ANS", "Beep",
// the flags ("Stun", name present) and "AutTx".
constexpr uint32_t kHeadBytes = 4, kMarkByte = 4, kAnswerByte = 5, kBeepByte = 6, kFlagByte = 7,
                   kAutTxByte = 8;
// Bits of the record no 2Tone field uses, kept factory.
struct SRecordBit {
    uint32_t offset;
    int bit;
};
constexpr SRecordBit kSpareBits[] = {
    {kBeepByte, 7},  {kBeepByte, 6},  {kBeepByte, 3},  // "Beep" uses bits 2..0
    {kFlagByte, 7},  {kFlagByte, 6},                   // "Stun" 4..3, name 2
    {kAutTxByte, 7}, {kAutTxByte, 5}, {kAutTxByte, 4}, // "AutTx" 3..0
};
// Six-byte groups from 0x0700: the first holds "CodeType", the others are unused.
constexpr uint32_t kTxGroups = 0x0700, kTxGroupStride = 6;
constexpr uint32_t kTxGroupCount = 32;
constexpr uint8_t kUnusedGroup[] = {0x01, 0xFF, 0xFF, 0xFF};

// Record j: the numbered channels are records 1 .. 3, the group channel record 0.
uint32_t RecordOf(int index) {
    return index < kRxChannels - 1 ? static_cast<uint32_t>(index + 1) : 0;
}

// "1st" unless the byte is 1. Only a change of group touches the byte.
void DecodeGroupCall(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def) {
    node.SetValue(image.GetByte(base + def.addr) == 1 ? 1 : 0);
}

void EncodeGroupCall(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def) {
    const uint32_t addr = base + def.addr;
    if (node.GetValue() == 1)
        image.SetByte(addr, 1);
    else if (image.GetByte(addr) == 1)
        image.SetByte(addr, 0);
}

// 0xFF is "ON", every other byte "OFF".
void DecodeAnswer(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def) {
    node.SetValue(image.GetByte(base + def.addr) == 0xFF ? 1 : 0);
}

void EncodeAnswer(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def) {
    image.SetByte(base + def.addr, node.GetValue() == 1 ? 0xFF : 0x00);
}

// "Group" when the low nibble is 0xF. Only a change of type touches the nibble.
void DecodeCodeType(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def) {
    node.SetValue(GetBits(image, base + def.addr, 3, 4) == 0xF ? 1 : 0);
}

void EncodeCodeType(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def) {
    const uint32_t addr = base + def.addr;
    if (node.GetValue() == 1)
        SetBits(image, addr, 3, 4, 0xF);
    else if (GetBits(image, addr, 3, 4) == 0xF)
        SetBits(image, addr, 3, 4, 0);
}

// The tone children of a receive channel, attached to it; aux 0 the first, 1 the second.
CNode* MakeRxTone(CTolvarRadioDataManager& manager, CNode* parent, const SFieldDef& def) {
    auto* tone = manager.Make<CQ2ToneRxToneNode>(parent, def.name);
    tone->SetRange(def.value, def.def, def.min, def.max);
    if (auto* channel = dynamic_cast<CQ2ToneRxChNode*>(parent))
        def.aux == 0 ? channel->AttachFirstTone(tone) : channel->AttachSecondTone(tone);
    return tone;
}

// clang-format off
// Offsets from S - 4. The tones are converted with the channel's decode windows
// and the name with the record's name slot.
const FieldTable kRxFields = ForModels({
    {.name = "1stFreq", .kind = EKind::Custom, .value = 2500, .def = 2500, .min = 2500,
     .max = CQ2ToneRxChNode::kToneMax, .bind = EBind::Codec, .factory = MakeRxTone, .aux = 0},
    {.name = "2ndFreq", .kind = EKind::Custom, .value = 2500, .def = 2500, .min = 2500,
     .max = CQ2ToneRxChNode::kToneMax, .bind = EBind::Codec, .factory = MakeRxTone, .aux = 1},
    {.name = "Group", .options = {{"1st", 0}, {"2nd", 1}}, .bind = EBind::Codec, .addr = 0,
     .decode = DecodeGroupCall, .encode = EncodeGroupCall},
    {.name = "Text", .kind = EKind::String, .bind = EBind::Codec, .length = kRecordNameLength,
     .charset = &kPlainText},
    {.name = "ANS", .options = {{"OFF", 0}, {"ON", 1}}, .bind = EBind::Codec,
     .addr = kAnswerByte, .decode = DecodeAnswer, .encode = EncodeAnswer},
    {.name = "Beep", .options = BeepOptions(false), .bind = EBind::Codec, .addr = kBeepByte,
     .bit = 2, .width = 3, .decode = DecodeBeep, .encode = EncodeBeep},
    {.name = "AutTx", .options = AutTxOptions(), .bind = EBind::Codec, .addr = kAutTxByte,
     .decode = DecodeAutTx, .encode = EncodeAutTx},
    {.name = "Stun", .options = StunOptions(), .bind = EBind::Bits, .addr = kFlagByte,
     .bit = 4, .width = 2, .cap = 2},
}, kModelsLMR);

// The group channel has no tones.
const FieldTable kGroupRxFields = Unbound(kRxFields, {"1stFreq", "2ndFreq"});

const FieldTable kTxFields = ForModels({
    {.name = "1stTonFreq", .kind = EKind::Custom, .value = 250, .def = 250, .min = 250,
     .max = 3300, .bind = EBind::Codec, .addr = 0x170, .decode = DecodeEncTone,
     .encode = EncodeEncTone, .factory = MakeEncTone},
    {.name = "2ndTonFreq", .kind = EKind::Custom, .value = 250, .def = 250, .min = 250,
     .max = 3300, .bind = EBind::Codec, .addr = 0x172, .decode = DecodeEncTone,
     .encode = EncodeEncTone, .factory = MakeEncTone},
    {.name = "1stTonPeriod", .bind = EBind::Byte, .addr = 0x0E7},
    {.name = "2ndTonPeriod", .bind = EBind::Byte, .addr = 0x1CA},
    {.name = "CodeType", .kind = EKind::Bit, .max = 1,
     .options = {{"Individual", 0}, {"Group", 1}}, .bind = EBind::Codec, .addr = kTxGroups,
     .decode = DecodeCodeType, .encode = EncodeCodeType},
}, kModelsLMR);

const FieldTable kCommonFields = ForModels({
    {.name = "NoTonTim", .value = 2, .def = 2, .min = 2, .max = 30, .bind = EBind::Codec,
     .addr = 0x1D3, .decode = DecodeEvenTimer, .encode = EncodeEvenTimer},
    {.name = "GroupTim", .bind = EBind::Byte, .addr = 0x0EC},
    {.name = "AutTxTim", .bind = EBind::Byte, .addr = 0x0FB},
}, kModelsLMR);
// clang-format on

const FieldTable& RxFieldsOf(int index) {
    return index < kRxChannels - 1 ? kRxFields : kGroupRxFields;
}

void DecodeWindows(CQ2ToneRxChNode& channel, const CEepromImage& image, uint32_t addr) {
    channel.FirstLow()->SetWord(image.GetWord(addr, true));
    channel.FirstHigh()->SetWord(image.GetWord(addr + 2, true));
    channel.SecondLow()->SetWord(image.GetWord(addr + 4, true));
    channel.SecondHigh()->SetWord(image.GetWord(addr + 6, true));
    channel.FirstTone()->SetValue(CQ2ToneRxChNode::WindowMiddle(channel.FirstLow()->GetValue(),
                                                                channel.FirstHigh()->GetValue()));
    channel.SecondTone()->SetValue(CQ2ToneRxChNode::WindowMiddle(channel.SecondLow()->GetValue(),
                                                                 channel.SecondHigh()->GetValue()));
}

void EncodeWindows(const CQ2ToneRxChNode& channel, CEepromImage& image, uint32_t addr) {
    image.SetWord(addr, channel.FirstLow()->GetWord(), true);
    image.SetWord(addr + 2, channel.FirstHigh()->GetWord(), true);
    image.SetWord(addr + 4, channel.SecondLow()->GetWord(), true);
    image.SetWord(addr + 6, channel.SecondHigh()->GetWord(), true);
}

// A group converted as a whole, from global addresses.
SAreaCodec SettingsArea(CNode* group, const FieldTable& table) {
    SAreaCodec codec;
    codec.count = 1;
    codec.models = kModelsLMR;
    codec.decode = [group, &table](const CEepromImage& image, int) {
        DecodeFields(*group, table, image);
    };
    codec.encode = [group, &table](CEepromImage& image, int) {
        EncodeFields(*group, table, image, ModelLMR);
    };
    return codec;
}

} // namespace

void BuildTwoToneMap(CTolvarRadioDataManager& manager, CNode& root) {
    CNode* twoTone = MakeGroup(manager, &root, "2ToneCodeCH", kModelsLMR);
    CNode* rxGroup = MakeGroup(manager, twoTone, "RXCodeCH", kModelsLMR);
    std::vector<CQ2ToneRxChNode*> rx;
    for (int i = 0; i < kRxChannels; ++i) {
        const std::string name = i < kRxChannels - 1 ? "CH" + std::to_string(i + 1) : "CHG";
        auto* channel = manager.Make<CQ2ToneRxChNode>(rxGroup, name.c_str());
        manager.SetNodeInfo(channel, {kModelsLMR, false});
        BuildFields(manager, *channel, RxFieldsOf(i));
        const bool bound = i < kRxChannels - 1;
        for (const CNode* limit : {channel->FirstLow(), channel->FirstHigh(), channel->SecondLow(),
                                   channel->SecondHigh()})
            manager.SetNodeInfo(limit, {kModelsLMR, bound});
        rx.push_back(channel);
    }
    CNode* tx = MakeGroup(manager, twoTone, "TXCode", kModelsLMR);
    BuildFields(manager, *tx, kTxFields);
    CNode* common = MakeGroup(manager, twoTone, "RxCodeCom", kModelsLMR);
    BuildFields(manager, *common, kCommonFields);

    SAreaCodec rxArea;
    rxArea.count = kRxChannels;
    rxArea.models = kModelsLMR;
    rxArea.decode = [rx](const CEepromImage& image, int i) {
        CQ2ToneRxChNode& channel = *rx[static_cast<size_t>(i)];
        const uint32_t j = RecordOf(i);
        const uint32_t record = kRxRecords + kRxStride * j;
        DecodeFields(channel, RxFieldsOf(i), image, record);
        channel.FindChild("Text")->SetText(
            DecodeFlaggedName(image, record + kFlagByte, 2, kRxNames + kNameStride * j));
        if (i < kRxChannels - 1)
            DecodeWindows(channel, image, kWindows + kWindowStride * static_cast<uint32_t>(i));
    };
    rxArea.encode = [rx](CEepromImage& image, int i) {
        const CQ2ToneRxChNode& channel = *rx[static_cast<size_t>(i)];
        const uint32_t j = RecordOf(i);
        const uint32_t record = kRxRecords + kRxStride * j;
        EncodeFields(channel, RxFieldsOf(i), image, ModelLMR, record);
        EncodeFlaggedName(image, record + kFlagByte, 2, kRxNames + kNameStride * j,
                          channel.FindChild("Text")->GetText());
        if (i < kRxChannels - 1)
            EncodeWindows(channel, image, kWindows + kWindowStride * static_cast<uint32_t>(i));
    };
    // Between decoding and encoding, the head bytes of the numbered channels, byte S and
    // the spare bits go back to factory.
    rxArea.normalise = [&manager](const SNormalise& step) {
        for (int i = 0; i < kRxChannels; ++i) {
            manager.DecodeArea(EArea::TwoToneRxCh, step.image, i);
            const uint32_t record = kRxRecords + kRxStride * RecordOf(i);
            if (i < kRxChannels - 1)
                step.RestoreBlock(record, kHeadBytes);
            step.RestoreByte(record + kMarkByte);
            for (const SRecordBit& spare : kSpareBits)
                step.RestoreBit(record + spare.offset, spare.bit);
            manager.EncodeArea(EArea::TwoToneRxCh, step.image, i);
        }
    };
    manager.RegisterArea(EArea::TwoToneRxCh, rxArea);

    SAreaCodec txArea = SettingsArea(tx, kTxFields);
    // The unused groups are rewritten.
    txArea.normalise = [&manager](const SNormalise& step) {
        manager.RoundTrip(EArea::TwoToneTxCode, step.image);
        for (uint32_t k = 1; k < kTxGroupCount; ++k)
            step.image.Write(kTxGroups + kTxGroupStride * k, kUnusedGroup, sizeof kUnusedGroup);
    };
    manager.RegisterArea(EArea::TwoToneTxCode, txArea);
    manager.RegisterArea(EArea::TwoToneCommon, SettingsArea(common, kCommonFields));
}
