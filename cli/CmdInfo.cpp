// tolvar info: what the connected repeater says about itself.
#include "Cli.h"
#include "CloneCommand.h"
#include "TerminalInteraction.h"
#include "clone/CloneRsIoManager.h"

static CCliRegistrar registrar(60, [](CLI::App& app, SCliOptions&) -> std::function<int()> {
    auto* cmd = app.add_subcommand("info", "Show the connected repeater's model, revision, "
                                           "comment and option units");
    auto options = std::make_shared<SCloneOptions>();
    AddCloneOptions(*cmd, *options, false);
    cmd->footer("Exit status: 0 shown, 77 communication failure, 85 repeater not compatible, "
                "91 port not available.");
    return [options] {
        auto document = NewDocument();
        PrepareClone(*document, *options);
        CInterruptScope interrupt;
        const ECloneResult result = document->RsIo().Information();
        return CloneExitStatus(result, *document);
    };
});
