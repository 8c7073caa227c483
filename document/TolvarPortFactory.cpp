#include "TolvarPortFactory.h"

CTolvarPortFactory::CTolvarPortFactory() {
    SetSimulatorMaker([this](const std::string&) -> std::unique_ptr<CSerialPort> {
        return std::make_unique<CSimulatorPort>(m_simulator);
    });
}
