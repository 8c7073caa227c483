#include "CloneManager.h"

#include "datamodel/DataManagers.h"
#include "datamodel/EditHistory.h"
#include "datamodel/Messages.h"
#include "datamodel/memmap/RadioDataManager.h"

CCloneManagerTemplate::~CCloneManagerTemplate() {
    // Managers go in slot order.
    for (auto& slot : m_slots)
        slot.reset();
}

CCloneManager::CCloneManager(IUserInteraction& ui)
    : m_ui(&ui), m_history(std::make_unique<CEditHistory>(*this)) {}

CCloneManager::~CCloneManager() = default;

void CCloneManager::SetSlot(int slot, std::unique_ptr<CCloneManagerObject> manager) {
    if (slot >= 1 && slot <= 7)
        m_slots[static_cast<size_t>(slot - 1)] = std::move(manager);
}

void CCloneManager::InitAll() {
    for (auto& slot : m_slots)
        if (slot) {
            slot->SetRegistry(this);
            slot->Initialize();
        }
}

void CCloneManager::InitImage() {
    Defaults()->LoadDefaults(Model()->GetModel());
    LoadImageToTree();
    ImageReplaced();
}

void CCloneManager::StoreTreeToImage() {
    RadioData()->StoreToImage(RadioData()->GetRootNode(), Image());
}

void CCloneManager::LoadImageToTree() {
    RadioData()->LoadFromImage(RadioData()->GetRootNode(), Image());
}

int CCloneManager::ConfirmMakerReserve() {
    if (Model()->IsMakerReserve())
        return 2;
    const EAnswer answer =
        UI().MessageBox(LoadMessage(EMsg::MakerReserveCaution), "", MakerReserveButtons(), MakerReserveIcon());
    if (answer == EAnswer::Ok || answer == EAnswer::Yes)
        Model()->SetMakerReserve(true);
    return static_cast<int>(answer);
}

CCloneManagerObject* CCloneManager::GetSlot(int slot) const {
    return slot >= 1 && slot <= 7 ? m_slots[static_cast<size_t>(slot - 1)].get() : nullptr;
}

CTolvarEepromDataManager* CCloneManager::Eeprom() const {
    return SlotAs<CTolvarEepromDataManager>(SlotEeprom);
}
CEepromImage& CCloneManager::Image() const { return *Eeprom(); }
CTolvarDefaultDataManager* CCloneManager::Defaults() const {
    return SlotAs<CTolvarDefaultDataManager>(SlotDefault);
}
CTolvarAdjustDataManager* CCloneManager::Adjust() const {
    return SlotAs<CTolvarAdjustDataManager>(SlotAdjust);
}
CTolvarRadioDataManager* CCloneManager::RadioData() const {
    return SlotAs<CTolvarRadioDataManager>(SlotRadioData);
}
CQModelManager* CCloneManager::Model() const { return SlotAs<CQModelManager>(SlotModel); }
