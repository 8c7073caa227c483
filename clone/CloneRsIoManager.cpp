#include "CloneRsIoManager.h"

#include <cstdio>

#include "datafile/CloneFileIoManager.h"
#include "datafile/TempFile.h"
#include "datamodel/DataManagers.h"
#include "datamodel/Messages.h"

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Lines of a transfer file that carry data: neither empty nor comments.
int CountDataLines(const std::string& path) {
    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return 0;
    int count = 0;
    std::string line;
    for (int c = std::fgetc(file.get());; c = std::fgetc(file.get())) {
        if (c == EOF || c == '\n') {
            if (!line.empty() && line != "\r" && line[0] != '#')
                ++count;
            line.clear();
            if (c == EOF)
                break;
        } else {
            line += static_cast<char>(c);
        }
    }
    return count;
}

} // namespace

CCloneRsIoManager::CCloneRsIoManager() : m_engine(std::make_unique<CCloneTransfer>()) {}

CCloneRsIoManager::~CCloneRsIoManager() {
    if (!m_transferFile.empty())
        std::remove(m_transferFile.c_str());
}

void CCloneRsIoManager::Initialize() {
    if (!m_transferFile.empty())
        return;
    m_transferFile = CreateTempFile("cl");
}

void CCloneRsIoManager::SetPortNumber(int n) {
    if (n >= 1 && n <= 4)
        m_portNumber = n;
}

std::string CCloneRsIoManager::PortName() const {
    return m_portName.empty() ? "COM" + std::to_string(m_portNumber) : m_portName;
}

void CCloneRsIoManager::SetSpeedMode(int mode) {
    const bool fast = mode == 2;
    m_readSpeed = m_writeSpeed = fast ? 38400 : 9600;
    m_speedChange = fast;
    m_engine->SetExtraPreamble(fast ? 12 : 0);
}

IUserInteraction& CCloneRsIoManager::UI() const { return GetRegistry()->UI(); }

bool CCloneRsIoManager::MakerReserve() const { return GetRegistry()->Model()->IsMakerReserve(); }

int CCloneRsIoManager::CompareModel(uint16_t pc, uint16_t repeater) const {
    return pc != repeater ? kCloneFailed : 0;
}

int CCloneRsIoManager::CompareRevision(uint16_t pc, uint16_t repeater,
                                       ECloneOperation operation) const {
    if (pc == 0 || pc == repeater)
        return 0;
    if (operation == ECloneOperation::Write && MakerReserve())
        return 0;
    return kCloneFailed;
}

std::string CCloneRsIoManager::LoadTransferFile(const std::string& path) {
    CCloneManager& registry = *GetRegistry();
    return registry.FileIo()->Load(path, registry.Image());
}

std::string CCloneRsIoManager::SaveTransferFile(const std::string& path) {
    CCloneManager& registry = *GetRegistry();
    const RangeTable& ranges = MakerReserve() ? CTolvarCloneFileIoManager::FullRange()
                                              : CTolvarCloneFileIoManager::UserRange();
    return registry.FileIo()->Save(path, ranges, registry.Image());
}

int CCloneRsIoManager::Identify(ECloneOperation operation) {
    const CModelObject& pc = GetRegistry()->Model()->GetModelObject();
    CCloneTransfer& engine = *m_engine;
    engine.SetPortName(PortName());
    engine.SetInteraction(&UI());
    engine.SetModelCode(pc.modelCode);
    engine.SetRevision(0);
    engine.SetSpeed(9600);
    engine.SetTransferFile(nullptr);

    UI().WaitCursor(true);
    const int result = engine.Run(kModeIdentify);
    if (result == kCloneOk) {
        m_info.modelCode = engine.ReceivedModelCode();
        m_info.revision = engine.ReceivedRevision();
        m_info.TakeInformation(engine.ReceivedInformation());
    }
    UI().WaitCursor(false);
    if (result != kCloneOk)
        return result;
    if (CompareModel(pc.modelCode, m_info.modelCode) != 0 ||
        CompareRevision(pc.revision, m_info.revision, operation) != 0)
        return kCloneIncompatible;
    return kCloneOk;
}

