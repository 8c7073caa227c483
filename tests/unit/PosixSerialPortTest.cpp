// The termios port's own messages.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "clone/PosixSerialPort.h"

TEST(PosixSerialPort, PermissionFailureSaysHowToGetAccess) {
    for (int error : {EACCES, EPERM}) {
        const std::string text = CPosixSerialPort::OpenFailureText("/dev/ttyS0", error);
        EXPECT_EQ(text.rfind(" not Open \n/dev/ttyS0: " + std::string(std::strerror(error)), 0),
                  0u);
        EXPECT_NE(text.find("\"dialout\" group"), std::string::npos);
        EXPECT_NE(text.find("log in again"), std::string::npos);
    }
    EXPECT_EQ(CPosixSerialPort::OpenFailureText("/dev/x", ENOENT).find("dialout"),
              std::string::npos);
}

