// The simulated repeater fed frames and stray bytes at chosen speeds, with faults, on a
// clock that only moves when the input says so. Checked: the echo, the frames it
// answers with, an image that changes only through an accepted write, and output that
// grows only by the echo and a bounded answer per frame.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "datamodel/DataManagers.h"
#include "simulator/SimulatedRepeater.h"

namespace {

using Clock = CSimulatedRepeater::Clock;

constexpr std::array<uint32_t, 5> kSpeeds = {9600, 14400, 19200, 28800, 38400};
constexpr size_t kRecords = kTableSize / kRecordBytes;

// The longest answer to one frame: the whole image (a data frame and noise per record,
// then the end frame and noise).
constexpr size_t kNoiseBytes = 5;
constexpr size_t kMaxAnswer =
    (kRecords + 1) * (2 + 3 + (6 + 2 * kRecordBytes + 2) + 1 + kNoiseBytes);
// Beyond this much waiting output the PC side takes everything (as a reading PC would).
constexpr size_t kDrainAbove = 16 * 1024;

// The input: the repeater's set-up (faults, pacing, option byte, sub-revision,
// variant), then steps, each a byte (0..9 below) and its fields. Bytes and words are
// taken from the end of the input, payloads from the front; past its end all are 0.
class CHarness {
public:
    CHarness(const uint8_t* data, size_t size) : m_in(data, size) {
        m_repeater.onWritten = [this](const CEepromImage& image) {
            ++m_written;
            FUZZ_CHECK(image == m_repeater.Image(), "onWritten got another image");
        };
        m_repeater.onLog = [](const std::string& text) { FUZZ_CHECK(!text.empty(), "empty log"); };
    }

    void Run() {
        Configure();
        while (m_in.remaining_bytes() > 0) {
            switch (Byte() % 10) {
            case 0: Send(Payload(), LineSpeed()); break;
            case 1: {
                const uint8_t command = Byte();
                SendFrame(command, Payload());
                break;
            }
            case 2: SendFrame(kCmdIdentify, {0x23, 0x68, 0x00, 0x00}); break;
            case 3: SendFrame(kCmdReadRequest, {0x23, 0x68, 0x01, 0x00}); break;
            case 4: SendFrame(kCmdWriteRequest, {0x23, 0x68, 0x01, 0x00}); break;
            case 5: SendRecord(); break;
            case 6: SendFrame(kCmdEnd, Byte() & 1 ? Payload() : EndPayload()); break;
            case 7: SendFrame(kCmdSpeedChange, BuildSpeedPayload(kModelCode, kRevision,
                                                                 kSpeeds[Byte() % 5]));
                    break;
            case 8: m_now += std::chrono::microseconds(Word()) * 16; break;
            case 9: TakeSome(); break;
            }
            FUZZ_CHECK(std::count(kSpeeds.begin(), kSpeeds.end(), m_repeater.Speed()) == 1,
                       "speed " + std::to_string(m_repeater.Speed()));
        }
    }

private:
    uint8_t Byte() { return m_in.ConsumeIntegral<uint8_t>(); }
    uint16_t Word() { return m_in.ConsumeIntegral<uint16_t>(); }
    ByteVec Bytes(size_t n) { return m_in.ConsumeBytes<uint8_t>(n); }

    void Configure() {
        const uint16_t faults = Word();
        std::string error;
        for (size_t i = 0; i < FaultTable().size(); ++i) {
            if (!(faults >> i & 1)) continue;
            const SFaultDef& def = FaultTable()[i];
            std::string text = def.name;
            if (def.takesCount) text += "=" + std::to_string(Word() % 501);
            FUZZ_CHECK(m_repeater.Faults().Add(text, error), text + ": " + error);
        }
        if (faults & 0x8000) m_repeater.Faults().Add(Text(Bytes(Byte() % 25)), error);
        m_repeater.SetPacing(Byte() & 1);
        m_repeater.SetOptionByte(Byte());
        m_repeater.SetSubRevision(Byte());
        if (Byte() & 1) m_repeater.LoadFactoryImage(1);
        m_image.CopyFrom(m_repeater.Image());
        const ByteVec info = m_repeater.InformationBlock();
        FUZZ_CHECK(info.size() == kInfoBlockSize, "information block size");
        FUZZ_CHECK(info[33] <= 0xEF && info[37] <= 0xEF, "option or sub-revision above EF");
        for (size_t i = 0; i < 32; ++i)
            FUZZ_CHECK(info[i] >= 0x20 && info[i] < 0x7F, "comment byte not printable");
    }

    ByteVec Payload() { return Bytes(Byte() % 49); }

    // 0: the repeater's own speed, else a line speed or any number.
    uint32_t LineSpeed() {
        switch (Byte() % 4) {
        case 0: return 0;
        case 1: return m_repeater.Speed();
        case 2: return kSpeeds[Byte() % 5];
        default: return static_cast<uint32_t>(Word() | Word() << 16);
        }
    }

    void SendFrame(uint8_t command, const ByteVec& payload) {
        const int extra = Byte() % 13;
        Send(BuildFrame(kAddrRepeater, kAddrPc, command, payload, extra), LineSpeed());
    }

