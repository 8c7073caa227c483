// tolvar write: a data file into the repeater, optionally read back and compared.
#include <iostream>

#include "Cli.h"
#include "CloneCommand.h"
#include "TerminalInteraction.h"
#include "clone/CloneRsIoManager.h"
#include "datamodel/DataManagers.h"
#include "datamodel/memmap/TreeAccess.h"
#include "document/Compare.h"

namespace {

// Reads the repeater back and lists every field that differs from the document, as the
// sheets name it.
int Verify(CTolvarDocumentData& written, const SCloneOptions& options) {
    auto back = NewDocument();
    SCloneOptions readOptions = options;
    readOptions.makerReserve = false;
    PrepareClone(*back, readOptions);
    ECloneResult result;
    {
        CInterruptScope interrupt;
        result = back->RsIo().Read();
    }
    if (result != ECloneResult::Ok)
        return CloneExitStatus(result, *back);
    KeepBackup("write", *back, EBackupOperation::Read, options);
    const bool makerReserve = written.Registry().Model()->IsMakerReserve();
    const std::vector<SSheetDifference> diffs = CompareWritten(written, *back, makerReserve);
    for (const SSheetDifference& diff : diffs)
        std::cout << DifferencePlace(diff) << ": file \"" << diff.textA << "\", repeater \""
                  << diff.textB << "\"\n";
    if (diffs.empty()) {
        std::cerr << "Verified: the repeater holds every field of the file.\n";
        return kExitOk;
    }
    std::cerr << "Verify: " << diffs.size() << " field(s) differ.\n";
    return kExitVerifyDiffer;
}

} // namespace

static CCliRegistrar registrar(62, [](CLI::App& app, SCliOptions& global) -> std::function<int()> {
    auto* cmd = app.add_subcommand("write", "Write a data file into the repeater");
    auto options = std::make_shared<SCloneOptions>();
    auto file = std::make_shared<std::string>();
    auto verify = std::make_shared<bool>(false);
    AddCloneOptions(*cmd, *options, true, true);
    cmd->add_option("FILE", *file, "The data file to write")->required();
    cmd->add_flag("-y,--yes", global.yes, "Answer every question with OK / Yes");
    cmd->add_flag("--verify", *verify,
                  "Read the repeater back afterwards and list every field that differs");
    cmd->footer("A copy of the image written (and of the one read back) is kept in the backups "
                "folder (see --backup-dir). "
                "Exit status: 0 written (and verified), 1 cancelled, 2 the file was refused, "
                "3 --verify found differences, 77 communication failure, 85 repeater not "
                "compatible, 91 port not available.");
    return [options, file, verify] {
        int status = 0;
        auto document = OpenDataFile(*file, status);
        if (!document)
            return status;
        if (!PrepareClone(*document, *options))
            return CloneExitStatus(ECloneResult::Cancelled, *document);
        // A file of some records only takes the rest from the factory image.
        if (const SCoverage coverage = document->UserAreaCoverage(); !coverage.Complete()) {
            const std::string question =
                " " + *file + " holds " + std::to_string(coverage.covered) + " of the " +
                std::to_string(coverage.total) + " bytes of the user area; the other " +
                std::to_string(coverage.total - coverage.covered) +
                " bytes would come from the factory image.\n\n Write it anyway?";
            if (Terminal().MessageBox(question, "", EButtons::YesNoDefaultNo, EIcon::Question) !=
                EAnswer::Yes)
                return CloneExitStatus(ECloneResult::Cancelled, *document);
        }
        std::cerr << "tolvar: writing " << *file << " (" << ModelName(document->GetModel())
                  << ") to the repeater on " << document->RsIo().PortName() << "\n";
        ECloneResult result;
        {
            CInterruptScope interrupt;
            result = document->RsIo().Write();
        }
        if (result != ECloneResult::Ok)
            return CloneExitStatus(result, *document);
        KeepBackup("write", *document, EBackupOperation::Write, *options);
        return *verify ? Verify(*document, *options) : kExitOk;
    };
});
