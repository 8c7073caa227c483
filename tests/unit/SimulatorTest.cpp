// The simulated repeater driven by raw frames, its faults, and the SIM port.
#include <gtest/gtest.h>

#include <ostream>

#include <functional>

#include "CloneFakeLine.h"
#include "clone/TransferMonitor.h"
#include "simulator/SimulatorPort.h"
#include "datamodel/DataManagers.h"
#include "support/FrameExchange.h"
#include "support/ScriptedInteraction.h"
#include "simulator/SimulatedRepeater.h"

namespace {

using Clock = CSimulatedRepeater::Clock;

ByteVec Body(uint8_t command, const ByteVec& payload) {
    return MakeFrameBody(kAddrRepeater, kAddrPc, command, payload);
}

ByteVec Answer(uint8_t command, const ByteVec& payload) {
    return MakeFrameBody(kAddrPc, kAddrRepeater, command, payload);
}

const ByteVec kIdentify{0x23, 0x68, 0x00, 0x00};

class Repeater : public ::testing::Test {
protected:
    void Send(uint8_t command, const ByteVec& payload, uint32_t speed = 0) {
        const ByteVec frame = BuildFrame(Body(command, payload));
        repeater.Receive(frame.data(), frame.size(), speed, now);
    }
    void SendRecord(const std::string& line, bool spoil = false) {
        ByteVec payload;
        ASSERT_TRUE(EncodeRecordPayload(line, payload));
        if (spoil) payload.back() = payload.back() == '0' ? '1' : '0';
        Send(kCmdData, payload);
    }
    // Everything on the line back to the PC, as heard at listenSpeed (0: any).
    ByteVec Line(uint32_t listenSpeed = 0) {
        CLineQueue& out = repeater.Output();
        ByteVec bytes(out.ReadyCount(Clock::time_point::max()));
        bytes.resize(out.Take(bytes.data(), bytes.size(), Clock::time_point::max(), listenSpeed));
        return bytes;
    }
    std::vector<ByteVec> Frames(uint32_t listenSpeed = 0) { return FramesIn(Line(listenSpeed)); }
    // Writes the user area of image as 16-byte records, then the end frame.
    void WriteImage(const CEepromImage& image, int spoilRecord = -1,
                    const ByteVec& end = EndPayload()) {
        Send(kCmdWriteRequest, kModelRevision);
        int n = 0;
        for (uint32_t a = kUserAreaStart; a < kTableSize; a += 16, ++n)
            SendRecord(FormatRecordLine(static_cast<uint16_t>(a), image.Bytes().data() + a, 16),
                       n == spoilRecord);
        Send(kCmdEnd, end);
    }
    static CEepromImage Pattern() {
        CEepromImage image(kImageSize);
        for (uint32_t a = 0; a < kTableSize; ++a)
            image.SetByte(a, static_cast<uint8_t>(a * 37 + 5));
        return image;
    }

    CSimulatedRepeater repeater;
    Clock::time_point now = Clock::now();
};

// Data records of a read, checked; stops at the first frame that is not one.
std::vector<SRecord> Records(const std::vector<ByteVec>& frames, size_t from = 1) {
    std::vector<SRecord> records;
    for (size_t i = from; i < frames.size() && frames[i][2] == kCmdData; ++i) {
        SRecord record;
        EXPECT_EQ(DecodeRecordPayload(ByteVec(frames[i].begin() + 3, frames[i].end()), record),
                  ERecordCheck::Ok)
            << "record " << i;
        records.push_back(record);
    }
    return records;
}

} // namespace

