#include "Frame.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

#include "datamodel/Hex.h"

namespace {

struct SSpeedCode {
    uint32_t speed;
    int code;
};

// The last row is also the code of any speed not listed.
constexpr std::array<SSpeedCode, 5> kSpeedCodes{{
    {38400, 9},
    {28800, 12},
    {19200, 19},
    {14400, 26},
    {9600, 39},
}};

// The byte of the two hex digits at text[at]; -1 when they are not hex digits.
template <typename Text> int HexByte(const Text& text, size_t at) {
    if (at + 1 >= text.size())
        return -1;
    const int high = HexDigit(static_cast<char>(text[at]));
    const int low = HexDigit(static_cast<char>(text[at + 1]));
    return high < 0 || low < 0 ? -1 : high * 16 + low;
}

void AppendHex(ByteVec& bytes, uint8_t value) {
    static const char* digits = "0123456789ABCDEF";
    bytes.push_back(static_cast<uint8_t>(digits[value >> 4]));
    bytes.push_back(static_cast<uint8_t>(digits[value & 0x0F]));
}

} // namespace

ByteVec MakeFrameBody(uint8_t destination, uint8_t source, uint8_t command,
                      const ByteVec& payload) {
    ByteVec body;
    body.reserve(3 + payload.size());
    body.push_back(destination);
    body.push_back(source);
    body.push_back(command);
    body.insert(body.end(), payload.begin(), payload.end());
    return body;
}

ByteVec BuildFrame(const ByteVec& body, int extraPreamble) {
    const size_t preamble = static_cast<size_t>(extraPreamble > 0 ? extraPreamble : 0) + 2;
    ByteVec frame;
    frame.reserve(preamble + body.size() + 1);
    frame.assign(preamble, kFramePreamble);
    frame.insert(frame.end(), body.begin(), body.end());
    frame.push_back(kFrameEnd);
    return frame;
}

ByteVec BuildFrame(uint8_t destination, uint8_t source, uint8_t command, const ByteVec& payload,
                   int extraPreamble) {
    return BuildFrame(MakeFrameBody(destination, source, command, payload), extraPreamble);
}

void AppendRecordFrame(ByteVec& line, uint8_t destination, uint8_t source, uint16_t address,
                       const uint8_t* data, size_t count, bool spoilChecksum) {
    std::array<uint8_t, 3 + 255> record{static_cast<uint8_t>(address >> 8),
                                        static_cast<uint8_t>(address & 0xFF),
                                        static_cast<uint8_t>(count)};
    count = std::min<size_t>(count, 255);
    std::copy(data, data + count, record.begin() + 3);
    uint8_t checksum = RecordChecksum(record.data(), 3 + count);
    if (spoilChecksum)
        checksum ^= 0x01;
    line.insert(line.end(), {kFramePreamble, kFramePreamble, destination, source, kCmdData});
    for (size_t i = 0; i < 3 + count; ++i)
        AppendHex(line, record[i]);
    AppendHex(line, checksum);
    line.push_back(kFrameEnd);
}

void AppendWord(ByteVec& bytes, uint16_t value) {
    bytes.push_back(static_cast<uint8_t>(value >> 8));
    bytes.push_back(static_cast<uint8_t>(value & 0xFF));
}

uint16_t WordAt(const ByteVec& bytes, size_t at) {
    if (at + 1 >= bytes.size())
        return 0;
    return static_cast<uint16_t>(bytes[at] << 8 | bytes[at + 1]);
}

bool CFrameReceiver::Feed(uint8_t byte) {
    if (byte == kFramePreamble) {
        m_buffer.clear();
        return false;
    }
    if (byte == kFrameEnd) {
        m_frame = m_buffer;
        m_buffer.clear();
        return true;
    }
    if (m_buffer.size() < kMaxFrameBody)
        m_buffer.push_back(byte);
    return false;
}

void CFrameReceiver::Reset() {
    m_buffer.clear();
    m_frame.clear();
}

uint8_t RecordChecksum(const uint8_t* bytes, size_t count) {
    unsigned sum = 0;
    for (size_t i = 0; i < count; ++i)
        sum += bytes[i];
    return static_cast<uint8_t>(0x100 - (sum & 0xFF));
}

