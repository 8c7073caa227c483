// The ports of the program: serial devices by name, and "SIM", the simulated
// repeater on this factory's own link.
#pragma once

#include "clone/PortFactory.h"
#include "simulator/SimulatorPort.h"

class CTolvarPortFactory : public CPortFactory {
public:
    CTolvarPortFactory();
    CTolvarPortFactory(const CTolvarPortFactory&) = delete;
    CTolvarPortFactory& operator=(const CTolvarPortFactory&) = delete;

    // The repeater behind "SIM".
    CSimulatorLink& Simulator() { return m_simulator; }

private:
    CSimulatorLink m_simulator;
};
