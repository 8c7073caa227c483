#include "SettingsCodecs.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>

#include "datamodel/DataManagers.h"
#include "datamodel/memmap/Codecs.h"
#include "datamodel/nodes/SettingNodes.h"
#include "datamodel/nodes/TextHelpers.h"

namespace settings {

namespace {

// The opening text is shown only when this flag is set.
constexpr uint32_t kOpeningTextFlagAddr = 0x00D4;
constexpr int kOpeningTextFlagBit = 5;

bool IsCwChar(int c) {
    return c > 0 && c < 0x80 && kCwText.Takes(static_cast<char>(c));
}

constexpr int kTempBase = 170; // the byte holds 170 - t

constexpr int kIfStep = 12500; // Hz
constexpr int kIfDigits = 7;   // BCD digits of kHz
constexpr std::array<uint8_t, 8> kIfSubSteps = {0x00, 0x12, 0x25, 0x37, 0x50, 0x62, 0x75, 0x87};

// Class of every front key function code: 4 always offered, 3 in both variants,
// 0 in LMR only, 1 in PMR only, 5 never.
// clang-format off
constexpr std::array<uint8_t, 64> kKeyClass = {
    4, 5, 5, 5, 5, 5, 5, 3, 3, 3,  //  0 ..  9
    5, 5, 5, 5, 5, 5, 3, 3, 5, 5,  // 10 .. 19
    3, 5, 5, 3, 1, 1, 3, 3, 1, 5,  // 20 .. 29
    5, 1, 3, 5, 5, 5, 5, 5, 5, 5,  // 30 .. 39
    5, 5, 5, 5, 5, 5, 5, 5, 3, 3,  // 40 .. 49
    5, 5, 5, 5, 5, 5, 5, 5, 5, 5,  // 50 .. 59
    5, 5, 5, 5,                    // 60 .. 63
};
// clang-format on

uint8_t ToByte(int value) {
    return static_cast<uint8_t>(std::clamp(value, 0, 0xFF));
}

} // namespace

void BuildSettingsGroup(CTolvarRadioDataManager& manager, CNode& parent, const char* name,
                        const FieldTable& table, EArea area) {
    CNode* group = manager.Make<CNode>(&parent, name);
    BuildFields(manager, *group, table);
    SAreaCodec codec;
    codec.count = 1;
    codec.decode = [group, &table](const CEepromImage& image, int) {
        DecodeFields(*group, table, image);
    };
    codec.encode = [group, &table, &manager](CEepromImage& image, int) {
        EncodeFields(*group, table, image, manager.CurrentModel());
    };
    manager.RegisterArea(area, std::move(codec));
}

void DecodeFixedText(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def) {
    node.SetText(::DecodeText(image, base + def.addr, def.length));
}

void EncodeFixedText(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def) {
    ::EncodeText(image, base + def.addr, def.length, node.GetText());
}

void DecodeOpeningText(CNode& node, const CEepromImage& image, uint32_t base,
                       const SFieldDef& def) {
    if (image.GetBit(kOpeningTextFlagAddr, kOpeningTextFlagBit))
        DecodeFixedText(node, image, base, def);
    else
        node.SetText("");
}

void EncodeOpeningText(const CNode& node, CEepromImage& image, uint32_t base,
                       const SFieldDef& def) {
    EncodeFixedText(node, image, base, def);
    image.SetBit(kOpeningTextFlagAddr, kOpeningTextFlagBit, !node.GetText().empty());
}

void DecodeHexCode4(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def) {
    node.SetText(DecodeCode4(image, base + def.addr, kHexDigits));
}

void DecodeDtmfCode4(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def) {
    node.SetText(DecodeCode4(image, base + def.addr, kDtmfDigits));
}

void EncodeCode4(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def) {
    ::EncodeCode4(image, base + def.addr, node.GetText());
}

void DecodeScrmGrp(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def) {
    node.SetValue(GetBits(image, base + def.addr, 1, 2) + 1);
}

void EncodeScrmGrp(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def) {
    SetBits(image, base + def.addr, 1, 2, std::clamp(node.GetValue(), 1, 4) - 1);
}

void DecodeSyncCap(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def) {
    node.SetValue(GetBits(image, base + def.addr, 7, 2) == 3 ? 1 : 0);
}

void EncodeSyncCap(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def) {
    SetBits(image, base + def.addr, 7, 2, node.GetValue() != 0 ? 3 : 0);
}

void DecodeCwText(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def) {
    std::string text;
    for (uint32_t i = 0; i < def.length; ++i) {
        const uint8_t b = image.GetByte(base + def.addr + i);
        if (b == 0xFF) break;
        text += IsCwChar(b) ? static_cast<char>(b) : ' ';
    }
    node.SetText(text);
}

void EncodeCwText(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def) {
    std::string text;
    for (char c : node.GetText())
        if (IsCwChar(static_cast<unsigned char>(c))) text += c;
    text.erase(text.find_last_not_of(' ') + 1);
    for (uint32_t i = 0; i < def.length; ++i)
        image.SetByte(base + def.addr + i, i < text.size() ? static_cast<uint8_t>(text[i]) : 0xFF);
}

void DecodeTemp(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def) {
    node.SetValue(kTempBase - image.GetByte(base + def.addr));
}

void EncodeTemp(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def) {
    image.SetByte(base + def.addr, ToByte(kTempBase - node.GetValue()));
}

void DecodeUsrCtcss(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def) {
    node.SetValue(CQUsrCtcssFreqNode::ToneOf(image.GetWord(base + def.addr, true)));
}

void EncodeUsrCtcss(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def) {
    const int divider = std::clamp(CQUsrCtcssFreqNode::DividerOf(node.GetValue()), 0, 0xFFFF);
    image.SetWord(base + def.addr, static_cast<uint16_t>(divider), true);
}

void DecodeBeep(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def) {
    node.SetValue(CQBeepFreqNode::FrequencyOf(image.GetByte(base + def.addr)));
}

void EncodeBeep(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def) {
    image.SetByte(base + def.addr, ToByte(CQBeepFreqNode::DividerOf(node.GetValue())));
}

// The last byte holds the 12.5 kHz sub-step without its half kilohertz (12 for 12.5,
// 37 for 37.5, ...); decoding adds the 500 Hz back when the last digit is 2 or 7.
void DecodeIfOffset(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def) {
    const uint32_t addr = base + def.addr;
    std::array<int, kIfDigits> digits{};
    digits[0] = image.GetByte(addr) & 0x0F;
    for (int i = 1; i < kIfDigits; ++i)
        digits[static_cast<size_t>(i)] = GetNibble(image, addr + 1, i - 1);
    const uint8_t last = image.GetByte(addr + 3);
    const bool subStep =
        std::find(kIfSubSteps.begin(), kIfSubSteps.end(), last) != kIfSubSteps.end();
    const bool bcd = std::all_of(digits.begin(), digits.end(), [](int d) { return d <= 9; });
    if (!subStep || !bcd) {
        node.SetValue(0);
        return;
    }
    long long khz = 0;
    for (int d : digits)
        khz = khz * 10 + d;
    long long hz = khz * 1000 + (digits.back() == 2 || digits.back() == 7 ? 500 : 0);
    if (image.GetByte(addr) & 0x80) hz = -hz;
    node.SetValue(static_cast<int>(std::clamp<long long>(hz, INT_MIN, INT_MAX)));
}

// Rounds to the nearest 12.5 kHz step and writes its whole kilohertz; bits 6..4 of
// the first byte belong to no field and are kept.
void EncodeIfOffset(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def) {
    const uint32_t addr = base + def.addr;
    const long long value = node.GetValue();
    const long long steps = RoundHalfAway(static_cast<double>(std::llabs(value)) / kIfStep);
    long long khz = std::min(steps * 25 / 2, 9999999LL);
    const bool negative = value < 0 && steps > 0;
    std::array<int, kIfDigits> digits{};
    for (int i = kIfDigits - 1; i >= 0; --i, khz /= 10)
        digits[static_cast<size_t>(i)] = static_cast<int>(khz % 10);
    const int first = (image.GetByte(addr) & 0x70) | (negative ? 0x80 : 0) | digits[0];
    image.SetByte(addr, static_cast<uint8_t>(first));
    for (int i = 1; i < kIfDigits; ++i)
        SetNibble(image, addr + 1, i - 1, digits[static_cast<size_t>(i)]);
}

void DecodeDtcsDec(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def) {
    node.SetValue(std::clamp<int>(image.GetByte(base + def.addr), 1, 12) + 11);
}

void EncodeDtcsDec(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def) {
    image.SetByte(base + def.addr, ToByte(std::clamp(node.GetValue(), 12, 23) - 11));
}

bool KeyCodeAllowed(int code, int model) {
    if (code < 0 || code >= static_cast<int>(kKeyClass.size())) return false;
    const int keyClass = kKeyClass[static_cast<size_t>(code)];
    return keyClass == 4 || keyClass == 3 || (keyClass == 0 && model == ModelLMR) ||
           (keyClass == 1 && model == ModelPMR);
}

void DecodeKeyCode(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def) {
    const int code = image.GetByte(base + def.addr);
    const int model = image.GetBit(kModelAddr, kModelBit);
    node.SetValue(KeyCodeAllowed(code, model) ? code : 0);
}

void EncodeKeyCode(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def) {
    image.SetByte(base + def.addr, ToByte(node.GetValue()));
}

} // namespace settings
