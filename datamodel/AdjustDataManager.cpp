#include "datamodel/DataManagers.h"
#include "datamodel/memmap/RadioDataManager.h"

#include <cstring>

namespace {

// Each area decodes, repairs and encodes itself, in this order. The areas of the
// other variant are passed over.
// clang-format off
constexpr EArea kNormaliseOrder[] = {
    EArea::PrioEmr,
    EArea::MultiTone,
    EArea::DtmfTxCodeCh,
    EArea::DtmfRxCodeCh,
    EArea::DtmfRxSysCode,
    EArea::DtmfTxSysCode,
    EArea::DtmfSettings,
    EArea::TwoToneRxCh,      // LMR
    EArea::TwoToneTxCode,    // LMR
    EArea::TwoToneCommon,    // LMR
    EArea::FiveToneRxCh,     // PMR
    EArea::FiveToneTxCh,     // PMR
    EArea::FiveToneUsrTon,   // PMR
    EArea::FiveToneFormat,   // PMR
    EArea::FiveToneRxCommon, // PMR
    EArea::FiveToneTxCommon, // PMR
    EArea::KeyDisp,
    EArea::Common,
    EArea::Expert,
    EArea::FiveToneInLmr,    // LMR
    EArea::SettingsFixed,
    EArea::MakerR,
};
// clang-format on

} // namespace

void CTolvarAdjustDataManager::Normalise() {
    CCloneManager& registry = *GetRegistry();
    CEepromImage& image = registry.Image();
    CQModelManager& models = *registry.Model();

    image.Write(kSignatureAddr, reinterpret_cast<const uint8_t*>(kSignature),
                static_cast<uint32_t>(std::strlen(kSignature)));
    const int model = image.GetBit(kModelAddr, kModelBit);
    models.SetModel(model, false);
    const SNormalise step{image, *registry.Defaults(), model};
    step.RestoreBlock(kModelCodeAddr, 2);
    step.RestoreBlock(kRevisionAddr, 2);

    for (EArea area : kNormaliseOrder)
        registry.RadioData()->NormaliseArea(area, step);
    models.SetModel(model, false);
}
