// The RS-232C clone I/O manager (registry slot 6): runs read, write and information
// as user operations over the transfer engine, with their questions and messages.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "clone/CloneTransfer.h"
#include "clone/RepeaterInfo.h"
#include "datamodel/CloneManager.h"

enum class ECloneOperation { Read, Write };

class CCloneRsIoManager : public CCloneManagerObject {
public:
    CCloneRsIoManager();
    ~CCloneRsIoManager() override;
    CCloneRsIoManager(const CCloneRsIoManager&) = delete;
    CCloneRsIoManager& operator=(const CCloneRsIoManager&) = delete;

    void Initialize() override;

    // COM1..COM4; other numbers are ignored.
    void SetPortNumber(int n);
    int GetPortNumber() const { return m_portNumber; }
    // A device path or "SIM" used instead of "COM<n>"; empty: the port number counts.
    void SetPortName(const std::string& name) { m_portName = name; }
    // The name the next run opens.
    std::string PortName() const;
    // 2: identification at 9600, data at 38400; anything else: all at 9600.
    void SetSpeedMode(int mode);
    int GetSpeedMode() const { return m_readSpeed == 38400 ? 2 : 1; }

    // Result codes: 0 success, 1 cancelled, 77 failure, 85 not compatible, 91 no port.
    virtual int Read();
    virtual int Write();
    virtual int Information();
    // The data-file reader's / writer's result text.
    virtual std::string LoadTransferFile(const std::string& path);
    virtual std::string SaveTransferFile(const std::string& path);
    virtual int CompareModel(uint16_t pc, uint16_t repeater) const;
    virtual int CompareRevision(uint16_t pc, uint16_t repeater, ECloneOperation operation) const;
    virtual int CompareVersion() const { return 0; }

    const SRepeaterInfo& GetRepeaterInfo() const { return m_info; }
    CCloneTransfer& Engine() { return *m_engine; }
    // Time of the engine and of the pauses between beeps.
    void SetClock(IClock& clock) { m_engine->SetClock(clock); }
    const std::string& TransferFile() const { return m_transferFile; }

protected:
    // Identification with the compatibility checks of the operation.
    int Identify(ECloneOperation operation);
    void ChangeSpeed(uint32_t speed);
    int ReadStep();
    int WriteStep();
    // Revision sent with the write request.
    virtual uint16_t WriteRevision() const { return m_engine->ReceivedRevision(); }
    bool MakerReserve() const;
    void PlaySound(bool success);
    void Report(int result, int successBox, int failureStatus);
    IUserInteraction& UI() const;

    SRepeaterInfo m_info;
    std::unique_ptr<CCloneTransfer> m_engine;
    std::string m_transferFile;
    bool m_speedChange = false;
    uint32_t m_readSpeed = 9600;
    uint32_t m_writeSpeed = 9600;
    int m_portNumber = 1;
    std::string m_portName;
    int m_readTotal = 0;
};

class CQCloneRsIoManager : public CCloneRsIoManager {
public:
    // The record count of the image; afterwards the model follows the repeater and
    // the tree, the views and the modified flag follow the new image.
    int Read() override;
    // The maker-reserve caution, then the tree into the image, normalised.
    int Write() override;
};

class CTolvarCloneRsIoManager : public CQCloneRsIoManager {
public:
    void Initialize() override;

protected:
    // With maker reserve the program's own revision, else the repeater's.
    uint16_t WriteRevision() const override;
};
