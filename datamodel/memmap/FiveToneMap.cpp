// "5ToneCodeCH" (PMR): 5Tone receive and transmit code channels, common
// settings, signalling formats and user tones.
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "Codecs.h"
#include "FieldTable.h"
#include "RadioDataManager.h"
#include "SignallingCodecs.h"
#include "SignallingFactory.h"
#include "datamodel/DataManagers.h"
#include "datamodel/nodes/ToneNodes.h"

namespace {

constexpr int kRxChannels = 9; // "CH1" .. "CH8", then the group channel "CHG"
constexpr int kTxChannels = 32;
constexpr int kFormats = 10;
constexpr int kUserTones = 15;
constexpr uint32_t kRxRecords = 0x07BC, kRxStride = 9; // record j from S - 4, S = 0x7C0 + 9 j
// A receive record from S - 4: the code (the group channel's four bytes belong to the
// last transmit record), byte S the "+" marks, "ABC", then "Beep" and "AudMode", the
// flags ("IdDec", "Stun", name present), "AutTx" with "EmrCanc" and "Rpt".
constexpr uint32_t kCodeBytes = 4, kMarkByte = 4, kAbcByte = 5, kBeepByte = 6, kFlagByte = 7,
                   kAutTxByte = 8;
constexpr uint32_t kTxRecords = 0x0700, kTxStride = 6;
constexpr uint32_t kRxNames = 0x1750, kTxNames = 0x1610, kNameStride = 10;
constexpr uint32_t kEncTones = 0x0170, kDecWindows = 0x018E;
// Settings in the common settings block; LMR keeps them factory.
constexpr uint32_t kLnkATimAddr = 0x0E6, kPttCallInAAddr = 0x0D3;
constexpr int kPttCallInABit = 6;
constexpr uint32_t kMaxDigits = 7;
constexpr int kEndNibble = 0xF;
constexpr const char* kFiveToneDigits = "0123456789ABCDE0";
// The digits a code keeps: the nibble 0xF ends it. A receive code also keeps "+" marks.
constexpr SCharset kFiveToneText{"0-9 A-E", {kFiveToneDigits, kEndNibble}};
constexpr SCharset kFiveToneRxText{"0-9 A-E +", "0123456789ABCDE+"};

// Record j: the numbered channels are records 1 .. 8, the group channel record 0.
uint32_t RecordOf(int index) {
    return index < kRxChannels - 1 ? static_cast<uint32_t>(index + 1) : 0;
}

// Up to def.length digits in the four bytes at addr; a nibble 0xF ends the code. With
// aux set, the byte at aux marks digit k as "+" by its bit 7 - k.
void DecodeFiveToneCode(CNode& node, const CEepromImage& image, uint32_t base,
                        const SFieldDef& def) {
    std::string code;
    for (int k = 0; k < static_cast<int>(def.length); ++k) {
        const int nibble = GetNibble(image, base + def.addr, k);
        if (nibble == kEndNibble) break;
        const bool plus = def.aux != 0 && image.GetBit(base + def.aux, 7 - k);
        code += plus ? '+' : kFiveToneDigits[nibble];
    }
    node.SetText(code);
}

// Digits as their hexadecimal values, "+" as 0 with its mark; blanks are dropped
// and the nibbles after the code are 0xF. Bit 0 of the mark byte is kept.
void EncodeFiveToneCode(const CNode& node, CEepromImage& image, uint32_t base,
                        const SFieldDef& def) {
    std::string digits;
    for (char c : node.GetText())
        if (c != ' ' && c != '\t' && digits.size() < def.length) digits += c;
    const int count = static_cast<int>(digits.size());
    for (int k = 0; k < 8; ++k) {
        const char c = k < count ? digits[static_cast<size_t>(k)] : '\0';
        SetNibble(image, base + def.addr, k,
                  k < count ? (c == '+' ? 0 : HexDigitValue(c)) : kEndNibble);
        if (def.aux != 0 && k < static_cast<int>(def.length))
            image.SetBit(base + def.aux, 7 - k, c == '+');
    }
}

// 1 .. 32, 0x80 ("STN") and 0xFF ("SGL") as they are, every other byte "OFF".
bool IsAbcValue(int v) {
    return (v >= 1 && v <= 32) || v == 0x80 || v == 0xFF;
}

void DecodeAbc(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def) {
    const int b = image.GetByte(base + def.addr);
    node.SetValue(IsAbcValue(b) ? b : 0);
}

void EncodeAbc(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def) {
    const int v = node.GetValue();
    image.SetByte(base + def.addr, static_cast<uint8_t>(IsAbcValue(v) ? v : 0));
}

// A stored 0 means "ON".
void DecodeInverted(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def) {
    node.SetValue(image.GetBit(base + def.addr, def.bit) ? 0 : 1);
}

void EncodeInverted(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def) {
    image.SetBit(base + def.addr, def.bit, node.GetValue() == 0);
}

// One digit of "0123456789ABCDEF" as a byte, at most cap.
void DecodeHexDigit(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def) {
    const int v = std::min<int>(image.GetByte(base + def.addr), std::min(def.cap, 15));
    node.SetText(std::string(1, kHexDigits[v]));
}

void EncodeHexDigit(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def) {
    const std::string text = node.GetText();
    const int v = text.empty() ? 0 : std::min(HexDigitValue(text[0]), def.cap);
    image.SetByte(base + def.addr, static_cast<uint8_t>(v));
}

// Tone length: byte b is b * 10.9375, rounded; back to the nearest byte.
void DecodeToneLength(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def) {
    node.SetValue((109375 * image.GetByte(base + def.addr) + 5000) / 10000);
}

void EncodeToneLength(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def) {
    const int b = (32 * std::max(node.GetValue(), 0) + 175) / 350; // round(v * 16 / 175)
    image.SetByte(base + def.addr, static_cast<uint8_t>(std::min(b, 255)));
}

// The user tone children, attached to their tone; aux picks "DecL" (0) or "DecH" (1).
CNode* MakeUsrTonEnc(CTolvarRadioDataManager& manager, CNode* parent, const SFieldDef& def) {
    auto* enc = static_cast<CQUsrTonEncNode*>(MakeEncTone(manager, parent, def));
    if (auto* tone = dynamic_cast<CQ5TonUsrTonNode*>(parent)) tone->AttachEnc(enc);
    return enc;
}

CNode* MakeUsrTonDec(CTolvarRadioDataManager& manager, CNode* parent, const SFieldDef& def) {
    auto* dec = manager.Make<CQUsrTonDecNode>(parent, def.name, nullptr, def.min, def.max);
    dec->SetRange(def.value, def.def, def.min, def.max);
    if (auto* tone = dynamic_cast<CQ5TonUsrTonNode*>(parent))
        def.aux == 0 ? tone->AttachDecL(dec) : tone->AttachDecH(dec);
    return dec;
}

// Seven digit flags "_" / "1" .. "7" in bits 7 .. 1 of the byte at addr; the first
// `on` of them default to set.
FieldTable DigitRows(const std::array<const char*, 7>& names, uint32_t addr, int on) {
    static constexpr std::array<const char*, 7> kDigits = {"1", "2", "3", "4", "5", "6", "7"};
    FieldTable rows;
    for (int d = 1; d <= 7; ++d) {
        const int value = d <= on ? 1 : 0;
        rows.push_back({.name = names[static_cast<size_t>(d - 1)],
                        .kind = EKind::Bit,
                        .value = value,
                        .def = value,
                        .max = 1,
                        .options = {{"_", 0}, {kDigits[static_cast<size_t>(d - 1)], 1}},
                        .bind = EBind::Bits,
                        .addr = addr,
                        .bit = 8 - d});
    }
    return rows;
}

FieldTable Concat(std::initializer_list<FieldTable> parts) {
    FieldTable all;
    for (const FieldTable& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

const std::vector<SOption> kOffOn = {{"OFF", 0}, {"ON", 1}};
const std::vector<SOption> kAbcOptions = [] {
    std::vector<SOption> options = NumberOptions(1, 32, {{"OFF", 0}});
    options.push_back({"STN", 0x80});
    options.push_back({"SGL", 0xFF});
    return options;
}();

// clang-format off
// Offsets from S - 4; the name is converted with the record's name slot.
const FieldTable kRxFields = ForModels({
    {.name = "RxCode", .kind = EKind::String, .bind = EBind::Codec, .addr = 0,
     .decode = DecodeFiveToneCode, .encode = EncodeFiveToneCode, .aux = kMarkByte,
     .length = kMaxDigits, .charset = &kFiveToneRxText},
    {.name = "Text", .kind = EKind::String, .bind = EBind::Codec, .length = kRecordNameLength,
     .charset = &kPlainText},
    {.name = "IdDec", .kind = EKind::Bit, .max = 1, .options = kOffOn, .bind = EBind::Bits,
     .addr = kFlagByte, .bit = 6},
    {.name = "EmrCanc", .kind = EKind::Bit, .max = 1, .options = {{"Null", 0}, {"Cancel", 1}},
     .bind = EBind::Bits, .addr = kAutTxByte, .bit = 7},
    {.name = "ABC", .options = kAbcOptions, .bind = EBind::Codec,
     .addr = kAbcByte, .decode = DecodeAbc, .encode = EncodeAbc},
    {.name = "Beep", .options = BeepOptions(false), .bind = EBind::Codec, .addr = kBeepByte,
     .bit = 2, .width = 3, .decode = DecodeBeep, .encode = EncodeBeep},
    {.name = "AutTx", .options = AutTxOptions(), .bind = EBind::Codec, .addr = kAutTxByte,
     .decode = DecodeAutTx, .encode = EncodeAutTx},
    {.name = "AudMode", .options = {{"Null", 0}, {"IN_A", 1}, {"Aud", 2}}, .bind = EBind::Bits,
     .addr = kBeepByte, .bit = 7, .width = 2, .cap = 2},
    {.name = "Stun", .options = StunOptions(), .bind = EBind::Bits, .addr = kFlagByte,
     .bit = 4, .width = 2, .cap = 2},
    {.name = "Rpt", .options = {{"Null", 0}, {"Close", 1}, {"Open", 2}}, .bind = EBind::Bits,
     .addr = kAutTxByte, .bit = 5, .width = 2, .cap = 2},
}, kModelsPMR);

// The group channel has no code and no ABC.
const FieldTable kGroupRxFields = Unbound(kRxFields, {"RxCode", "ABC"});

// Offsets from the record; the name is converted with the record's name slot.
const FieldTable kTxFields = ForModels(Concat({
    {{.name = "TxCode", .kind = EKind::String, .bind = EBind::Codec, .addr = 0,
      .decode = DecodeFiveToneCode, .encode = EncodeFiveToneCode, .length = kMaxDigits,
      .charset = &kFiveToneText}},
    DigitRows({"InpDigit1", "InpDigit2", "InpDigit3", "InpDigit4", "InpDigit5", "InpDigit6",
               "InpDigit7"}, 4, 0),
    {{.name = "Text", .kind = EKind::String, .bind = EBind::Codec, .length = kRecordNameLength,
      .charset = &kPlainText},
     {.name = "UpDate", .kind = EKind::Bit, .max = 1, .options = kOffOn, .bind = EBind::Bits,
      .addr = 4, .bit = 0},
     {.name = "ABCDec", .kind = EKind::Bit, .max = 1, .options = kOffOn, .bind = EBind::Bits,
      .addr = 5, .bit = 7},
     {.name = "ABCAud", .kind = EKind::Bit, .max = 1, .options = kOffOn, .bind = EBind::Bits,
      .addr = 5, .bit = 6},
     {.name = "Sel", .kind = EKind::Bit, .max = 1, .options = kOffOn, .bind = EBind::Codec,
      .addr = 5, .bit = 4, .decode = DecodeInverted, .encode = EncodeInverted}},
}), kModelsPMR);

const FieldTable kRxCommonFields = ForModels(Concat({
    {{.name = "LnkATim", .bind = EBind::Byte, .addr = kLnkATimAddr}},
    DigitRows({"CompDigit1", "CompDigit2", "CompDigit3", "CompDigit4", "CompDigit5",
               "CompDigit6", "CompDigit7"}, 0x0BC, 5),
    {{.name = "IdDecTim", .bind = EBind::Byte, .addr = 0x0EF},
     {.name = "AutTxTim", .bind = EBind::Byte, .addr = 0x0FB}},
}), kModelsPMR);

const FieldTable kTxCommonFields = ForModels(Concat({
    {{.name = "LngTonTim", .bind = EBind::Byte, .addr = 0x0E7},
     {.name = "LnkRTim", .bind = EBind::Byte, .addr = 0x0E3},
     {.name = "Lnk1Tim", .bind = EBind::Byte, .addr = 0x0E4},
     {.name = "Lnk2Tim", .bind = EBind::Byte, .addr = 0x0E5},
     {.name = "LeadOutDlyTim", .bind = EBind::Byte, .addr = 0x0E8},
     {.name = "ABCDecTim", .bind = EBind::Byte, .addr = 0x0F0}},
    DigitRows({"DspDigit1", "DspDigit2", "DspDigit3", "DspDigit4", "DspDigit5", "DspDigit6",
               "DspDigit7"}, 0x0BB, 5),
    {{.name = "SpcTonGrp", .kind = EKind::String, .bind = EBind::Codec, .addr = 0x0BD,
      .cap = 14, .decode = DecodeHexDigit, .encode = EncodeHexDigit, .length = 1,
      .charset = &kFiveToneText, .fixed = true},
     {.name = "SpcTonRep", .kind = EKind::String, .bind = EBind::Codec, .addr = 0x0BE,
      .cap = 14, .decode = DecodeHexDigit, .encode = EncodeHexDigit, .length = 1,
      .charset = &kFiveToneText, .fixed = true},
     {.name = "SpcTonLnk2", .kind = EKind::String, .bind = EBind::Codec, .addr = 0x0BF,
      .cap = 15, .decode = DecodeHexDigit, .encode = EncodeHexDigit, .length = 1,
      .charset = &kHexText, .fixed = true},
     {.name = "SpcTonStr", .options = {{"0", 0}, {"1", 1}, {"2", 2}, {"3", 3}, {"4", 4},
      {"5", 5}, {"6", 6}, {"7", 7}, {"8", 8}, {"9", 9}, {"A", 10}, {"B", 11}, {"C", 12},
      {"D", 13}, {"E", 14}, {"F", 15}}},
     {.name = "PTTCallInA", .kind = EKind::Bit, .max = 1, .options = kOffOn,
      .bind = EBind::Bits, .addr = kPttCallInAAddr, .bit = kPttCallInABit}},
}), kModelsPMR);

// Format k is decoded at base k: its bytes sit at 0x1CA + k, 0x1D3 + k and 0x1DC + k.
const FieldTable kFormatFields = ForModels({
    {.name = "TonPeriod", .bind = EBind::Byte, .addr = 0x1CA},
    {.name = "NoTonTim", .value = 2, .def = 2, .min = 2, .max = 30, .bind = EBind::Codec,
     .addr = 0x1D3, .decode = DecodeEvenTimer, .encode = EncodeEvenTimer},
    {.name = "TonLen", .value = 11, .def = 11, .min = 11, .max = 2789, .bind = EBind::Codec,
     .addr = 0x1DC, .decode = DecodeToneLength, .encode = EncodeToneLength},
}, kModelsPMR);

// "DTMF" keeps its tone period only; its timer and length are fixed.
const FieldTable kDtmfFormatFields = ForModels({
    {.name = "TonPeriod", .bind = EBind::Byte, .addr = 0x1E5},
    {.name = "NoTonTim", .value = 2, .def = 2, .min = 2, .max = 30},
    {.name = "TonLen", .value = 11, .def = 11, .min = 11, .max = 2789},
}, kModelsPMR);

// Tone k: "Enc" decoded at 0x170 + 2 k, "DecL" and "DecH" at 0x18E + 4 k.
const FieldTable kUsrTonEncFields = ForModels({
    {.name = "Enc", .kind = EKind::Custom, .value = 400, .def = 400, .min = 400, .max = 3000,
     .bind = EBind::Codec, .addr = 0, .decode = DecodeEncTone, .encode = EncodeEncTone,
     .factory = MakeUsrTonEnc},
}, kModelsPMR);

const FieldTable kUsrTonDecFields = ForModels({
    {.name = "DecL", .kind = EKind::Custom, .value = 400, .def = 400, .min = 400, .max = 3000,
     .bind = EBind::WordBE, .addr = 0, .factory = MakeUsrTonDec, .aux = 0},
    {.name = "DecH", .kind = EKind::Custom, .value = 400, .def = 400, .min = 400, .max = 3000,
     .bind = EBind::WordBE, .addr = 2, .factory = MakeUsrTonDec, .aux = 1},
}, kModelsPMR);

constexpr std::array<const char*, kFormats> kFormatNames = {
    "USER", "CCIR", "ZVEI1", "ZVEI2", "DZVEI", "EEA", "EEA2", "DAPL", "EIA", "DTMF"};
// clang-format on

const FieldTable& RxFieldsOf(int index) {
    return index < kRxChannels - 1 ? kRxFields : kGroupRxFields;
}
const FieldTable& FormatFieldsOf(int k) {
    return k < kFormats - 1 ? kFormatFields : kDtmfFormatFields;
}
uint32_t FormatBase(int k) {
    return k < kFormats - 1 ? static_cast<uint32_t>(k) : 0;
}

// An area of groups, group i converted at base(i) with table(i).
template <class Table, class Base>
SAreaCodec GroupArea(std::vector<CNode*> groups, Table table, Base base) {
    SAreaCodec codec;
    codec.count = static_cast<int>(groups.size());
    codec.models = kModelsPMR;
    codec.decode = [groups, table, base](const CEepromImage& image, int i) {
        DecodeFields(*groups[static_cast<size_t>(i)], table(i), image, base(i));
    };
    codec.encode = [groups, table, base](CEepromImage& image, int i) {
        EncodeFields(*groups[static_cast<size_t>(i)], table(i), image, ModelPMR, base(i));
    };
    return codec;
}

std::vector<CNode*> BuildGroups(CTolvarRadioDataManager& manager, CNode* parent,
                                const std::vector<std::string>& names,
                                const FieldTable& (*table)(int)) {
    std::vector<CNode*> groups;
    for (size_t i = 0; i < names.size(); ++i) {
        CNode* group = MakeGroup(manager, parent, names[i].c_str(), kModelsPMR);
        BuildFields(manager, *group, table(static_cast<int>(i)));
        groups.push_back(group);
    }
    return groups;
}

void BuildRxChannels(CTolvarRadioDataManager& manager, CNode* parent) {
    std::vector<std::string> names;
    for (int n = 1; n < kRxChannels; ++n)
        names.push_back("CH" + std::to_string(n));
    names.push_back("CHG");
    const auto rx = BuildGroups(manager, parent, names, RxFieldsOf);

    SAreaCodec area =
        GroupArea(rx, RxFieldsOf, [](int i) { return kRxRecords + kRxStride * RecordOf(i); });
    // The name counts only while the channel does not decode IDs.
    area.decode = [rx, fields = area.decode](const CEepromImage& image, int i) {
        fields(image, i);
        const uint32_t j = RecordOf(i);
        const uint32_t record = kRxRecords + kRxStride * j;
        const bool idDec = image.GetBit(record + kFlagByte, 6);
        rx[static_cast<size_t>(i)]->FindChild("Text")->SetText(
            idDec ? ""
                  : DecodeFlaggedName(image, record + kFlagByte, 2, kRxNames + kNameStride * j));
    };
    area.encode = [rx, fields = area.encode](CEepromImage& image, int i) {
        fields(image, i);
        const CNode& channel = *rx[static_cast<size_t>(i)];
        if (channel.FindChild("IdDec")->GetValue() != 0) return;
        const uint32_t j = RecordOf(i);
        EncodeFlaggedName(image, kRxRecords + kRxStride * j + kFlagByte, 2,
                          kRxNames + kNameStride * j, channel.FindChild("Text")->GetText());
    };
    // Between decoding and encoding, the code bytes of the numbered channels and two
    // spare bits go back to factory.
    area.normalise = [&manager](const SNormalise& step) {
        for (int i = 0; i < kRxChannels; ++i) {
            manager.DecodeArea(EArea::FiveToneRxCh, step.image, i);
            const uint32_t record = kRxRecords + kRxStride * RecordOf(i);
            if (i < kRxChannels - 1)
                step.RestoreBlock(record, kCodeBytes);
            step.RestoreBit(record + kBeepByte, 3);
            step.RestoreBit(record + kFlagByte, 7);
            manager.EncodeArea(EArea::FiveToneRxCh, step.image, i);
        }
    };
    manager.RegisterArea(EArea::FiveToneRxCh, area);
}

void BuildTxChannels(CTolvarRadioDataManager& manager, CNode* parent) {
    std::vector<std::string> names;
    for (int n = 1; n <= kTxChannels; ++n)
        names.push_back("CH" + std::to_string(n));
    const auto tx =
        BuildGroups(manager, parent, names, [](int) -> const FieldTable& { return kTxFields; });
    const auto record = [](int i) { return kTxRecords + kTxStride * static_cast<uint32_t>(i); };
    SAreaCodec area = GroupArea(
        tx, [](int) -> const FieldTable& { return kTxFields; }, record);
    area.decode = [tx, record, fields = area.decode](const CEepromImage& image, int i) {
        fields(image, i);
        tx[static_cast<size_t>(i)]->FindChild("Text")->SetText(DecodeFlaggedName(
            image, record(i) + 5, 5, kTxNames + kNameStride * static_cast<uint32_t>(i)));
    };
    area.encode = [tx, record, fields = area.encode](CEepromImage& image, int i) {
        fields(image, i);
        EncodeFlaggedName(image, record(i) + 5, 5,
                          kTxNames + kNameStride * static_cast<uint32_t>(i),
                          tx[static_cast<size_t>(i)]->FindChild("Text")->GetText());
    };
    manager.RegisterArea(EArea::FiveToneTxCh, area);
}

void BuildUserTones(CTolvarRadioDataManager& manager, CNode* parent) {
    std::vector<CNode*> tones;
    for (int k = 0; k < kUserTones; ++k) {
        auto* tone = manager.Make<CQ5TonUsrTonNode>(parent, std::to_string(k).c_str());
        manager.SetNodeInfo(tone, {kModelsPMR, false});
        BuildFields(manager, *tone, kUsrTonEncFields);
        BuildFields(manager, *tone, kUsrTonDecFields);
        const int hz = kUserToneFactoryHz[static_cast<size_t>(k)];
        tone->Enc()->SetRange(hz, hz, tone->Enc()->Minimum(), tone->Enc()->Maximum());
        const int low = UserToneFactoryLow(hz), high = UserToneFactoryHigh(hz);
        tone->DecL()->SetRange(low, low, tone->DecL()->Minimum(), tone->DecL()->Maximum());
        tone->DecH()->SetRange(high, high, tone->DecH()->Minimum(), tone->DecH()->Maximum());
        tones.push_back(tone);
    }
    SAreaCodec area;
    area.count = kUserTones;
    area.models = kModelsPMR;
    area.decode = [tones](const CEepromImage& image, int k) {
        CNode& tone = *tones[static_cast<size_t>(k)];
        DecodeFields(tone, kUsrTonEncFields, image, kEncTones + 2 * static_cast<uint32_t>(k));
        DecodeFields(tone, kUsrTonDecFields, image, kDecWindows + 4 * static_cast<uint32_t>(k));
    };
    area.encode = [tones](CEepromImage& image, int k) {
        const CNode& tone = *tones[static_cast<size_t>(k)];
        EncodeFields(tone, kUsrTonEncFields, image, ModelPMR,
                     kEncTones + 2 * static_cast<uint32_t>(k));
        EncodeFields(tone, kUsrTonDecFields, image, ModelPMR,
                     kDecWindows + 4 * static_cast<uint32_t>(k));
    };
    manager.RegisterArea(EArea::FiveToneUsrTon, area);
}

void KeepFactoryInLmr(const SNormalise& step) {
    step.RestoreBit(kPttCallInAAddr, kPttCallInABit);
    step.RestoreByte(kLnkATimAddr);
}

} // namespace

void BuildFiveToneMap(CTolvarRadioDataManager& manager, CNode& root) {
    CNode* fiveTone = MakeGroup(manager, &root, "5ToneCodeCH", kModelsPMR);
    BuildRxChannels(manager, MakeGroup(manager, fiveTone, "RXCodeCH", kModelsPMR));
    BuildTxChannels(manager, MakeGroup(manager, fiveTone, "TXCodeCH", kModelsPMR));

    const auto one = [](int) { return 0u; };
    const auto rxCommon = BuildGroups(manager, fiveTone, {"RxCodeCom"},
                                      [](int) -> const FieldTable& { return kRxCommonFields; });
    manager.RegisterArea(
        EArea::FiveToneRxCommon,
        GroupArea(
            rxCommon, [](int) -> const FieldTable& { return kRxCommonFields; }, one));
    const auto txCommon = BuildGroups(manager, fiveTone, {"TxCodeCom"},
                                      [](int) -> const FieldTable& { return kTxCommonFields; });
    manager.RegisterArea(
        EArea::FiveToneTxCommon,
        GroupArea(
            txCommon, [](int) -> const FieldTable& { return kTxCommonFields; }, one));

    CNode* format = MakeGroup(manager, fiveTone, "Format", kModelsPMR);
    const auto formats = BuildGroups(
        manager, format, std::vector<std::string>(kFormatNames.begin(), kFormatNames.end()),
        FormatFieldsOf);
    manager.RegisterArea(EArea::FiveToneFormat, GroupArea(formats, FormatFieldsOf, FormatBase));

    BuildUserTones(manager, MakeGroup(manager, fiveTone, "UsrTon", kModelsPMR));

    manager.RegisterArea(
        EArea::FiveToneInLmr,
        {.count = 1, .models = kModelsLMR, .inAll = false, .normalise = KeepFactoryInLmr});
}
