#include "CloneCommand.h"

#include <atomic>
#include <cstdlib>

#include "Cli.h"
#include "TerminalInteraction.h"
#include "clone/CloneRsIoManager.h"
#include "datamodel/DataManagers.h"

namespace {

// Read by the signal handler: a lock-free atomic, as a handler may only touch those.
std::atomic<std::atomic<bool>*> g_cancel{nullptr};
static_assert(std::atomic<std::atomic<bool>*>::is_always_lock_free);

void OnInterrupt(int) {
    std::atomic<bool>* cancel = g_cancel.load();
    if (cancel && !cancel->exchange(true))
        return;
    std::signal(SIGINT, SIG_DFL);
    std::raise(SIGINT);
}

} // namespace

void AddCloneOptions(CLI::App& cmd, SCloneOptions& options, bool transfer) {
    const char* env = std::getenv("TOLVAR_PORT");
    options.port = env && *env ? env : "COM1";
    cmd.add_option("-p,--port", options.port,
                   "COM1..COM4, a device path, or SIM (the built-in simulated repeater); "
                   "default: $TOLVAR_PORT, else COM1")
        ->capture_default_str();
    if (!transfer)
        return;
    cmd.add_option("--speed", options.speed,
                   "9600, or 38400: identification at 9600, then the data at 38400")
        ->check(CLI::IsMember({9600, 38400}))
        ->capture_default_str();
    cmd.add_flag("--maker-reserve", options.makerReserve,
                 "Maker reserve: the factory adjustment area goes with a write (asks first)");
}

bool PrepareClone(CTolvarDocumentData& document, const SCloneOptions& options) {
    CQCloneManager& registry = document.Registry();
    CTolvarCloneRsIoManager& io = document.RsIo();
    io.SetPortName(options.port);
    io.SetSpeedMode(options.speed == 38400 ? 2 : 1);
    if (options.makerReserve) {
        registry.ConfirmMakerReserve();
        return registry.Model()->IsMakerReserve();
    }
    return true;
}

CInterruptScope::CInterruptScope() {
    Terminal().cancelRequested.store(false);
    g_cancel.store(&Terminal().cancelRequested);
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;  // no restart: a prompt waiting for input gives up
    sigaction(SIGINT, &action, &m_old);
}

CInterruptScope::~CInterruptScope() {
    sigaction(SIGINT, &m_old, nullptr);
    g_cancel = nullptr;
}

int CloneExitStatus(ECloneResult result) {
    switch (result) {
    case ECloneResult::Ok:
    case ECloneResult::Cancelled:
    case ECloneResult::Failed:
    case ECloneResult::Incompatible:
    case ECloneResult::PortError: return static_cast<int>(result);
    }
    return static_cast<int>(ECloneResult::Failed);
}
