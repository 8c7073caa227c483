#include "Console.h"

#include <unistd.h>

#include "CloneCommand.h"
#include "Cli.h"
#include "TerminalInteraction.h"

namespace {

// Read by the signal handlers: lock-free atomics, as a handler may only touch those.
std::atomic<std::atomic<bool>*> g_cancel{nullptr};
std::atomic<volatile std::sig_atomic_t*> g_stop{nullptr};
static_assert(std::atomic<std::atomic<bool>*>::is_always_lock_free);
static_assert(std::atomic<volatile std::sig_atomic_t*>::is_always_lock_free);

void OnInterrupt(int) {
    std::atomic<bool>* cancel = g_cancel.load();
    if (cancel && !cancel->exchange(true))
        return;
    std::signal(SIGINT, SIG_DFL);
    std::raise(SIGINT);
}

void OnStop(int) {
    if (volatile std::sig_atomic_t* stop = g_stop.load())
        *stop = 1;
}

} // namespace

void PrepareConsole(int&, char**&) {}

bool IsTerminal(int stream) { return ::isatty(stream); }

void CatchStopSignals(volatile std::sig_atomic_t& stop) {
    g_stop.store(&stop);
    struct sigaction action {};
    action.sa_handler = OnStop;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0; // no restart: the wait returns at once
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

struct CInterruptScope::SSaved {
    struct sigaction action {};
};

CInterruptScope::CInterruptScope() : m_saved(std::make_unique<SSaved>()) {
    Terminal().cancelRequested.store(false);
    g_cancel.store(&Terminal().cancelRequested);
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;  // no restart: a prompt waiting for input gives up
    sigaction(SIGINT, &action, &m_saved->action);
}

CInterruptScope::~CInterruptScope() {
    sigaction(SIGINT, &m_saved->action, nullptr);
    g_cancel = nullptr;
}
