#include "Cli.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <map>

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

namespace {

std::string Explain(const std::string& result) {
    static const std::map<std::string, std::string> meaning = {
        {kFileCannotOpen, "the file cannot be opened or written"},
        {kFileFormatError, "the file is not a valid data file"},
        {kFileMismatchModel, "the file is for another model"},
        {kFileMismatchRevision, "the file is for another revision"},
        {kFileNotEnoughData, "the file does not hold enough data"},
        {kFileDataOverflow, "the file holds data outside the memory"},
    };
    const auto it = meaning.find(result);
    return it == meaning.end() ? std::string() : it->second;
}

} // namespace

std::unique_ptr<CTolvarDocumentData> OpenDataFile(const std::string& path, int& exitCode) {
    auto document = std::make_unique<CTolvarDocumentData>(Terminal(), 0);
    errno = 0;
    const std::string result = document->Open(path);
    if (result == kFileOk) {
        exitCode = kExitOk;
        return document;
    }
    std::cerr << result << "\n";
    std::string why = Explain(result);
    if (result == kFileCannotOpen && errno != 0)
        why += std::string(": ") + std::strerror(errno);
    std::cerr << "tolvar: " << path << ": " << why << "\n";
    exitCode = kExitRefused;
    return nullptr;
}

int SaveDataFile(CTolvarDocumentData& document, const std::string& path) {
    errno = 0;
    const std::string result = document.Save(path);
    if (result == kFileOk)
        return kExitOk;
    std::string why = Explain(result);
    if (errno != 0)
        why += std::string(": ") + std::strerror(errno);
    std::cerr << result << "\n" << "tolvar: " << path << ": " << why << "\n";
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
