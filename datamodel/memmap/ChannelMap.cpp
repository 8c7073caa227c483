#include "ChannelMap.h"

#include <string>

#include "datamodel/DataManagers.h"
#include "datamodel/memmap/ChannelCodecs.h"
#include "datamodel/memmap/Codecs.h"
#include "datamodel/memmap/RadioDataManager.h"
#include "datamodel/memmap/ToneCodes.h"
#include "datamodel/nodes/ChannelNodes.h"
#include "datamodel/nodes/GroupNodes.h"
#include "datamodel/nodes/ValueNodes.h"

namespace {

// Record byte 0x0B: "BasTot", "Lockout" and "RfPwr"; its bit 7 belongs to no field.
constexpr uint32_t kPwrByte = 0x0B;
constexpr int kPwrSpareBit = 7;
// The index of the channel the priority falls to (see PriorityChannel).
constexpr uint32_t kPriorityChannelAddr = 0x0120;

CNode* MakeMchFreq(CTolvarRadioDataManager& manager, CNode* parent, const SFieldDef& def) {
    return manager.Make<CTolvarMchFreqNode>(parent, def.name);
}

const std::vector<SOption> kOffOn = {{"OFF", 0}, {"ON", 1}};
const std::vector<SOption> kOffAud = {{"OFF", 0}, {"Aud", 1}};
const std::vector<SOption> kTimers = {
    {"Timer A", 0}, {"Timer B", 1}, {"Timer A Inact", 2}, {"Timer B Inact", 3}};

std::vector<SOption> RxCNoOptions(int digit) {
    static const char* const kDigits[] = {"1", "2", "3", "4", "5", "6", "7", "8"};
    return {{"_", 0}, {kDigits[digit - 1], 1}};
}

SFieldDef RxCNo(const char* name, int digit) {
    return {.name = name,
            .kind = EKind::Bit,
            .max = 1,
            .options = RxCNoOptions(digit),
            .bind = EBind::Bits,
            .addr = 0x15,
            .bit = 8 - digit,
            .models = kModelsPMR};
}

SFieldDef Mapped(const char* name, std::vector<SOption> options, EMappedField map, int cap,
                 unsigned models = kModelsBoth) {
    return {.name = name,
            .options = std::move(options),
            .bind = EBind::Codec,
            .cap = cap,
            .decode = DecodeMapped,
            .encode = EncodeMapped,
            .models = models,
            .aux = map};
}

// clang-format off
const FieldTable kChannelFields = {
    {.name = "ChOn", .kind = EKind::Bit, .max = 1, .options = kOffOn, .bind = EBind::Codec,
     .decode = DecodeChOn},
    {.name = "FreqRx", .kind = EKind::Custom, .bind = EBind::Codec, .addr = 0x00,
     .decode = DecodeBcdFreq, .encode = EncodeBcdFreq, .factory = MakeMchFreq},
    {.name = "InhCh", .kind = EKind::Bit, .max = 1, .options = kOffOn, .bind = EBind::Codec,
     .decode = DecodeInhCh, .encode = EncodeInhCh},
    {.name = "FreqTx", .kind = EKind::Custom, .bind = EBind::Codec, .addr = 0x04,
     .decode = DecodeBcdFreq, .encode = EncodeBcdFreq, .factory = MakeMchFreq},
    {.name = "InhTx", .kind = EKind::Bit, .max = 1, .options = kOffOn, .bind = EBind::Bits,
     .addr = 0x04, .bit = 7},
    {.name = "CTonRx", .max = kToneMax, .options = ToneOptions(true), .bind = EBind::Codec,
     .addr = 0x08, .decode = DecodeRxTone, .encode = EncodeRxTone, .aux = 1,
     .codes = &ToneCodeTexts(true)},
    {.name = "CTonTx", .max = kToneMax, .options = ToneOptions(false), .bind = EBind::Codec,
     .addr = 0x08, .decode = DecodeTxTone, .encode = EncodeTxTone,
     .codes = &ToneCodeTexts(false)},
    {.name = "Text", .kind = EKind::String, .bind = EBind::Codec, .addr = 0x0C, .bit = 2,
     .decode = DecodeChName, .encode = EncodeChName, .length = kChannelNameSize,
     .charset = &kPlainText},
    {.name = "BasTot", .kind = EKind::Bit, .max = 1, .options = kOffOn, .bind = EBind::Bits,
     .addr = kPwrByte, .bit = 4},
    {.name = "RptTot", .kind = EKind::Bit, .max = 1, .options = kOffOn, .bind = EBind::Bits,
     .addr = 0x16, .bit = 7},
    {.name = "HangOn", .kind = EKind::Bit, .max = 1, .options = kOffOn, .bind = EBind::Bits,
     .addr = 0x16, .bit = 6},
    {.name = "WidNar", .kind = EKind::Bit, .max = 1, .options = {{"Wide", 0}, {"Narrow", 1}},
     .bind = EBind::Bits, .addr = 0x0E, .bit = 7},
    {.name = "RptBas",
     .options = {{"BASE(Full-dup)", 0}, {"BASE(Half-dup)", 1}, {"RPT (Full-dup)", 2}},
     .bind = EBind::Bits, .addr = 0x16, .bit = 5, .width = 2, .cap = 2},
    {.name = "RfPwr", .options = {{"Low", 0}, {"High", 1}}, .bind = EBind::Codec,
     .addr = kPwrByte, .decode = DecodeRfPwr, .encode = EncodeRfPwr},
    {.name = "LockoutL", .options = {{"OFF", 0}, {"Busy", 1}, {"Rpt", 2}}, .bind = EBind::Bits,
     .addr = kPwrByte, .bit = 3, .width = 2, .cap = 2, .models = kModelsLMR},
    {.name = "LockoutP", .options = {{"OFF", 0}, {"Busy", 1}, {"Rpt1", 2}, {"Rpt2", 3}},
     .bind = EBind::Bits, .addr = kPwrByte, .bit = 3, .width = 2, .cap = 3, .models = kModelsPMR},
    {.name = "AutoResetL", .kind = EKind::Bit, .max = 1, .options = {kTimers[0], kTimers[1]},
     .bind = EBind::Codec, .addr = 0x0D, .cap = 1, .decode = DecodeAutoReset,
     .encode = EncodeAutoReset, .models = kModelsLMR},
    {.name = "AutoResetP", .options = kTimers, .bind = EBind::Codec, .addr = 0x0D, .cap = 3,
     .decode = DecodeAutoReset, .encode = EncodeAutoReset, .models = kModelsPMR},
    {.name = "2Ton", .options = {{"OFF", 0}, {"1", 1}, {"2", 2}, {"3", 3}}, .bind = EBind::Codec,
     .addr = 0x15, .cap = 3, .decode = DecodeCappedByte, .encode = Encode2Ton,
     .models = kModelsLMR},
    Mapped("BasLogInOfL", {{"OFF", 0}, {"L-IN", 1}, {"L-OFF", 2}, {"Both", 3}}, MapBasLogInOfL,
           3, kModelsLMR),
    Mapped("BasLogInOfP",
           {{"OFF", 0}, {"L-IN", 1}, {"L-INA", 2}, {"L-INI", 3}, {"L-OFF", 4}, {"L-OFFA", 5},
            {"Both", 6}, {"BothA1", 7}, {"BothA2", 8}},
           MapBasLogInOfP, 8, kModelsPMR),
    Mapped("RptLogInOf", {{"OFF", 0}, {"L-IN", 1}, {"L-OFF", 2}, {"Both", 3}, {"PWR ON", 4}},
           MapRptLogInOf, 4),
    // Only its texts are used: the LMR dialog's list for "RptLogIdP".
    {.name = "RptLogIdL", .kind = EKind::Bit, .max = 1, .options = {{"DTMF", 0}, {"CW ID", 1}},
     .models = kModelsLMR},
    {.name = "RptLogIdP", .kind = EKind::Bit, .max = 1, .options = {{"5Tone", 0}, {"CW ID", 1}},
     .bind = EBind::Bits, .addr = 0x16, .bit = 1},
    Mapped("ScrmOn", {{"OFF", 0}, {"ON", 1}, {"INH", 2}}, MapScrmOn, 2),
    {.name = "ScrmCode", .value = 1, .def = 1, .min = 1, .bind = EBind::Byte, .addr = 0x10},
    Mapped("Moni",
           {{"OFF", 0}, {"Aud", 1}, {"In A", 2}, {"In A+R1", 3}, {"In A+R2", 4}, {"Both", 5},
            {"Both+R1", 6}, {"Both+R2", 7}},
           MapMoni, 7, kModelsPMR),
    Mapped("Sel", {{"OFF", 0}, {"Aud", 1}, {"In A", 2}}, MapSel, 2, kModelsPMR),
    {.name = "Call", .options = kOffAud, .bind = EBind::Bits, .addr = 0x0D, .bit = 3, .cap = 1,
     .models = kModelsPMR},
    {.name = "PTT", .options = kOffAud, .bind = EBind::Bits, .addr = 0x0D, .bit = 2, .cap = 1,
     .models = kModelsPMR},
    {.name = "Mute", .options = {{"CONT", 0}, {"SGL", 1}}, .bind = EBind::Bits, .addr = 0x0C,
     .bit = 0, .cap = 1, .models = kModelsPMR},
    {.name = "Form",
     .options = {{"USER", 0}, {"CCIR", 1}, {"ZVEI1", 2}, {"ZVEI2", 3}, {"DZVEI", 4}, {"EEA", 5},
                 {"EEA2", 6}, {"DAPL", 7}, {"EIA", 8}, {"DTMF", 9}},
     .bind = EBind::Bits, .addr = 0x11, .bit = 3, .width = 4, .cap = 9, .models = kModelsPMR},
    {.name = "RPT", .max = 32, .options = NumberOptions(1, 32, {{"OFF", 0}}), .bind = EBind::Bits,
     .addr = 0x12, .bit = 6, .width = 7, .cap = 32, .models = kModelsPMR},
    {.name = "RPTLng", .kind = EKind::Bit, .max = 1, .options = kOffOn, .bind = EBind::Bits,
     .addr = 0x12, .bit = 7, .models = kModelsPMR},
    {.name = "STN", .max = 32, .options = NumberOptions(1, 32, {{"OFF", 0}}), .bind = EBind::Bits,
     .addr = 0x13, .bit = 6, .width = 7, .cap = 32, .models = kModelsPMR},
    {.name = "STNLng", .kind = EKind::Bit, .max = 1, .options = kOffOn, .bind = EBind::Bits,
     .addr = 0x13, .bit = 7, .models = kModelsPMR},
    {.name = "Id", .max = 32, .options = NumberOptions(1, 32, {{"OFF", 0}}), .bind = EBind::Bits,
     .addr = 0x14, .bit = 6, .width = 7, .cap = 32, .models = kModelsPMR},
    {.name = "IdLng", .kind = EKind::Bit, .max = 1, .options = kOffOn, .bind = EBind::Bits,
     .addr = 0x14, .bit = 7, .models = kModelsPMR},
    Mapped("IdPos", {{"OFF", 0}, {"BTM", 1}, {"TOP", 2}}, MapIdPos, 2, kModelsPMR),
    RxCNo("RxCNo1", 1), RxCNo("RxCNo2", 2), RxCNo("RxCNo3", 3), RxCNo("RxCNo4", 4),
    RxCNo("RxCNo5", 5), RxCNo("RxCNo6", 6), RxCNo("RxCNo7", 7), RxCNo("RxCNo8", 8),
};

const FieldTable kMchFields = {
    {.name = "PrioA", .max = 32, .bind = EBind::Codec, .addr = 0x00B9, .decode = DecodePrioA,
     .encode = EncodePrioA},
    {.name = "Emr", .max = 32, .bind = EBind::Codec, .addr = 0x00B8, .decode = DecodeEmr,
     .encode = EncodeEmr, .aux = 0x00D2},
};

// The blank channel that clearing copies.
struct STemplateValue {
    const char* name;
    int value;
};
const STemplateValue kTemplate[] = {
    {"ChOn", 0}, {"InhCh", 0}, {"FreqRx", 0}, {"InhTx", 0}, {"FreqTx", 0}, {"CTonRx", kToneOff},
    {"CTonTx", kToneOff}, {"WidNar", 0}, {"BasTot", 0}, {"RptTot", 0}, {"HangOn", 1},
    {"RptBas", 2}, {"RfPwr", 1}, {"LockoutL", 0}, {"LockoutP", 0}, {"AutoResetL", 1},
    {"AutoResetP", 1}, {"2Ton", 0}, {"BasLogInOfL", 0}, {"BasLogInOfP", 0}, {"RptLogInOf", 0},
    {"RptLogIdP", 0}, {"ScrmOn", 0}, {"ScrmCode", 1}, {"Moni", 5}, {"Sel", 0}, {"Call", 0},
    {"PTT", 0}, {"Mute", 0}, {"Form", 1}, {"RPTLng", 0}, {"RPT", 0}, {"STNLng", 0}, {"STN", 0},
    {"IdLng", 0}, {"Id", 0}, {"IdPos", 0}, {"RxCNo1", 1}, {"RxCNo2", 1}, {"RxCNo3", 1},
    {"RxCNo4", 1}, {"RxCNo5", 1}, {"RxCNo6", 1}, {"RxCNo7", 1}, {"RxCNo8", 1},
};

// LMR records: bytes the PMR fields use are written fixed or from the LMR factory
// record. Pairs of (offset, mask) restored from the factory record.
struct SMaskedByte {
    uint32_t offset;
    uint8_t mask;
};
const SMaskedByte kLmrFactoryBits[] = {
    {kPwrByte, 0x40}, {0x0C, 0x08}, {0x0D, 0xF0}, {0x12, 0xFF}, {0x14, 0xFF}, {0x11, 0xC0},
};
// clang-format on

void WriteMasked(CEepromImage& image, uint32_t addr, uint8_t mask, uint8_t value) {
    image.SetByte(addr, static_cast<uint8_t>((image.GetByte(addr) & ~mask) | (value & mask)));
}

std::string Numbered(const char* stem, int n) {
    return stem + std::to_string(n);
}

// Index 0: "PrioA" and "Emr"; index n: channel n.
void DecodeChannelArea(CNode& mch, const CEepromImage& image, int index) {
    if (index == 0) {
        ResetChannelTemplate(mch);
        DecodeFields(mch, kMchFields, image);
        return;
    }
    auto* channel = dynamic_cast<CQMchNode*>(mch.FindChild(Numbered("CH", index)));
    if (!channel) return;
    channel->SetFieldHolder(nullptr);
    DecodeFields(*channel, kChannelFields, image, ChannelRecordAddr(index));
}

void EncodeChannelArea(const CNode& mch, CEepromImage& image, int model, int index) {
    if (index == 0) {
        EncodeFields(mch, kMchFields, image, model);
        return;
    }
    const auto* channel = dynamic_cast<const CQMchNode*>(mch.FindChild(Numbered("CH", index)));
    if (!channel) return;
    const CNode& holder = *channel->GetFieldHolder();
    const uint32_t record = ChannelRecordAddr(index);
    const CNode* on = holder.FindChild("ChOn");
    if (!on || on->GetValue() == 0) {
        // A blank channel is the factory record; its name stays as it is.
        const std::vector<uint8_t>& factory = FactoryTable(model);
        image.Write(record, factory.data() + record, kChannelRecordSize);
        image.SetByte(record, 0xFF);
        return;
    }
    EncodeFields(holder, kChannelFields, image, model, record);
    if (model == ModelPMR) return;
    WriteMasked(image, record + 0x11, 0x0F, 0x00);
    image.SetByte(record + 0x13, 0x81);
    const std::vector<uint8_t>& lmr = FactoryTable(ModelLMR);
    for (const SMaskedByte& m : kLmrFactoryBits)
        WriteMasked(image, record + m.offset, m.mask, lmr[record + m.offset]);
}

// The lowest channel in use, uninhibited ones first; 0 when none is in use.
uint8_t PriorityChannel(const CNode& mch) {
    uint8_t index = 0xFF;
    bool uninhibitedSeen = false;
    for (int n = kChannelCount; n >= 1; --n) {
        // The record of channel n is written from its field holder.
        const auto* node = dynamic_cast<const CQMchNode*>(mch.FindChild(Numbered("CH", n)));
        const CNode* channel = node ? node->GetFieldHolder() : nullptr;
        const CNode* on = channel ? channel->FindChild("ChOn") : nullptr;
        const CNode* inhibit = channel ? channel->FindChild("InhCh") : nullptr;
        if (!on || on->GetValue() != 1)
            continue;
        const bool inhibited = inhibit && inhibit->GetValue() != 0;
        if (inhibited && index != 0xFF && uninhibitedSeen)
            continue;
        index = static_cast<uint8_t>(n - 1);
        if (!inhibited)
            uninhibitedSeen = true;
    }
    return index == 0xFF ? 0 : index;
}

} // namespace