TEST_F(Repeater, IdentifiesAfterTheEcho) {
    CEepromImage image = repeater.Image();
    const std::string comment = "Hilltop site 3  Backup \xFF link   ";
    ASSERT_EQ(comment.size(), 32u);
    image.Write(0x150, reinterpret_cast<const uint8_t*>(comment.data()), 32);
    image.SetBit(kModelAddr, kModelBit, 1);
    repeater.SetImage(image);
    repeater.SetOptionByte(0x22);
    repeater.SetSubRevision(12);
    Send(kCmdIdentify, kIdentify);
    const auto frames = Frames();
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0], Body(kCmdIdentify, kIdentify));
    ByteVec payload = kModelRevision;
    payload.insert(payload.end(), comment.begin(), comment.end());
    payload[4 + 23] = ' '; // 0xFF is not sent
    payload.insert(payload.end(), {0x00, 0x22, 0x02, 0x00, 0x00, 12});
    EXPECT_EQ(frames[1], Answer(kCmdIdentifyAnswer, payload));
}

TEST_F(Repeater, ReadSendsTheImageAsRecordsThenTheEnd) {
    repeater.SetImage(Pattern());
    Send(kCmdReadRequest, kModelRevision);
    const auto frames = Frames();
    ASSERT_EQ(frames.size(), 1u + 416u + 1u);
    EXPECT_EQ(frames[0], Body(kCmdReadRequest, kModelRevision));
    const auto records = Records(frames);
    ASSERT_EQ(records.size(), 416u);
    for (size_t r = 0; r < records.size(); ++r) {
        EXPECT_EQ(records[r].address, r * 16);
        EXPECT_EQ(records[r].data, ByteVec(repeater.Image().Bytes().begin() + r * 16,
                                           repeater.Image().Bytes().begin() + r * 16 + 16));
    }
    EXPECT_EQ(frames.back(), Answer(kCmdEnd, EndPayload()));
}

struct SWriteCase {
    const char* what;
    int spoilRecord;
    std::string end;
    const char* fault;
    uint8_t result;
};
void PrintTo(const SWriteCase& c, std::ostream* os) { *os << c.what; }

class Write : public Repeater, public ::testing::WithParamInterface<SWriteCase> {};

