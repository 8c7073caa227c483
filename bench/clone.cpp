// Timing of clone reads and writes of a whole image against the simulated repeater,
// paced at the line rate, on a pseudo-terminal: wall time against the time the line
// and the protocol's fixed waits need, and the CPU time spent meanwhile.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <thread>

#include "clone/CloneRsIoManager.h"
#include "clone/PortFactory.h"
#include "datamodel/DataManagers.h"
#include "document/DocumentData.h"
#include "support/ScriptedInteraction.h"
#include "simulator/PtyServer.h"
#include "simulator/SimulatedRepeater.h"

namespace {

// Bytes each way, weighted by the speed they went at: the line time in seconds.
struct SLineUse {
    double seconds = 0;
    long bytes = 0;
};

// A port that counts what it moves.
class CCountingPort : public CSerialPort {
public:
    CCountingPort(std::unique_ptr<CSerialPort> inner, SLineUse& use)
        : m_inner(std::move(inner)), m_use(use) {}
    bool IsOpen() const override { return m_inner->IsOpen(); }
    void Close() override { m_inner->Close(); }
    bool Write(const uint8_t* data, size_t length) override {
        return m_inner->Write(data, length);
    }
    bool Read(uint8_t* buffer, size_t maxLength, size_t& count) override {
        const bool ok = m_inner->Read(buffer, maxLength, count);
        if (ok) {
            // Everything the PC hears crossed the line once: its own frames as echo.
            m_use.bytes += static_cast<long>(count);
            m_use.seconds += static_cast<double>(count) * 10.0 / m_inner->GetSpeed();
        }
        return ok;
    }
    bool WaitReadable(int timeoutMs) override { return m_inner->WaitReadable(timeoutMs); }
    void Flush() override { m_inner->Flush(); }

protected:
    bool OpenPort(const std::string& name, uint32_t speed, uint32_t bufferSize) override {
        return m_inner->Open(name, speed, bufferSize);
    }

private:
    std::unique_ptr<CSerialPort> m_inner;
    SLineUse& m_use;
};

double CpuSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double ThreadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

void Measure(const char* what, int speed, const std::string& port, bool write) {
    CScriptedInteraction ui;
    CTolvarDocumentData doc(ui, ModelLMR);
    CTolvarCloneRsIoManager& io = doc.RsIo();
    CPortFactory ports;
    io.SetPortName(port);
    io.SetSpeedMode(speed == 38400 ? 2 : 1);
    SLineUse use;
    io.SetPortMaker([&](const std::string& name) -> std::unique_ptr<CSerialPort> {
        return std::make_unique<CCountingPort>(ports.Create(name), use);
    });

    const double cpu0 = CpuSeconds(RUSAGE_SELF), engine0 = ThreadCpuSeconds();
    const auto t0 = std::chrono::steady_clock::now();
    const int result = static_cast<int>(write ? io.Write() : io.Read());
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    const double cpu = CpuSeconds(RUSAGE_SELF) - cpu0, engine = ThreadCpuSeconds() - engine0;

    // Fixed waits: 2 x 200 ms in every run, 200 ms after the write request's echo,
    // the speed-change run's 3 s time-out, and the pauses of the success sound.
    const int runs = speed == 38400 ? 3 : 2;
    double fixed = runs * 0.4 + (write ? 0.2 : 0.0) + (speed == 38400 ? 3.0 : 0.0) + 0.55;
    const double expected = use.seconds + fixed;
    std::printf("%-5s %5d bit/s  result %2d  wall %6.2f s  line %6.2f s (%6ld bytes) + waits "
                "%4.2f s = %6.2f s  ratio %.3f  cpu %.3f s (engine thread %.3f s)\n",
                what, speed, result, wall, use.seconds, use.bytes, fixed, expected,
                wall / expected, cpu, engine);
    std::fflush(stdout);
}

} // namespace

int main() {
    CSimulatedRepeater repeater;
    repeater.SetPacing(true);
    CPtyServer server(repeater);
    std::string error;
    if (!server.Open(error)) {
        std::fprintf(stderr, "tolvar_bench_clone: %s\n", error.c_str());
        return 1;
    }
    volatile std::sig_atomic_t stop = 0;
    std::thread serving([&] {
        std::string failure;
        server.Serve(stop, failure);
    });
    std::printf("clone of a whole image against the paced simulator on %s\n",
                server.SlavePath().c_str());
    for (int speed : {9600, 38400}) {
        Measure("read", speed, server.SlavePath(), false);
        Measure("write", speed, server.SlavePath(), true);
    }
    stop = 1;
    serving.join();
    return 0;
}
