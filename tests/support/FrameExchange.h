// One frame sent from the PC over a port, and the frames that come back.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "clone/Frame.h"
#include "clone/SerialPort.h"

// Sends the command to the repeater and collects frames (at most 256 bytes a read)
// until count have come or the line is quiet for waitMs.
inline std::vector<ByteVec> ExchangeFrames(CSerialPort& port, uint8_t command,
                                           const ByteVec& payload, size_t count, int waitMs) {
    const ByteVec frame = BuildFrame(kAddrRepeater, kAddrPc, command, payload);
    EXPECT_TRUE(port.Write(frame.data(), frame.size()));
    CFrameReceiver receiver;
    std::vector<ByteVec> frames;
    while (frames.size() < count && port.WaitReadable(waitMs)) {
        uint8_t buf[512];
        size_t n = 0;
        while (port.Read(buf, sizeof buf, n)) {
            EXPECT_LE(n, 256u);
            for (size_t i = 0; i < n; ++i)
                if (receiver.Feed(buf[i]))
                    frames.push_back(receiver.Frame());
        }
    }
    return frames;
}
