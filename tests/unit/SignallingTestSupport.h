// Shared pieces of the memory-map tests: a document of either variant, node lookup,
// and tables of fields decoded from and encoded into image bytes.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "datamodel/DataManagers.h"
#include "document/DocumentData.h"
#include "datamodel/EepromImage.h"
#include "support/ScriptedInteraction.h"
#include "datamodel/memmap/RadioDataManager.h"
#include "datamodel/memmap/TreeAccess.h"
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
    CTreeIndex Index(bool makerReserve = false) {
        return CTreeIndex(Radio(), data.GetModel(), makerReserve);
    }
    // The text of every field of the variant, in the index's order.
    std::vector<std::string> Texts() {
        std::vector<std::string> texts;
        const CTreeIndex index = Index();
        for (const STreeLeaf& leaf : index.Leaves())
            texts.push_back(LeafText(*leaf.node));
        return texts;
    }
    // Encoded, brought into shape and decoded, as saving and loading do.
    void RoundTrip() {
        Registry().StoreTreeToImage();
        Registry().Adjust()->Normalise();
        Registry().LoadImageToTree();
    }
    // Sets a field as the editors do; fails the test when it is refused.
    void Set(const std::string& path, const std::string& text) {
        CNode& node = Node(path);
        std::string error;
        EXPECT_TRUE(SetLeafText({path, &node, node.GetParent(), data.GetModel()}, text, error))
            << path << ": " << error;
    }
};

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

// Image bytes -> decode one index of an area -> the node shows expected (and has the
// text, when one is given).
struct SDecodeRow {
    std::vector<SPut> image;
    EArea area;
    int index;
    std::string path;
    std::string expected;
    const char* text = nullptr;
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
        if (row.text) {
            EXPECT_EQ(doc.Node(row.path).GetText(), row.text);
        }
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

} // namespace signalling_test