TEST_P(Write, AppliesAllRecordsOrNone) {
    const SWriteCase& c = GetParam();
    std::string error;
    if (c.fault) {
        ASSERT_TRUE(repeater.Faults().Add(c.fault, error)) << error;
    }
    const CEepromImage before = repeater.Image();
    CEepromImage expected = before; // the maker area is not sent
    if (c.result == 0)
        expected.Write(kUserAreaStart, Pattern().Bytes().data() + kUserAreaStart,
                       kTableSize - kUserAreaStart);
    int written = 0;
    repeater.onWritten = [&](const CEepromImage&) { ++written; };
    WriteImage(Pattern(), c.spoilRecord, ByteVec(c.end.begin(), c.end.end()));
    const auto frames = Frames();
    EXPECT_EQ(frames.size(), 1u + 406u + 1u + 1u) << c.what; // echoes, then the result
    EXPECT_EQ(frames.back(), Answer(kCmdWriteResult, {c.result})) << c.what;
    EXPECT_EQ(repeater.Image(), expected) << c.what;
    EXPECT_EQ(written, c.result == 0 ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Write,
    ::testing::Values(SWriteCase{"accepted", -1, "Velk Inc.", nullptr, 0x00},
                      SWriteCase{"bad checksum in the last record", 405, "Velk Inc.", nullptr, 1},
                      SWriteCase{"wrong end text", -1, "VELK Inc.", nullptr, 1},
                      SWriteCase{"refusing repeater", -1, "Velk Inc.", "write-refused", 1}));

TEST_F(Repeater, RecordsOutsideAWriteAreIgnored) {
    const CEepromImage before = repeater.Image();
    SendRecord("00A00155");
    Send(kCmdEnd, EndPayload());
    EXPECT_EQ(Frames().size(), 2u); // the echoes only
    EXPECT_EQ(repeater.Image(), before);
}

TEST_F(Repeater, FollowsASpeedChangeUntilTheTransferEnds) {
    Send(kCmdSpeedChange, BuildSpeedPayload(0x2368, 0x0100, 38400));
    EXPECT_EQ(repeater.Speed(), 38400u);
    Send(kCmdIdentify, kIdentify, 9600); // not understood at the old speed
    EXPECT_EQ(Frames().size(), 2u);      // both echoes
    Send(kCmdReadRequest, kModelRevision, 38400);
    const auto frames = Frames(38400);
    ASSERT_EQ(frames.size(), 418u);
    EXPECT_EQ(frames.back()[2], kCmdEnd);
    EXPECT_EQ(repeater.Speed(), 9600u);
}

TEST_F(Repeater, PacingSpreadsTheBytesAtTheLineRate) {
    repeater.SetPacing(true);
    Send(kCmdIdentify, kIdentify);
    const size_t total = 10 + 2 + 3 + 4 + 38 + 1; // echo, answer frame
    EXPECT_EQ(repeater.Output().ReadyCount(now), 0u);
    // 10 bits a byte at 9600 bit/s: 1.0417 ms each.
    EXPECT_EQ(repeater.Output().ReadyCount(now + std::chrono::microseconds(1041 * 10)), 9u);
    EXPECT_EQ(repeater.Output().ReadyCount(now + std::chrono::microseconds(1042 * total)), total);
}

struct SFaultCase {
    const char* fault;
    uint8_t request;
    std::function<void(const std::vector<ByteVec>&, const ByteVec&)> check;
};
void PrintTo(const SFaultCase& c, std::ostream* os) { *os << c.fault; }

class Fault : public Repeater, public ::testing::WithParamInterface<SFaultCase> {};

TEST_P(Fault, Shows) {
    std::string error;
    ASSERT_TRUE(repeater.Faults().Add(GetParam().fault, error)) << error;
    Send(GetParam().request, GetParam().request == kCmdIdentify ? kIdentify : kModelRevision);
    const ByteVec line = Line();
    GetParam().check(FramesIn(line), line);
}

// Frames on the line after one request (echo first); records decoded where sent.
INSTANTIATE_TEST_SUITE_P(
    All, Fault,
    ::testing::Values(
        SFaultCase{"silent", kCmdIdentify,
                   [](auto& f, auto&) {
                       EXPECT_EQ(f, (std::vector<ByteVec>{Body(kCmdIdentify, kIdentify)}));
                   }},
        SFaultCase{"no-echo", kCmdIdentify,
                   [](auto& f, auto&) {
                       ASSERT_EQ(f.size(), 1u);
                       EXPECT_EQ(f[0][2], kCmdIdentifyAnswer);
                   }},
        SFaultCase{"corrupt-echo", kCmdIdentify,
                   [](auto& f, auto&) { EXPECT_EQ(f.at(0), Body(kCmdIdentifyAnswer, kIdentify)); }},
        SFaultCase{"wrong-model", kCmdIdentify,
                   [](auto& f, auto&) {
                       EXPECT_EQ(WordAt(f.at(1), 3), 0x2369);
                       EXPECT_EQ(WordAt(f[1], 5), 0x0100);
                   }},
        SFaultCase{"wrong-revision", kCmdIdentify,
                   [](auto& f, auto&) {
                       EXPECT_EQ(WordAt(f.at(1), 3), 0x2368);
                       EXPECT_NE(WordAt(f[1], 5), 0x0100);
                   }},
        SFaultCase{"long-info", kCmdIdentify,
                   [](auto& f, auto&) { EXPECT_EQ(f.at(1).size(), 3u + 4u + 39u); }},
        SFaultCase{"noise", kCmdIdentify,
                   [](auto& f, auto& line) {
                       EXPECT_EQ(f.at(1)[2], kCmdIdentifyAnswer);
                       EXPECT_NE(line.back(), kFrameEnd);
                   }},
        SFaultCase{"bad-checksum=3", kCmdReadRequest,
                   [](auto& f, auto&) {
                       ASSERT_EQ(f.size(), 418u);
                       for (size_t i = 1; i <= 416; ++i) {
                           SRecord r;
                           EXPECT_EQ(DecodeRecordPayload(ByteVec(f[i].begin() + 3, f[i].end()), r),
                                     i == 3 ? ERecordCheck::Checksum : ERecordCheck::Ok);
                       }
                   }},
        SFaultCase{"silent-after=5", kCmdReadRequest,
                   [](auto& f, auto&) {
                       EXPECT_EQ(f.size(), 6u);
                       EXPECT_EQ(Records(f).size(), 5u);
                   }},
        SFaultCase{"early-end=2", kCmdReadRequest, [](auto& f, auto&) {
                       EXPECT_EQ(Records(f).size(), 2u);
                       EXPECT_EQ(f.at(3), Answer(kCmdEnd, EndPayload()));
                   }}));

// The SIM port: one repeater for the whole program.
class SimPort : public ::testing::Test {
protected:
    void SetUp() override { port.SetMonitor(&monitor); }
    void TearDown() override { port.Close(); }
    std::vector<ByteVec> Exchange(uint8_t command, const ByteVec& payload, size_t frames) {
        return ExchangeFrames(port, command, payload, frames, 500);
    }
    CScriptedInteraction ui;
    CInteractionMonitor monitor{ui};
    CSimulatorLink link;
    CSimulatorPort port{link};
};

TEST_F(SimPort, AnswersOneOpenPortAtItsSpeed) {
    ASSERT_TRUE(port.Open("SIM", 9600, 65536));
    auto frames = Exchange(kCmdIdentify, kIdentify, 2);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0], Body(kCmdIdentify, kIdentify));
    EXPECT_EQ(frames[1][2], kCmdIdentifyAnswer);

    CScriptedInteraction otherUi;
    CInteractionMonitor otherMonitor(otherUi);
    CSimulatorPort other(link);
    other.SetMonitor(&otherMonitor);
    EXPECT_FALSE(other.Open("SIM", 38400, 65536));
    ASSERT_EQ(otherUi.boxes.size(), 1u);
    EXPECT_EQ(otherUi.boxes[0].text.rfind(" not Open \n", 0), 0u);
    port.Close();
    // At another speed than the repeater's only the cable's echo comes back.
    ASSERT_TRUE(port.Open("SIM", 38400, 65536));
    frames = Exchange(kCmdIdentify, kIdentify, 2);
    EXPECT_EQ(frames, (std::vector<ByteVec>{Body(kCmdIdentify, kIdentify)}));
}

