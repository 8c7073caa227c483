// Frames, the byte receiver, record payloads and speed codes.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "CloneFakeLine.h"

TEST(Frame, BuildsPreambleBodyAndEnd) {
    EXPECT_EQ(BuildFrame(kAddrRepeater, kAddrPc, kCmdIdentify, {0x23, 0x68, 0, 0}),
              (ByteVec{0xFE, 0xFE, 0xEE, 0xEF, 0xE0, 0x23, 0x68, 0x00, 0x00, 0xFD}));
    const ByteVec extra = BuildFrame(MakeFrameBody(kAddrRepeater, kAddrPc, kCmdEnd), 12);
    EXPECT_EQ(extra.size(), 14u + 3u + 1u);
    EXPECT_EQ(std::count(extra.begin(), extra.end(), kFramePreamble), 14);
}

TEST(FrameReceiver, CollectsFrames) {
    const struct {
        const char* what;
        ByteVec stream;
        std::vector<ByteVec> frames;
    } cases[] = {
        {"plain", {0xFE, 0xFE, 0xEF, 0xEE, 0xE5, 0xFD}, {{0xEF, 0xEE, 0xE5}}},
        {"noise before the preamble is dropped",
         {0x11, 0x22, 0xFE, 0xEF, 0xEE, 0xE6, 0x00, 0xFD},
         {{0xEF, 0xEE, 0xE6, 0x00}}},
        {"a preamble byte inside restarts the frame",
         {0xFE, 0xEF, 0xEE, 0xFE, 0xEF, 0xEE, 0xE1, 0xFD},
         {{0xEF, 0xEE, 0xE1}}},
        {"bytes after an end never join the next frame",
         {0xFE, 0xEF, 0xEE, 0xE4, 0xFD, 0x33, 0xFD},
         {{0xEF, 0xEE, 0xE4}, {0x33}}},
        {"two frames back to back",
         {0xFE, 0xFE, 0x01, 0xFD, 0xFE, 0xFE, 0x02, 0xFD},
         {{0x01}, {0x02}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FramesIn(c.stream), c.frames) << c.what;
}

TEST(FrameReceiverLimit, KeepsAtMost255Bytes) {
    ByteVec stream{0xFE};
    for (int i = 0; i < 300; ++i)
        stream.push_back(static_cast<uint8_t>(i % 200));
    stream.push_back(0xFD);
    const auto frames = FramesIn(stream);
    ASSERT_EQ(frames.size(), 1u);
    ASSERT_EQ(frames[0].size(), kMaxFrameBody);
    EXPECT_EQ(frames[0][254], 254 % 200);
}

TEST(Record, PayloadCarriesLineAndChecksum) {
    // 00 A0 10 and sixteen bytes 01..10 sum to 0x138: the checksum is 0xC8.
    const std::string line = "00A010"
                             "0102030405060708090A0B0C0D0E0F10";
    ByteVec payload;
    ASSERT_TRUE(EncodeRecordPayload(line, payload));
    EXPECT_EQ(payload, Bytes(line + "C8"));

    SRecord record;
    ASSERT_EQ(DecodeRecordPayload(payload, record), ERecordCheck::Ok);
    EXPECT_EQ(record.address, 0x00A0);
    ASSERT_EQ(record.data.size(), 16u);
    EXPECT_EQ(record.data[15], 0x10);
    EXPECT_EQ(record.Line(), line);

    // The repeater's whole record frame carries the same payload; a spoilt checksum
    // is one bit off.
    uint8_t data[16];
    for (int i = 0; i < 16; ++i) data[i] = static_cast<uint8_t>(i + 1);
    ByteVec frames{0x55};
    AppendRecordFrame(frames, kAddrPc, kAddrRepeater, 0x00A0, data, 16);
    AppendRecordFrame(frames, kAddrPc, kAddrRepeater, 0x00A0, data, 16, true);
    ByteVec expected{0x55};
    for (const char* sum : {"C8", "C9"}) {
        const ByteVec frame = BuildFrame(kAddrPc, kAddrRepeater, kCmdData, Bytes(line + sum));
        expected.insert(expected.end(), frame.begin(), frame.end());
    }
    EXPECT_EQ(frames, expected);
}

TEST(Record, LineIsCutToItsCount) {
    ByteVec payload;
    ASSERT_TRUE(EncodeRecordPayload("19F001AAjunk", payload));
    EXPECT_EQ(payload, Bytes("19F001AA"
                             "4C"));
    EXPECT_FALSE(EncodeRecordPayload("19F002AA", payload));
    EXPECT_FALSE(EncodeRecordPayload("19F0", payload));
    EXPECT_FALSE(EncodeRecordPayload("19G001AA", payload));
}

TEST(Record, DecodingChecksFormatCountAndChecksum) {
    const std::pair<const char*, ERecordCheck> cases[] = {
        {"19F001AA4C", ERecordCheck::Ok},
        {"19f001aa4c", ERecordCheck::Ok},
        {"19F001AA4D", ERecordCheck::Checksum},
        {"19F002AA4B", ERecordCheck::Count}, // sums to 0 but claims two bytes, holds one
        {"19F001F6", ERecordCheck::Count},
        {"00000000", ERecordCheck::Ok},
        {"19F001AA4", ERecordCheck::Format},
        {"19F001AX4C", ERecordCheck::Format},
        {"000000", ERecordCheck::Format},
    };
    for (const auto& [payload, expected] : cases) {
        SRecord record;
        EXPECT_EQ(DecodeRecordPayload(Bytes(payload), record), expected) << payload;
    }
}

// Each speed's code, normalised (an unknown speed is 9600), encoded and parsed back;
// malformed payloads select nothing.
TEST(SpeedCodes, NormaliseEncodeParse) {
    const struct {
        uint32_t speed, normalised;
        const char* code;
    } cases[] = {{38400, 38400, "09"}, {28800, 28800, "0C"}, {19200, 19200, "13"},
                 {14400, 14400, "1A"}, {9600, 9600, "27"},   {57600, 9600, "27"}};
    for (const auto& c : cases) {
        EXPECT_EQ(NormaliseSpeed(c.speed), c.normalised) << c.speed;
        const ByteVec payload = BuildSpeedPayload(0x2368, 0x0100, c.speed);
        EXPECT_EQ(payload, (ByteVec{0x23, 0x68, 0x01, 0x00, 0x01, static_cast<uint8_t>(c.code[0]),
                                    static_cast<uint8_t>(c.code[1])}));
        EXPECT_EQ(ParseSpeedPayload(payload), c.normalised);
    }
    EXPECT_EQ(ParseSpeedPayload({0x23, 0x68, 0x01, 0x00, 0x02, '0', '9'}), 0u);
    EXPECT_EQ(ParseSpeedPayload({0x23, 0x68, 0x01, 0x00, 0x01, '0', '8'}), 0u);
    EXPECT_EQ(ParseSpeedPayload({0x23, 0x68, 0x01, 0x00, 0x01, '9'}), 0u);
}
