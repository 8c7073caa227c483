// The frame receiver on an arbitrary byte stream, and the payload decoders on every
// frame it completes, each checked against the rules of docs/clone-protocol.md.
#include <algorithm>
#include <cstring>
#include <map>
#include <numeric>
#include <string>

#include "FuzzSupport.h"
#include "clone/Frame.h"
#include "datamodel/Hex.h"

namespace {

int Digit(uint8_t c) { return HexDigit(static_cast<char>(c)); }

std::string Upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

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
    if (std::accumulate(bytes.begin(), bytes.end(), 0u) % 256 != 0) return ERecordCheck::Checksum;
    if (bytes[2] != bytes.size() - 4) return ERecordCheck::Count;
    return ERecordCheck::Ok;
}

void CheckRecord(const ByteVec& payload) {
    SRecord record{0x1234, {1, 2, 3}};
    ByteVec bytes;
    const ERecordCheck check = DecodeRecordPayload(payload, record);
    const ERecordCheck expected = ExpectedRecord(payload, bytes);
    FUZZ_CHECK(check == expected, "record check " + std::to_string(static_cast<int>(check)) +
                                      ", expected " + std::to_string(static_cast<int>(expected)) +
                                      ": " + Printable(Text(payload)));
    // A refused record keeps its address (for the message) but no data.
    if (check != ERecordCheck::Format)
        FUZZ_CHECK(record.address == (bytes[0] << 8 | bytes[1]), "record address");
    if (check != ERecordCheck::Ok) {
        FUZZ_CHECK(record.data.empty(), "a refused record kept data");
        return;
    }
    FUZZ_CHECK(record.data == ByteVec(bytes.begin() + 3, bytes.end() - 1), "record data");
    // Encoding the decoded record's line gives the payload back (in upper case).
    ByteVec again;
    FUZZ_CHECK(EncodeRecordPayload(record.Line(), again), "the record's line is refused");
    FUZZ_CHECK(Text(again) == Upper(Text(payload)), "encoded again: " + Printable(Text(again)));
}

void CheckSpeed(const ByteVec& payload) {
    static const std::map<int, uint32_t> kSpeeds = {
        {9, 38400}, {12, 28800}, {19, 19200}, {26, 14400}, {39, 9600}};
    const uint32_t speed = ParseSpeedPayload(payload);
    const int high = payload.size() == 7 && payload[4] == 0x01 ? Digit(payload[5]) : -1;
    const int low = high >= 0 ? Digit(payload[6]) : -1;
    const auto it = kSpeeds.find(low >= 0 ? high * 16 + low : -1);
    const uint32_t expected = it == kSpeeds.end() ? 0 : it->second;
    FUZZ_CHECK(speed == expected, "speed " + std::to_string(speed) + ", expected " +
                                      std::to_string(expected));
    if (speed == 0) return;
    // Built again: the same words and flag, the code's hex digits in upper case.
    const ByteVec built = BuildSpeedPayload(WordAt(payload, 0), WordAt(payload, 2), speed);
    FUZZ_CHECK(Text(built) == Text(payload).substr(0, 5) + Upper(Text(payload).substr(5)),
               "speed payload built again differs");
}

void CheckBody(const ByteVec& body) {
    const ByteVec payload(body.begin() + static_cast<std::ptrdiff_t>(std::min<size_t>(body.size(), 3)),
                          body.end());
    CheckRecord(payload);
    CheckSpeed(payload);
    const bool end = payload.size() == 9 && std::memcmp(payload.data(), "Velk Inc.", 9) == 0;
    FUZZ_CHECK(IsEndPayload(payload) == end, "end payload");
    for (size_t at : {size_t{0}, size_t{1}, body.size() - 1, body.size(), body.size() + 1})
        FUZZ_CHECK(WordAt(body, at) == (at + 1 < body.size() ? body[at] << 8 | body[at + 1] : 0),
                   "word at " + std::to_string(at));
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
    auto hex = [&](size_t n) {
        return size >= n && std::all_of(data, data + n, [](uint8_t c) { return Digit(c) >= 0; });
    };
    const size_t length = hex(6) ? 6 + 2 * size_t(Digit(data[4]) * 16 + Digit(data[5])) : 0;
    const bool expected = length > 0 && hex(length);
    FUZZ_CHECK(encoded == expected, "record line " + Printable(line));
    FUZZ_CHECK(encoded || payload.empty(), "a refused line left a payload");
    if (!encoded) return;
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
        const bool expected = b == kFrameEnd;
        if (b == kFramePreamble)
            buffer.clear();
        else if (!expected && buffer.size() < kMaxFrameBody)
            buffer.push_back(b);
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
