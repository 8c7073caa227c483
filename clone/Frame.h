// Frames of the clone protocol, shared by the PC side and the simulated repeater:
// FE FE (preceded by optional extra FE bytes), destination, source, command, payload, FD.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using ByteVec = std::vector<uint8_t>;

inline constexpr uint8_t kFramePreamble = 0xFE;
inline constexpr uint8_t kFrameEnd = 0xFD;
inline constexpr uint8_t kAddrRepeater = 0xEE;
inline constexpr uint8_t kAddrPc = 0xEF;

enum ECloneCommand : uint8_t {
    kCmdIdentify = 0xE0,       // PC: model code (2), 00 00
    kCmdIdentifyAnswer = 0xE1, // repeater: model code (2), revision (2), information block
    kCmdReadRequest = 0xE2,    // PC: model code (2), revision (2)
    kCmdWriteRequest = 0xE3,   // PC: model code (2), revision (2)
    kCmdData = 0xE4,           // both: ASCII record line and checksum
    kCmdEnd = 0xE5,            // both: kEndText
    kCmdWriteResult = 0xE6,    // repeater: 00 success, anything else failure
    kCmdSpeedChange = 0xE8,    // PC: model code (2), revision (2), 01, speed code (2 ASCII)
};

// Payload of the end-of-data frame.
inline constexpr const char* kEndText = "Velk Inc.";
// Bytes the receiver keeps between preamble and end; more are dropped.
inline constexpr size_t kMaxFrameBody = 255;
// Information block of the identification answer.
inline constexpr size_t kInfoBlockSize = 38;
// Bytes of image per data record.
inline constexpr size_t kRecordBytes = 16;

// Body of a frame: destination, source, command, payload (no preamble, no end).
ByteVec MakeFrameBody(uint8_t destination, uint8_t source, uint8_t command,
                      const ByteVec& payload = {});
// The bytes on the line: extraPreamble + 2 bytes FE, the body, FD.
ByteVec BuildFrame(const ByteVec& body, int extraPreamble = 0);
ByteVec BuildFrame(uint8_t destination, uint8_t source, uint8_t command, const ByteVec& payload,
                   int extraPreamble = 0);

// Appends the whole frame of one data record (address, count, data and checksum as
// hex text) to line; spoilChecksum sends a checksum one bit off.
void AppendRecordFrame(ByteVec& line, uint8_t destination, uint8_t source, uint16_t address,
                       const uint8_t* data, size_t count, bool spoilChecksum = false);

// Appends a 16-bit value, high byte first.
void AppendWord(ByteVec& bytes, uint16_t value);
// The 16-bit value at bytes[at], high byte first; 0 when it does not fit.
uint16_t WordAt(const ByteVec& bytes, size_t at);

// Collects frame bodies byte by byte: FE clears, FD completes (and clears), at most
// kMaxFrameBody bytes are kept.
class CFrameReceiver {
public:
    // True when the byte completed a frame; Frame() then holds its body.
    bool Feed(uint8_t byte);
    const ByteVec& Frame() const { return m_frame; }
    void Reset();

private:
    ByteVec m_buffer;
    ByteVec m_frame;
};

// Two's complement of the byte sum, so the bytes and the checksum add up to 0.
uint8_t RecordChecksum(const uint8_t* bytes, size_t count);

// The record line "%04X%02X" of address and count, then the bytes as "%02X".
std::string FormatRecordLine(uint16_t address, const uint8_t* data, size_t count);

// The E4 payload of a record line: the line's first 6 + 2n characters and the checksum
// as 2 hex digits. False (payload empty) when the line is not a well-formed record of at
// least 6 + 2n hex digits.
bool EncodeRecordPayload(const std::string& line, ByteVec& payload);

enum class ERecordCheck { Ok, Format, Checksum, Count };

struct SRecord {
    uint16_t address = 0;
    ByteVec data;
    // The record line of the data file (checksum left out).
    std::string Line() const { return FormatRecordLine(address, data.data(), data.size()); }
};

// Checks an E4 payload: hex digit pairs (either case), at least address, count and
// checksum; the decoded bytes add up to 0; the count equals the number of data bytes.
ERecordCheck DecodeRecordPayload(const ByteVec& payload, SRecord& record);

// Line speeds of the speed setter; any other value becomes 9600.
uint32_t NormaliseSpeed(uint32_t speed);
// Speed code of the speed-change frame (38400 -> 9, ... anything else -> 39).
int SpeedCode(uint32_t speed);
// The speed a code selects; 0 for an unknown code.
uint32_t SpeedFromCode(int code);
// Payload of E8: model code, revision, 01, "%02X" of the speed code.
ByteVec BuildSpeedPayload(uint16_t modelCode, uint16_t revision, uint32_t speed);
// The speed an E8 payload asks for; 0 when the payload is not well formed.
uint32_t ParseSpeedPayload(const ByteVec& payload);

// True when the payload is exactly kEndText.
bool IsEndPayload(const ByteVec& payload);
ByteVec EndPayload();
