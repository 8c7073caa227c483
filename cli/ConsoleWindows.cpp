#include "Console.h"

#include <cstdlib>
#include <io.h>
#include <string>
#include <vector>
#include <windows.h>
#include <shellapi.h>

#include "CloneCommand.h"
#include "Cli.h"
#include "TerminalInteraction.h"
#include "datafile/Utf16.h"

namespace {

std::atomic<std::atomic<bool>*> g_cancel{nullptr};
std::atomic<volatile std::sig_atomic_t*> g_stop{nullptr};

// Runs on a thread of its own that the system starts for the event.
BOOL WINAPI OnInterrupt(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        return FALSE;
    std::atomic<bool>* cancel = g_cancel.load();
    if (cancel && !cancel->exchange(true))
        return TRUE; // the first asks the transfer to stop
    return FALSE;    // the second ends the program
}

BOOL WINAPI OnStop(DWORD) {
    if (volatile std::sig_atomic_t* stop = g_stop.load())
        *stop = 1;
    return TRUE;
}

} // namespace

void PrepareConsole(int& argc, char**& argv) {
    // The arguments as UTF-8, kept for the whole run.
    static std::vector<std::string> arguments;
    static std::vector<char*> pointers;
    int count = 0;
    if (wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 0; i < count; ++i)
            arguments.push_back(Utf8FromWide(wide[i]));
        LocalFree(wide);
        for (std::string& argument : arguments)
            pointers.push_back(argument.data());
        pointers.push_back(nullptr);
        argc = count;
        argv = pointers.data();
    }
    SetConsoleOutputCP(CP_UTF8);
    SetConsoleCP(CP_UTF8);
}

bool IsTerminal(int stream) {
    // _isatty is true for any character device, NUL too: only a console counts.
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(stream));
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode);
}

void CatchStopSignals(volatile std::sig_atomic_t& stop) {
    g_stop.store(&stop);
    SetConsoleCtrlHandler(OnStop, TRUE);
}

struct CInterruptScope::SSaved {};

CInterruptScope::CInterruptScope() : m_saved(std::make_unique<SSaved>()) {
    Terminal().cancelRequested.store(false);
    g_cancel.store(&Terminal().cancelRequested);
    SetConsoleCtrlHandler(OnInterrupt, TRUE);
}

CInterruptScope::~CInterruptScope() {
    SetConsoleCtrlHandler(OnInterrupt, FALSE);
    g_cancel = nullptr;
}
