#include "DocumentData.h"

#include "clone/CloneRsIoManager.h"
#include "datamodel/DataManagers.h"
#include "datamodel/EditHistory.h"
#include "datamodel/memmap/RadioDataManager.h"
#include "document/TolvarPortFactory.h"

namespace {

SCoverage FullUserArea() {
    const SAddrRange& user = CTolvarCloneFileIoManager::UserRange().front();
    return {user.last - user.first + 1, user.last - user.first + 1};
}

} // namespace

CTolvarDocumentData::CTolvarDocumentData(IUserInteraction& ui, int model, IDocumentHost* host,
                                         CPortFactory* ports)
    : m_host(host ? host : &m_plainHost), m_registry(std::make_unique<CQCloneManager>(ui)) {
    if (!ports) {
        m_ownPorts = std::make_unique<CTolvarPortFactory>();
        ports = m_ownPorts.get();
    }
    CQCloneManager& r = *m_registry;
    r.SetSlot(SlotEeprom, std::make_unique<CTolvarEepromDataManager>());
    r.SetSlot(SlotDefault, std::make_unique<CTolvarDefaultDataManager>());
    r.SetSlot(SlotAdjust, std::make_unique<CTolvarAdjustDataManager>());
    r.SetSlot(SlotRadioData, std::make_unique<CTolvarRadioDataManager>());
    r.SetSlot(SlotModel, std::make_unique<CQModelManager>());
    r.SetSlot(SlotRsIo, std::make_unique<CTolvarCloneRsIoManager>());
    r.SetSlot(SlotFileIo, std::make_unique<CTolvarCloneFileIoManager>());
    r.SetDocument(m_host);
    r.SetImageReplacedHandler([this] {
        MarkClean();
        m_coverage = FullUserArea();
    });
    r.InitAll();
    RsIo().SetPortMaker(ports->Maker());
    r.Model()->SetModel(model, false);
    r.InitImage();
}

CTolvarDocumentData::~CTolvarDocumentData() {
    // The managers go before the ports their engine may still refer to.
    m_registry->SetImageReplacedHandler({});
    m_registry.reset();
}

CTolvarCloneRsIoManager& CTolvarDocumentData::RsIo() const {
    return *m_registry->SlotAs<CTolvarCloneRsIoManager>(SlotRsIo);
}

CTolvarCloneFileIoManager& CTolvarDocumentData::FileIo() const {
    return *m_registry->SlotAs<CTolvarCloneFileIoManager>(SlotFileIo);
}

int CTolvarDocumentData::GetModel() const { return m_registry->Model()->GetModel(); }

void CTolvarDocumentData::New() {
    m_registry->InitImage();
    m_registry->History().Clear();
    m_host->SetModifiedFlag(false);
}

EFileResult CTolvarDocumentData::Open(const std::string& path) {
    CQCloneManager& r = *m_registry;
    CEepromImage loaded;
    loaded.CopyFrom(m_clean);
    const EFileResult result = FileIo().Load(path, loaded);
    if (result == EFileResult::Ok) {
        m_coverage = FileIo().UserCoverage();
        r.Image().CopyFrom(loaded);
        m_clean.CopyFrom(loaded);
        r.LoadImageToTree();
        r.History().Clear();
        m_host->SetModifiedFlag(false);
    }
    return result;
}

EFileResult CTolvarDocumentData::Save(const std::string& path) {
    CQCloneManager& r = *m_registry;
    r.StoreTreeToImage();
    const EFileResult result =
        FileIo().Save(path, CTolvarCloneFileIoManager::FullRange(), r.Image());
    if (result == EFileResult::Ok) {
        MarkClean();
        r.History().MarkClean();
        m_host->SetModifiedFlag(false);
    }
    return result;
}

void CTolvarDocumentData::MarkClean() {
    m_clean.CopyFrom(m_registry->Image());
}