const FieldTable& MchFields() {
    return kMchFields;
}
const FieldTable& ChannelFields() {
    return kChannelFields;
}

void ResetChannelTemplate(CNode& mch) {
    CNode* blank = mch.FindChild("CH0");
    if (!blank) return;
    for (const STemplateValue& t : kTemplate)
        if (CNode* field = blank->FindChild(t.name)) field->SetValue(t.value);
    if (auto* text = dynamic_cast<CStringNode*>(blank->FindChild("Text"))) text->SetString("");
}

void BuildChannelMap(CTolvarRadioDataManager& manager, CNode& root) {
    CNode* mch = manager.Make<CNode>(&root, "Mch");
    const SFieldDef bank{.name = "", .value = 32, .def = 32, .max = 32};
    for (int n = 0; n <= 16; ++n)
        BuildField(manager, *mch, bank)->SetName(Numbered("BnkSet", n).c_str());
    BuildFields(manager, *mch, kMchFields);
    const SFieldDef smartTrunk{.name = "", .kind = EKind::Bit, .max = 1};
    for (int n = 1; n <= 16; ++n)
        BuildField(manager, *mch, smartTrunk)->SetName(Numbered("SmTr", n).c_str());

    for (int n = 0; n <= kChannelCount; ++n) {
        CQMchNode* channel = manager.Make<CQMchNode>(mch, Numbered("CH", n).c_str());
        manager.SetNodeInfo(channel, {kModelsBoth, n > 0});
        BuildFields(manager, *channel, kChannelFields);
        // The template is not bound to the image.
        if (n == 0)
            for (const CNode* field : channel->Children())
                manager.SetNodeInfo(field, {manager.GetNodeInfo(field).models, false});
    }
    ResetChannelTemplate(*mch);

    SAreaCodec channels;
    channels.count = kChannelCount + 1;
    channels.decode = [mch](const CEepromImage& image, int index) {
        DecodeChannelArea(*mch, image, index);
    };
    channels.encode = [mch, &manager](CEepromImage& image, int index) {
        EncodeChannelArea(*mch, image, manager.CurrentModel(), index);
    };
    manager.RegisterArea(EArea::Channels, std::move(channels));

    // "PrioA" and "Emr" alone, for the normalisation.
    SAreaCodec prioEmr;
    prioEmr.count = 1;
    prioEmr.inAll = false;
    prioEmr.decode = [mch](const CEepromImage& image, int) {
        DecodeFields(*mch, kMchFields, image);
    };
    prioEmr.encode = [mch, &manager](CEepromImage& image, int) {
        EncodeFields(*mch, kMchFields, image, manager.CurrentModel());
    };
    // Sets the priority byte from the channels of the tree and keeps the spare bits
    // of the records factory.
    prioEmr.normalise = [mch, &manager](const SNormalise& step) {
        manager.DecodeArea(EArea::PrioEmr, step.image);
        step.image.SetByte(kPriorityChannelAddr, PriorityChannel(*mch));
        for (int n = 1; n <= kChannelCount; ++n)
            step.RestoreBit(ChannelRecordAddr(n) + kPwrByte, kPwrSpareBit);
        manager.EncodeArea(EArea::PrioEmr, step.image);
    };
    manager.RegisterArea(EArea::PrioEmr, std::move(prioEmr));
}
