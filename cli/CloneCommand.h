// What tolvar info, read and write share: the port and speed options, the maker
// reserve, and Ctrl+C as the cancel of a running transfer.
#pragma once

#include <csignal>
#include <memory>
#include <string>

#include <CLI/CLI.hpp>

#include "clone/CloneResult.h"
#include "document/DocumentData.h"

struct SCloneOptions {
    std::string port;
    int speed = 9600;
    bool makerReserve = false;
};

// -p/--port (default: TOLVAR_PORT, else COM1); with transfer also --speed and
// --maker-reserve (described for a write or a read).
void AddCloneOptions(CLI::App& cmd, SCloneOptions& options, bool transfer, bool write = false);

// Sets the document's clone manager up for the options. With --maker-reserve asks the
// caution; false when it was not confirmed.
bool PrepareClone(CTolvarDocumentData& document, const SCloneOptions& options);

// The exit status of a clone result: its code (0, 1, 77, 85, 91). After a failure
// first says on standard error what happened on the line.
int CloneExitStatus(ECloneResult result, const CTolvarDocumentData& document);

// While it lives, Ctrl+C asks the running transfer to stop (a second one ends the program).
class CInterruptScope {
public:
    CInterruptScope();
    ~CInterruptScope();
    CInterruptScope(const CInterruptScope&) = delete;
    CInterruptScope& operator=(const CInterruptScope&) = delete;

private:
    struct sigaction m_old {};
};
