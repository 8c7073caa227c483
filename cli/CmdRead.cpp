// tolvar read: the repeater's memory into a data file.
#include "Cli.h"
#include "CloneCommand.h"
#include "TerminalInteraction.h"
#include "clone/CloneRsIoManager.h"

static CCliRegistrar registrar(61, [](CLI::App& app, SCliOptions&) -> std::function<int()> {
    auto* cmd = app.add_subcommand("read", "Read the repeater's memory into a data file");
    auto options = std::make_shared<SCloneOptions>();
    auto out = std::make_shared<std::string>();
    AddCloneOptions(*cmd, *options, true);
    cmd->add_option("-o,--output", *out, "The data file to write (only when the read succeeds)")
        ->required();
    cmd->footer("A copy of the image read is kept in the backups folder (see --backup-dir). "
                "Exit status: 0 read and saved, 1 cancelled (Ctrl+C), 77 communication failure, "
                "85 repeater not compatible, 91 port not available, 74 the file could not be "
                "written.");
    return [options, out] {
        // A file that cannot be written is found out before the transfer, not after it.
        if (const int status = CheckOutput("read", *out); status != kExitOk)
            return status;
        auto document = NewDocument();
        if (!PrepareClone(*document, *options))
            return CloneExitStatus(ECloneResult::Cancelled, *document);
        ECloneResult result;
        {
            CInterruptScope interrupt;
            result = document->RsIo().Read();
        }
        if (result != ECloneResult::Ok)
            return CloneExitStatus(result, *document);
        // Kept first: the backup holds the image even when FILE cannot be saved.
        KeepBackup("read", *document, EBackupOperation::Read, *options);
        return SaveDataFile(*document, *out);
    };
});
