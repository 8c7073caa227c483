// The memory-map tree (registry slot 4): builds every node once and converts
// between the image and the nodes, area by area.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "datamodel/CloneManager.h"
#include "datamodel/EepromImage.h"
#include "datamodel/nodes/Node.h"

// The areas of the image, each decoded and encoded as a whole or by index.
// Decode all and encode all run them in this order.
enum class EArea {
    Channels,        // "PrioA", "Emr" and the 32 channels
    MultiTone,       // the 512 multiple-tone entries
    DtmfRxCodeCh,    // 20
    DtmfTxCodeCh,    // 20
    DtmfRxSysCode,   // 20
    DtmfTxSysCode,   // 6
    DtmfSettings,
    TwoToneRxCh,     // 4 (the last is the group channel)
    TwoToneTxCode,
    TwoToneCommon,
    FiveToneRxCh,    // 9 (the last is the group channel)
    FiveToneTxCh,    // 32
    FiveToneFormat,  // 10
    FiveToneUsrTon,  // 15
    FiveToneRxCommon,
    FiveToneTxCommon,
    KeyDisp,
    Common,
    Expert,
    MakerR,
    PrioEmr,         // "PrioA" and "Emr" alone (part of Channels in decode all)
    FiveToneInLmr,   // the 5Tone settings LMR keeps factory (normalisation only)
    SettingsFixed,   // the fixed and copied bits of the settings block (normalisation only)
    Count
};

enum EModelMask : unsigned { kModelsLMR = 1, kModelsPMR = 2, kModelsBoth = 3 };
inline unsigned ModelMaskOf(int model) { return model == 1 ? kModelsPMR : kModelsLMR; }

class CDefaultDataManager;

// What a normalisation step works on: the registry's image (the one the defaults
// restore into), the model it was written for and that model's factory bytes.
struct SNormalise {
    CEepromImage& image;
    CDefaultDataManager& defaults;
    int model;

    void RestoreByte(uint32_t addr) const;
    void RestoreBit(uint32_t addr, int bit) const;
    void RestoreBlock(uint32_t addr, uint32_t n) const;
};

struct SAreaCodec {
    int count = 0;                   // 0: the area is not built
    unsigned models = kModelsBoth;   // encode all and normalise touch the area only for these
    bool inAll = true;               // part of decode all / encode all
    std::function<void(const CEepromImage&, int index)> decode = {};
    std::function<void(CEepromImage&, int index)> encode = {};
    // Brings the area of the image into shape; unset: decode and encode it.
    std::function<void(const SNormalise&)> normalise = {};
};

class CRadioDataManager : public CCloneManagerObject {
public:
    // Views subscribe to changes here (CNode::Subscribe).
    CNode& GetRootNode() { return m_root; }
    const CNode& GetRootNode() const { return m_root; }
    virtual void LoadFromImage(CNode& root, const CEepromImage& image) = 0;
    virtual void StoreToImage(CNode& root, CEepromImage& image) = 0;

protected:
    CNode m_root;
};

class CQRadioDataManager : public CRadioDataManager {};

class CTolvarRadioDataManager : public CQRadioDataManager {
public:
    void Initialize() override;
    void LoadFromImage(CNode& root, const CEepromImage& image) override;
    void StoreToImage(CNode& root, CEepromImage& image) override;

    // One area (index -1: every index of the area). An area not built does nothing.
    void DecodeArea(EArea area, const CEepromImage& image, int index = -1);
    void EncodeArea(EArea area, CEepromImage& image, int index = -1);
    void RoundTrip(EArea area, CEepromImage& image, int index = -1);
    // The area's normalisation, when the area is built and meant for the step's model.
    void NormaliseArea(EArea area, const SNormalise& step);
    bool HasArea(EArea area) const { return Codec(area).count > 0; }
    void RegisterArea(EArea area, SAreaCodec codec) { Codec(area) = std::move(codec); }

    // Creates a node owned by this manager and appends it to parent (when given),
    // which sets its parent and row.
    template <class T, class... Args> T* Make(CNode* parent, const char* name, Args&&... args) {
        auto node = std::make_unique<T>(std::forward<Args>(args)...);
        node->SetName(name);
        T* raw = node.get();
        m_nodes.push_back(std::move(node));
        if (parent)
            parent->AddChild(raw);
        return raw;
    }

    // What the export and the editors need to know of a node beyond its class.
    struct SNodeInfo {
        unsigned models = kModelsBoth;  // the variants the field means something for
        bool bound = false;             // decoded from and encoded into the image
    };
    void SetNodeInfo(const CNode* node, SNodeInfo info) { m_info[node] = info; }
    // Nodes without recorded information are unbound and meant for both variants.
    SNodeInfo GetNodeInfo(const CNode* node) const {
        const auto it = m_info.find(node);
        return it == m_info.end() ? SNodeInfo{} : it->second;
    }

    int CurrentModel() const;
    size_t NodeCount() const { return m_nodes.size(); }
    // Every node built here, and the nodes they keep outside their children (the
    // decode windows of the 2Tone receive channels).
    void ForEachNode(const std::function<void(CNode&)>& visit) const;

private:
    SAreaCodec& Codec(EArea area) { return m_areas[static_cast<size_t>(area)]; }
    const SAreaCodec& Codec(EArea area) const { return m_areas[static_cast<size_t>(area)]; }

    std::array<SAreaCodec, static_cast<size_t>(EArea::Count)> m_areas;
    std::vector<std::unique_ptr<CNode>> m_nodes;
    std::unordered_map<const CNode*, SNodeInfo> m_info;
};

// Builders of the tree, one per group under the root, in creation order.
// Each creates its nodes and registers the conversions of its areas.
void BuildChannelMap(CTolvarRadioDataManager& manager, CNode& root);
void BuildMultiToneMap(CTolvarRadioDataManager& manager, CNode& root);
void BuildCommonSetMap(CTolvarRadioDataManager& manager, CNode& root);
void BuildDtmfMap(CTolvarRadioDataManager& manager, CNode& root);
void BuildTwoToneMap(CTolvarRadioDataManager& manager, CNode& root);
void BuildFiveToneMap(CTolvarRadioDataManager& manager, CNode& root);
void BuildMakerReservedMap(CTolvarRadioDataManager& manager, CNode& root);
