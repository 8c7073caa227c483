#include "Win32SerialPort.h"

#include <algorithm>
#include <windows.h>

#include "clone/PortFactory.h"
#include "datafile/Utf16.h"

namespace {

constexpr size_t kMaxRead = 256;
// A frame leaves within this (plus 100 ms a byte) or the write is a failure.
constexpr DWORD kWriteConstantMs = 3000;
constexpr DWORD kWriteMultiplierMs = 100;

HANDLE Handle(void* handle) { return static_cast<HANDLE>(handle); }

} // namespace

std::unique_ptr<CSerialPort> MakeSystemSerialPort(const CPortSettings& settings) {
    return std::make_unique<CWin32SerialPort>(settings);
}

std::string PortInUseText(const std::string& name) {
    return CWin32SerialPort::OpenFailureText(name, ERROR_ACCESS_DENIED);
}

CWin32SerialPort::~CWin32SerialPort() {
    Close();
}

std::string CWin32SerialPort::DeviceName(const std::string& path) {
    return path.rfind("\\\\", 0) == 0 ? path : "\\\\.\\" + path;
}

std::string CWin32SerialPort::SystemMessage(unsigned long error) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring wide = length && text ? std::wstring(text, length) : std::wstring();
    if (text)
        LocalFree(text);
    while (!wide.empty() && (wide.back() == L'\n' || wide.back() == L'\r' || wide.back() == L' '))
        wide.pop_back();
    if (wide.empty())
        return "system error " + std::to_string(error);
    return Utf8FromWide(wide);
}

std::string CWin32SerialPort::OpenFailureText(const std::string& path, unsigned long error) {
    std::string text = " not Open \n" + path + ": " + SystemMessage(error);
    if (error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION)
        text += "\nThe port may be in use by another program: close it and try again.";
    return text;
}

void CWin32SerialPort::Fail(const char* text) {
    const DWORD error = GetLastError();
    DWORD ignored = 0;
    ClearCommError(Handle(m_handle), &ignored, nullptr);
    ReportError(text, static_cast<int>(error));
}

// Read time-outs: Waiting is the driver's own wait for a whole read (the time-outs a
// port is opened with), Immediate returns what has arrived, Timed returns the first byte
// as soon as it arrives or nothing after timeoutMs.
bool CWin32SerialPort::SetReadMode(EReadMode mode, int timeoutMs) {
    if (mode == m_mode && (mode != EReadMode::Timed || timeoutMs == m_modeTimeoutMs))
        return true;
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.WriteTotalTimeoutMultiplier = kWriteMultiplierMs;
    timeouts.WriteTotalTimeoutConstant = kWriteConstantMs;
    if (mode == EReadMode::Waiting) {
        timeouts.ReadTotalTimeoutMultiplier = 1000;
        timeouts.ReadTotalTimeoutConstant = 3000;
    } else if (mode == EReadMode::Timed) {
        timeouts.ReadTotalTimeoutMultiplier = MAXDWORD;
        timeouts.ReadTotalTimeoutConstant = static_cast<DWORD>(timeoutMs);
    }
    if (!SetCommTimeouts(Handle(m_handle), &timeouts))
        return false;
    m_mode = mode;
    m_modeTimeoutMs = timeoutMs;
    return true;
}

bool CWin32SerialPort::OpenPort(const std::string& name, uint32_t speed, uint32_t bufferSize) {
    const std::string path = m_settings.Resolve(name);
    const HANDLE handle = CreateFileW(WideFromUtf8(DeviceName(path)).c_str(),
                                      GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        ReportError(OpenFailureText(path, error), static_cast<int>(error));
        return false;
    }
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(handle, &dcb)) {
        CloseHandle(handle);
        return false;
    }
    m_handle = handle;
    m_hasAhead = false;
    SetupComm(handle, bufferSize, bufferSize);
    PurgeComm(handle, PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
    m_mode = EReadMode::Timed; // not yet set: force the first
    bool ok = SetReadMode(EReadMode::Waiting);
    dcb.BaudRate = speed;
    dcb.fBinary = TRUE;
    dcb.fParity = FALSE;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fNull = FALSE;
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    dcb.fAbortOnError = FALSE;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.EvtChar = 0x0D;
    ok = ok && SetCommState(handle, &dcb);
    if (!ok) {
        const DWORD error = GetLastError();
        CloseHandle(handle);
        m_handle = nullptr;
        ReportError(" invarid setting ", static_cast<int>(error));
        return false;
    }
    // The cloning cable: DTR low, RTS high. Lines a virtual port does not have are no error.
    EscapeCommFunction(handle, CLRDTR);
    EscapeCommFunction(handle, SETRTS);
    return true;
}

void CWin32SerialPort::Close() {
    if (!m_handle)
        return;
    PurgeComm(Handle(m_handle), PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
    CloseHandle(Handle(m_handle));
    m_handle = nullptr;
    m_hasAhead = false;
}

bool CWin32SerialPort::Write(const uint8_t* data, size_t length) {
    if (!m_handle)
        return false;
    size_t done = 0;
    while (done < length) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(length - done, 1u << 30));
        if (!WriteFile(Handle(m_handle), data + done, chunk, &written, nullptr)) {
            Fail(" write error ");
            return false;
        }
        if (written == 0) { // the write time-out ran out
            SetLastError(ERROR_TIMEOUT);
            Fail(" write error ");
            return false;
        }
        done += written;
    }
    return true;
}

bool CWin32SerialPort::Read(uint8_t* buffer, size_t maxLength, size_t& count) {
    count = 0;
    if (!m_handle || maxLength == 0)
        return false;
    DWORD errors = 0;
    COMSTAT status{};
    if (!ClearCommError(Handle(m_handle), &errors, &status))
        status.cbInQue = 0;
    const size_t limit = std::min(maxLength, kMaxRead);
    if (m_hasAhead) {
        buffer[count++] = m_ahead;
        m_hasAhead = false;
    }
    const size_t n = std::min<size_t>(limit - count, status.cbInQue);
    if (n > 0) {
        DWORD got = 0;
        if (!SetReadMode(EReadMode::Immediate) ||
            !ReadFile(Handle(m_handle), buffer + count, static_cast<DWORD>(n), &got, nullptr)) {
            if (count == 0) {
                Fail(" read error ");
                return false;
            }
            got = 0;
        }
        count += got;
    }
    return count > 0;
}

bool CWin32SerialPort::WaitReadable(int timeoutMs) {
    if (!m_handle)
        return false;
    if (m_hasAhead)
        return true;
    DWORD errors = 0;
    COMSTAT status{};
    if (ClearCommError(Handle(m_handle), &errors, &status) && status.cbInQue > 0)
        return true;
    if (timeoutMs <= 0)
        return false;
    // The driver waits for the first byte; it is kept for the next Read.
    DWORD got = 0;
    if (SetReadMode(EReadMode::Timed, timeoutMs) &&
        ReadFile(Handle(m_handle), &m_ahead, 1, &got, nullptr)) {
        m_hasAhead = got == 1;
        return m_hasAhead;
    }
    // A failing device answers at once: sit out the time instead of letting the caller spin.
    Sleep(static_cast<DWORD>(timeoutMs));
    return false;
}

void CWin32SerialPort::Flush() {
    if (m_handle)
        FlushFileBuffers(Handle(m_handle));
}
