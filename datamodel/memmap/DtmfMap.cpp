// "DtmfCodeCH": DTMF transmit and receive code channels, system codes and the
// DTMF and telephone settings.
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "Codecs.h"
#include "FieldTable.h"
#include "RadioDataManager.h"
#include "SignallingCodecs.h"
#include "datamodel/DataManagers.h"

namespace {

constexpr int kTxChannels = 20, kRxChannels = 20, kTxSysCodes = 6, kRxSysCodes = 20;
constexpr uint32_t kTxCodes = 0x0900, kTxStride = 13;
constexpr uint32_t kRxCodes = 0x0A60, kRxStride = 16;
constexpr uint32_t kRxNames = 0x1890, kNameStride = 10;
constexpr uint32_t kRxFlags = 13; // flag byte of a receive record; bit 6: name present
constexpr uint32_t kTxSysCodeArea = 0x0C00, kRxSysCodeArea = 0x0C30, kSysCodeSize = 2;
// The normalisation keeps two system codes factory: receive 17, 18 and transmit 5, 6.
constexpr int kRxSysFactoryFirst = 16, kTxSysFactoryFirst = 4, kSysFactoryCount = 2;
constexpr uint32_t kMaxDigits = 24;

// A code of up to def.length digits: the digit bytes at addr, the digit count at aux.
void DecodeDtmfCode(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def) {
    const int count = std::min<int>(image.GetByte(base + def.aux), static_cast<int>(def.length));
    node.SetText(NibblesToText(image, base + def.addr, count, kDtmfDigits));
}

// Writes the count and only the bytes that hold digits; an odd code's last low
// nibble becomes 0.
void EncodeDtmfCode(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def) {
    std::string digits;
    for (char c : node.GetText().substr(0, def.length))
        if (c != ' ') digits += c == '*' ? 'E' : (c == '#' ? 'F' : c);
    const int count = static_cast<int>(digits.size());
    image.SetByte(base + def.aux, static_cast<uint8_t>(count));
    for (int n = 0; n < count; ++n)
        SetNibble(image, base + def.addr, n, HexDigitValue(digits[static_cast<size_t>(n)]));
    if (count % 2 != 0) SetNibble(image, base + def.addr, count, 0);
}

// Four digits in two bytes.
void DecodeDtmfCode4(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def) {
    node.SetText(DecodeCode4(image, base + def.addr, kDtmfDigits));
}

void EncodeDtmfCode4(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def) {
    EncodeCode4(image, base + def.addr, node.GetText());
}

// "0" .. "9" prohibit a leading digit; every other byte is "OFF" (255).
void DecodeCallProhibit(CNode& node, const CEepromImage& image, uint32_t base,
                        const SFieldDef& def) {
    const int b = image.GetByte(base + def.addr);
    node.SetValue(b <= 9 ? b : 255);
}

void EncodeCallProhibit(const CNode& node, CEepromImage& image, uint32_t base,
                        const SFieldDef& def) {
    const int v = node.GetValue();
    image.SetByte(base + def.addr, static_cast<uint8_t>(v >= 0 && v <= 9 ? v : 255));
}

const std::vector<SOption> kToneDigits = {
    {"0", 0}, {"1", 1}, {"2", 2},  {"3", 3},  {"4", 4},  {"5", 5},  {"6", 6},  {"7", 7},
    {"8", 8}, {"9", 9}, {"A", 10}, {"B", 11}, {"C", 12}, {"D", 13}, {"*", 14}, {"#", 15}};
const std::vector<SOption> kProhibitDigits = [] {
    std::vector<SOption> options = NumberOptions(0, 9);
    options.push_back({"OFF", 255});
    return options;
}();
const std::vector<SOption> kInhibitEnable = {{"Inhibit", 0}, {"Enable", 1}};

// clang-format off
const FieldTable kTxCodeFields = {
    {.name = "Code", .kind = EKind::String, .bind = EBind::Codec, .addr = 0,
     .decode = DecodeDtmfCode, .encode = EncodeDtmfCode, .aux = 12, .length = kMaxDigits,
     .charset = &kDtmfText},
};

// The name ("Text") is converted with the record, which knows its name slot.
const FieldTable kRxCodeFields = {
    {.name = "Code", .kind = EKind::String, .bind = EBind::Codec, .addr = 0,
     .decode = DecodeDtmfCode, .encode = EncodeDtmfCode, .aux = 12, .length = kMaxDigits,
     .charset = &kDtmfText},
    {.name = "Text", .kind = EKind::String, .bind = EBind::Codec, .length = kRecordNameLength,
     .charset = &kPlainText},
    {.name = "Lcd", .kind = EKind::Bit, .max = 1, .options = {{"Null", 0}, {"ON", 1}},
     .bind = EBind::Bits, .addr = kRxFlags, .bit = 7},
    {.name = "Beep", .options = BeepOptions(true), .bind = EBind::Codec, .addr = kRxFlags,
     .bit = 3, .width = 4, .decode = DecodeBeep, .encode = EncodeBeep},
    {.name = "SpMute", .kind = EKind::Bit, .max = 1, .options = {{"Null", 0}, {"OFF", 1}},
     .bind = EBind::Bits, .addr = kRxFlags, .bit = 4},
    {.name = "CodeMr", .kind = EKind::Bit, .max = 1, .options = {{"OFF", 0}, {"ON", 1}},
     .bind = EBind::Bits, .addr = kRxFlags, .bit = 5},
};

const FieldTable kSysCodeFields = {
    {.name = "Code", .kind = EKind::String, .bind = EBind::Codec, .addr = 0,
     .decode = DecodeDtmfCode4, .encode = EncodeDtmfCode4, .length = kCode4Digits,
     .charset = &kDtmfText, .fixed = true},
};

const FieldTable kSettingFields = {
    {.name = "DtmfTim", .bind = EBind::Byte, .addr = 0x0E9},
    {.name = "1stTim", .bind = EBind::Byte, .addr = 0x0EA},
    {.name = "MarkTim", .bind = EBind::Byte, .addr = 0x0EB},
    {.name = "NoTonTim", .value = 2, .def = 2, .min = 2, .max = 254, .bind = EBind::Codec,
     .addr = 0x1E6, .decode = DecodeEvenTimer, .encode = EncodeEvenTimer},
    {.name = "SysCtrl", .kind = EKind::Bit, .max = 1, .options = kInhibitEnable,
     .bind = EBind::Bits, .addr = 0x0D7, .bit = 6},
    {.name = "HeadTon", .options = kToneDigits, .bind = EBind::Byte, .addr = 0x0C0, .cap = 15},
    {.name = "DelimitTon", .options = kToneDigits, .bind = EBind::Byte, .addr = 0x0C1, .cap = 15},
    {.name = "ABCDelayTim", .bind = EBind::Byte, .addr = 0x10B},
    {.name = "TelFunc", .kind = EKind::Bit, .max = 1, .options = kInhibitEnable,
     .bind = EBind::Bits, .addr = 0x0D7, .bit = 7},
    {.name = "TelTotTim", .bind = EBind::WordBE, .addr = 0x110, .cap = 255},
    {.name = "TelTotCode", .kind = EKind::String, .bind = EBind::Codec, .addr = 0xC2A,
     .decode = DecodeDtmfCode4, .encode = EncodeDtmfCode4, .length = kCode4Digits,
     .charset = &kDtmfText, .fixed = true},
    {.name = "TelHangOnTim", .bind = EBind::WordBE, .addr = 0x112, .cap = 255},
    {.name = "TelCallProhibit", .value = 255, .def = 255,
     .options = kProhibitDigits, .bind = EBind::Codec, .addr = 0x0C4,
     .decode = DecodeCallProhibit, .encode = EncodeCallProhibit},
    {.name = "DialMode", .kind = EKind::Bit, .max = 1,
     .options = {{"Tone Dialing", 0}, {"Pulse Dialing", 1}}, .bind = EBind::Bits,
     .addr = 0x0D6, .bit = 1},
    {.name = "PulseSpeed", .kind = EKind::Bit, .max = 1, .options = {{"20PPS", 0}, {"10PPS", 1}},
     .bind = EBind::Bits, .addr = 0x0D6, .bit = 0},
    {.name = "PulseMakeRate", .kind = EKind::Bit, .max = 1, .options = {{"33%", 0}, {"39%", 1}},
     .bind = EBind::Bits, .addr = 0x0D6, .bit = 7},
    {.name = "RingOffTim", .bind = EBind::Byte, .addr = 0x10C},
    {.name = "RingOnTim", .bind = EBind::Byte, .addr = 0x10D},
    {.name = "RingTimes", .max = 15, .bind = EBind::Byte, .addr = 0x0C2, .cap = 15},
    {.name = "OnHookOffTim", .bind = EBind::Byte, .addr = 0x10E},
    {.name = "OnHookOnTim", .bind = EBind::Byte, .addr = 0x10F},
    {.name = "OnHookTimes", .max = 15, .bind = EBind::Byte, .addr = 0x0C3, .cap = 15},
};
// clang-format on

// "CH1" .. "CH<count>" under parent, each with the table's fields.
std::vector<CNode*> BuildCodeChannels(CTolvarRadioDataManager& manager, CNode* parent, int count,
                                      const FieldTable& table) {
    std::vector<CNode*> channels;
    for (int n = 1; n <= count; ++n) {
        CNode* channel =
            MakeGroup(manager, parent, ("CH" + std::to_string(n)).c_str(), kModelsBoth);
        BuildFields(manager, *channel, table);
        channels.push_back(channel);
    }
    return channels;
}

// An area of code records: record i at first + stride * i.
SAreaCodec RecordArea(std::vector<CNode*> channels, const FieldTable& table, uint32_t first,
                      uint32_t stride) {
    SAreaCodec codec;
    codec.count = static_cast<int>(channels.size());
    codec.decode = [channels, &table, first, stride](const CEepromImage& image, int i) {
        DecodeFields(*channels[static_cast<size_t>(i)], table, image,
                     first + stride * static_cast<uint32_t>(i));
    };
    codec.encode = [channels, &table, first, stride](CEepromImage& image, int i) {
        EncodeFields(*channels[static_cast<size_t>(i)], table, image, ModelLMR,
                     first + stride * static_cast<uint32_t>(i));
    };
    return codec;
}

// Decodes and encodes the system codes, then puts the factory ones back from first on.
std::function<void(const SNormalise&)> KeepFactoryCodes(CTolvarRadioDataManager& manager,
                                                        EArea area, uint32_t codes, int first) {
    const uint32_t addr = codes + kSysCodeSize * static_cast<uint32_t>(first);
    return [&manager, area, addr](const SNormalise& step) {
        manager.RoundTrip(area, step.image);
        step.RestoreBlock(addr, kSysCodeSize * kSysFactoryCount);
    };
}

} // namespace

