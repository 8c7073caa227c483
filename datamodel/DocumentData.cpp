#include "DocumentData.h"

#include <cstdio>

#include "clone/CloneRsIoManager.h"
#include "datafile/CloneFileIoManager.h"
#include "datafile/TempFile.h"
#include "datamodel/DataManagers.h"
#include "datamodel/memmap/RadioDataManager.h"

CTolvarDocumentData::CTolvarDocumentData(IUserInteraction& ui, int model, IDocumentHost* host)
    : m_host(host ? host : &m_plainHost), m_registry(std::make_unique<CQCloneManager>(ui)) {
    CQCloneManager& r = *m_registry;
    r.SetSlot(SlotEeprom, std::make_unique<CTolvarEepromDataManager>());
    r.SetSlot(SlotDefault, std::make_unique<CTolvarDefaultDataManager>());
    r.SetSlot(SlotAdjust, std::make_unique<CTolvarAdjustDataManager>());
    r.SetSlot(SlotRadioData, std::make_unique<CTolvarRadioDataManager>());
    r.SetSlot(SlotModel, std::make_unique<CQModelManager>());
    r.SetSlot(SlotRsIo, std::make_unique<CTolvarCloneRsIoManager>());
    r.SetSlot(SlotFileIo, std::make_unique<CTolvarCloneFileIoManager>());
    r.SetDocument(m_host);
    r.InitAll();
    r.Model()->SetModel(model, false);
    r.InitImage();

    m_transferFile = CreateTempFile("~CS");
}

CTolvarDocumentData::~CTolvarDocumentData() {
    m_registry.reset();
    if (!m_transferFile.empty())
        std::remove(m_transferFile.c_str());
}

int CTolvarDocumentData::GetModel() const { return m_registry->Model()->GetModel(); }

void CTolvarDocumentData::New() {
    m_registry->InitImage();
    m_host->SetModifiedFlag(false);
}

std::string CTolvarDocumentData::Open(const std::string& path) {
    CQCloneManager& r = *m_registry;
    const std::string result = r.FileIo()->Load(path, r.Image());
    if (result == kFileOk) {
        r.LoadImageToTree();
        m_host->SetModifiedFlag(false);
    }
    return result;
}

std::string CTolvarDocumentData::Save(const std::string& path) {
    CQCloneManager& r = *m_registry;
    r.StoreTreeToImage();
    const std::string result =
        r.FileIo()->Save(path, CTolvarCloneFileIoManager::FullRange(), r.Image());
    if (result == kFileOk)
        m_host->SetModifiedFlag(false);
    return result;
}
