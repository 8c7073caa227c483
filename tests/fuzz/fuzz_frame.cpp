// The frame receiver on an arbitrary byte stream, and the payload decoders on every
// frame it completes, each checked against the rules of docs/clone-protocol.md.
#include <cstring>
#include <string>

#include "FuzzSupport.h"
#include "clone/Frame.h"

namespace {

int Digit(uint8_t c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string Upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

std::string Text(const ByteVec& bytes) { return std::string(bytes.begin(), bytes.end()); }

// The record check as the notes describe it: hex digit pairs, at least address,
// count and checksum, the bytes add up to 0, the count is the number of data bytes.
ERecordCheck ExpectedRecord(const ByteVec& payload, ByteVec& bytes) {
    bytes.clear();
    if (payload.size() % 2 != 0 || payload.size() < 8) return ERecordCheck::Format;
    for (size_t i = 0; i < payload.size(); i += 2) {
        const int high = Digit(payload[i]), low = Digit(payload[i + 1]);
        if (high < 0 || low < 0) return ERecordCheck::Format;
        bytes.push_back(static_cast<uint8_t>(high * 16 + low));
    }
    unsigned sum = 0;
    for (uint8_t b : bytes) sum += b;
    if (sum % 256 != 0) return ERecordCheck::Checksum;
    if (bytes[2] != bytes.size() - 4) return ERecordCheck::Count;
    return ERecordCheck::Ok;
}

void CheckRecord(const ByteVec& payload) {
    SRecord record;
    record.address = 0x1234;
    record.data = {1, 2, 3};
    ByteVec bytes;
    const ERecordCheck check = DecodeRecordPayload(payload, record);
    const ERecordCheck expected = ExpectedRecord(payload, bytes);
    FUZZ_CHECK(check == expected, "record check " + std::to_string(static_cast<int>(check)) +
                                      ", expected " + std::to_string(static_cast<int>(expected)) +
                                      ": " + Printable(Text(payload)));
    if (check != ERecordCheck::Ok) {
        // A refused record keeps its address (for the message) but no data.
        FUZZ_CHECK(record.data.empty(), "a refused record kept data");
        if (check != ERecordCheck::Format)
            FUZZ_CHECK(record.address == (bytes[0] << 8 | bytes[1]), "refused record address");
        return;
    }
    FUZZ_CHECK(record.address == (bytes[0] << 8 | bytes[1]), "record address");
    FUZZ_CHECK(record.data == ByteVec(bytes.begin() + 3, bytes.end() - 1), "record data");
    // Encoding the decoded record's line gives the payload back (in upper case).
    ByteVec again;
    FUZZ_CHECK(EncodeRecordPayload(record.Line(), again), "the record's line is refused");
    FUZZ_CHECK(Text(again) == Upper(Text(payload)), "encoded again: " + Printable(Text(again)));
}

void CheckSpeed(const ByteVec& payload) {
    const uint32_t speed = ParseSpeedPayload(payload);
    uint32_t expected = 0;
    if (payload.size() == 7 && payload[4] == 0x01 && Digit(payload[5]) >= 0 &&
        Digit(payload[6]) >= 0) {
        switch (Digit(payload[5]) * 16 + Digit(payload[6])) {
        case 9: expected = 38400; break;
        case 12: expected = 28800; break;
        case 19: expected = 19200; break;
        case 26: expected = 14400; break;
        case 39: expected = 9600; break;
        default: break;
        }
    }
    FUZZ_CHECK(speed == expected, "speed " + std::to_string(speed) + ", expected " +
                                      std::to_string(expected));
    if (speed == 0) return;
    FUZZ_CHECK(NormaliseSpeed(speed) == speed, "a parsed speed is not a line speed");
    FUZZ_CHECK(SpeedFromCode(SpeedCode(speed)) == speed, "speed code round trip");
    // Built again: the same words and flag, the code's hex digits in upper case.
    const ByteVec built = BuildSpeedPayload(WordAt(payload, 0), WordAt(payload, 2), speed);
    FUZZ_CHECK(Text(built) == Text(payload).substr(0, 5) + Upper(Text(payload).substr(5)),
               "speed payload built again differs");
}

void CheckBody(const ByteVec& body) {
    FUZZ_CHECK(body.size() <= kMaxFrameBody, "body of " + std::to_string(body.size()));
    for (uint8_t b : body)
        FUZZ_CHECK(b != kFramePreamble && b != kFrameEnd, "a preamble or end byte in a body");
    const ByteVec payload(body.begin() + static_cast<std::ptrdiff_t>(std::min<size_t>(body.size(), 3)),
                          body.end());
    CheckRecord(payload);
    CheckSpeed(payload);
    const bool end = payload.size() == 9 && std::memcmp(payload.data(), "Velk Inc.", 9) == 0;
    FUZZ_CHECK(IsEndPayload(payload) == end, "end payload");
    for (size_t at : {size_t{0}, size_t{1}, body.size() - 1, body.size(), body.size() + 1}) {
        const uint16_t word = WordAt(body, at);
        const uint16_t expected =
            at + 1 < body.size() ? static_cast<uint16_t>(body[at] << 8 | body[at + 1]) : 0;
        FUZZ_CHECK(word == expected, "word at " + std::to_string(at));
    }
    // What BuildFrame puts on the line is received as the same body.
    CFrameReceiver receiver;
    const ByteVec line = BuildFrame(body, static_cast<int>(body.size() % 3));
    size_t completed = 0;
    for (uint8_t b : line)
        completed += receiver.Feed(b);
    FUZZ_CHECK(completed == 1 && receiver.Frame() == body, "a built frame is received otherwise");
}

// The whole input as a record line, as a clone write encodes it.
void CheckLine(const uint8_t* data, size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    ByteVec payload;
    const bool encoded = EncodeRecordPayload(line, payload);
    bool expected = size >= 6;
    for (size_t i = 0; expected && i < 6; ++i)
        expected = Digit(data[i]) >= 0;
    const size_t length = expected ? 6 + 2 * size_t(Digit(data[4]) * 16 + Digit(data[5])) : 0;
    expected = expected && size >= length;
    for (size_t i = 0; expected && i < length; ++i)
        expected = Digit(data[i]) >= 0;
    FUZZ_CHECK(encoded == expected, "record line " + Printable(line));
    if (!encoded) {
        FUZZ_CHECK(payload.empty(), "a refused line left a payload");
        return;
    }
    SRecord record;
    FUZZ_CHECK(DecodeRecordPayload(payload, record) == ERecordCheck::Ok,
               "an encoded line does not decode: " + Printable(Text(payload)));
    FUZZ_CHECK(record.Line() == Upper(line.substr(0, length)), "decoded line differs");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CFrameReceiver receiver;
    ByteVec buffer;
    for (size_t i = 0; i < size; ++i) {
        const uint8_t b = data[i];
        const bool complete = receiver.Feed(b);
        // The receiver as the notes describe it.
        bool expected = false;
        if (b == kFramePreamble) {
            buffer.clear();
        } else if (b == kFrameEnd) {
            expected = true;
        } else if (buffer.size() < kMaxFrameBody) {
            buffer.push_back(b);
        }
        FUZZ_CHECK(complete == expected, "byte " + std::to_string(i));
        if (!complete) continue;
        FUZZ_CHECK(receiver.Frame() == buffer, "frame ending at byte " + std::to_string(i));
        CheckBody(receiver.Frame());
        buffer.clear();
    }
    receiver.Reset();
    FUZZ_CHECK(receiver.Frame().empty(), "Reset kept the frame");
    FUZZ_CHECK(!receiver.Feed(0x00) && receiver.Feed(kFrameEnd) && receiver.Frame() == ByteVec{0x00},
               "Reset kept bytes of a body");
    CheckLine(data, size);
    return 0;
}
