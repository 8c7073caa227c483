#include "support/LinePeer.h"

#include <chrono>
#include <cstdlib>
#include <windows.h>

CLinePeer::CLinePeer() {
    const char* line = std::getenv("TOLVAR_TEST_LINE");
    const std::string pair = line ? line : "";
    const size_t comma = pair.find(',');
    if (comma == std::string::npos) {
        m_missing = "no serial line to test on: set TOLVAR_TEST_LINE=COMx,COMy to two wired ports";
        return;
    }
    m_port = pair.substr(0, comma);
    const std::string farEnd = "\\\\.\\" + pair.substr(comma + 1);
    const HANDLE handle = CreateFileA(farEnd.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    COMMTIMEOUTS immediate{MAXDWORD, 0, 0, 0, 2000};
    if (handle == INVALID_HANDLE_VALUE || !GetCommState(handle, &dcb)) {
        m_missing = "the far end " + farEnd + " does not open";
        return;
    }
    m_handle = handle;
    dcb.BaudRate = 9600;
    dcb.fBinary = TRUE;
    dcb.fOutxCtsFlow = dcb.fOutxDsrFlow = dcb.fOutX = dcb.fInX = FALSE;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    if (!SetCommState(handle, &dcb) || !SetCommTimeouts(handle, &immediate))
        m_missing = "the far end " + farEnd + " takes no line settings";
    PurgeComm(handle, PURGE_RXCLEAR | PURGE_TXCLEAR);
}

CLinePeer::~CLinePeer() {
    if (m_handle)
        CloseHandle(static_cast<HANDLE>(m_handle));
}

bool CLinePeer::Send(const std::vector<uint8_t>& bytes) {
    DWORD written = 0;
    return WriteFile(static_cast<HANDLE>(m_handle), bytes.data(), static_cast<DWORD>(bytes.size()),
                     &written, nullptr) &&
           written == bytes.size();
}

std::vector<uint8_t> CLinePeer::Receive(size_t expected, int timeoutMs) {
    std::vector<uint8_t> got;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (got.size() < expected && std::chrono::steady_clock::now() < deadline) {
        uint8_t buf[512];
        DWORD n = 0;
        if (ReadFile(static_cast<HANDLE>(m_handle), buf, sizeof buf, &n, nullptr) && n > 0)
            got.insert(got.end(), buf, buf + n);
        else
            Sleep(10);
    }
    return got;
}

std::string CLinePeer::MissingPort() { return "COM255"; }
std::string CLinePeer::NotAPort() { return "NUL"; }

bool CLinePeer::RefusesSecondOpen() {
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return !(ntdll && GetProcAddress(ntdll, "wine_get_version"));
}
