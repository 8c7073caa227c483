#include "SimulatedRepeater.h"

#include <algorithm>
#include <cstdio>

#include "datamodel/DataManagers.h"

namespace {

constexpr uint32_t kCommentAddr = 0x0150;
constexpr size_t kCommentLength = 32;
constexpr size_t kOptionIndex = 33;
constexpr size_t kVariantIndex = 34;
constexpr size_t kSubRevisionIndex = 37;
constexpr uint8_t kInfoMax = 0xEF;
// Stray bytes of the noise fault: no preamble or end byte among them.
const ByteVec kNoise = {0x00, 0x55, 0xAA, 0x13, 0xFF};

} // namespace

CSimulatedRepeater::CSimulatedRepeater()
    : m_image(kImageSize), m_modelCode(kModelCode), m_revision(kRevision),
      m_staging(kImageSize) {
    LoadFactoryImage(0);
}

void CSimulatedRepeater::LoadFactoryImage(int model) {
    const std::vector<uint8_t>& table = FactoryTable(model);
    m_image.Resize(kImageSize);
    m_image.Write(0, table.data(), static_cast<uint32_t>(table.size()));
}

void CSimulatedRepeater::SetImage(const CEepromImage& image) {
    m_image.Resize(kImageSize);
    const uint32_t n = std::min(image.GetSize(), kImageSize);
    if (n > 0)
        m_image.Write(0, image.Bytes().data(), n);
}

void CSimulatedRepeater::SetOptionByte(uint8_t value) {
    m_optionByte = std::min(value, kInfoMax);
}

void CSimulatedRepeater::SetSubRevision(uint8_t value) {
    m_subRevision = std::min(value, kInfoMax);
}

ByteVec CSimulatedRepeater::InformationBlock() const {
    ByteVec info(kInfoBlockSize, 0);
    for (size_t i = 0; i < kCommentLength; ++i) {
        const uint8_t c = m_image.GetByte(kCommentAddr + static_cast<uint32_t>(i));
        info[i] = c >= 0x20 && c < 0x7F ? c : ' ';
    }
    info[kOptionIndex] = m_optionByte;
    info[kVariantIndex] = static_cast<uint8_t>(m_image.GetBit(kModelAddr, kModelBit) << 1);
    info[kSubRevisionIndex] = m_subRevision;
    return info;
}

void CSimulatedRepeater::Receive(const uint8_t* data, size_t count, uint32_t lineSpeed,
                                 Clock::time_point now) {
    const uint32_t sentAt = lineSpeed ? lineSpeed : m_speed;
    if (!m_faults.Has(EFault::NoEcho)) {
        ByteVec echo(data, data + count);
        if (m_faults.Has(EFault::CorruptEcho)) {
            for (uint8_t& b : echo) {
                m_echoPos = b == kFramePreamble ? 0 : m_echoPos + 1;
                if (m_echoPos == 3)
                    b ^= 0x01;
            }
        }
        m_output.Push(echo, sentAt, m_paced, now);
    }
    if (sentAt != m_speed)
        return;
    for (size_t i = 0; i < count; ++i)
        if (m_receiver.Feed(data[i]))
            Dispatch(m_receiver.Frame(), now);
}

void CSimulatedRepeater::Dispatch(const ByteVec& body, Clock::time_point now) {
    if (body.size() < 3 || body[0] != kAddrRepeater || body[1] != kAddrPc)
        return;
    if (m_faults.Has(EFault::Silent))
        return;
    const ByteVec payload(body.begin() + 3, body.end());
    switch (body[2]) {
    case kCmdIdentify: {
        Log("identification");
        ByteVec answer;
        AppendWord(answer, static_cast<uint16_t>(m_modelCode +
                                                 (m_faults.Has(EFault::WrongModel) ? 1 : 0)));
        AppendWord(answer, static_cast<uint16_t>(m_revision +
                                                 (m_faults.Has(EFault::WrongRevision) ? 1 : 0)));
        const ByteVec info = InformationBlock();
        answer.insert(answer.end(), info.begin(), info.end());
        if (m_faults.Has(EFault::LongInfo))
            answer.push_back(0x00);
        Send(kCmdIdentifyAnswer, answer, now);
        break;
    }
    case kCmdReadRequest:
        SendImage(now);
        break;
    case kCmdWriteRequest:
        Log("write request");
        m_writing = true;
        m_writeBad = false;
        m_writeRecords = 0;
        m_staging = m_image;
        break;
    case kCmdData:
        if (m_writing)
            TakeRecord(payload);
        break;
    case kCmdEnd:
        if (m_writing)
            FinishWrite(payload, now);
        break;
    case kCmdSpeedChange:
        if (const uint32_t speed = ParseSpeedPayload(payload)) {
            Log("speed change to " + std::to_string(speed));
            m_speed = speed;
        }
        break;
    default:
        break;
    }
}

