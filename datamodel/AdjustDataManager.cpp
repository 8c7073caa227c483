#include "datamodel/DataManagers.h"
#include "datamodel/memmap/RadioDataManager.h"

#include <cstring>

void CTolvarAdjustDataManager::Normalise() {
    CCloneManager& registry = *GetRegistry();
    CEepromImage& image = registry.Image();
    CTolvarDefaultDataManager& defaults = *registry.Defaults();
    CTolvarRadioDataManager& radio = *registry.RadioData();
    CQModelManager& models = *registry.Model();

    image.Write(kSignatureAddr, reinterpret_cast<const uint8_t*>(kSignature),
                static_cast<uint32_t>(std::strlen(kSignature)));
    const int model = image.GetBit(kModelAddr, kModelBit);
    models.SetModel(model, false);
    defaults.RestoreBlock(model, 0x0000, 2);
    defaults.RestoreBlock(model, 0x0002, 2);

    const SNormalise step{image, defaults, model};
    radio.NormaliseArea(EArea::PrioEmr, step);

    radio.RoundTrip(EArea::MultiTone, image);
    radio.RoundTrip(EArea::DtmfTxCodeCh, image);
    radio.RoundTrip(EArea::DtmfRxCodeCh, image);
    radio.NormaliseArea(EArea::DtmfRxSysCode, step);
    radio.NormaliseArea(EArea::DtmfTxSysCode, step);
    radio.RoundTrip(EArea::DtmfSettings, image);

    const bool pmr = model % 2 != 0;
    if (!pmr) {
        radio.NormaliseArea(EArea::TwoToneRxCh, step);
        radio.NormaliseArea(EArea::TwoToneTxCode, step);
        radio.NormaliseArea(EArea::TwoToneCommon, step);
    } else {
        radio.NormaliseArea(EArea::FiveToneRxCh, step);
        radio.NormaliseArea(EArea::FiveToneTxCh, step);
        radio.NormaliseArea(EArea::FiveToneUsrTon, step);
        radio.NormaliseArea(EArea::FiveToneFormat, step);
        radio.NormaliseArea(EArea::FiveToneRxCommon, step);
        radio.NormaliseArea(EArea::FiveToneTxCommon, step);
    }

    radio.RoundTrip(EArea::KeyDisp, image);
    radio.RoundTrip(EArea::Common, image);
    radio.RoundTrip(EArea::Expert, image);

    radio.NormaliseArea(EArea::FiveToneInLmr, step);
    if (!pmr) {
        defaults.RestoreBit(model, 0x00D1, 1);
        defaults.RestoreByte(model, 0x00FA);
    }

    image.SetBit(0x00D8, 5, 0);
    image.SetByte(0x00B0, image.GetByte(0x00B3));
    image.SetByte(0x00B1, image.GetByte(0x00B4));
    image.SetByte(0x00B2, image.GetByte(0x00B5));
    defaults.RestoreBit(model, 0x00D1, 5);
    for (int bit : {7, 6, 4, 3, 2, 1, 0})
        image.SetBit(0x0128, bit, 0);
    image.SetBit(0x00D6, 6, 1);
    image.SetBit(0x00D6, 5, 0);
    image.SetBit(0x00D6, 4, 1);
    image.SetBit(0x00D6, 2, 0);
    for (int bit : {3, 7, 1, 5})
        image.SetBit(0x00DE, bit, 0);
    image.SetBit(0x00D2, 0, image.GetByte(0x00AC) == 0x1F ? 1 : 0);

    radio.RoundTrip(EArea::MakerR, image);
    models.SetModel(model, false);
}