void CCloneRsIoManager::ChangeSpeed(uint32_t speed) {
    if (!m_speedChange)
        return;
    m_engine->SetChangeSpeed(speed);
    m_engine->Run(kModeSpeedChange);  // ends by its time-out; the result says nothing
    m_engine->SetSpeed(speed);
}

void CCloneRsIoManager::PlaySound(bool success) {
    IClock& clock = m_engine->Clock();
    if (success) {
        UI().Beep(1000, 50);
        clock.SleepMs(50);
        UI().Beep(1000, 50);
        clock.SleepMs(500);
        return;
    }
    for (int group = 0; group < 2; ++group) {
        UI().Beep(500, 400);
        clock.SleepMs(100);
        UI().Beep(500, 400);
        clock.SleepMs(group == 0 ? 100 : 500);
    }
}

void CCloneRsIoManager::Report(int result, int successBox, int failureStatus) {
    IUserInteraction& ui = UI();
    switch (result) {
    case kCloneOk:
        ui.SetStatusText(LoadMessage(5026));
        if (successBox)
            ui.MessageBox(LoadMessage(successBox), "", EButtons::Ok, EIcon::Information);
        break;
    case kCloneCancelled: ui.SetStatusText(LoadMessage(5031)); break;
    case kCloneIncompatible:
        ui.SetStatusText(LoadMessage(5029));
        ui.MessageBox(LoadMessage(5030), "", EButtons::Ok, EIcon::Stop);
        break;
    case kClonePortError:
        ui.SetStatusText(LoadMessage(5032));
        ui.MessageBox(LoadMessage(5035), "", EButtons::Ok, EIcon::Stop);
        break;
    default:
        ui.SetStatusText(LoadMessage(failureStatus));
        ui.MessageBox(LoadMessage(5061), "", EButtons::Ok, EIcon::Stop);
        break;
    }
}

int CCloneRsIoManager::ReadStep() {
    CCloneTransfer& engine = *m_engine;
    UI().SetStatusText(LoadMessage(5040));
    FilePtr file(std::fopen(m_transferFile.c_str(), "wb"));
    if (!file)
        return kCloneBadTransferFile;
    std::fprintf(file.get(), "%02X%02X%02X%02X\n#\n", engine.GetModelCode() >> 8,
                 engine.GetModelCode() & 0xFF, engine.GetRevision() >> 8,
                 engine.GetRevision() & 0xFF);
    engine.SetExpectedReadTotal(m_readTotal);
    engine.SetTransferFile(file.get());
    int result = engine.Run(kModeRead);
    engine.SetTransferFile(nullptr);
    const bool written = std::fflush(file.get()) == 0;
    if (std::fclose(file.release()) != 0 || !written)
        result = result == kCloneOk ? kCloneBadTransferFile : result;
    return result;
}

int CCloneRsIoManager::Read() {
    CCloneManager& registry = *GetRegistry();
    if (const IDocumentHost* document = registry.Document(); document && document->IsModified()) {
        const std::string question = LoadMessage(5054) + "," + LoadMessage(5055);
        if (UI().MessageBox(question, "", EButtons::OkCancel, EIcon::None) != EAnswer::Ok)
            return kCloneCancelled;
    }
    int result = Identify(ECloneOperation::Read);
    if (result == kCloneOk) {
        m_engine->SetModelCode(m_info.modelCode);
        m_engine->SetRevision(m_info.revision);
        UI().WaitCursor(true);
        ChangeSpeed(m_readSpeed);
        result = ReadStep();
        if (result == kCloneOk) {
            // Only a file that is accepted whole and holds the whole user area counts.
            CEepromImage before;
            before.CopyFrom(registry.Image());
            const SAddrRange user = CTolvarCloneFileIoManager::UserRange().front();
            if (LoadTransferFile(m_transferFile) != kFileOk) {
                result = kCloneFailed;
            } else if (!registry.FileIo()->Covers(user.first, user.last)) {
                registry.Image().CopyFrom(before);
                result = kCloneFailed;
            }
        }
        UI().WaitCursor(false);
    }
    PlaySound(result == kCloneOk);
    Report(result, 0, 5027);
    return result;
}

