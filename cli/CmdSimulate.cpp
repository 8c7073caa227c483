// tolvar simulate: a simulated repeater on a pseudo-terminal, for any program that
// speaks the clone protocol.
#include <csignal>
#include <iostream>

#include "Cli.h"
#include "Console.h"
#include "datafile/CloneFileIoManager.h"
#include "datamodel/DataManagers.h"
#include "simulator/PtyServer.h"

namespace {

struct SSimulateOptions {
    std::string image;
    bool pmr = false;
    bool save = false;
    bool pace = false;
    std::vector<std::string> faults;
    std::string modelCode, revision, optionByte, subRevision;
};

// A number option within [0, max]; an empty text leaves value as it is.
bool NumberOption(const std::string& text, long long max, const char* name, long long& value) {
    if (text.empty())
        return true;
    if (ParseNumber(text, value) && value >= 0 && value <= max)
        return true;
    std::cerr << "tolvar simulate: " << name << " must be a number from 0 to " << max << "\n";
    return false;
}

std::string FaultHelp() {
    std::string text = "Show a fault (repeatable): ";
    for (const SFaultDef& def : FaultTable())
        text += std::string("\n  ") + def.name + (def.takesCount ? "=N" : "") + "  " + def.help;
    return text;
}

volatile std::sig_atomic_t g_stop = 0;

int RunSimulate(const SSimulateOptions& o) {
    if (o.save && o.image.empty()) {
        std::cerr << "tolvar simulate: --save needs --image FILE\n";
        return kExitUsage;
    }
    CSimulatedRepeater repeater;
    long long modelCode = kModelCode, revision = kRevision, optionByte = 0, subRevision = 0;
    if (!NumberOption(o.modelCode, 0xFFFF, "--model-code", modelCode) ||
        !NumberOption(o.revision, 0xFFFF, "--revision", revision) ||
        !NumberOption(o.optionByte, 0xEF, "--options", optionByte) ||
        !NumberOption(o.subRevision, 0xEF, "--sub-revision", subRevision))
        return kExitUsage;
    for (const std::string& fault : o.faults) {
        std::string error;
        if (!repeater.Faults().Add(fault, error)) {
            std::cerr << "tolvar simulate: " << error << "\n";
            return kExitUsage;
        }
    }
    repeater.SetModelCode(static_cast<uint16_t>(modelCode));
    repeater.SetRevision(static_cast<uint16_t>(revision));
    repeater.SetOptionByte(static_cast<uint8_t>(optionByte));
    repeater.SetSubRevision(static_cast<uint8_t>(subRevision));
    repeater.SetPacing(o.pace);

    std::unique_ptr<CTolvarDocumentData> document;
    if (!o.image.empty()) {
        int status = kExitOk;
        document = OpenDataFile(o.image, status);
        if (!document)
            return status;
        repeater.SetImage(document->Registry().Image());
    } else {
        repeater.LoadFactoryImage(o.pmr ? 1 : 0);
    }
    repeater.onLog = [](const std::string& text) { std::cerr << "simulate: " << text << "\n"; };
    if (o.save) {
        repeater.onWritten = [&](const CEepromImage& image) {
            // The plain writer: the file holds exactly what the repeater received.
            const EFileResult result = document->FileIo().SaveExact(
                o.image, CTolvarCloneFileIoManager::FullRange(), image);
            std::cerr << "simulate: saved " << o.image << ": " << FileResultText(result) << "\n";
        };
    }

    CPtyServer server(repeater);
    std::string error;
    if (!server.Open(error)) {
        std::cerr << "tolvar simulate: " << error << "\n";
        return kExitIo;
    }
    CatchStopSignals(g_stop);
    std::cout << server.SlavePath() << std::endl;
    std::cerr << "simulate: serving on " << server.SlavePath() << " (Ctrl+C ends)\n";
    if (!server.Serve(g_stop, error)) {
        std::cerr << "tolvar simulate: " << error << "\n";
        return kExitIo;
    }
    std::cerr << "simulate: stopped\n";
    return kExitOk;
}

} // namespace

static CCliRegistrar registrar(90, [](CLI::App& app, SCliOptions&) -> std::function<int()> {
    auto* cmd = app.add_subcommand(
        "simulate", "Run a simulated repeater on a pseudo-terminal until Ctrl+C; its path is "
                    "the first line of the output");
    auto o = std::make_shared<SSimulateOptions>();
    auto* image = cmd->add_option("--image", o->image, "Start from this data file's image");
    auto* pmr = cmd->add_flag("--pmr", o->pmr, "Start from the PMR factory image (else LMR)");
    image->excludes(pmr);
    cmd->add_flag("--save", o->save, "Write the image back to the --image file after each write");
    cmd->add_flag("--pace", o->pace, "Send at the line rate (10 bits a byte)");
    cmd->add_option("--fault", o->faults, FaultHelp());
    cmd->add_option("--model-code", o->modelCode, "Model code to identify with (default 0x2368)");
    cmd->add_option("--revision", o->revision, "Revision to identify with (default 0x0100)");
    cmd->add_option("--options", o->optionByte, "Option-unit byte of the information block");
    cmd->add_option("--sub-revision", o->subRevision, "Sub-revision of the information block");
    return [o] { return RunSimulate(*o); };
});
