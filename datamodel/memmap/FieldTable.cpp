#include "FieldTable.h"

#include <algorithm>

#include "datamodel/nodes/ValueNodes.h"

std::vector<SOption> NumberOptions(int from, int to, std::vector<SOption> before) {
    // The texts must outlive the tables, so they are kept in one static pool.
    static const std::vector<std::string> pool = [] {
        std::vector<std::string> texts;
        for (int n = 0; n <= 999; ++n)
            texts.push_back(std::to_string(n));
        return texts;
    }();
    for (int n = from; n <= to && n >= 0 && n < static_cast<int>(pool.size()); ++n)
        before.push_back({pool[static_cast<size_t>(n)].c_str(), n});
    return before;
}

CNode* BuildField(CTolvarRadioDataManager& manager, CNode& parent, const SFieldDef& def) {
    CNode* node = nullptr;
    switch (def.kind) {
    case EKind::Num: node = manager.Make<CNumNode>(&parent, def.name); break;
    case EKind::Bit: node = manager.Make<CBitNode>(&parent, def.name); break;
    case EKind::String: node = manager.Make<CStringNode>(&parent, def.name); break;
    case EKind::Custom: node = def.factory(manager, &parent, def); break;
    }
    // A custom factory may set up its own range; plain value nodes take the row's.
    if (def.kind != EKind::Custom)
        if (auto* value = dynamic_cast<CNodeValue*>(node)) {
            value->SetRange(def.value, def.def, def.min, def.max);
            for (const SOption& option : def.options)
                value->AddOption(option.value, option.text);
        }
    manager.SetNodeInfo(node, {def.models, def.bind != EBind::None});
    return node;
}

void BuildFields(CTolvarRadioDataManager& manager, CNode& parent, const FieldTable& table) {
    for (const SFieldDef& def : table)
        BuildField(manager, parent, def);
}

int GetBits(const CEepromImage& image, uint32_t addr, int highBit, int width) {
    const int shift = highBit - width + 1;
    return (image.GetByte(addr) >> shift) & ((1 << width) - 1);
}

void SetBits(CEepromImage& image, uint32_t addr, int highBit, int width, int value) {
    const int shift = highBit - width + 1;
    const int mask = ((1 << width) - 1) << shift;
    const int byte = (image.GetByte(addr) & ~mask) | ((value << shift) & mask);
    image.SetByte(addr, static_cast<uint8_t>(byte));
}

void DecodeField(CNode& node, const SFieldDef& def, const CEepromImage& image, uint32_t base) {
    const uint32_t addr = base + def.addr;
    int raw = 0;
    switch (def.bind) {
    case EBind::None: return;
    case EBind::Codec:
        if (def.decode)
            def.decode(node, image, base, def);
        return;
    case EBind::Byte: raw = image.GetByte(addr); break;
    case EBind::Bits: raw = GetBits(image, addr, def.bit, def.width); break;
    case EBind::WordBE: raw = image.GetWord(addr, true); break;
    }
    node.SetValue(std::min(raw, def.cap));
}

void EncodeField(const CNode& node, const SFieldDef& def, CEepromImage& image, uint32_t base) {
    const uint32_t addr = base + def.addr;
    const int value = std::clamp(node.GetValue(), 0, def.cap);
    switch (def.bind) {
    case EBind::None: return;
    case EBind::Codec:
        if (def.encode)
            def.encode(node, image, base, def);
        return;
    case EBind::Byte: image.SetByte(addr, static_cast<uint8_t>(std::min(value, 0xFF))); return;
    case EBind::Bits: SetBits(image, addr, def.bit, def.width, value); return;
    case EBind::WordBE:
        image.SetWord(addr, static_cast<uint16_t>(std::min(value, 0xFFFF)), true);
        return;
    }
}

void DecodeFields(CNode& parent, const FieldTable& table, const CEepromImage& image,
                  uint32_t base) {
    for (const SFieldDef& def : table)
        if (CNode* node = parent.FindChild(def.name))
            DecodeField(*node, def, image, base);
}

void EncodeFields(const CNode& parent, const FieldTable& table, CEepromImage& image, int model,
                  uint32_t base) {
    const unsigned mask = ModelMaskOf(model);
    for (const SFieldDef& def : table)
        if (def.models & mask)
            if (const CNode* node = parent.FindChild(def.name))
                EncodeField(*node, def, image, base);
}
