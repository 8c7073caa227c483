// The transfer engine against a scripted cable: echo and dispatch rules, records,
// time-outs (on a test clock), cancel and the port failure.
#include <gtest/gtest.h>

#include <ostream>

#include <string>

#include "CloneFakeLine.h"
#include "clone/CloneTransfer.h"
#include "clone/TransferMonitor.h"
#include "support/ScriptedInteraction.h"

namespace {

const ByteVec kIdentifyBody = {kAddrRepeater, kAddrPc, kCmdIdentify, 0x23, 0x68, 0x00, 0x00};

// The records of a write, with a comment and blanks the engine must not send.
std::vector<std::string> WriteRecords(int count) {
    std::vector<std::string> lines = {"# comment"};
    for (int i = 0; i < count; ++i) {
        const ByteVec data(16, static_cast<uint8_t>(i));
        lines.push_back("  " + FormatRecordLine(static_cast<uint16_t>(0xA0 + 16 * i), data.data(), 16) + " \r");
    }
    return lines;
}

class CloneTransferTest : public ::testing::Test {
protected:
    void SetUp() override {
        engine.SetClock(line.clock);
        engine.SetPortMaker([this](const std::string&) { return std::make_unique<CFakePort>(line); });
        engine.SetMonitor(&monitor);
        engine.SetModelCode(0x2368);
    }

    // A repeater that echoes the read request and sends count records, then tail.
    void ServeRead(int count, std::function<ByteVec(int)> record, ByteVec tail) {
        line.react = [=](SFakeLine& l, const ByteVec& body) {
            l.Echo(body);
            for (int i = 0; i < count; ++i)
                l.Answer(kCmdData, record(i));
            l.Send(tail);
        };
        engine.SetReadSink(&lines);
        engine.SetExpectedReadTotal(512);
        engine.SetRevision(0x0100);
    }
    // A write of count records to a repeater that echoes every frame, the echo of record
    // corrupt spoilt, and answers the end with result (-1: not at all).
    void ServeWrite(int count, int result, int corrupt = -1) {
        lines = WriteRecords(count);
        engine.SetWriteSource(&lines);
        engine.SetExpectedWriteTotal(count + 1);
        engine.SetRevision(0x0100);
        line.react = [=, seen = -1](SFakeLine& l, const ByteVec& body) mutable {
            ByteVec echo = body;
            if (body[2] == kCmdData && ++seen == corrupt)
                echo[5] ^= 1;
            l.Echo(echo);
            if (body[2] == kCmdEnd && result >= 0)
                l.Answer(kCmdWriteResult, {static_cast<uint8_t>(result)});
        };
    }

