// Windows has no pseudo-terminals: the simulated repeater is reached through the port
// SIM there, or served by `tolvar simulate` on Linux.
#include "PtyServer.h"

CPtyServer::~CPtyServer() = default;

bool CPtyServer::Open(std::string& error) {
    error = "Windows has no pseudo-terminals: use the port SIM (the built-in simulated "
            "repeater), or run tolvar simulate on Linux";
    return false;
}

bool CPtyServer::Serve(const volatile std::sig_atomic_t&, std::string& error) {
    error = "no pseudo-terminal";
    return false;
}
