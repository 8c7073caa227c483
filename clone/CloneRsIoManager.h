// The RS-232C clone I/O manager (registry slot 6): read, write and information as
// user operations over the transfer engine, each in three phases:
//   Prepare   on the UI thread: the questions, the checks of the document, the image
//             to send;
//   Transfer  on any thread: identification, compatibility checks, speed change and
//             the run; touches only the port, the engine and the job, and reaches the
//             user through an ITransferMonitor (see there for the thread rule);
//   Finish    on the UI thread: the received image into the document, status text,
//             message box and beeps.
// Read(), Write() and Information() run the three phases in a row.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "clone/CloneResult.h"
#include "clone/CloneTransfer.h"
#include "clone/RepeaterInfo.h"
#include "clone/TransferMonitor.h"
#include "datamodel/CloneManager.h"
#include "datamodel/Messages.h"

class CTolvarCloneFileIoManager;

enum class ECloneOperation { Read, Write, Information };

// One clone operation as it passes from phase to phase.
struct SCloneJob {
    ECloneOperation operation = ECloneOperation::Read;

    // Prepared: what the transfer needs, copied from the document.
    std::string portName;
    uint16_t modelCode = 0;  // the program's model
    uint16_t revision = 0;
    int model = 0;  // the document's variant (0 LMR, 1 PMR)
    bool makerReserve = false;
    bool speedChange = false;
    uint32_t speed = 9600;  // of the data, after the optional speed change
    int readTotal = 0;      // records a read expects
    // What Finish tells the user itself: false leaves it to the caller (a write that
    // is verified next, a read that only serves a comparison).
    bool reportSuccess = true;
    bool reportFailure = true;
    // A write: the data-file lines to send (header first). A read: the header of
    // the repeater's model, then the record lines received.
    std::vector<std::string> lines;

    // Transferred.
    ECloneResult result = ECloneResult::Ok;
    bool identified = false;
    SRepeaterInfo info;
    // For a failure, what happened ("no echo of the read request (E2) ...").
    std::string detail;
};

class CCloneRsIoManager : public CCloneManagerObject {
public:
    CCloneRsIoManager();
    ~CCloneRsIoManager() override;
    CCloneRsIoManager(const CCloneRsIoManager&) = delete;
    CCloneRsIoManager& operator=(const CCloneRsIoManager&) = delete;

    // COM1..COM4; other numbers are ignored.
    void SetPortNumber(int n);
    int GetPortNumber() const { return m_portNumber; }
    // A device path or "SIM" used instead of "COM<n>"; empty: the port number counts.
    void SetPortName(const std::string& name) { m_portName = name; }
    // The name the next run opens.
    std::string PortName() const;
    // 2: identification at 9600, data at 38400; anything else: all at 9600.
    void SetSpeedMode(int mode);
    int GetSpeedMode() const { return m_speedChange ? 2 : 1; }
    // Where the engine's ports come from.
    void SetPortMaker(PortMaker maker) { m_engine->SetPortMaker(std::move(maker)); }

    // The three phases in a row, on the caller's thread.
    ECloneResult Read();
    ECloneResult Write();
    ECloneResult Information();

    // Phase 1 (UI thread): false when the operation ends here; job.result says how.
    virtual bool Prepare(SCloneJob& job);
    // Phase 2 (any thread).
    void Transfer(SCloneJob& job, ITransferMonitor& monitor);
    // Phase 3 (UI thread): returns the operation's result (also in job.result).
    ECloneResult Finish(SCloneJob& job);

    virtual ECloneResult CompareModel(uint16_t pc, uint16_t repeater) const;
    virtual ECloneResult CompareRevision(uint16_t pc, uint16_t repeater,
                                         const SCloneJob& job) const;

    // The beeps of a clone operation that succeeded or failed.
    void PlaySound(bool success);

    // The last identification's answer.
    const SRepeaterInfo& GetRepeaterInfo() const { return m_info; }
    // What happened in the last operation that failed or was refused; empty after a
    // success.
    const std::string& LastDetail() const { return m_detail; }
    CCloneTransfer& Engine() { return *m_engine; }
    // Time of the engine.
    void SetClock(IClock& clock) { m_engine->SetClock(clock); }

protected:
    ECloneResult Run(ECloneOperation operation);
    ECloneResult Identify(SCloneJob& job, ITransferMonitor& monitor);
    ECloneResult ReadStep(SCloneJob& job, ITransferMonitor& monitor);
    ECloneResult WriteStep(SCloneJob& job, ITransferMonitor& monitor);
    // Revision sent with the write request.
    virtual uint16_t WriteRevision(const SCloneJob&) const { return m_engine->ReceivedRevision(); }
    // A read's records into the image: only when accepted whole and covering the
    // user area; otherwise the image stays as it was.
    virtual ECloneResult TakeReceivedImage(SCloneJob& job);
    bool MakerReserve() const;
    CTolvarCloneFileIoManager& FileIo() const;
    // Beeps, status text and box for the job's result, as far as the job asks for them.
    void Report(const SCloneJob& job, std::optional<EMsg> successBox, EMsg failureStatus);
    IUserInteraction& UI() const;

    SRepeaterInfo m_info;
    std::string m_detail;
    std::unique_ptr<CCloneTransfer> m_engine;
    bool m_speedChange = false;
    uint32_t m_speed = 9600;
    int m_portNumber = 1;
    std::string m_portName;
};

class CQCloneRsIoManager : public CCloneRsIoManager {
public:
    // A write first asks the maker-reserve caution, then stores the tree into the
    // image and normalises it.
    bool Prepare(SCloneJob& job) override;

protected:
    // Afterwards the model follows the repeater and the tree, the views and the
    // modified flag follow the new image.
    ECloneResult TakeReceivedImage(SCloneJob& job) override;
};

class CTolvarCloneRsIoManager : public CQCloneRsIoManager {
public:
    void Initialize() override;

protected:
    // With maker reserve the program's own revision, else the repeater's.
    uint16_t WriteRevision(const SCloneJob& job) const override;
};
