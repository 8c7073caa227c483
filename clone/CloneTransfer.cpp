#include "CloneTransfer.h"

#include <algorithm>
#include <cctype>

#include "clone/TransferMonitor.h"
#include "datamodel/Hex.h"

namespace {


constexpr uint32_t kPortBufferSize = 65536;
constexpr int kSettleMs = 200;
// A run ends when the whole seconds since the last frame exceed this.
constexpr uint64_t kIdleSeconds = 2;
// Longest wait on the port before cancel is looked at again.
constexpr int kWaitSliceMs = 100;
constexpr size_t kMaxLineChars = 255;

} // namespace

CCloneTransfer::CCloneTransfer()
    : m_portMaker([](const std::string& name) { return CPortFactory().Create(name); }),
      m_clock(&m_steadyClock) {}

void CCloneTransfer::SetSpeed(uint32_t speed) { m_speed = NormaliseSpeed(speed); }

ECloneResult CCloneTransfer::Run(int mode) {
    m_mode = mode;
    m_error = ERunError::None;
    m_detail.clear();
    m_echoAwaited = true;
    m_writeEndSent = false;
    m_writeEndEchoed = false;
    m_lastPercent = 0;
    m_receiver.Reset();
    m_lastSent.clear();
    if (mode == kModeIdentify) {
        m_rxModelCode = 0;
        m_rxRevision = 0;
        m_rxInformation.clear();
    }
    if (ShowsProgress() && m_monitor)
        m_monitor->ProgressBegin(mode == kModeRead ? "Reading" : "Writing");

    ECloneResult result = ECloneResult::PortError;
    m_port = m_portMaker ? m_portMaker(m_portName) : nullptr;
    if (m_port) {
        m_port->SetMonitor(m_monitor);
        if (m_port->Open(m_portName, m_speed, kPortBufferSize)) {
            Exchange();
            result = m_error == ERunError::Ended       ? ECloneResult::Ok
                     : m_error == ERunError::Cancelled ? ECloneResult::Cancelled
                                                       : ECloneResult::Failed;
            m_port->Close();
        }
        m_port.reset();
    }
    if (ShowsProgress() && m_monitor)
        m_monitor->ProgressEnd();
    return result;
}

void CCloneTransfer::Exchange() {
    m_clock->SleepMs(kSettleMs);
    SendFirstFrame();
    m_clock->SleepMs(kSettleMs);
    m_pendingError = ERunError::NoEcho;
    m_lastActivity = m_clock->NowMs();
    m_records = 0;

    uint8_t buffer[256];
    while (m_error == ERunError::None) {
        const uint64_t idle = m_clock->NowMs() - m_lastActivity;
        if (idle / 1000 > kIdleSeconds) {
            Fail(m_pendingError, SilenceText());
            break;
        }
        int wait = static_cast<int>((kIdleSeconds + 1) * 1000 - idle);
        if (ShowsProgress())
            wait = std::min(wait, kWaitSliceMs);
        if (!m_port->WaitReadable(wait)) {
            if (ShowsProgress() && CancelRequested())
                m_error = ERunError::Cancelled;
            continue;
        }
        size_t count = 0;
        if (!m_port->Read(buffer, sizeof buffer, count) || count == 0) {
            // Readable but nothing to read (a failing device): do not spin.
            m_clock->SleepMs(10);
            continue;
        }
        for (size_t i = 0; i < count && m_error == ERunError::None; ++i) {
            if (!m_receiver.Feed(buffer[i]))
                continue;
            m_lastActivity = m_clock->NowMs();
            Dispatch(m_receiver.Frame());
            if (ShowsProgress())
                UpdateProgress();
        }
    }
}

bool CCloneTransfer::AwaitingEcho() const {
    if (m_mode == kModeRead || m_mode == kModeIdentify)
        return m_echoAwaited;
    return m_mode == kModeWrite && !m_writeEndEchoed;
}

void CCloneTransfer::Dispatch(const ByteVec& frame) {
    if (AwaitingEcho())
        DispatchEcho(frame);
    else
        DispatchAnswer(frame);
}

