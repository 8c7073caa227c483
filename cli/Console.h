// What the terminal and the process signals are on each system (ConsolePosix.cpp,
// ConsoleWindows.cpp).
#pragma once

#include <csignal>

// Before anything else in main: on Windows the arguments become UTF-8 (from the wide
// command line) and so does the console's output; elsewhere nothing changes.
void PrepareConsole(int& argc, char**& argv);
// Standard input (0) or error (2) is an interactive terminal or console.
bool IsTerminal(int stream);
// Ctrl+C and termination (SIGINT and SIGTERM, or the console's Ctrl+C, Ctrl+Break and
// close) set stop; a wait in progress returns early (no restart).
void CatchStopSignals(volatile std::sig_atomic_t& stop);
