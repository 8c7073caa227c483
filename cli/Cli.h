// The pieces every subcommand of the command-line program shares.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "document/DocumentData.h"
#include "document/TolvarPortFactory.h"

class CTerminalInteraction;

// Exit statuses besides the clone result codes.
inline constexpr int kExitOk = 0;
inline constexpr int kExitDiffer = 1;
inline constexpr int kExitRefused = 2;  // the reader refused a data file
inline constexpr int kExitVerifyDiffer = 3;
inline constexpr int kExitUsage = 64;
inline constexpr int kExitIo = 74;      // a file could not be written

struct SCliOptions {
    bool yes = false;  // answer every question OK / Yes
};

// A subcommand: adds itself to the application and returns what runs it.
struct SCliCommand {
    int order;  // position in the help text
    std::function<std::function<int()>(CLI::App& app, SCliOptions& options)> add;
};

// Registers a subcommand at start-up; one per source file.
struct CCliRegistrar {
    CCliRegistrar(int order, decltype(SCliCommand::add) add);
};
std::vector<SCliCommand>& CliCommands();

CTerminalInteraction& Terminal();
// The program's ports: COM1..COM4 and the simulated repeater behind SIM, shared by
// every document of one run (a write and its verifying read meet the same repeater).
CTolvarPortFactory& ClonePorts();
// A new document on the terminal and the program's ports.
std::unique_ptr<CTolvarDocumentData> NewDocument(int model = 0);

// Opens a data file into a new document. On refusal prints the reader's result
// text (and what it means) on standard error and sets exitCode.
std::unique_ptr<CTolvarDocumentData> OpenDataFile(const std::string& path, int& exitCode);
// Saves through the document's save path; prints the failure and returns an exit status.
int SaveDataFile(CTolvarDocumentData& document, const std::string& path);
// Whether a file can be written at path: its folder exists and takes files, path is
// not a folder, an existing file may be written. Otherwise false with the reason in why
// ("the folder \"out\" does not exist"). For commands to ask before any work starts.
bool CheckWritable(const std::string& path, std::string& why);
// CheckWritable for a command's output: kExitOk, or kExitIo after printing
// "tolvar COMMAND: PATH: WHY".
int CheckOutput(const std::string& command, const std::string& path);
// CheckOutput for a command that changes file and saves it to out, or to file itself
// when out is empty; a file that does not exist is left for OpenDataFile to report.
int CheckSaveTarget(const std::string& command, const std::string& file, const std::string& out);
// Parses a number in decimal or with 0x for hexadecimal; false when it is not one.
bool ParseNumber(const std::string& text, long long& value);