std::string FormatRecordLine(uint16_t address, const uint8_t* data, size_t count) {
    ByteVec hex;
    hex.reserve(6 + 2 * count);
    AppendHex(hex, static_cast<uint8_t>(address >> 8));
    AppendHex(hex, static_cast<uint8_t>(address & 0xFF));
    AppendHex(hex, static_cast<uint8_t>(count));
    for (size_t i = 0; i < count; ++i)
        AppendHex(hex, data[i]);
    return std::string(hex.begin(), hex.end());
}

bool EncodeRecordPayload(const std::string& line, ByteVec& payload) {
    payload.clear();
    const int count = HexByte(line, 4);
    if (HexByte(line, 0) < 0 || HexByte(line, 2) < 0 || count < 0)
        return false;
    const size_t length = 6 + 2 * static_cast<size_t>(count);
    if (line.size() < length)
        return false;
    ByteVec bytes;
    bytes.reserve(length / 2);
    for (size_t at = 0; at < length; at += 2) {
        const int b = HexByte(line, at);
        if (b < 0)
            return false;
        bytes.push_back(static_cast<uint8_t>(b));
    }
    payload.assign(line.begin(), line.begin() + static_cast<std::ptrdiff_t>(length));
    AppendHex(payload, RecordChecksum(bytes.data(), bytes.size()));
    return true;
}

ERecordCheck DecodeRecordPayload(const ByteVec& payload, SRecord& record) {
    record.address = 0;
    record.data.clear();
    // Address, count, at most 255 data bytes and the checksum; a frame body holds
    // far fewer (kMaxFrameBody).
    std::array<uint8_t, 3 + 255 + 1> bytes;
    if (payload.size() % 2 != 0 || payload.size() < 8 || payload.size() / 2 > bytes.size())
        return ERecordCheck::Format;
    const size_t count = payload.size() / 2;
    for (size_t i = 0; i < count; ++i) {
        const int b = HexByte(payload, 2 * i);
        if (b < 0)
            return ERecordCheck::Format;
        bytes[i] = static_cast<uint8_t>(b);
    }
    // The address is kept for messages even when the record is refused.
    record.address = static_cast<uint16_t>(bytes[0] << 8 | bytes[1]);
    if (RecordChecksum(bytes.data(), count) != 0)
        return ERecordCheck::Checksum;
    if (bytes[2] != count - 4)
        return ERecordCheck::Count;
    record.data.assign(bytes.begin() + 3, bytes.begin() + static_cast<std::ptrdiff_t>(count) - 1);
    return ERecordCheck::Ok;
}

uint32_t NormaliseSpeed(uint32_t speed) {
    for (const auto& row : kSpeedCodes)
        if (row.speed == speed)
            return speed;
    return 9600;
}

int SpeedCode(uint32_t speed) {
    for (const auto& row : kSpeedCodes)
        if (row.speed == speed)
            return row.code;
    return kSpeedCodes.back().code;
}

uint32_t SpeedFromCode(int code) {
    for (const auto& row : kSpeedCodes)
        if (row.code == code)
            return row.speed;
    return 0;
}

ByteVec BuildSpeedPayload(uint16_t modelCode, uint16_t revision, uint32_t speed) {
    ByteVec payload;
    AppendWord(payload, modelCode);
    AppendWord(payload, revision);
    payload.push_back(0x01);
    AppendHex(payload, static_cast<uint8_t>(SpeedCode(speed)));
    return payload;
}

uint32_t ParseSpeedPayload(const ByteVec& payload) {
    if (payload.size() != 7 || payload[4] != 0x01)
        return 0;
    const int code = HexByte(payload, 5);
    return code < 0 ? 0 : SpeedFromCode(code);
}

bool IsEndPayload(const ByteVec& payload) {
    return payload.size() == std::strlen(kEndText) &&
           std::memcmp(payload.data(), kEndText, payload.size()) == 0;
}

ByteVec EndPayload() {
    return ByteVec(kEndText, kEndText + std::strlen(kEndText));
}
