// The program as a child process on Windows: tolvar.exe beside the test program.
#include "CliRunner.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <windows.h>

namespace clitest {

namespace {

std::wstring Wide(const std::string& text) {
    std::wstring wide(text.size(), L'\0');
    wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, text.data(),
                                                        static_cast<int>(text.size()),
                                                        wide.data(), static_cast<int>(wide.size()))));
    return wide;
}

// One argument as the C runtime's command-line parser reads it back.
std::wstring Quoted(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos)
        return argument;
    std::wstring out = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, L'\\');
    return out + L"\"";
}

std::wstring ProgramPath() {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    return path.substr(0, path.find_last_of(L"\\/") + 1) + L"tolvar.exe";
}

HANDLE Inheritable(const std::wstring& path, DWORD access, DWORD creation) {
    SECURITY_ATTRIBUTES security{sizeof security, nullptr, TRUE};
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &security,
                       creation, FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

CChild::CChild(const std::vector<std::string>& args, const std::string& outPath,
               const std::string& errPath, bool,
               const std::vector<std::pair<std::string, std::string>>& env) {
    const std::wstring program = ProgramPath();
    std::wstring line = Quoted(program);
    for (const std::string& arg : args)
        line += L" " + Quoted(Wide(arg));
    // The environment of this process, without TOLVAR_PORT, then env.
    _wputenv_s(L"TOLVAR_PORT", L"");
    std::vector<std::pair<std::wstring, std::wstring>> saved;
    for (const auto& [name, value] : env) {
        const wchar_t* old = _wgetenv(Wide(name).c_str());
        saved.emplace_back(Wide(name), old ? old : L"");
        _wputenv_s(Wide(name).c_str(), Wide(value).c_str());
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = Inheritable(L"NUL", GENERIC_READ, OPEN_EXISTING);
    startup.hStdOutput = Inheritable(Wide(outPath), GENERIC_WRITE, CREATE_ALWAYS);
    startup.hStdError = Inheritable(Wide(errPath), GENERIC_WRITE, CREATE_ALWAYS);
    PROCESS_INFORMATION process{};
    if (CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &startup, &process)) {
        CloseHandle(process.hThread);
        m_process = process.hProcess;
        m_pid = process.dwProcessId;
    } else {
        std::fprintf(stderr, "cannot start %ls: error %lu\n", program.c_str(), GetLastError());
    }
    for (HANDLE handle : {startup.hStdInput, startup.hStdOutput, startup.hStdError})
        if (handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
    for (auto it = saved.rbegin(); it != saved.rend(); ++it)
        _wputenv_s(it->first.c_str(), it->second.c_str());
}

CChild::~CChild() {
    if (m_process && !m_done) {
        TerminateProcess(static_cast<HANDLE>(m_process), 1);
        Wait();
    }
    if (m_process)
        CloseHandle(static_cast<HANDLE>(m_process));
}

std::string CChild::FirstLine() { return {}; }

std::string CChild::Text(const std::string& printed) {
    std::string text;
    for (size_t i = 0; i < printed.size(); ++i)
        if (printed[i] != '\r' || i + 1 == printed.size() || printed[i + 1] != '\n')
            text += printed[i];
    return text;
}

void CChild::Signal(int) {
    if (m_process)
        TerminateProcess(static_cast<HANDLE>(m_process), 1);
}

int CChild::Wait() {
    m_done = true;
    DWORD code = 0;
    const HANDLE process = static_cast<HANDLE>(m_process);
    if (!process || WaitForSingleObject(process, INFINITE) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process, &code))
        return -1;
    return static_cast<int>(code);
}

} // namespace clitest
