// One run of the clone exchange with the repeater: identification, speed change,
// read or write, over a port opened for the run and closed at its end.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "clone/CloneResult.h"
#include "clone/Frame.h"
#include "clone/PortFactory.h"
#include "clone/SerialPort.h"

class ITransferMonitor;

enum ETransferMode { kModeRead = 1, kModeWrite = 3, kModeIdentify = 4, kModeSpeedChange = 5 };

class CCloneTransfer {
public:
    CCloneTransfer();

    // Where ports come from; the default opens serial devices only.
    void SetPortMaker(PortMaker maker) { m_portMaker = std::move(maker); }
    void SetPortName(const std::string& name) { m_portName = name; }
    void SetClock(IClock& clock) { m_clock = &clock; }
    IClock& Clock() const { return *m_clock; }
    // Progress, cancel and the port's own failures; none: not shown.
    void SetMonitor(ITransferMonitor* monitor) { m_monitor = monitor; }

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
    // A read appends the record lines it receives (data-file format, no line end).
    void SetReadSink(std::vector<std::string>* lines) { m_readSink = lines; }
    // A write sends these lines in order (lines starting with "#" are skipped; an
    // empty line ends the records).
    void SetWriteSource(const std::vector<std::string>* lines, size_t first = 0) {
        m_writeSource = lines;
        m_nextLine = first;
    }
    void SetExpectedReadTotal(int total) { m_readTotal = total; }
    void SetExpectedWriteTotal(int total) { m_writeTotal = total; }

    // One run: Ok, Cancelled, Failed or PortError.
    ECloneResult Run(int mode);

    // The last identification answer.
    uint16_t ReceivedModelCode() const { return m_rxModelCode; }
    uint16_t ReceivedRevision() const { return m_rxRevision; }
    const ByteVec& ReceivedInformation() const { return m_rxInformation; }
    int GetRecordCount() const { return m_records; }
    // Why the last run ended (Ended when it ended normally), and for a failure what
    // happened on the line ("no echo of the read request (E2) ...").
    ERunError GetErrorCode() const { return m_error; }
    const std::string& FailureDetail() const { return m_detail; }

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
    void Fail(ERunError error, const std::string& detail);
    // The last frame sent, and what the line's silence means, for messages.
    std::string SentName() const;
    std::string SilenceText() const;

    PortMaker m_portMaker;
    std::string m_portName = "COM1";
    CSteadyClock m_steadyClock;
    IClock* m_clock;
    ITransferMonitor* m_monitor = nullptr;
    std::unique_ptr<CSerialPort> m_port;

    uint32_t m_speed = 9600;
    uint32_t m_changeSpeed = 9600;
    uint16_t m_modelCode = 0;
    uint16_t m_revision = 0;
    int m_extraPreamble = 0;
    std::vector<std::string>* m_readSink = nullptr;
    const std::vector<std::string>* m_writeSource = nullptr;
    size_t m_nextLine = 0;
    int m_readTotal = 0;
    int m_writeTotal = 0;

    int m_mode = 0;
    ERunError m_error = ERunError::None;
    ERunError m_pendingError = ERunError::None;
    std::string m_detail;
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
