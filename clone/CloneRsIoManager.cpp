#include "CloneRsIoManager.h"

#include <algorithm>

#include "datafile/CloneFileIoManager.h"
#include "datamodel/DataManagers.h"
#include "datamodel/EditHistory.h"
#include "datamodel/Hex.h"

namespace {

const char* VariantName(int model) { return model ? "PMR" : "LMR"; }
// "an LMR", "a PMR".
std::string WithArticle(int model) { return std::string(model ? "a " : "an ") + VariantName(model); }

const std::vector<SBeep> kSuccessBeeps = {{1000, 50, 50}, {1000, 50, 500}};
const std::vector<SBeep> kFailureBeeps = {
    {500, 400, 100}, {500, 400, 100}, {500, 400, 100}, {500, 400, 500}};

// Lines that carry data: neither empty nor comments (the header counts).
int CountDataLines(const std::vector<std::string>& lines) {
    return static_cast<int>(std::count_if(lines.begin(), lines.end(), [](const std::string& l) {
        return !l.empty() && l != "\r" && l[0] != '#';
    }));
}


} // namespace

CCloneRsIoManager::CCloneRsIoManager() : m_engine(std::make_unique<CCloneTransfer>()) {}

CCloneRsIoManager::~CCloneRsIoManager() = default;

void CCloneRsIoManager::SetPortNumber(int n) {
    if (n >= 1 && n <= 4)
        m_portNumber = n;
}

std::string CCloneRsIoManager::PortName() const {
    return m_portName.empty() ? "COM" + std::to_string(m_portNumber) : m_portName;
}

void CCloneRsIoManager::SetSpeedMode(int mode) {
    m_speedChange = mode == 2;
    m_speed = m_speedChange ? 38400 : 9600;
    m_engine->SetExtraPreamble(m_speedChange ? 12 : 0);
}

IUserInteraction& CCloneRsIoManager::UI() const { return GetRegistry()->UI(); }

bool CCloneRsIoManager::MakerReserve() const { return GetRegistry()->Model()->IsMakerReserve(); }

CTolvarCloneFileIoManager& CCloneRsIoManager::FileIo() const {
    return *GetRegistry()->SlotAs<CTolvarCloneFileIoManager>(SlotFileIo);
}

ECloneResult CCloneRsIoManager::CompareModel(uint16_t pc, uint16_t repeater) const {
    return pc != repeater ? ECloneResult::Failed : ECloneResult::Ok;
}

ECloneResult CCloneRsIoManager::CompareRevision(uint16_t pc, uint16_t repeater,
                                                const SCloneJob& job) const {
    if (pc == 0 || pc == repeater)
        return ECloneResult::Ok;
    if (job.operation == ECloneOperation::Write && job.makerReserve)
        return ECloneResult::Ok;
    return ECloneResult::Failed;
}

ECloneResult CCloneRsIoManager::Read() { return Run(ECloneOperation::Read); }
ECloneResult CCloneRsIoManager::Write() { return Run(ECloneOperation::Write); }
ECloneResult CCloneRsIoManager::Information() { return Run(ECloneOperation::Information); }

ECloneResult CCloneRsIoManager::Run(ECloneOperation operation) {
    SCloneJob job;
    job.operation = operation;
    if (!Prepare(job))
        return job.result;
    CInteractionMonitor monitor(UI());
    Transfer(job, monitor);
    return Finish(job);
}

bool CCloneRsIoManager::Prepare(SCloneJob& job) {
    CCloneManager& registry = *GetRegistry();
    switch (job.operation) {
    case ECloneOperation::Read:
        if (const IDocumentHost* document = registry.Document();
            document && document->IsModified()) {
            const std::string question =
                LoadMessage(EMsg::ReadFromRepeater) + "," + LoadMessage(EMsg::DataEdited);
            if (UI().MessageBox(question, "", EButtons::OkCancel, EIcon::None) != EAnswer::Ok) {
                job.result = ECloneResult::Cancelled;
                return false;
            }
        }
        break;
    case ECloneOperation::Write:
        if (UI().MessageBox(LoadMessage(EMsg::WriteToRepeater), "", EButtons::OkCancelDefaultCancel,
                            EIcon::None) != EAnswer::Ok) {
            job.result = ECloneResult::Cancelled;
            return false;
        }
        break;
    case ECloneOperation::Information: break;
    }
    const CModelObject& pc = registry.Model()->GetModelObject();
    job.portName = PortName();
    job.modelCode = pc.modelCode;
    job.revision = pc.revision;
    job.model = registry.Model()->GetModel();
    job.makerReserve = MakerReserve();
    job.speedChange = m_speedChange;
    job.speed = m_speed;
    job.readTotal = static_cast<int>(FileIo().GetRecordCount());
    // An information block the repeater sends that is not taken keeps the last one.
    job.info = m_info;
    if (job.operation == ECloneOperation::Write) {
        const RangeTable& ranges = job.makerReserve ? CTolvarCloneFileIoManager::FullRange()
                                                    : CTolvarCloneFileIoManager::UserRange();
        job.lines = FileIo().Format(ranges, registry.Image());
    }
    UI().WaitCursor(true);
    return true;
}

