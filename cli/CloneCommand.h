// What tolvar info, read and write share: the port and speed options, the maker
// reserve, the backups of what went over the line, and Ctrl+C as the cancel of a
// running transfer.
#pragma once

#include <memory>
#include <string>

#include <CLI/CLI.hpp>

#include "clone/CloneResult.h"
#include "document/Backups.h"
#include "document/DocumentData.h"

struct SCloneOptions {
    std::string port;
    int speed = 9600;
    bool makerReserve = false;
    bool noBackup = false;
    std::string backupDir; // empty: the default backups folder
};

// -p/--port (default: TOLVAR_PORT, else COM1); with transfer also --speed,
// --maker-reserve (described for a write or a read), --no-backup and --backup-dir.
void AddCloneOptions(CLI::App& cmd, SCloneOptions& options, bool transfer, bool write = false);

// Sets the document's clone manager up for the options. With --maker-reserve asks the
// caution; false when it was not confirmed.
bool PrepareClone(CTolvarDocumentData& document, const SCloneOptions& options);

// The exit status of a clone result: its code (0, 1, 77, 85, 91). After a failure
// first says on standard error what happened on the line.
int CloneExitStatus(ECloneResult result, const CTolvarDocumentData& document);

// Keeps the document's image as a backup unless --no-backup; says on standard error
// where ("tolvar read: backup: PATH"), or why none was kept. Never fails the command.
void KeepBackup(const std::string& command, CTolvarDocumentData& document,
                EBackupOperation operation, const SCloneOptions& options);

// While it lives, Ctrl+C asks the running transfer to stop (a second one ends the program).
// Each system has its own implementation (Console*.cpp).
class CInterruptScope {
public:
    CInterruptScope();
    ~CInterruptScope();
    CInterruptScope(const CInterruptScope&) = delete;
    CInterruptScope& operator=(const CInterruptScope&) = delete;

private:
    struct SSaved; // the handler it replaced
    std::unique_ptr<SSaved> m_saved;
};
