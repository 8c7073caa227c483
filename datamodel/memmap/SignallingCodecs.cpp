#include "SignallingCodecs.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "datamodel/memmap/Codecs.h"
#include "datamodel/nodes/ToneNodes.h"

FieldTable ForModels(const FieldTable& table, unsigned models) {
    FieldTable rows;
    rows.reserve(table.size());
    for (const SFieldDef& def : table) {
        rows.push_back(def);
        rows.back().models = models;
    }
    return rows;
}

FieldTable ForModels(std::initializer_list<SFieldDef> rows, unsigned models) {
    return ForModels(FieldTable(rows), models);
}

FieldTable Unbound(FieldTable table, std::initializer_list<const char*> names) {
    for (SFieldDef& def : table)
        for (const char* name : names)
            if (std::strcmp(def.name, name) == 0) def.bind = EBind::None;
    return table;
}

CNode* MakeGroup(CTolvarRadioDataManager& manager, CNode* parent, const char* name,
                 unsigned models) {
    CNode* node = manager.Make<CNode>(parent, name);
    manager.SetNodeInfo(node, {models, false});
    return node;
}

namespace {

// Beep value -> code; the value is the index.
constexpr std::array<int, 9> kBeepCodes = {4, 0, 1, 2, 3, 5, 6, 7, 11};
// AutTx value -> code.
constexpr std::array<int, 4> kAutTxCodes = {0b0000, 0b1100, 0b1010, 0b1001};

} // namespace

std::string DecodeFlaggedName(const CEepromImage& image, uint32_t flagAddr, int flagBit,
                              uint32_t textAddr) {
    return image.GetBit(flagAddr, flagBit) ? DecodeText(image, textAddr, kRecordNameLength) : "";
}

void EncodeFlaggedName(CEepromImage& image, uint32_t flagAddr, int flagBit, uint32_t textAddr,
                       const std::string& text) {
    std::string name = text;
    name.erase(std::min(name.size(), name.find_last_not_of(" \t") + 1));
    EncodeText(image, textAddr, kRecordNameLength, name);
    image.SetBit(flagAddr, flagBit, !name.empty());
}

int EvenTimer(int value, const SFieldDef& def) {
    const int v = std::clamp(value, def.min, def.max);
    return (v + 1) / 2 * 2;
}

void DecodeEvenTimer(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def) {
    node.SetValue(EvenTimer(image.GetByte(base + def.addr), def));
}

void EncodeEvenTimer(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def) {
    image.SetByte(base + def.addr, static_cast<uint8_t>(EvenTimer(node.GetValue(), def)));
}

int BeepValue(int code) {
    const auto it = std::find(kBeepCodes.begin(), kBeepCodes.end(), code);
    return it == kBeepCodes.end() ? 0 : static_cast<int>(it - kBeepCodes.begin());
}

int BeepCode(int value, int width) {
    const int code = value >= 0 && value < static_cast<int>(kBeepCodes.size())
                         ? kBeepCodes[static_cast<size_t>(value)]
                         : kBeepCodes[0];
    return code < (1 << width) ? code : kBeepCodes[0];
}

void DecodeBeep(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def) {
    node.SetValue(BeepValue(GetBits(image, base + def.addr, def.bit, def.width)));
}

void EncodeBeep(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def) {
    SetBits(image, base + def.addr, def.bit, def.width, BeepCode(node.GetValue(), def.width));
}

std::vector<SOption> BeepOptions(bool withEmer) {
    std::vector<SOption> options = {{"Null", 0},         {"OFF", 1},          {"Pi(single)", 2},
                                    {"PiPi(single)", 3}, {"PiRo(single)", 4}, {"Pi(repeat)", 5},
                                    {"PiPi(repeat)", 6}, {"PiRo(repeat)", 7}};
    if (withEmer) options.push_back({"Emer", 8});
    return options;
}

void DecodeAutTx(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def) {
    const int code = GetBits(image, base + def.addr, 3, 4);
    const auto it = std::find(kAutTxCodes.begin(), kAutTxCodes.end(), code);
    node.SetValue(it == kAutTxCodes.end() ? 0 : static_cast<int>(it - kAutTxCodes.begin()));
}

void EncodeAutTx(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def) {
    const int value = node.GetValue();
    const int code = value >= 0 && value < static_cast<int>(kAutTxCodes.size())
                         ? kAutTxCodes[static_cast<size_t>(value)]
                         : kAutTxCodes[0];
    SetBits(image, base + def.addr, 3, 4, code);
}

std::vector<SOption> AutTxOptions() {
    return {{"OFF", 0}, {"MIC", 1}, {"ACC", 2}, {"REMOTE", 3}};
}

std::vector<SOption> StunOptions() {
    return {{"OFF", 0}, {"Kill", 1}, {"Stun", 2}};
}

void DecodeEncTone(CNode& node, const CEepromImage& image, uint32_t base, const SFieldDef& def) {
    node.SetValue(CQUsrTonEncNode::CodeToHz(image.GetWord(base + def.addr, true)));
}

void EncodeEncTone(const CNode& node, CEepromImage& image, uint32_t base, const SFieldDef& def) {
    image.SetWord(base + def.addr,
                  static_cast<uint16_t>(CQUsrTonEncNode::HzToCode(node.GetValue())), true);
}

CNode* MakeEncTone(CTolvarRadioDataManager& manager, CNode* parent, const SFieldDef& def) {
    auto* tone = manager.Make<CQUsrTonEncNode>(parent, def.name, nullptr, def.min, def.max);
    tone->SetRange(def.value, def.def, def.min, def.max);
    return tone;
}