void CSimulatedRepeater::Send(uint8_t command, const ByteVec& payload, Clock::time_point now) {
    m_output.Push(BuildFrame(kAddrPc, kAddrRepeater, command, payload), m_speed, m_paced, now);
    if (m_faults.Has(EFault::Noise))
        m_output.Push(kNoise, m_speed, m_paced, now);
}

void CSimulatedRepeater::SendImage(Clock::time_point now) {
    const int total = static_cast<int>(kTableSize / kRecordBytes);
    int records = total;
    bool sendEnd = true;
    if (m_faults.Has(EFault::SilentAfter)) {
        records = std::min(records, m_faults.Count(EFault::SilentAfter));
        sendEnd = false;
    }
    if (m_faults.Has(EFault::EarlyEnd))
        records = std::min(records, m_faults.Count(EFault::EarlyEnd));
    Log("read request: sending " + std::to_string(records) + " records");
    const int badRecord = m_faults.Has(EFault::BadChecksum) ? m_faults.Count(EFault::BadChecksum)
                                                             : 0;
    // The records go onto the line as one run, each frame followed by the noise
    // when that fault is on.
    const bool noise = m_faults.Has(EFault::Noise);
    ByteVec answer;
    answer.reserve(static_cast<size_t>(records) * (44 + kRecordBytes * 2 + kNoise.size()));
    uint8_t data[kRecordBytes];
    for (int r = 0; r < records; ++r) {
        const auto address = static_cast<uint16_t>(r * kRecordBytes);
        for (size_t i = 0; i < kRecordBytes; ++i)
            data[i] = m_image.GetByte(address + static_cast<uint32_t>(i));
        AppendRecordFrame(answer, kAddrPc, kAddrRepeater, address, data, kRecordBytes,
                          r + 1 == badRecord);
        if (noise)
            answer.insert(answer.end(), kNoise.begin(), kNoise.end());
    }
    m_output.Push(answer, m_speed, m_paced, now);
    if (sendEnd)
        Send(kCmdEnd, EndPayload(), now);
    // A finished transfer leaves the repeater listening at the starting speed again.
    m_speed = 9600;
}

void CSimulatedRepeater::TakeRecord(const ByteVec& payload) {
    ++m_writeRecords;
    SRecord record;
    const ERecordCheck check = DecodeRecordPayload(payload, record);
    if (check != ERecordCheck::Ok || record.address + record.data.size() > kImageSize) {
        if (!m_writeBad)
            Log("write: record " + std::to_string(m_writeRecords) + " refused");
        m_writeBad = true;
        return;
    }
    if (!record.data.empty())
        m_staging.Write(record.address, record.data.data(),
                        static_cast<uint32_t>(record.data.size()));
}

void CSimulatedRepeater::FinishWrite(const ByteVec& payload, Clock::time_point now) {
    m_writing = false;
    const bool ok = !m_writeBad && IsEndPayload(payload) && !m_faults.Has(EFault::WriteRefused);
    if (ok) {
        m_image = m_staging;
        if (const int at = m_faults.Count(EFault::ChangedByte);
            m_faults.Has(EFault::ChangedByte) && at < static_cast<int>(kImageSize))
            m_image.SetByte(static_cast<uint32_t>(at), m_image.GetByte(static_cast<uint32_t>(at)) ^ 0x01);
    }
    Log("write end: " + std::to_string(m_writeRecords) + " records, " +
        (ok ? "accepted" : "refused"));
    Send(kCmdWriteResult, ByteVec{static_cast<uint8_t>(ok ? 0x00 : 0x01)}, now);
    m_speed = 9600;
    if (ok && onWritten)
        onWritten(m_image);
}

void CSimulatedRepeater::Log(const std::string& text) {
    if (onLog)
        onLog(text);
}