void CCloneRsIoManager::Transfer(SCloneJob& job, ITransferMonitor& monitor) {
    job.result = Identify(job, monitor);
    if (job.result != ECloneResult::Ok || job.operation == ECloneOperation::Information)
        return;
    const bool read = job.operation == ECloneOperation::Read;
    // A write of the other variant turns the repeater into that variant: ask first.
    if (!read && job.info.Variant() != job.model) {
        const std::string question =
            " The data is for " + WithArticle(job.model) + " repeater, but the repeater on " +
            job.portName + " is " + WithArticle(job.info.Variant()) + " repeater.\n Writing makes it " +
            WithArticle(job.model) + " repeater.\n\n Write anyway?";
        if (!monitor.Confirm(question)) {
            job.result = ECloneResult::Cancelled;
            job.detail = "nothing was sent: the data and the repeater are of different variants";
            return;
        }
    }
    m_engine->SetModelCode(job.info.modelCode);
    m_engine->SetRevision(read ? job.info.revision : WriteRevision(job));
    if (job.speedChange) {
        m_engine->SetChangeSpeed(job.speed);
        m_engine->Run(kModeSpeedChange);  // ends by its time-out; the result says nothing
        m_engine->SetSpeed(job.speed);
    }
    job.result = read ? ReadStep(job, monitor) : WriteStep(job, monitor);
    if (job.result != ECloneResult::Ok)
        job.detail = m_engine->FailureDetail();
}

ECloneResult CCloneRsIoManager::Identify(SCloneJob& job, ITransferMonitor& monitor) {
    CCloneTransfer& engine = *m_engine;
    engine.SetPortName(job.portName);
    engine.SetMonitor(&monitor);
    engine.SetModelCode(job.modelCode);
    engine.SetRevision(0);
    engine.SetSpeed(9600);
    engine.SetReadSink(nullptr);
    engine.SetWriteSource(nullptr);

    const ECloneResult result = engine.Run(kModeIdentify);
    if (result == ECloneResult::PortError)
        job.detail = "the port " + job.portName + " could not be opened";
    else if (result != ECloneResult::Ok)
        job.detail = engine.FailureDetail();
    if (result != ECloneResult::Ok)
        return result;
    job.identified = true;
    job.info.modelCode = engine.ReceivedModelCode();
    job.info.revision = engine.ReceivedRevision();
    job.info.TakeInformation(engine.ReceivedInformation());
    if (CompareModel(job.modelCode, job.info.modelCode) != ECloneResult::Ok ||
        CompareRevision(job.revision, job.info.revision, job) != ECloneResult::Ok) {
        job.detail = "the repeater sent model code " + HexText(job.info.modelCode, 4) +
                     " and revision " + HexText(job.info.revision, 4) +
                     "; this program handles model code " + HexText(job.modelCode, 4) +
                     ", revision " + HexText(job.revision, 4);
        return ECloneResult::Incompatible;
    }
    return ECloneResult::Ok;
}

ECloneResult CCloneRsIoManager::ReadStep(SCloneJob& job, ITransferMonitor& monitor) {
    CCloneTransfer& engine = *m_engine;
    monitor.Status(LoadMessage(EMsg::NowReading));
    job.lines = {HexText(engine.GetModelCode(), 4) + HexText(engine.GetRevision(), 4), "#"};
    engine.SetExpectedReadTotal(job.readTotal);
    engine.SetReadSink(&job.lines);
    const ECloneResult result = engine.Run(kModeRead);
    engine.SetReadSink(nullptr);
    return result;
}

ECloneResult CCloneRsIoManager::WriteStep(SCloneJob& job, ITransferMonitor& monitor) {
    monitor.Status(LoadMessage(EMsg::NowWriting));
    m_engine->SetExpectedWriteTotal(CountDataLines(job.lines));
    // The header names the file's model; the records follow it.
    m_engine->SetWriteSource(&job.lines, 1);
    const ECloneResult result = m_engine->Run(kModeWrite);
    m_engine->SetWriteSource(nullptr);
    return result;
}

ECloneResult CCloneRsIoManager::TakeReceivedImage(SCloneJob& job) {
    CEepromImage& image = GetRegistry()->Image();
    CEepromImage before;
    before.CopyFrom(image);
    const SAddrRange user = CTolvarCloneFileIoManager::UserRange().front();
    if (const EFileResult result = FileIo().LoadLines(job.lines, image); result != EFileResult::Ok) {
        job.detail = std::string("the data received was refused: ") + FileResultText(result);
        return ECloneResult::Failed;
    }
    if (!FileIo().Covers(user.first, user.last)) {
        image.CopyFrom(before);
        job.detail = "the data received does not cover the user area " + HexText(user.first, 4) +
                     "-" + HexText(user.last, 4);
        return ECloneResult::Failed;
    }
    return ECloneResult::Ok;
}

