#include "datamodel/DataManagers.h"

#include "datamodel/EditHistory.h"
#include "datamodel/Messages.h"
#include "datamodel/memmap/RadioDataManager.h"
#include "datamodel/EditGuard.h"

int CDefaultDataManager::ResolveModel(int model) const {
    return model < 0 ? GetRegistry()->Model()->GetModel() : model;
}

void CDefaultDataManager::RestoreByte(int model, uint32_t addr) {
    const auto& table = GetTable(ResolveModel(model));
    if (addr < table.size())
        GetRegistry()->Image().SetByte(addr, table[addr]);
}

void CDefaultDataManager::RestoreBit(int model, uint32_t addr, int bit) {
    const auto& table = GetTable(ResolveModel(model));
    if (addr < table.size())
        GetRegistry()->Image().SetBit(addr, bit, (table[addr] >> bit) & 1);
}

void CDefaultDataManager::RestoreBlock(int model, uint32_t addr, uint32_t n) {
    const auto& table = GetTable(ResolveModel(model));
    if (n == 0 || addr >= table.size() || n > table.size() - addr)
        return;
    GetRegistry()->Image().Write(addr, table.data() + addr, n);
}

void CDefaultDataManager::LoadDefaults(int model) {
    const auto& table = GetTable(ResolveModel(model));
    GetRegistry()->Image().Write(0, table.data(), static_cast<uint32_t>(table.size()));
}

const std::vector<uint8_t>& CTolvarDefaultDataManager::GetTable(int model) const {
    return FactoryTable(model == ModelPMR ? ModelPMR : ModelLMR);
}

void CModelManager::Initialize() { SetupModelObject(); }

void CModelManager::SetModel(int model, bool rebuild) {
    m_model.StoreValue(model);
    if (rebuild) {
        GetRegistry()->Defaults()->LoadDefaults(GetModel());
        GetRegistry()->LoadImageToTree();
        GetRegistry()->ImageReplaced();
    }
}

int CModelManager::ChangeModel(int model, bool ask) {
    if (ask && GetRegistry()->UI().MessageBox(kChangeModelText, "", EButtons::YesNo,
                                              EIcon::Question) != EAnswer::Yes)
        return 0;
    {
        CEditStep step(*GetRegistry(), std::string("Model: ") + (model == ModelPMR ? "PMR" : "LMR"));
        SetModel(model, true);
    }
    // A variant change starts from the factory image: nothing to save yet.
    GetRegistry()->History().MarkClean();
    return 1;
}

void CQModelManager::SetupModelObject() {
    m_model.SetRange(0, 0, 0, 1);
    m_model.AddOption(0, "LMR");
    m_model.AddOption(1, "PMR");
    m_model.modelCode = kModelCode;
    m_model.revision = kRevision;
    m_model.information.assign(38, 0);
    m_model.commentCapacity = 32;
}

int CQModelManager::ChangeModel(int model, bool ask) {
    if (!CModelManager::ChangeModel(model, ask))
        return 0;
    CEditScope guard(GetRegistry()->EditGuard());
    if (guard.Entered())
        if (IDocumentHost* document = GetRegistry()->Document())
            document->NewDocument();
    return 1;
}

CNode* CQModelManager::GetNodeByPath(const std::string& path) const {
    CNode* node = &GetRegistry()->RadioData()->GetRootNode();
    if (path.empty())
        return node;
    size_t start = 0;
    while (node) {
        const size_t dot = path.find('.', start);
        node = node->FindChild(path.substr(start, dot == std::string::npos ? dot : dot - start));
        if (dot == std::string::npos)
            break;
        start = dot + 1;
    }
    return node;
}
