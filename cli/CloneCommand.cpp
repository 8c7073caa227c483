#include "CloneCommand.h"

#include <atomic>
#include <cctype>
#include <cstdlib>
#include <iostream>

#include "Cli.h"
#include "TerminalInteraction.h"
#include "clone/CloneRsIoManager.h"
#include "clone/PortNames.h"
#include "datamodel/DataManagers.h"

void AddCloneOptions(CLI::App& cmd, SCloneOptions& options, bool transfer, bool write) {
    const char* env = std::getenv("TOLVAR_PORT");
    const bool fromEnv = env && *env;
    options.port = fromEnv ? env : "COM1";
    cmd.add_option("-p,--port", options.port,
                   "COM1..COM4, a device path, or SIM (the built-in simulated repeater); "
                   "default: " +
                       (fromEnv ? options.port + " (from TOLVAR_PORT)"
                                : std::string("$TOLVAR_PORT when set, else COM1")))
        ->check(CLI::Validator(
            [](std::string& name) -> std::string {
                std::string upper;
                for (char c : name)
                    upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
                const bool comLike = upper.size() > 3 && upper.rfind("COM", 0) == 0 &&
                                     std::isdigit(static_cast<unsigned char>(upper[3]));
                if (comLike && ComPortNumber(name) == 0 && SystemComNumber(name) == 0)
                    return name + " is not a port name: use " + PortNameChoices();
                return {};
            },
            "PORT"));
    if (!transfer)
        return;
    cmd.add_option("--speed", options.speed,
                   "9600, or 38400: identification at 9600, then the data at 38400")
        ->check(CLI::IsMember({9600, 38400}))
        ->capture_default_str();
    cmd.add_flag("--maker-reserve", options.makerReserve,
                 write ? "Maker reserve: the factory adjustment area goes with the write, and a "
                         "repeater of another revision is accepted (asks first)"
                       : "Maker reserve: confirm the caution first (the file always holds the "
                         "factory adjustment area the repeater sends)");
    cmd.add_flag("--no-backup", options.noBackup,
                 write ? "Keep no backup of the image written (nor of the one --verify reads)"
                       : "Keep no backup of the image read");
    cmd.add_option("--backup-dir", options.backupDir,
                   "The folder of the backups; default: $XDG_DATA_HOME/CS-Tolvar/backups, else "
                   "~/.local/share/CS-Tolvar/backups (the last " +
                       std::to_string(CBackups::kLimit) + " are kept)")
        ->type_name("DIR");
}

void KeepBackup(const std::string& command, CTolvarDocumentData& document,
                EBackupOperation operation, const SCloneOptions& options) {
    if (options.noBackup)
        return;
    const CBackups backups(options.backupDir.empty() ? CBackups::DefaultFolder()
                                                     : options.backupDir);
    const SBackupResult result = backups.Keep(document, operation);
    if (result.Kept())
        std::cerr << "tolvar " << command << ": backup: " << result.path << "\n";
    if (!result.warning.empty())
        std::cerr << "tolvar " << command << ": warning: " << result.warning << "\n";
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

int CloneExitStatus(ECloneResult result, const CTolvarDocumentData& document) {
    if (result != ECloneResult::Ok && !document.RsIo().LastDetail().empty())
        std::cerr << "tolvar: " << document.RsIo().LastDetail() << "\n";
    switch (result) {
    case ECloneResult::Ok:
    case ECloneResult::Cancelled:
    case ECloneResult::Failed:
    case ECloneResult::Incompatible:
    case ECloneResult::PortError: return static_cast<int>(result);
    }
    return static_cast<int>(ECloneResult::Failed);
}
