// One run of the clone exchange with the repeater: identification, speed change,
// read or write, over a port opened for the run and closed at its end.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "clone/Frame.h"
#include "clone/SerialPort.h"

class IUserInteraction;

enum ETransferMode { kModeRead = 1, kModeWrite = 3, kModeIdentify = 4, kModeSpeedChange = 5 };

// Result codes of a run and of the clone operations.
inline constexpr int kCloneOk = 0;
inline constexpr int kCloneCancelled = 1;
inline constexpr int kCloneFailed = 77;
inline constexpr int kCloneBadTransferFile = 80;
inline constexpr int kCloneIncompatible = 85;
inline constexpr int kClonePortError = 91;

// Error codes while a run goes on (0: running).
inline constexpr int kRunEnded = 2;
inline constexpr int kRunBadFrame = 80;
inline constexpr int kRunNoEcho = 81;
inline constexpr int kRunNoAnswer = 82;

using PortMaker = std::function<std::unique_ptr<CSerialPort>(const std::string& name)>;

class CCloneTransfer {
public:
    CCloneTransfer();

    // Where ports come from; the default opens the named device or the simulator.
    void SetPortMaker(PortMaker maker) { m_portMaker = std::move(maker); }
    void SetPortName(const std::string& name) { m_portName = name; }
    const std::string& GetPortName() const { return m_portName; }
    void SetClock(IClock& clock) { m_clock = &clock; }
    IClock& Clock() const { return *m_clock; }
    // Progress, cancel and the port's own error boxes; none: not shown.
    void SetInteraction(IUserInteraction* ui) { m_ui = ui; }

    // 9600, 14400, 19200, 28800 or 38400; anything else becomes 9600.
    void SetSpeed(uint32_t speed);
    uint32_t GetSpeed() const { return m_speed; }
    // The speed a speed-change run asks the repeater for.
    void SetChangeSpeed(uint32_t speed) { m_changeSpeed = speed; }
    void SetModelCode(uint16_t code) { m_modelCode = code; }
    uint16_t GetModelCode() const { return m_modelCode; }
    void SetRevision(uint16_t revision) { m_revision = revision; }
    uint16_t GetRevision() const { return m_revision; }
    // FE bytes sent before every data and end frame of a write.
    void SetExtraPreamble(int count) { m_extraPreamble = count; }
    int GetExtraPreamble() const { return m_extraPreamble; }
    // A read appends record lines to it; a write sends its remaining lines.
    void SetTransferFile(std::FILE* file) { m_file = file; }
    void SetExpectedReadTotal(int total) { m_readTotal = total; }
    void SetExpectedWriteTotal(int total) { m_writeTotal = total; }

    // One run: 0 success, 1 cancelled, 77 communication failure, 91 port not opened.
    int Run(int mode);

    // The last identification answer.
    uint16_t ReceivedModelCode() const { return m_rxModelCode; }
    uint16_t ReceivedRevision() const { return m_rxRevision; }
    const ByteVec& ReceivedInformation() const { return m_rxInformation; }
    int GetRecordCount() const { return m_records; }
    // The error code the last run ended with (2 ended normally, 80, 81, 82, 1).
    int GetErrorCode() const { return m_error; }

private:
    void Exchange();
    void Dispatch(const ByteVec& frame);
    void DispatchEcho(const ByteVec& frame);
    void DispatchAnswer(const ByteVec& frame);
    void TakeIdentification(const ByteVec& frame);
    void TakeRecord(const ByteVec& frame);
    void SendFrame(const ByteVec& body, int extraPreamble);
    void SendFirstFrame();
    void SendNextRecord();
    bool NextLine(std::string& line);
    bool AwaitingEcho() const;
    bool ShowsProgress() const { return m_mode == kModeRead || m_mode == kModeWrite; }
    void UpdateProgress();
    bool CancelRequested();

    PortMaker m_portMaker;
    std::string m_portName = "COM1";
    CSteadyClock m_steadyClock;
    IClock* m_clock;
    IUserInteraction* m_ui = nullptr;
    std::unique_ptr<CSerialPort> m_port;

    uint32_t m_speed = 9600;
    uint32_t m_changeSpeed = 9600;
    uint16_t m_modelCode = 0;
    uint16_t m_revision = 0;
    int m_extraPreamble = 0;
    std::FILE* m_file = nullptr;
    int m_readTotal = 0;
    int m_writeTotal = 0;

    int m_mode = 0;
    int m_error = 0;
    int m_pendingError = 0;
    bool m_echoAwaited = false;
    bool m_writeEndSent = false;
    bool m_writeEndEchoed = false;
    int m_records = 0;
    int m_lastPercent = 0;
    uint64_t m_lastActivity = 0;
    CFrameReceiver m_receiver;
    ByteVec m_lastSent;

    uint16_t m_rxModelCode = 0;
    uint16_t m_rxRevision = 0;
    ByteVec m_rxInformation;
};