// The line delivers each byte at its own moment, runs behind one another, and a
// listener at another speed loses exactly the bytes sent at that speed.
TEST(LineQueue, BytesArriveOneByteTimeApartAndListenersHearTheirSpeed) {
    using namespace std::chrono;
    const Clock::time_point t0{};
    const auto byte9600 = duration_cast<Clock::duration>(nanoseconds(10'000'000'000) / 9600);
    CLineQueue line;
    line.Push({1, 2, 3, 4}, 9600, true, t0);
    line.Push({5, 6}, 19200, false, t0); // unpaced: arrives with the last paced byte
    line.Push({7, 8}, 9600, true, t0);

    struct SStep {
        Clock::duration at;
        size_t ready;
        size_t max;
        uint32_t listen;
        ByteVec taken;
    };
    const std::vector<SStep> steps = {
        {byte9600 - nanoseconds(1), 0, 8, 0, {}},
        {byte9600, 1, 8, 0, {1}},
        {byte9600 * 3 + byte9600 / 2, 2, 1, 0, {2}},  // one at a time: the rest waits
        {byte9600 * 4, 4, 8, 9600, {3, 4}},           // 5, 6 arrive but are not heard
        {byte9600 * 5, 1, 8, 0, {7}},
        {byte9600 * 9, 1, 8, 19200, {}},              // 8 is dropped for this listener
    };
    for (const SStep& step : steps) {
        SCOPED_TRACE(step.at.count());
        EXPECT_EQ(line.ReadyCount(t0 + step.at), step.ready);
        ByteVec out(8);
        out.resize(line.Take(out.data(), step.max, t0 + step.at, step.listen));
        EXPECT_EQ(out, step.taken);
    }
    EXPECT_FALSE(line.NextArrival());
}