void BuildDtmfMap(CTolvarRadioDataManager& manager, CNode& root) {
    CNode* dtmf = MakeGroup(manager, &root, "DtmfCodeCH", kModelsBoth);
    const auto tx = BuildCodeChannels(manager, MakeGroup(manager, dtmf, "TxCodeCH", kModelsBoth),
                                      kTxChannels, kTxCodeFields);
    const auto rx = BuildCodeChannels(manager, MakeGroup(manager, dtmf, "RxCodeCH", kModelsBoth),
                                      kRxChannels, kRxCodeFields);
    const auto txSys = BuildCodeChannels(
        manager, MakeGroup(manager, dtmf, "TxSysCodeCH", kModelsBoth), kTxSysCodes, kSysCodeFields);
    const auto rxSys = BuildCodeChannels(
        manager, MakeGroup(manager, dtmf, "RxSysCodeCH", kModelsBoth), kRxSysCodes, kSysCodeFields);
    CNode* settings = MakeGroup(manager, dtmf, "DtmfSet", kModelsBoth);
    BuildFields(manager, *settings, kSettingFields);

    SAreaCodec rxArea = RecordArea(rx, kRxCodeFields, kRxCodes, kRxStride);
    rxArea.decode = [rx, fields = rxArea.decode](const CEepromImage& image, int i) {
        fields(image, i);
        const uint32_t record = kRxCodes + kRxStride * static_cast<uint32_t>(i);
        rx[static_cast<size_t>(i)]->FindChild("Text")->SetText(DecodeFlaggedName(
            image, record + kRxFlags, 6, kRxNames + kNameStride * static_cast<uint32_t>(i)));
    };
    rxArea.encode = [rx, fields = rxArea.encode](CEepromImage& image, int i) {
        fields(image, i);
        const uint32_t record = kRxCodes + kRxStride * static_cast<uint32_t>(i);
        EncodeFlaggedName(image, record + kRxFlags, 6,
                          kRxNames + kNameStride * static_cast<uint32_t>(i),
                          rx[static_cast<size_t>(i)]->FindChild("Text")->GetText());
    };
    manager.RegisterArea(EArea::DtmfRxCodeCh, rxArea);
    manager.RegisterArea(EArea::DtmfTxCodeCh, RecordArea(tx, kTxCodeFields, kTxCodes, kTxStride));
    SAreaCodec rxSysArea = RecordArea(rxSys, kSysCodeFields, kRxSysCodeArea, kSysCodeSize);
    rxSysArea.normalise =
        KeepFactoryCodes(manager, EArea::DtmfRxSysCode, kRxSysCodeArea, kRxSysFactoryFirst);
    manager.RegisterArea(EArea::DtmfRxSysCode, rxSysArea);
    SAreaCodec txSysArea = RecordArea(txSys, kSysCodeFields, kTxSysCodeArea, kSysCodeSize);
    txSysArea.normalise =
        KeepFactoryCodes(manager, EArea::DtmfTxSysCode, kTxSysCodeArea, kTxSysFactoryFirst);
    manager.RegisterArea(EArea::DtmfTxSysCode, txSysArea);

    SAreaCodec settingArea;
    settingArea.count = 1;
    settingArea.decode = [settings](const CEepromImage& image, int) {
        DecodeFields(*settings, kSettingFields, image);
    };
    settingArea.encode = [settings](CEepromImage& image, int) {
        EncodeFields(*settings, kSettingFields, image, ModelLMR);
    };
    manager.RegisterArea(EArea::DtmfSettings, settingArea);
}
