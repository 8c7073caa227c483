#include "FieldTable.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>

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

namespace {

// One option list per table row, shared by every node built from it.
std::shared_ptr<const OptionList> SharedOptions(const std::vector<SOption>& options) {
    struct SEntry {
        std::vector<SOption> rows;
        std::shared_ptr<const OptionList> list;
    };
    static std::mutex mutex;
    static std::map<const std::vector<SOption>*, SEntry> cache;
    std::lock_guard lock(mutex);
    SEntry& entry = cache[&options];
    const auto same = [](const SOption& a, const SOption& b) {
        return a.text == b.text && a.value == b.value;
    };
    if (!entry.list || !std::equal(options.begin(), options.end(), entry.rows.begin(),
                                   entry.rows.end(), same)) {
        CNodeValue builder;
        for (const SOption& option : options)
            builder.AddOption(option.value, option.text);
        entry = {options, std::make_shared<const OptionList>(builder.Options())};
    }
    return entry.list;
}

} // namespace

CNode* BuildField(CTolvarRadioDataManager& manager, CNode& parent, const SFieldDef& def) {
    CNode* node = nullptr;
    CNodeValue* value = nullptr;
    switch (def.kind) {
    case EKind::Num: {
        auto* num = manager.Make<CNumNode>(&parent, def.name);
        num->SetCodes(def.codes);
        node = num, value = num;
        break;
    }
    case EKind::Bit: {
        auto* bit = manager.Make<CBitNode>(&parent, def.name);
        node = bit, value = bit;
        break;
    }
    case EKind::String: {
        auto* text = manager.Make<CStringNode>(&parent, def.name);
        text->SetRule(def.length, def.charset, def.fixed);
        node = text;
        break;
    }
    // A custom factory sets up its own range.
    case EKind::Custom: node = def.factory(manager, &parent, def); break;
    }
    if (value) {
        value->SetRange(def.value, def.def, def.min, def.max);
        if (!def.options.empty())
            value->SetOptions(SharedOptions(def.options));
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

namespace {

// The node of a row: rows are built in table order, so the next child is tried first.
CNode* RowNode(const CNode& parent, size_t& cursor, const char* name) {
    const auto& children = parent.Children();
    if (cursor < children.size() && std::strcmp(children[cursor]->GetName().c_str(), name) == 0)
        return children[cursor++];
    return parent.FindChild(name);
}

} // namespace

void DecodeFields(CNode& parent, const FieldTable& table, const CEepromImage& image,
                  uint32_t base) {
    size_t cursor = 0;
    for (const SFieldDef& def : table)
        if (CNode* node = RowNode(parent, cursor, def.name))
            DecodeField(*node, def, image, base);
}

void EncodeFields(const CNode& parent, const FieldTable& table, CEepromImage& image, int model,
                  uint32_t base) {
    const unsigned mask = ModelMaskOf(model);
    size_t cursor = 0;
    for (const SFieldDef& def : table)
        if (const CNode* node = RowNode(parent, cursor, def.name))
            if (def.models & mask)
                EncodeField(*node, def, image, base);
}
