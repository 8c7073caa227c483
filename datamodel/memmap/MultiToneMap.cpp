#include <string>

#include "datamodel/memmap/ChannelCodecs.h"
#include "datamodel/memmap/ChannelMap.h"
#include "datamodel/memmap/RadioDataManager.h"
#include "datamodel/memmap/ToneCodes.h"
#include "datamodel/nodes/GroupNodes.h"

namespace {

// Receive code first, transmit code last; the receive code has no "Multi".
const FieldTable kMultiToneFields = {
    {.name = "CTonRx",
     .max = kToneMax,
     .options = ToneOptions(false),
     .bind = EBind::Codec,
     .decode = DecodeRxTone,
     .encode = EncodeRxTone,
     .codes = &ToneCodeTexts(false)},
    {.name = "CTonTx",
     .max = kToneMax,
     .options = ToneOptions(false),
     .bind = EBind::Codec,
     .decode = DecodeTxTone,
     .encode = EncodeTxTone,
     .codes = &ToneCodeTexts(false)},
};

} // namespace

const FieldTable& MultiToneFields() {
    return kMultiToneFields;
}

void BuildMultiToneMap(CTolvarRadioDataManager& manager, CNode& root) {
    CNode* multi = manager.Make<CNode>(&root, "MultiTon");
    // Set sizes for the editor: 16 tones each.
    const SFieldDef set{.name = "", .value = 16, .def = 16, .max = 16};
    for (int n = 0; n <= 32; ++n)
        BuildField(manager, *multi, set)->SetName(("Set" + std::to_string(n)).c_str());

    std::vector<CTolvarMultiToneNode*> entries;
    for (int k = 1; k <= kMultiToneCount; ++k) {
        auto* entry =
            manager.Make<CTolvarMultiToneNode>(multi, ("Ton" + std::to_string(k)).c_str());
        manager.SetNodeInfo(entry, {kModelsBoth, true});
        BuildFields(manager, *entry, kMultiToneFields);
        entries.push_back(entry);
    }

    // Entry k at index k - 1.
    manager.RegisterArea(
        EArea::MultiTone,
        {.count = kMultiToneCount,
         .decode =
             [entries](const CEepromImage& image, int index) {
                 CTolvarMultiToneNode* entry = entries[static_cast<size_t>(index)];
                 entry->SetFieldHolder(nullptr);
                 DecodeFields(*entry, kMultiToneFields, image, MultiToneAddr(index + 1));
             },
         .encode =
             [entries, &manager](CEepromImage& image, int index) {
                 const CNode& holder = *entries[static_cast<size_t>(index)]->GetFieldHolder();
                 EncodeFields(holder, kMultiToneFields, image, manager.CurrentModel(),
                              MultiToneAddr(index + 1));
             }});
}
