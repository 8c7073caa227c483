#include "Cli.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "TerminalInteraction.h"
#include "datafile/CloneFileIoManager.h"

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
    std::string why = Explain(result);
    if (result == EFileResult::CannotOpen && errno != 0)
        why += std::string(": ") + std::strerror(errno);
    std::cerr << "tolvar: " << path << ": " << why << "\n";
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

bool ParseNumber(const std::string& text, long long& value) {
    if (text.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    value = std::strtoll(text.c_str(), &end, 0);
    return errno == 0 && end && *end == '\0';
}
