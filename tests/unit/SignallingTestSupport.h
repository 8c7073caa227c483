// Shared pieces of the signalling tests: a document of either variant, node
// lookup, snapshots of node values and random images.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "datamodel/DataManagers.h"
#include "datamodel/DocumentData.h"
#include "datamodel/EepromImage.h"
#include "datamodel/ScriptedInteraction.h"
#include "datamodel/memmap/RadioDataManager.h"
#include "datamodel/nodes/Node.h"
#include "datamodel/nodes/ToneNodes.h"

namespace signalling_test {

using Bytes = std::vector<uint8_t>;

struct SDocument {
    explicit SDocument(int model) : data(ui, model) {}
    CScriptedInteraction ui;
    CTolvarDocumentData data;

    CQCloneManager& Registry() { return data.Registry(); }
    CEepromImage& Image() { return Registry().Image(); }
    CTolvarRadioDataManager& Radio() { return *Registry().RadioData(); }
    CNode& Node(const std::string& path) {
        CNode* node = Registry().Model()->GetNodeByPath(path);
        if (!node) ADD_FAILURE() << "no node " << path;
        static CNode missing;
        return node ? *node : missing;
    }
};

// The areas a variant encodes, DTMF first.
inline std::vector<EArea> AreasOf(int model) {
    std::vector<EArea> areas = {EArea::DtmfRxCodeCh, EArea::DtmfTxCodeCh, EArea::DtmfRxSysCode,
                                EArea::DtmfTxSysCode, EArea::DtmfSettings};
    const std::vector<EArea> lmr = {EArea::TwoToneRxCh, EArea::TwoToneTxCode, EArea::TwoToneCommon};
    const std::vector<EArea> pmr = {EArea::FiveToneRxCh,     EArea::FiveToneTxCh,
                                    EArea::FiveToneFormat,   EArea::FiveToneUsrTon,
                                    EArea::FiveToneRxCommon, EArea::FiveToneTxCommon};
    for (EArea area : model == ModelPMR ? pmr : lmr)
        areas.push_back(area);
    return areas;
}

inline void DecodeAreas(SDocument& doc, int model) {
    for (EArea area : AreasOf(model))
        doc.Radio().DecodeArea(area, doc.Image());
}

inline void EncodeAreas(SDocument& doc, int model) {
    for (EArea area : AreasOf(model))
        doc.Radio().EncodeArea(area, doc.Image());
}

// Every node below node as path -> text and value, the 2Tone decode limits included.
inline void Snapshot(const CNode& node, const std::string& path,
                     std::map<std::string, std::string>& out) {
    out[path] = node.GetText() + "|" + std::to_string(node.GetValue());
    if (const auto* channel = dynamic_cast<const CQ2ToneRxChNode*>(&node))
        for (const CNode* limit : {channel->FirstLow(), channel->FirstHigh(), channel->SecondLow(),
                                   channel->SecondHigh()})
            out[path + "." + limit->GetName()] = std::to_string(limit->GetValue());
    for (const CNode* child : node.Children())
        Snapshot(*child, path + "." + child->GetName(), out);
}

// The signalling trees a variant encodes.
inline std::map<std::string, std::string> SnapshotOf(SDocument& doc, int model) {
    std::map<std::string, std::string> values;
    for (const char* group : {"DtmfCodeCH", model == ModelPMR ? "5ToneCodeCH" : "2ToneCodeCH"})
        Snapshot(doc.Node(group), group, values);
    return values;
}

// Random bytes, half of them from values codecs treat specially.
inline void FillRandom(CEepromImage& image, std::mt19937& rng, int model) {
    static const uint8_t special[] = {0x00, 0x01, 0x04, 0x09, 0x0A, 0x0B, 0x0F,
                                      0x18, 0x19, 0x20, 0x80, 0xF0, 0xFE, 0xFF};
    std::uniform_int_distribution<int> byte(0, 255), pick(0, sizeof special - 1), coin(0, 1);
    for (uint32_t addr = 0; addr < kTableSize; ++addr)
        image.SetByte(addr, static_cast<uint8_t>(coin(rng) ? byte(rng) : special[pick(rng)]));
    image.SetBit(kModelAddr, kModelBit, model);
}

inline std::vector<uint8_t> ReadBytes(const CEepromImage& image, uint32_t addr, uint32_t count) {
    std::vector<uint8_t> bytes;
    for (uint32_t i = 0; i < count; ++i)
        bytes.push_back(image.GetByte(addr + i));
    return bytes;
}

inline void Put(CEepromImage& image, uint32_t addr, const std::vector<uint8_t>& bytes) {
    for (size_t i = 0; i < bytes.size(); ++i)
        image.SetByte(addr + static_cast<uint32_t>(i), bytes[i]);
}

// Random image -> decode -> encode gives y; decoding y gives the same node values,
// and encoding them again gives y byte for byte.
inline void RandomRoundTrip(int model, unsigned seed, int images) {
    SDocument doc(model);
    std::mt19937 rng(seed);
    for (int n = 0; n < images; ++n) {
        FillRandom(doc.Image(), rng, model);
        DecodeAreas(doc, model);
        const auto first = SnapshotOf(doc, model);
        EncodeAreas(doc, model);
        CEepromImage y(0);
        y.CopyFrom(doc.Image());

        DecodeAreas(doc, model);
        const auto second = SnapshotOf(doc, model);
        for (const auto& [path, value] : first)
            ASSERT_EQ(second.at(path), value) << path << " in image " << n;
        EncodeAreas(doc, model);
        for (uint32_t addr = 0; addr < kTableSize; ++addr)
            ASSERT_EQ(doc.Image().GetByte(addr), y.GetByte(addr))
                << "address " << std::hex << addr << " in image " << std::dec << n;
    }
}

// A factory document decodes and encodes to its own bytes, and Normalise changes
// neither the image nor the signalling values.
inline void FactoryIsStable(int model) {
    SDocument doc(model);
    const std::vector<uint8_t>& table = FactoryTable(model);
    const auto before = SnapshotOf(doc, model);
    EncodeAreas(doc, model);
    for (uint32_t addr = 0; addr < kTableSize; ++addr)
        ASSERT_EQ(doc.Image().GetByte(addr), table[addr]) << "address " << std::hex << addr;

    doc.Registry().Adjust()->Normalise();
    for (uint32_t addr = 0; addr < kTableSize; ++addr)
        ASSERT_EQ(doc.Image().GetByte(addr), table[addr])
            << "address " << std::hex << addr << " after Normalise";
    EXPECT_EQ(SnapshotOf(doc, model), before);
}

} // namespace signalling_test
