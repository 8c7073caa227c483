#include "Cli.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>

#include "TerminalInteraction.h"
#include "datafile/CloneFileIoManager.h"
#include "datafile/FileReplace.h"

std::vector<SCliCommand>& CliCommands() {
    static std::vector<SCliCommand> commands;
    return commands;
}

CCliRegistrar::CCliRegistrar(int order, decltype(SCliCommand::add) add) {
    CliCommands().push_back({order, std::move(add)});
}

CTerminalInteraction& Terminal() {
    static CTerminalInteraction terminal;
    return terminal;
}

CTolvarPortFactory& ClonePorts() {
    static CTolvarPortFactory ports;
    return ports;
}

std::unique_ptr<CTolvarDocumentData> NewDocument(int model) {
    return std::make_unique<CTolvarDocumentData>(Terminal(), model, nullptr, &ClonePorts());
}

namespace {

std::string Explain(EFileResult result) {
    switch (result) {
    case EFileResult::CannotOpen: return "the file cannot be opened or written";
    case EFileResult::FormatError: return "the file is not a valid data file";
    case EFileResult::MismatchModel: return "the file is for another model";
    case EFileResult::MismatchRevision: return "the file is for another revision";
    case EFileResult::NotEnoughData: return "the file does not hold enough data";
    case EFileResult::DataOverflow: return "the file holds data outside the memory";
    case EFileResult::Ok:
    case EFileResult::Error: break;
    }
    return {};
}

} // namespace

std::unique_ptr<CTolvarDocumentData> OpenDataFile(const std::string& path, int& exitCode) {
    auto document = NewDocument();
    errno = 0;
    const EFileResult result = document->Open(path);
    if (result == EFileResult::Ok) {
        exitCode = kExitOk;
        return document;
    }
    std::cerr << FileResultText(result) << "\n";
    const SReadProblem& problem = document->FileIo().LastProblem();
    std::string why = Explain(result);
    if (result == EFileResult::CannotOpen && problem.error == ENOENT)
        why = "no such file";
    else if (result == EFileResult::CannotOpen && errno != 0)
        why += std::string(": ") + std::strerror(errno);
    std::cerr << "tolvar: " << path << ": " << why << "\n";
    if (result == EFileResult::FormatError && problem.line > 0)
        std::cerr << "tolvar: " << path << ": line " << problem.line << ": " << problem.reason
                  << "\n";
    exitCode = kExitRefused;
    return nullptr;
}

int SaveDataFile(CTolvarDocumentData& document, const std::string& path) {
    errno = 0;
    const EFileResult result = document.Save(path);
    if (result == EFileResult::Ok)
        return kExitOk;
    std::string why = Explain(result);
    if (errno != 0)
        why += std::string(": ") + std::strerror(errno);
    std::cerr << FileResultText(result) << "\n" << "tolvar: " << path << ": " << why << "\n";
    return kExitIo;
}

bool CheckWritable(const std::string& path, std::string& why) {
    std::string where;
    const int error = ReplaceProblem(path, where);
    if (error == 0)
        return true;
    if (where == path)
        why = error == EISDIR ? "it is a folder"
                              : std::string("it cannot be written: ") + std::strerror(error);
    else if (error == ENOENT)
        why = "the folder \"" + where + "\" does not exist";
    else if (error == ENOTDIR)
        why = "\"" + where + "\" is not a folder";
    else
        why = "the folder \"" + where + "\" cannot be written: " + std::strerror(error);
    return false;
}

int CheckOutput(const std::string& command, const std::string& path) {
    std::string why;
    if (CheckWritable(path, why))
        return kExitOk;
    std::cerr << "tolvar " << command << ": " << path << ": " << why << "\n";
    return kExitIo;
}

int CheckSaveTarget(const std::string& command, const std::string& file, const std::string& out) {
    if (!out.empty())
        return CheckOutput(command, out);
    std::error_code error;
    return std::filesystem::exists(FilePath(file), error) ? CheckOutput(command, file) : kExitOk;
}

bool ParseNumber(const std::string& text, long long& value) {
    if (text.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    value = std::strtoll(text.c_str(), &end, 0);
    return errno == 0 && end && *end == '\0';
}