int CCloneRsIoManager::WriteStep() {
    UI().SetStatusText(LoadMessage(5041));
    m_engine->SetExpectedWriteTotal(CountDataLines(m_transferFile));
    FilePtr file(std::fopen(m_transferFile.c_str(), "rb"));
    if (!file)
        return kCloneBadTransferFile;
    char buffer[64];
    if (!std::fgets(buffer, sizeof buffer, file.get()))
        return kCloneBadTransferFile;
    std::string header = buffer;
    header.erase(header.find_last_not_of("\r\n") + 1);
    if (header.size() < 8)
        return kCloneBadTransferFile;
    m_engine->SetTransferFile(file.get());
    const int result = m_engine->Run(kModeWrite);
    m_engine->SetTransferFile(nullptr);
    return result;
}

int CCloneRsIoManager::Write() {
    if (UI().MessageBox(LoadMessage(5056), "", EButtons::OkCancel, EIcon::None) != EAnswer::Ok)
        return kCloneCancelled;
    int result = Identify(ECloneOperation::Write);
    if (result == kCloneOk) {
        m_engine->SetModelCode(m_info.modelCode);
        m_engine->SetRevision(WriteRevision());
        UI().WaitCursor(true);
        ChangeSpeed(m_writeSpeed);
        // A transfer file that was not written must not be sent: it may be an old one.
        if (SaveTransferFile(m_transferFile) != kFileOk)
            result = kCloneBadTransferFile;
        else
            result = WriteStep();
        UI().WaitCursor(false);
    }
    PlaySound(result == kCloneOk);
    Report(result, 5034, 5028);
    return result;
}

int CCloneRsIoManager::Information() {
    const int result = Identify(ECloneOperation::Read);
    if (result == kCloneOk) {
        PlaySound(true);
        UI().ShowInformation(m_info);
        return result;
    }
    const int status = result == kClonePortError ? 5032 : 5029;
    const int box = result == kCloneIncompatible ? 5030 : result == kClonePortError ? 5035 : 5061;
    UI().SetStatusText(LoadMessage(status));
    UI().MessageBox(LoadMessage(box), "", EButtons::Ok, EIcon::Stop);
    return result;
}

int CQCloneRsIoManager::Read() {
    CCloneManager& registry = *GetRegistry();
    m_readTotal = static_cast<int>(registry.FileIo()->GetRecordCount());
    const int result = CCloneRsIoManager::Read();
    if (result != kCloneOk)
        return result;
    registry.Model()->SetModel(m_info.Variant(), false);
    // Normalising derives the priority byte from the channel nodes, so they must hold
    // the received channels, not the previous document's.
    registry.LoadImageToTree();
    registry.Adjust()->Normalise();
    registry.LoadImageToTree();
    if (IDocumentHost* document = registry.Document()) {
        document->UpdateAllViews();
        document->RebuildTree();
        document->SetModifiedFlag(true);
    }
    return result;
}

int CQCloneRsIoManager::Write() {
    CCloneManager& registry = *GetRegistry();
    if (MakerReserve() && UI().MessageBox(LoadMessage(5010), "", EButtons::YesNo,
                                          EIcon::Exclamation) != EAnswer::Yes)
        return kCloneFailed;
    registry.StoreTreeToImage();
    registry.Adjust()->Normalise();
    return CCloneRsIoManager::Write();
}

void CTolvarCloneRsIoManager::Initialize() {
    CQCloneRsIoManager::Initialize();
    m_info.modelCode = kModelCode;
    m_info.revision = kRevision;
    m_info.information.assign(SRepeaterInfo::kInformationSize, 0);
}

uint16_t CTolvarCloneRsIoManager::WriteRevision() const {
    return MakerReserve() ? GetRegistry()->Model()->GetModelObject().revision
                          : m_engine->ReceivedRevision();
}