void CCloneTransfer::DispatchEcho(const ByteVec& frame) {
    if (frame.size() < 2 || frame[0] != kAddrRepeater || frame[1] != kAddrPc)
        return;
    if (frame != m_lastSent) {
        Fail(ERunError::BadFrame, "the echo of the " + SentName() + " differs from what was sent");
        return;
    }
    switch (frame[2]) {
    case kCmdIdentify:
    case kCmdReadRequest:
        m_echoAwaited = false;
        m_pendingError = ERunError::NoAnswer;
        break;
    case kCmdWriteRequest:
        m_clock->SleepMs(kSettleMs);
        m_records = 0;
        SendNextRecord();
        break;
    case kCmdData: SendNextRecord(); break;
    case kCmdEnd:
        if (m_mode == kModeWrite) {
            m_writeEndEchoed = true;
            m_pendingError = ERunError::NoAnswer;
        } else {
            m_error = ERunError::Ended;
        }
        break;
    default: break;
    }
}

void CCloneTransfer::DispatchAnswer(const ByteVec& frame) {
    if (frame.size() < 3 || frame[0] != kAddrPc || frame[1] != kAddrRepeater)
        return;
    const ByteVec payload(frame.begin() + 3, frame.end());
    switch (frame[2]) {
    case kCmdIdentifyAnswer:
        if (m_mode != kModeIdentify)
            Fail(ERunError::BadFrame, "an unexpected identification answer (E1)");
        else
            TakeIdentification(frame);
        break;
    case kCmdData:
        if (m_mode != kModeRead)
            Fail(ERunError::BadFrame, "an unexpected data record (E4) from the repeater");
        else
            TakeRecord(payload);
        break;
    case kCmdEnd:
        if (m_mode != kModeRead || !IsEndPayload(payload)) {
            Fail(ERunError::BadFrame, "an unexpected end frame (E5) from the repeater");
            break;
        }
        m_records = m_readTotal;
        m_error = ERunError::Ended;
        break;
    case kCmdWriteResult:
        if (m_mode != kModeWrite || !m_writeEndSent || !m_writeEndEchoed)
            Fail(ERunError::BadFrame, "an unexpected write result (E6)");
        else if (!payload.empty() && payload[0] == 0x00)
            m_error = ERunError::Ended;
        else
            Fail(ERunError::BadFrame, "the repeater refused the write (E6 " +
                                          (payload.empty() ? std::string("without a code")
                                                           : HexText(payload[0], 2)) +
                                          ")");
        break;
    default: break;
    }
}

void CCloneTransfer::TakeIdentification(const ByteVec& frame) {
    // Model code and revision must be there at least.
    if (frame.size() < 7) {
        Fail(ERunError::BadFrame, "an identification answer without model code and revision");
        return;
    }
    const ByteVec information(frame.begin() + 7, frame.end());
    if (std::any_of(information.begin(), information.end(), [](uint8_t b) { return b > 0xEF; })) {
        Fail(ERunError::BadFrame, "an identification answer with a byte above EF");
        return;
    }
    m_rxModelCode = WordAt(frame, 3);
    m_rxRevision = WordAt(frame, 5);
    m_rxInformation = information;
    m_error = ERunError::Ended;
}

void CCloneTransfer::TakeRecord(const ByteVec& payload) {
    SRecord record;
    if (const ERecordCheck check = DecodeRecordPayload(payload, record); check != ERecordCheck::Ok) {
        Fail(ERunError::BadFrame,
             check == ERecordCheck::Format
                 ? "a data record that is not hexadecimal text"
                 : std::string(check == ERecordCheck::Checksum ? "a checksum error"
                                                               : "a wrong byte count") +
                       " in the record at 0x" + HexText(record.address, 4));
        return;
    }
    if (m_readSink)
        m_readSink->push_back(record.Line());
    ++m_records;
}

