// The simulated repeater fed frames and stray bytes at chosen speeds, with faults, on a
// clock that only moves when the input says so. Checked: the echo, the frames it
// answers with, an image that changes only through an accepted write, and output that
// grows only by the echo and a bounded answer per frame.
#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "datamodel/DataManagers.h"
#include "datamodel/Hex.h"
#include "simulator/SimulatedRepeater.h"

namespace {

using Clock = CSimulatedRepeater::Clock;

constexpr std::array<uint32_t, 5> kSpeeds = {9600, 14400, 19200, 28800, 38400};
constexpr size_t kRecords = kTableSize / kRecordBytes;
// The input read from the front, a field at a time; past its end every field is 0.
class CInput {
public:
    CInput(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    bool Done() const { return m_at >= m_size; }
    uint8_t Byte() { return m_at < m_size ? m_data[m_at++] : 0; }
    uint16_t Word() { return static_cast<uint16_t>(Byte() | Byte() << 8); }
    ByteVec Bytes(size_t n) {
        ByteVec bytes;
        while (n-- > 0 && !Done()) bytes.push_back(Byte());
        return bytes;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_at = 0;
};

// The longest answer to one frame: the whole image (a data frame and noise per record,
// then the end frame and noise).
constexpr size_t kNoiseBytes = 5;
constexpr size_t kMaxAnswer =
    (kRecords + 1) * (2 + 3 + (6 + 2 * kRecordBytes + 2) + 1 + kNoiseBytes);
// Beyond this much waiting output the PC side takes everything (as a reading PC would).
constexpr size_t kDrainAbove = 16 * 1024;

bool IsSpeed(uint32_t speed) {
    for (uint32_t s : kSpeeds)
        if (s == speed) return true;
    return false;
}

// The input: the repeater's set-up (faults, pacing, option byte, sub-revision,
// variant), then steps, each a byte (0..9 below) and its fields.
class CHarness {
public:
    explicit CHarness(CInput& in) : m_in(in) {
        m_repeater.onWritten = [this](const CEepromImage& image) {
            ++m_written;
            FUZZ_CHECK(image == m_repeater.Image(), "onWritten got another image");
        };
        m_repeater.onLog = [](const std::string& text) { FUZZ_CHECK(!text.empty(), "empty log"); };
    }

    void Run() {
        Configure();
        while (!m_in.Done()) {
            switch (m_in.Byte() % 10) {
            case 0: Send(Payload(), LineSpeed()); break;
            case 1: {
                const uint8_t command = m_in.Byte();
                SendFrame(command, Payload());
                break;
            }
            case 2: SendFrame(kCmdIdentify, {0x23, 0x68, 0x00, 0x00}); break;
            case 3: SendFrame(kCmdReadRequest, {0x23, 0x68, 0x01, 0x00}); break;
            case 4: SendFrame(kCmdWriteRequest, {0x23, 0x68, 0x01, 0x00}); break;
            case 5: SendRecord(); break;
            case 6: SendFrame(kCmdEnd, m_in.Byte() & 1 ? Payload() : EndPayload()); break;
            case 7: SendFrame(kCmdSpeedChange, BuildSpeedPayload(kModelCode, kRevision,
                                                                 kSpeeds[m_in.Byte() % 5]));
                    break;
            case 8: m_now += std::chrono::microseconds(m_in.Word()) * 16; break;
            case 9: TakeSome(); break;
            }
            FUZZ_CHECK(IsSpeed(m_repeater.Speed()), "speed " + std::to_string(m_repeater.Speed()));
        }
    }

private:
    void Configure() {
        const uint16_t faults = m_in.Word();
        for (size_t i = 0; i < FaultTable().size(); ++i) {
            if (!(faults >> i & 1)) continue;
            const SFaultDef& def = FaultTable()[i];
            std::string text = def.name;
            if (def.takesCount) text += "=" + std::to_string(m_in.Word() % 501);
            std::string error;
            FUZZ_CHECK(m_repeater.Faults().Add(text, error), text + ": " + error);
        }
        if (faults & 0x8000) {
            std::string error;
            const ByteVec text = m_in.Bytes(m_in.Byte() % 25);
            m_repeater.Faults().Add(std::string(text.begin(), text.end()), error);
        }
        m_repeater.SetPacing(m_in.Byte() & 1);
        m_repeater.SetOptionByte(m_in.Byte());
        m_repeater.SetSubRevision(m_in.Byte());
        if (m_in.Byte() & 1) m_repeater.LoadFactoryImage(1);
        m_image.CopyFrom(m_repeater.Image());
        const ByteVec info = m_repeater.InformationBlock();
        FUZZ_CHECK(info.size() == kInfoBlockSize, "information block size");
        FUZZ_CHECK(info[33] <= 0xEF && info[37] <= 0xEF, "option or sub-revision above EF");
        for (size_t i = 0; i < 32; ++i)
            FUZZ_CHECK(info[i] >= 0x20 && info[i] < 0x7F, "comment byte not printable");
    }

    ByteVec Payload() { return m_in.Bytes(m_in.Byte() % 49); }

    // 0: the repeater's own speed, else a line speed or any number.
    uint32_t LineSpeed() {
        switch (m_in.Byte() % 4) {
        case 0: return 0;
        case 1: return m_repeater.Speed();
        case 2: return kSpeeds[m_in.Byte() % 5];
        default: return static_cast<uint32_t>(m_in.Word() | m_in.Word() << 16);
        }
    }

    void SendFrame(uint8_t command, const ByteVec& payload) {
        const int extra = m_in.Byte() % 13;
        Send(BuildFrame(kAddrRepeater, kAddrPc, command, payload, extra), LineSpeed());
    }

    // A record of up to 20 bytes at a 16-byte boundary or anywhere, now and then
    // with one character changed.
    void SendRecord() {
        const bool aligned = m_in.Byte() & 1;
        const uint16_t word = m_in.Word();
        const auto address = static_cast<uint16_t>(aligned ? word % 0x200 * 16 : word);
        const ByteVec data = m_in.Bytes(m_in.Byte() % 21);
        ByteVec payload;
        FUZZ_CHECK(EncodeRecordPayload(FormatRecordLine(address, data.data(), data.size()), payload),
                   "a formatted record line is refused");
        if (const uint8_t spoil = m_in.Byte(); spoil % 8 == 0 && spoil > 0)
            payload[spoil / 8 % payload.size()] ^= 1;
        SendFrame(kCmdData, payload);
    }

    FUZZ_NO_COVERAGE
    size_t Waiting() { return m_repeater.Output().ReadyCount(Clock::time_point::max()); }

    FUZZ_NO_COVERAGE
    ByteVec TakeAll() {
        ByteVec bytes(Waiting());
        bytes.resize(m_repeater.Output().Take(bytes.data(), bytes.size(), Clock::time_point::max()));
        return bytes;
    }

    FUZZ_NO_COVERAGE
    void TakeSome() {
        const size_t max = m_in.Word() % 513;
        const uint8_t who = m_in.Byte();
        const uint32_t listen = who < 128 ? 0 : kSpeeds[who % 5];
        const size_t before = Waiting();
        const size_t ready = m_repeater.Output().ReadyCount(m_now);
        FUZZ_CHECK(ready <= before, "more ready than waiting");
        ByteVec bytes(max);
        const size_t n = m_repeater.Output().Take(bytes.data(), max, m_now, listen);
        const size_t after = Waiting();
        FUZZ_CHECK(n <= std::min(max, ready) && after >= before - ready, "took more than was ready");
        if (listen == 0) FUZZ_CHECK(after == before - n, "lost bytes no one listened to");
        if (const auto next = m_repeater.Output().NextArrival(); next && after > 0)
            FUZZ_CHECK(*next > m_now || n == max, "a ready byte was left");
    }

    FUZZ_NO_COVERAGE
    void Send(const ByteVec& bytes, uint32_t lineSpeed) {
        size_t before = Waiting();
        if (before > kDrainAbove) {
            TakeAll();
            before = 0;
        }
        const bool idle = before == 0;
        const int written = m_written;
        const bool heard = (lineSpeed ? lineSpeed : m_repeater.Speed()) == m_repeater.Speed();
        size_t ends = 0;
        for (uint8_t b : bytes)
            ends += b == kFrameEnd;

        m_repeater.Receive(bytes.data(), bytes.size(), lineSpeed, m_now);

        const size_t added = Waiting() - before;
        FUZZ_CHECK(added <= bytes.size() + (heard ? ends : 0) * kMaxAnswer,
                   std::to_string(added) + " bytes out for " + std::to_string(bytes.size()) +
                       " in");
        // m_image: the repeater's image as of the last accepted write (or the start).
        FUZZ_CHECK(m_written > written || m_image == m_repeater.Image(),
                   "the image changed without an accepted write");
        if (!heard) FUZZ_CHECK(added == Echo(bytes).size(), "answered a frame at another speed");
        if (idle) CheckLine(bytes, m_written - written, m_image);
        else UpdateEchoPosition(bytes);
        if (m_written > written) m_image.CopyFrom(m_repeater.Image());
    }

    // What the cable gives back of the bytes.
    FUZZ_NO_COVERAGE
    ByteVec Echo(const ByteVec& bytes) {
        if (m_repeater.Faults().Has(EFault::NoEcho)) return {};
        ByteVec echo = bytes;
        int position = m_echoPosition;
        if (m_repeater.Faults().Has(EFault::CorruptEcho))
            for (uint8_t& b : echo) {
                position = b == kFramePreamble ? 0 : position + 1;
                if (position == 3) b ^= 0x01;
            }
        return echo;
    }

    FUZZ_NO_COVERAGE
    void UpdateEchoPosition(const ByteVec& bytes) {
        if (m_repeater.Faults().Has(EFault::NoEcho) || !m_repeater.Faults().Has(EFault::CorruptEcho))
            return;
        for (uint8_t b : bytes)
            m_echoPosition = b == kFramePreamble ? 0 : m_echoPosition + 1;
    }

    // Everything on the line after bytes were sent to an idle line: the echo, then
    // whole frames from the repeater to the PC (with the noise fault's stray bytes).
    FUZZ_NO_COVERAGE
    void CheckLine(const ByteVec& bytes, int accepted, const CEepromImage& before) {
        const ByteVec line = TakeAll();
        const ByteVec echo = Echo(bytes);
        UpdateEchoPosition(bytes);
        FUZZ_CHECK(line.size() >= echo.size() && std::equal(echo.begin(), echo.end(), line.begin()),
                   "the echo differs from what was sent");
        int record = 0, acceptedResults = 0;
        const CFaultSet& faults = m_repeater.Faults();
        ByteVec frame, payload;
        // Frames as the PC's receiver takes them: the bytes after the last FE or FD,
        // at most kMaxFrameBody of them, complete at FD.
        size_t start = echo.size();
        for (size_t i = echo.size(); i < line.size(); ++i) {
            if (line[i] == kFramePreamble) start = i + 1;
            if (line[i] != kFrameEnd) continue;
            frame.assign(line.begin() + static_cast<std::ptrdiff_t>(start),
                         line.begin() + static_cast<std::ptrdiff_t>(std::min(i, start + kMaxFrameBody)));
            start = i + 1;
            FUZZ_CHECK(frame.size() >= 3 && frame[0] == kAddrPc && frame[1] == kAddrRepeater,
                       "a frame not from the repeater to the PC");
            payload.assign(frame.begin() + 3, frame.end());
            switch (frame[2]) {
            case kCmdIdentifyAnswer: {
                const size_t size = 4 + kInfoBlockSize + (faults.Has(EFault::LongInfo) ? 1 : 0);
                FUZZ_CHECK(payload.size() == size, "identification of " + std::to_string(payload.size()));
                FUZZ_CHECK(WordAt(payload, 0) == kModelCode + faults.Has(EFault::WrongModel) &&
                               WordAt(payload, 2) == kRevision + faults.Has(EFault::WrongRevision),
                           "identification names another model or revision");
                break;
            }
            case kCmdData: {
                // A read sends the records in address order from 0.
                const uint32_t address = AddressOf(payload);
                record = address == 0 ? 1 : record + 1;
                FUZZ_CHECK(address == static_cast<uint32_t>(record - 1) * kRecordBytes &&
                               record <= static_cast<int>(kRecords),
                           "record " + std::to_string(record) + " at " + std::to_string(address));
                SRecord decoded;
                const ERecordCheck check = DecodeRecordPayload(payload, decoded);
                const bool spoilt = faults.Has(EFault::BadChecksum) &&
                                    record == faults.Count(EFault::BadChecksum);
                FUZZ_CHECK(check == (spoilt ? ERecordCheck::Checksum : ERecordCheck::Ok),
                           "record " + std::to_string(record) + ": " + Printable(Text(payload)));
                if (spoilt || accepted > 0) break;
                FUZZ_CHECK(decoded.data.size() == kRecordBytes, "record size");
                for (size_t k = 0; k < kRecordBytes; ++k)
                    FUZZ_CHECK(decoded.data[k] == before.GetByte(address + k),
                               "a sent record differs from the image");
                break;
            }
            case kCmdEnd:
                FUZZ_CHECK(IsEndPayload(payload), "end frame payload");
                break;
            case kCmdWriteResult:
                FUZZ_CHECK(payload.size() == 1 && payload[0] <= 0x01, "write result");
                acceptedResults += payload[0] == 0x00;
                break;
            default:
                FUZZ_CHECK(false, "the repeater sent command " + std::to_string(frame[2]));
            }
        }
        FUZZ_CHECK(acceptedResults == accepted, "accepted writes and their results differ");
        if (faults.Has(EFault::WriteRefused) || faults.Has(EFault::Silent))
            FUZZ_CHECK(accepted == 0 && before == m_repeater.Image(),
                       "a refused write changed the image");
    }

    // The address of a record payload (its first four hex digits); UINT32_MAX when it has none.
    FUZZ_NO_COVERAGE
    static uint32_t AddressOf(const ByteVec& payload) {
        uint32_t address = 0;
        for (size_t i = 0; i < 4; ++i) {
            const int digit = i < payload.size() ? HexDigit(static_cast<char>(payload[i])) : -1;
            if (digit < 0) return UINT32_MAX;
            address = address * 16 + static_cast<uint32_t>(digit);
        }
        return address;
    }

    static std::string Text(const ByteVec& bytes) { return std::string(bytes.begin(), bytes.end()); }

    CInput& m_in;
    CSimulatedRepeater m_repeater;
    CEepromImage m_image{kImageSize};
    Clock::time_point m_now{std::chrono::hours(1)};
    int m_written = 0;
    int m_echoPosition = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CInput in(data, size);
    CHarness harness(in);
    harness.Run();
    return 0;
}
