#include "RadioDataManager.h"

#include "datamodel/DataManagers.h"
#include "datamodel/nodes/ToneNodes.h"

void CTolvarRadioDataManager::Initialize() {
    // The tree holds a little over 3000 nodes.
    m_nodes.reserve(4096);
    m_info.reserve(4096);
    BuildChannelMap(*this, m_root);
    BuildMultiToneMap(*this, m_root);
    BuildCommonSetMap(*this, m_root);
    BuildDtmfMap(*this, m_root);
    BuildTwoToneMap(*this, m_root);
    BuildFiveToneMap(*this, m_root);
    BuildMakerReservedMap(*this, m_root);
}

int CTolvarRadioDataManager::CurrentModel() const {
    const CCloneManager* registry = GetRegistry();
    return registry && registry->Model() ? registry->Model()->GetModel() : ModelLMR;
}

void CTolvarRadioDataManager::DecodeArea(EArea area, const CEepromImage& image, int index) {
    const SAreaCodec& codec = Codec(area);
    if (codec.count == 0 || !codec.decode)
        return;
    if (index >= 0) {
        if (index < codec.count)
            codec.decode(image, index);
        return;
    }
    for (int i = 0; i < codec.count; ++i)
        codec.decode(image, i);
}

void CTolvarRadioDataManager::EncodeArea(EArea area, CEepromImage& image, int index) {
    const SAreaCodec& codec = Codec(area);
    if (codec.count == 0 || !codec.encode)
        return;
    if (index >= 0) {
        if (index < codec.count)
            codec.encode(image, index);
        return;
    }
    for (int i = 0; i < codec.count; ++i)
        codec.encode(image, i);
}

void CTolvarRadioDataManager::RoundTrip(EArea area, CEepromImage& image, int index) {
    DecodeArea(area, image, index);
    EncodeArea(area, image, index);
}

void CTolvarRadioDataManager::NormaliseArea(EArea area, const SNormalise& step) {
    const SAreaCodec& codec = Codec(area);
    if (codec.count == 0 || !(codec.models & ModelMaskOf(step.model)))
        return;
    if (codec.normalise)
        codec.normalise(step);
    else
        RoundTrip(area, step.image);
}

void SNormalise::RestoreByte(uint32_t addr) const {
    defaults.RestoreByte(model, addr);
}

void SNormalise::RestoreBit(uint32_t addr, int bit) const {
    defaults.RestoreBit(model, addr, bit);
}

void SNormalise::RestoreBlock(uint32_t addr, uint32_t n) const {
    defaults.RestoreBlock(model, addr, n);
}

void CTolvarRadioDataManager::LoadFromImage(CNode&, const CEepromImage& image) {
    if (CCloneManager* registry = GetRegistry())
        registry->Model()->SetModel(image.GetBit(kModelAddr, kModelBit), false);
    for (size_t a = 0; a < m_areas.size(); ++a)
        if (m_areas[a].inAll)
            DecodeArea(static_cast<EArea>(a), image);
}

void CTolvarRadioDataManager::ForEachNode(const std::function<void(CNode&)>& visit) const {
    for (const auto& node : m_nodes) {
        visit(*node);
        if (const auto* channel = dynamic_cast<const CQ2ToneRxChNode*>(node.get()))
            for (CNode* window : {static_cast<CNode*>(channel->FirstLow()),
                                  static_cast<CNode*>(channel->FirstHigh()),
                                  static_cast<CNode*>(channel->SecondLow()),
                                  static_cast<CNode*>(channel->SecondHigh())})
                if (window)
                    visit(*window);
    }
}

void CTolvarRadioDataManager::StoreToImage(CNode&, CEepromImage& image) {
    const int model = CurrentModel();
    image.SetBit(kModelAddr, kModelBit, model);
    const unsigned mask = ModelMaskOf(model);
    for (size_t a = 0; a < m_areas.size(); ++a)
        if (m_areas[a].inAll && (m_areas[a].models & mask))
            EncodeArea(static_cast<EArea>(a), image);
}