void CCloneTransfer::SendFrame(const ByteVec& body, int extraPreamble) {
    m_lastSent = body;
    const ByteVec frame = BuildFrame(body, extraPreamble);
    m_port->Write(frame.data(), frame.size());
}

void CCloneTransfer::SendFirstFrame() {
    ByteVec payload;
    AppendWord(payload, m_modelCode);
    uint8_t command = kCmdIdentify;
    switch (m_mode) {
    case kModeRead:
        command = kCmdReadRequest;
        AppendWord(payload, m_revision);
        break;
    case kModeWrite:
        command = kCmdWriteRequest;
        AppendWord(payload, m_revision);
        break;
    case kModeSpeedChange:
        command = kCmdSpeedChange;
        payload = BuildSpeedPayload(m_modelCode, m_revision, m_changeSpeed);
        break;
    default: AppendWord(payload, 0); break;
    }
    SendFrame(MakeFrameBody(kAddrRepeater, kAddrPc, command, payload), 0);
}

bool CCloneTransfer::NextLine(std::string& line) {
    while (m_writeSource && m_nextLine < m_writeSource->size()) {
        line = (*m_writeSource)[m_nextLine++];
        if (!line.empty() && line[0] == '#')
            continue;
        auto blank = [](char ch) { return std::isspace(static_cast<unsigned char>(ch)) != 0; };
        const auto first = std::find_if_not(line.begin(), line.end(), blank);
        const auto last = std::find_if_not(line.rbegin(), line.rend(), blank).base();
        line = first < last ? std::string(first, last) : std::string();
        if (line.size() > kMaxLineChars)
            line.resize(kMaxLineChars);
        return true;
    }
    return false;
}

void CCloneTransfer::SendNextRecord() {
    std::string line;
    if (!NextLine(line) || line.empty()) {
        m_writeEndSent = true;
        m_records = m_writeTotal;
        SendFrame(MakeFrameBody(kAddrRepeater, kAddrPc, kCmdEnd, EndPayload()), m_extraPreamble);
        return;
    }
    ByteVec payload;
    if (!EncodeRecordPayload(line, payload)) {
        // Never put a malformed record on the line.
        Fail(ERunError::BadFrame, "a malformed record to send: " + line);
        return;
    }
    ++m_records;
    SendFrame(MakeFrameBody(kAddrRepeater, kAddrPc, kCmdData, payload), m_extraPreamble);
}

void CCloneTransfer::UpdateProgress() {
    const int total = m_mode == kModeRead ? m_readTotal : m_writeTotal;
    const int percent = total > 0 ? std::min(100, m_records * 100 / total) : 0;
    if (percent == m_lastPercent)
        return;
    m_lastPercent = percent;
    if (m_monitor)
        m_monitor->ProgressSet(percent);
    // A run that has just ended is not undone by a late cancel.
    if (m_error == ERunError::None && CancelRequested())
        m_error = ERunError::Cancelled;
}

void CCloneTransfer::Fail(ERunError error, const std::string& detail) {
    m_error = error;
    m_detail = detail;
}

std::string CCloneTransfer::SilenceText() const {
    if (m_pendingError == ERunError::NoEcho)
        return "no echo of the " + SentName() + " (check the cable and the port)";
    if (m_mode == kModeRead && m_records > 0)
        return "the repeater stopped sending after " + std::to_string(m_records) + " records";
    return "no answer from the repeater after the " + SentName();
}

std::string CCloneTransfer::SentName() const {
    const uint8_t command = m_lastSent.size() > 2 ? m_lastSent[2] : 0;
    switch (command) {
    case kCmdIdentify: return "identification request (E0)";
    case kCmdReadRequest: return "read request (E2)";
    case kCmdWriteRequest: return "write request (E3)";
    case kCmdData: return "data record (E4) " + std::to_string(m_records);
    case kCmdEnd: return "end frame (E5)";
    case kCmdSpeedChange: return "speed change (E8)";
    default: return "frame";
    }
}

bool CCloneTransfer::CancelRequested() { return m_monitor && m_monitor->CancelRequested(); }