    // A record of up to 20 bytes at a 16-byte boundary or anywhere, now and then
    // with one character changed.
    void SendRecord() {
        const bool aligned = Byte() & 1;
        const uint16_t word = Word();
        const auto address = static_cast<uint16_t>(aligned ? word % 0x200 * 16 : word);
        const ByteVec data = Bytes(Byte() % 21);
        ByteVec payload;
        FUZZ_CHECK(EncodeRecordPayload(FormatRecordLine(address, data.data(), data.size()), payload),
                   "a formatted record line is refused");
        if (const uint8_t spoil = Byte(); spoil % 8 == 0 && spoil > 0)
            payload[spoil / 8 % payload.size()] ^= 1;
        SendFrame(kCmdData, payload);
    }

    size_t Waiting() { return m_repeater.Output().ReadyCount(Clock::time_point::max()); }

    ByteVec TakeAll() {
        ByteVec bytes(Waiting());
        bytes.resize(m_repeater.Output().Take(bytes.data(), bytes.size(), Clock::time_point::max()));
        return bytes;
    }

    void TakeSome() {
        const size_t max = Word() % 513;
        const uint8_t who = Byte();
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

    void Send(const ByteVec& bytes, uint32_t lineSpeed) {
        size_t before = Waiting();
        if (before > kDrainAbove) {
            TakeAll();
            before = 0;
        }
        const bool idle = before == 0;
        const int written = m_written;
        const bool heard = (lineSpeed ? lineSpeed : m_repeater.Speed()) == m_repeater.Speed();
        const auto ends = static_cast<size_t>(std::count(bytes.begin(), bytes.end(), kFrameEnd));
        const ByteVec echo = Echo(bytes);

        m_repeater.Receive(bytes.data(), bytes.size(), lineSpeed, m_now);

        const size_t added = Waiting() - before;
        FUZZ_CHECK(added <= bytes.size() + (heard ? ends : 0) * kMaxAnswer,
                   std::to_string(added) + " bytes out for " + std::to_string(bytes.size()) +
                       " in");
        // m_image: the repeater's image as of the last accepted write (or the start).
        FUZZ_CHECK(m_written > written || m_image == m_repeater.Image(),
                   "the image changed without an accepted write");
        if (!heard) FUZZ_CHECK(added == echo.size(), "answered a frame at another speed");
        if (idle) CheckLine(echo, m_written - written, m_image);
        if (m_written > written) m_image.CopyFrom(m_repeater.Image());
    }

    // What the cable gives back of the bytes sent (their places in a frame counted on
    // from the bytes sent before).
    ByteVec Echo(const ByteVec& bytes) {
        if (m_repeater.Faults().Has(EFault::NoEcho)) return {};
        ByteVec echo = bytes;
        if (m_repeater.Faults().Has(EFault::CorruptEcho))
            for (uint8_t& b : echo) {
                m_echoPosition = b == kFramePreamble ? 0 : m_echoPosition + 1;
                if (m_echoPosition == 3) b ^= 0x01;
            }
        return echo;
    }

    // Everything on the line after bytes were sent to an idle line: their echo, then
    // whole frames from the repeater to the PC (with the noise fault's stray bytes).
    void CheckLine(const ByteVec& echo, int accepted, const CEepromImage& before) {
        const ByteVec line = TakeAll();
        FUZZ_CHECK(line.size() >= echo.size() && std::equal(echo.begin(), echo.end(), line.begin()),
                   "the echo differs from what was sent");
        int record = 0, acceptedResults = 0;
        const CFaultSet& faults = m_repeater.Faults();
        // The frames as the PC's receiver takes them.
        CFrameReceiver receiver;
        for (size_t i = echo.size(); i < line.size(); ++i) {
            if (!receiver.Feed(line[i])) continue;
            const ByteVec& frame = receiver.Frame();
            FUZZ_CHECK(frame.size() >= 3 && frame[0] == kAddrPc && frame[1] == kAddrRepeater,
                       "a frame not from the repeater to the PC");
            const ByteVec payload(frame.begin() + 3, frame.end());
            switch (frame[2]) {
            case kCmdIdentifyAnswer:
                FUZZ_CHECK(payload.size() == 4 + kInfoBlockSize + faults.Has(EFault::LongInfo),
                           "identification of " + std::to_string(payload.size()));
                FUZZ_CHECK(WordAt(payload, 0) == kModelCode + faults.Has(EFault::WrongModel) &&
                               WordAt(payload, 2) == kRevision + faults.Has(EFault::WrongRevision),
                           "identification names another model or revision");
                break;
            case kCmdData: {
                // A read sends the records in address order from 0.
                SRecord decoded;
                const ERecordCheck check = DecodeRecordPayload(payload, decoded);
                const uint32_t address = decoded.address;
                record = address == 0 ? 1 : record + 1;
                FUZZ_CHECK(address == static_cast<uint32_t>(record - 1) * kRecordBytes &&
                               record <= static_cast<int>(kRecords),
                           "record " + std::to_string(record) + " at " + std::to_string(address));
                const bool spoilt = faults.Has(EFault::BadChecksum) &&
                                    record == faults.Count(EFault::BadChecksum);
                FUZZ_CHECK(check == (spoilt ? ERecordCheck::Checksum : ERecordCheck::Ok),
                           "record " + std::to_string(record) + ": " + Printable(Text(payload)));
                if (spoilt || accepted > 0) break;
                FUZZ_CHECK(decoded.data.size() == kRecordBytes &&
                               std::equal(decoded.data.begin(), decoded.data.end(),
                                          before.Bytes().begin() + address),
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

    FuzzedDataProvider m_in;
    CSimulatedRepeater m_repeater;
    CEepromImage m_image{kImageSize};
    Clock::time_point m_now{std::chrono::hours(1)};
    int m_written = 0;
    int m_echoPosition = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CHarness(data, size).Run();
    return 0;
}
