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
#include "document/DocumentData.h"
#include "datamodel/EepromImage.h"
#include "support/ScriptedInteraction.h"
#include "datamodel/memmap/RadioDataManager.h"
#include "datamodel/nodes/Node.h"
#include "datamodel/nodes/ToneNodes.h"
#include "datamodel/nodes/ValueNodes.h"

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
    if (model == ModelPMR)
        return {EArea::DtmfRxCodeCh,     EArea::DtmfTxCodeCh,    EArea::DtmfRxSysCode,
                EArea::DtmfTxSysCode,    EArea::DtmfSettings,    EArea::FiveToneRxCh,
                EArea::FiveToneTxCh,     EArea::FiveToneFormat,  EArea::FiveToneUsrTon,
                EArea::FiveToneRxCommon, EArea::FiveToneTxCommon};
    return {EArea::DtmfRxCodeCh, EArea::DtmfTxCodeCh, EArea::DtmfRxSysCode, EArea::DtmfTxSysCode,
            EArea::DtmfSettings, EArea::TwoToneRxCh,  EArea::TwoToneTxCode, EArea::TwoToneCommon};
}

// Decodes (or encodes) every area of the variant.
inline void ConvertAreas(SDocument& doc, int model, bool decode) {
    for (EArea area : AreasOf(model))
        decode ? doc.Radio().DecodeArea(area, doc.Image())
               : doc.Radio().EncodeArea(area, doc.Image());
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

inline Bytes ReadBytes(const CEepromImage& image, uint32_t addr, uint32_t count) {
    Bytes bytes;
    for (uint32_t i = 0; i < count; ++i)
        bytes.push_back(image.GetByte(addr + i));
    return bytes;
}

struct SPut {
    uint32_t addr;
    Bytes bytes;
};

inline void Put(CEepromImage& image, const SPut& put) {
    for (size_t i = 0; i < put.bytes.size(); ++i)
        image.SetByte(put.addr + static_cast<uint32_t>(i), put.bytes[i]);
}

// A node as a test sees it: the text of text nodes, the number of value nodes.
inline std::string Show(const CNode& node) {
    return dynamic_cast<const CStringNode*>(&node) ? node.GetText()
                                                   : std::to_string(node.GetValue());
}

// Image bytes -> decode one index of an area -> the node shows expected.
struct SDecodeRow {
    std::vector<SPut> image;
    EArea area;
    int index;
    std::string path;
    std::string expected;
};

inline void CheckDecoding(int model, const std::vector<SDecodeRow>& rows) {
    SDocument doc(model);
    for (size_t n = 0; n < rows.size(); ++n) {
        const SDecodeRow& row = rows[n];
        SCOPED_TRACE(row.path + ", row " + std::to_string(n));
        for (const SPut& put : row.image)
            Put(doc.Image(), put);
        doc.Radio().DecodeArea(row.area, doc.Image(), row.index);
        EXPECT_EQ(Show(doc.Node(row.path)), row.expected);
    }
}

// Node set (texts for text and frequency nodes, numbers otherwise) -> encode one
// index of an area -> the bytes from before.addr read after.
struct SEncodeRow {
    std::string path;
    std::string set;
    EArea area;
    int index;
    SPut before;
    Bytes after;
};

inline void CheckEncoding(int model, const std::vector<SEncodeRow>& rows) {
    SDocument doc(model);
    for (size_t n = 0; n < rows.size(); ++n) {
        const SEncodeRow& row = rows[n];
        SCOPED_TRACE(row.path + " := " + row.set + ", row " + std::to_string(n));
        Put(doc.Image(), row.before);
        CNode& node = doc.Node(row.path);
        if (dynamic_cast<CStringNode*>(&node) || dynamic_cast<CFreqNode*>(&node))
            node.SetText(row.set);
        else
            node.SetValue(std::stoi(row.set));
        doc.Radio().EncodeArea(row.area, doc.Image(), row.index);
        EXPECT_EQ(ReadBytes(doc.Image(), row.before.addr, static_cast<uint32_t>(row.after.size())),
                  row.after);
    }
}

// Random image -> decode -> encode gives y; decoding y gives the same node values,
// and encoding them again gives y byte for byte.
inline void RandomRoundTrip(int model, unsigned seed, int images) {
    SDocument doc(model);
    std::mt19937 rng(seed);
    for (int n = 0; n < images; ++n) {
        FillRandom(doc.Image(), rng, model);
        ConvertAreas(doc, model, true);
        const auto first = SnapshotOf(doc, model);
        ConvertAreas(doc, model, false);
        CEepromImage y(0);
        y.CopyFrom(doc.Image());

        ConvertAreas(doc, model, true);
        const auto second = SnapshotOf(doc, model);
        for (const auto& [path, value] : first)
            ASSERT_EQ(second.at(path), value) << path << " in image " << n;
        ConvertAreas(doc, model, false);
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
    ConvertAreas(doc, model, false);
    for (uint32_t addr = 0; addr < kTableSize; ++addr)
        ASSERT_EQ(doc.Image().GetByte(addr), table[addr]) << "address " << std::hex << addr;

    doc.Registry().Adjust()->Normalise();
    for (uint32_t addr = 0; addr < kTableSize; ++addr)
        ASSERT_EQ(doc.Image().GetByte(addr), table[addr])
            << "address " << std::hex << addr << " after Normalise";
    EXPECT_EQ(SnapshotOf(doc, model), before);
}

} // namespace signalling_test
