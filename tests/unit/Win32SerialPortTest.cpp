// The Win32 port's names and messages.
#include <gtest/gtest.h>

#include <windows.h>

#include "clone/Win32SerialPort.h"

TEST(Win32SerialPort, DeviceNamesAndMessages) {
    EXPECT_EQ(CWin32SerialPort::DeviceName("COM12"), "\\\\.\\COM12");
    EXPECT_EQ(CWin32SerialPort::DeviceName("\\\\.\\COM3"), "\\\\.\\COM3");
    const std::string missing = CWin32SerialPort::OpenFailureText("COM9", ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(missing.rfind(" not Open \nCOM9: " + CWin32SerialPort::SystemMessage(ERROR_FILE_NOT_FOUND), 0), 0u);
    EXPECT_EQ(missing.find("another program"), std::string::npos);
    EXPECT_NE(CWin32SerialPort::OpenFailureText("COM9", ERROR_ACCESS_DENIED).find("another program"),
              std::string::npos);
    // The system's text, without its line end; a code it has none for is named.
    const std::string text = CWin32SerialPort::SystemMessage(ERROR_ACCESS_DENIED);
    EXPECT_FALSE(text.empty());
    EXPECT_NE(text.back(), '\n');
    EXPECT_EQ(CWin32SerialPort::SystemMessage(0x2FFFFFFF), "system error 805306367");
}
