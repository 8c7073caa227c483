// Serves a simulated repeater on the master side of a pseudo-terminal, so any program
// can open the slave side as its serial port.
#pragma once

#include <csignal>
#include <string>

#include "simulator/SimulatedRepeater.h"

class CPtyServer {
public:
    explicit CPtyServer(CSimulatedRepeater& repeater) : m_repeater(repeater) {}
    ~CPtyServer();
    CPtyServer(const CPtyServer&) = delete;
    CPtyServer& operator=(const CPtyServer&) = delete;

    // Creates the pseudo-terminal; false with the system's reason.
    bool Open(std::string& error);
    // The path other programs open.
    const std::string& SlavePath() const { return m_slavePath; }
    // Serves until stop becomes non-zero (checked at least every 200 ms and whenever a
    // signal interrupts the wait). False with a reason when the line fails.
    bool Serve(const volatile std::sig_atomic_t& stop, std::string& error);

private:
    CSimulatedRepeater& m_repeater;
    int m_master = -1;
    int m_slave = -1; // held open so the master never sees a hang-up between clients
    std::string m_slavePath;
    ByteVec m_unsent;
};
