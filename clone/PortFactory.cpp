#include "PortFactory.h"

void CPortFactory::SetSettings(const CPortSettings& settings) {
    std::lock_guard lock(m_mutex);
    m_settings = settings;
}

CPortSettings CPortFactory::Settings() const {
    std::lock_guard lock(m_mutex);
    return m_settings;
}

void CPortFactory::SetSimulatorMaker(PortMaker maker) {
    std::lock_guard lock(m_mutex);
    m_simulator = std::move(maker);
}

std::unique_ptr<CSerialPort> CPortFactory::Create(const std::string& name) const {
    std::lock_guard lock(m_mutex);
    // "SIM" by name, or a COM number the user pointed at the simulator.
    if (IsSimulatorPort(name) || IsSimulatorPort(m_settings.Resolve(name)))
        return m_simulator ? m_simulator(name) : nullptr;
    return MakeSystemSerialPort(m_settings);
}

PortMaker CPortFactory::Maker() const {
    return [this](const std::string& name) { return Create(name); };
}