ECloneResult CCloneRsIoManager::Finish(SCloneJob& job) {
    UI().WaitCursor(false);
    if (job.identified)
        m_info = job.info;
    m_detail.clear();
    switch (job.operation) {
    case ECloneOperation::Read:
        if (job.result == ECloneResult::Ok)
            job.result = TakeReceivedImage(job);
        Report(job, std::nullopt, EMsg::CannotReadCloning);
        break;
    case ECloneOperation::Write:
        Report(job, EMsg::WriteSucceeded, EMsg::CannotWriteCloning);
        break;
    case ECloneOperation::Information:
        if (job.result == ECloneResult::Ok) {
            PlaySound(true);
            UI().ShowInformation(m_info);
            break;
        }
        UI().SetStatusText(LoadMessage(job.result == ECloneResult::PortError
                                           ? EMsg::CannotAccessPort
                                           : EMsg::IllegalInformation));
        UI().MessageBox(LoadMessage(job.result == ECloneResult::Incompatible ? EMsg::CannotBeProgrammed
                                    : job.result == ECloneResult::PortError
                                        ? EMsg::CheckPortAndPower
                                        : EMsg::CheckPortAndSoftware),
                        "", EButtons::Ok, EIcon::Stop);
        break;
    }
    if (job.result != ECloneResult::Ok)
        m_detail = job.detail;
    return job.result;
}

void CCloneRsIoManager::PlaySound(bool success) {
    UI().PlayBeeps(success ? kSuccessBeeps : kFailureBeeps);
}

void CCloneRsIoManager::Report(const SCloneJob& job, std::optional<EMsg> successBox,
                               EMsg failureStatus) {
    const ECloneResult result = job.result;
    if (!(result == ECloneResult::Ok ? job.reportSuccess : job.reportFailure))
        return;
    PlaySound(result == ECloneResult::Ok);
    IUserInteraction& ui = UI();
    switch (result) {
    case ECloneResult::Ok:
        ui.SetStatusText(LoadMessage(EMsg::CloningCompleted));
        if (successBox)
            ui.MessageBox(LoadMessage(*successBox), "", EButtons::Ok, EIcon::Information);
        break;
    case ECloneResult::Cancelled: ui.SetStatusText(LoadMessage(EMsg::TerminatedCloning)); break;
    case ECloneResult::Incompatible:
        ui.SetStatusText(LoadMessage(EMsg::IllegalInformation));
        ui.MessageBox(LoadMessage(EMsg::CannotBeProgrammed), "", EButtons::Ok, EIcon::Stop);
        break;
    case ECloneResult::PortError:
        ui.SetStatusText(LoadMessage(EMsg::CannotAccessPort));
        ui.MessageBox(LoadMessage(EMsg::CheckPortAndPower), "", EButtons::Ok, EIcon::Stop);
        break;
    case ECloneResult::Failed:
        ui.SetStatusText(LoadMessage(failureStatus));
        ui.MessageBox(LoadMessage(EMsg::CheckPortAndSoftware), "", EButtons::Ok, EIcon::Stop);
        break;
    }
}

bool CQCloneRsIoManager::Prepare(SCloneJob& job) {
    if (job.operation == ECloneOperation::Write) {
        CCloneManager& registry = *GetRegistry();
        if (MakerReserve() && UI().MessageBox(LoadMessage(EMsg::MakerReserveCaution), "",
                                              EButtons::YesNoDefaultNo,
                                              EIcon::Exclamation) != EAnswer::Yes) {
            job.result = ECloneResult::Failed;
            return false;
        }
        registry.StoreTreeToImage();
        registry.Adjust()->Normalise();
    }
    return CCloneRsIoManager::Prepare(job);
}

ECloneResult CQCloneRsIoManager::TakeReceivedImage(SCloneJob& job) {
    CCloneManager& registry = *GetRegistry();
    CEditStep step(registry, "Read from repeater");
    const ECloneResult result = CCloneRsIoManager::TakeReceivedImage(job);
    if (result != ECloneResult::Ok)
        return result;
    step.Always();
    registry.Model()->SetModel(m_info.Variant(), false);
    // Normalising derives the priority byte from the channel nodes, so they must hold
    // the received channels, not the previous document's.
    registry.LoadImageToTree();
    registry.Adjust()->Normalise();
    registry.LoadImageToTree();
    registry.ImageReplaced();
    if (IDocumentHost* document = registry.Document()) {
        document->UpdateAllViews();
        document->RebuildTree();
    }
    return result;
}

void CTolvarCloneRsIoManager::Initialize() {
    CQCloneRsIoManager::Initialize();
    m_info.modelCode = kModelCode;
    m_info.revision = kRevision;
    m_info.information.assign(SRepeaterInfo::kInformationSize, 0);
}

uint16_t CTolvarCloneRsIoManager::WriteRevision(const SCloneJob& job) const {
    return job.makerReserve ? job.revision : m_engine->ReceivedRevision();
}