    SFakeLine line;
    CScriptedInteraction ui;
    CInteractionMonitor monitor{ui};
    CCloneTransfer engine;
    std::vector<std::string> lines;  // what a read received, what a write sends
};

struct SIdentifyCase {
    const char* name;
    std::function<void(SFakeLine&, const ByteVec&)> react;
    ECloneResult result;
    ERunError error;
    size_t infoSize;
};
void PrintTo(const SIdentifyCase& c, std::ostream* os) { *os << c.name; }

class IdentifyTest : public CloneTransferTest,
                     public ::testing::WithParamInterface<SIdentifyCase> {};

TEST_P(IdentifyTest, EndsAsTheFramesSay) {
    const SIdentifyCase& c = GetParam();
    line.react = c.react;
    const uint64_t start = line.clock.now;
    EXPECT_EQ(engine.Run(kModeIdentify), c.result);
    EXPECT_EQ(engine.GetErrorCode(), c.error);
    ASSERT_FALSE(line.bodies.empty());
    EXPECT_EQ(line.bodies.front(), kIdentifyBody);
    EXPECT_EQ(engine.ReceivedInformation().size(), c.infoSize);
    if (c.error == ERunError::NoEcho || c.error == ERunError::NoAnswer) {  // 200 + 200 ms, then 3 s idle
        EXPECT_EQ(line.clock.now - start, 3400u);
    }
    if (c.result == ECloneResult::Ok) {
        EXPECT_EQ(engine.ReceivedModelCode(), 0x2368);
        EXPECT_EQ(engine.ReceivedRevision(), 0x0100);
    }
    EXPECT_EQ(ui.progressBegun, 0);  // identification shows no progress
}

// A repeater that echoes the request, then answers with command and payload.
std::function<void(SFakeLine&, const ByteVec&)> EchoAnd(uint8_t command, const ByteVec& payload,
                                                         uint64_t delayMs = 0) {
    return [=](SFakeLine& l, const ByteVec& b) {
        l.Echo(b);
        l.Answer(command, payload, delayMs);
    };
}

const auto kOk = ECloneResult::Ok;
const auto kFailed = ECloneResult::Failed;

INSTANTIATE_TEST_SUITE_P(
    Frames, IdentifyTest,
    ::testing::Values(
        SIdentifyCase{"Answered", EchoAnd(kCmdIdentifyAnswer, Info(38)), kOk, ERunError::Ended, 38},
        SIdentifyCase{"AnsweredLateButInTime", EchoAnd(kCmdIdentifyAnswer, Info(38), 3200), kOk,
                      ERunError::Ended, 38},
        SIdentifyCase{"NoEcho", [](SFakeLine&, const ByteVec&) {}, kFailed, ERunError::NoEcho, 0},
        SIdentifyCase{"EchoOnly", [](SFakeLine& l, const ByteVec& b) { l.Echo(b); }, kFailed,
                      ERunError::NoAnswer, 0},
        SIdentifyCase{"AnswerTooLate", EchoAnd(kCmdIdentifyAnswer, Info(38), 3500), kFailed,
                      ERunError::NoAnswer, 0},
        SIdentifyCase{"CorruptEcho",
                      [](SFakeLine& l, const ByteVec& b) {
                          ByteVec bad = b;
                          bad[4] ^= 1;
                          l.Echo(bad);
                      },
                      kFailed, ERunError::BadFrame, 0},
        SIdentifyCase{"AnswerBeforeEchoIgnored",
                      [](SFakeLine& l, const ByteVec&) { l.Answer(kCmdIdentifyAnswer, Info(38)); },
                      kFailed, ERunError::NoEcho, 0},
        SIdentifyCase{"WrongSecondAddressIgnored",
                      [](SFakeLine& l, const ByteVec& b) {
                          l.Echo(b);
                          l.Send(BuildFrame(kAddrPc, 0x00, kCmdIdentifyAnswer, Info(38)));
                      },
                      kFailed, ERunError::NoAnswer, 0},
        SIdentifyCase{"InformationByteAboveEF", EchoAnd(kCmdIdentifyAnswer, Info(38, 0xF0)),
                      kFailed, ERunError::BadFrame, 0},
        SIdentifyCase{"AnswerWithoutRevision", EchoAnd(kCmdIdentifyAnswer, {0x23, 0x68}), kFailed,
                      ERunError::BadFrame, 0},
        SIdentifyCase{"ThirtyNineInformationBytes", EchoAnd(kCmdIdentifyAnswer, Info(39)), kOk,
                      ERunError::Ended, 39},
        SIdentifyCase{"NoiseAroundFrames",
                      [](SFakeLine& l, const ByteVec& b) {
                          l.Send({0x12, 0x34});
                          l.Echo(b);
                          l.Send({0x56, 0x00});
                          l.Answer(kCmdIdentifyAnswer, Info(38));
                      },
                      kOk, ERunError::Ended, 38},
        SIdentifyCase{"RecordInIdentification", EchoAnd(kCmdData, Record(0x00A0)), kFailed,
                      ERunError::BadFrame, 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct SReadCase {
    const char* name;
    int records;
    std::function<ByteVec(int)> record;
    ByteVec tail;
    ECloneResult result;
    ERunError error;
    int lines;
};
void PrintTo(const SReadCase& c, std::ostream* os) { *os << c.name; }

class ReadTest : public CloneTransferTest, public ::testing::WithParamInterface<SReadCase> {};

TEST_P(ReadTest, StoresCheckedRecords) {
    const SReadCase& c = GetParam();
    ServeRead(c.records, c.record, c.tail);
    EXPECT_EQ(engine.Run(kModeRead), c.result);
    EXPECT_EQ(engine.GetErrorCode(), c.error);
    EXPECT_EQ(line.bodies.front(),
              MakeFrameBody(kAddrRepeater, kAddrPc, kCmdReadRequest, kModelRevision));
    EXPECT_EQ(static_cast<int>(lines.size()), c.lines);
    EXPECT_EQ(ui.progressBegun, 1);
    EXPECT_EQ(ui.progressEnded, 1);
    if (c.result == ECloneResult::Ok) {
        EXPECT_EQ(lines.front(), "0000105A5A5A5A5A5A5A5A5A5A5A5A5A5A5A5A");
        EXPECT_EQ(ui.progress.back(), 100);
    }
}

const auto kGoodRecord = [](int i) { return Record(static_cast<uint16_t>(16 * i)); };
const ByteVec kEnd = BuildFrame(kAddrPc, kAddrRepeater, kCmdEnd, EndPayload());

INSTANTIATE_TEST_SUITE_P(
    Records, ReadTest,
    ::testing::Values(
        SReadCase{"Whole", 512, kGoodRecord, kEnd, ECloneResult::Ok, ERunError::Ended, 512},
        // Every record check ends the read alike; the checks are the records' own tests.
        SReadCase{"BadChecksumStopsWriting", 10,
                  [](int i) {
                      ByteVec r = Record(static_cast<uint16_t>(16 * i));
                      if (i == 3)
                          r.back() = r.back() == '0' ? '1' : '0';
                      return r;
                  },
                  kEnd, ECloneResult::Failed, ERunError::BadFrame, 3},
        SReadCase{"WrongEndText", 2, kGoodRecord,
                  BuildFrame(kAddrPc, kAddrRepeater, kCmdEnd, Bytes("Velk Inc")), ECloneResult::Failed,
                  ERunError::BadFrame, 2},
        SReadCase{"WriteResultInRead", 2, kGoodRecord,
                  BuildFrame(kAddrPc, kAddrRepeater, kCmdWriteResult, {0x00}), ECloneResult::Failed,
                  ERunError::BadFrame, 2},
        SReadCase{"SilentAfterRecords", 5, kGoodRecord, {}, ECloneResult::Failed, ERunError::NoAnswer, 5}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CloneTransferTest, CancelEndsTheReadAtThePercentage) {
    ServeRead(512, kGoodRecord, kEnd);
    ui.cancelAtPercent = 50;
    EXPECT_EQ(engine.Run(kModeRead), ECloneResult::Cancelled);
    EXPECT_EQ(ui.progress.back(), 50);
    EXPECT_EQ(lines.size(), 256u);
    EXPECT_EQ(ui.progressEnded, 1);
}

TEST_F(CloneTransferTest, CancelIsSeenWhileTheLineIsSilent) {
    ServeRead(300, kGoodRecord, {});
    ui.cancelAtPercent = 58;  // reached, then nothing more arrives
    const uint64_t start = line.clock.now;
    EXPECT_EQ(engine.Run(kModeRead), ECloneResult::Cancelled);
    EXPECT_LT(line.clock.now - start, 1000u);
}

struct SWriteCase {
    const char* name;
    int corruptEchoOf;  // record index whose echo is corrupted; -1 none
    int answer;         // write result byte; -1 no answer
    ECloneResult result;
    ERunError error;
    size_t frames;      // bodies the PC sent
};
void PrintTo(const SWriteCase& c, std::ostream* os) { *os << c.name; }

class WriteTest : public CloneTransferTest, public ::testing::WithParamInterface<SWriteCase> {};

TEST_P(WriteTest, SendsRecordsOnEachEcho) {
    const SWriteCase& c = GetParam();
    ServeWrite(20, c.answer, c.corruptEchoOf);
    EXPECT_EQ(engine.Run(kModeWrite), c.result);
    EXPECT_EQ(engine.GetErrorCode(), c.error);
    ASSERT_EQ(line.bodies.size(), c.frames);
    EXPECT_EQ(line.bodies[0],
              MakeFrameBody(kAddrRepeater, kAddrPc, kCmdWriteRequest, kModelRevision));
    // Blanks and the line end are not sent; the checksum is.
    const ByteVec first = line.bodies[1];
    EXPECT_EQ(std::string(first.begin() + 3, first.end()),
              "00A0100000000000000000000000000000000050");
    if (c.frames == 22) {
        EXPECT_EQ(line.bodies.back(), MakeFrameBody(kAddrRepeater, kAddrPc, kCmdEnd, EndPayload()));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Echoes, WriteTest,
    ::testing::Values(SWriteCase{"Accepted", -1, 0x00, ECloneResult::Ok, ERunError::Ended, 22},
                      SWriteCase{"Refused", -1, 0x01, ECloneResult::Failed, ERunError::BadFrame, 22},
                      SWriteCase{"NoResult", -1, -1, ECloneResult::Failed, ERunError::NoAnswer, 22},
                      SWriteCase{"CorruptEchoStopsSending", 4, 0x00, ECloneResult::Failed, ERunError::BadFrame,
                                 6}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CloneTransferTest, WriteAt38400PrecedesDataAndEndWithTwelveMoreFE) {
    ServeWrite(2, 0x00);
    engine.SetExtraPreamble(12);
    engine.SetSpeed(38400);
    ASSERT_EQ(engine.Run(kModeWrite), ECloneResult::Ok);
    EXPECT_EQ(line.openSpeeds, std::vector<uint32_t>{38400});
    ASSERT_EQ(line.writes.size(), 4u);
    auto preamble = [](const ByteVec& w) {
        return std::find_if(w.begin(), w.end(), [](uint8_t b) { return b != 0xFE; }) - w.begin();
    };
    EXPECT_EQ(preamble(line.writes[0]), 2);  // the write request
    for (size_t i = 1; i < 4; ++i)
        EXPECT_EQ(preamble(line.writes[i]), 14) << i;
}

TEST_F(CloneTransferTest, SpeedChangeAlwaysEndsByTimeOut) {
    engine.SetRevision(0x0100);
    engine.SetChangeSpeed(38400);
    line.react = [](SFakeLine& l, const ByteVec& body) { l.Echo(body); };
    const uint64_t start = line.clock.now;
    EXPECT_EQ(engine.Run(kModeSpeedChange), ECloneResult::Failed);
    EXPECT_EQ(line.clock.now - start, 3400u);
    ASSERT_EQ(line.bodies.size(), 1u);
    EXPECT_EQ(line.bodies[0], (ByteVec{kAddrRepeater, kAddrPc, kCmdSpeedChange, 0x23, 0x68, 0x01,
                                       0x00, 0x01, '0', '9'}));
}

TEST_F(CloneTransferTest, PortThatDoesNotOpenGives91AndItsOwnBox) {
    line.openFails = true;
    engine.SetReadSink(&lines);
    EXPECT_EQ(engine.Run(kModeRead), ECloneResult::PortError);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, " not Open ");
    EXPECT_TRUE(line.bodies.empty());
    EXPECT_EQ(ui.progressBegun, ui.progressEnded);
}

} // namespace
