// tolvar ports: the serial ports of this machine and what COM1..COM4 stand for.
#include <iostream>

#include "Cli.h"
#include "clone/PortEnumeration.h"
#include "clone/PortFactory.h"

static CCliRegistrar registrar(80, [](CLI::App& app, SCliOptions&) -> std::function<int()> {
    app.add_subcommand("ports", "List the serial ports and what COM1..COM4 open");
    return [] {
        std::cout << "Port names:\n";
        for (int n = 1; n <= kComPortCount; ++n)
            std::cout << "  COM" << n << "  " << ClonePorts().Settings().ComPath(n) << "\n";
        std::cout << "  " << kSimulatorPortName << "   the built-in simulated repeater\n";
        const auto ports = EnumeratePorts();
        std::cout << "Detected serial ports:" << (ports.empty() ? " none" : "") << "\n";
        for (const SPortInfo& port : ports) {
            std::cout << "  " << port.path;
            if (port.target != port.path)
                std::cout << " -> " << port.target;
            if (!port.description.empty())
                std::cout << "  " << port.description;
            std::cout << "  (" << port.kind << ")\n";
        }
        return kExitOk;
    };
});
