#include "Backups.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "clone/CloneRsIoManager.h"
#include "datafile/CloneFileIoManager.h"
#include "datafile/FileReplace.h"
#include "datamodel/DataManagers.h"
#include "datamodel/memmap/TreeAccess.h"
#include "document/DocumentData.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t kCommentLength = 32;
constexpr const char* kExtension = ".zcf";
// The time in a name: digits where the pattern has "d".
constexpr const char* kTimePattern = "dddd-dd-dd_dd-dd-dd";
constexpr size_t kTimeLength = 19;
constexpr char kCounterMark = '~'; // sorts after "_", so later ones of a second follow

const char* OperationName(EBackupOperation operation) {
    return operation == EBackupOperation::Write ? "write" : "read";
}

bool NameCharacter(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_';
}

// "2024-05-03_14-22-07" from "2024-05-03 14:22:07" and back.
std::string TimeInName(std::string time) {
    std::replace(time.begin(), time.end(), ' ', '_');
    std::replace(time.begin(), time.end(), ':', '-');
    return time;
}

bool ParseTime(const std::string& name, std::string& time) {
    if (name.size() < kTimeLength)
        return false;
    for (size_t i = 0; i < kTimeLength; ++i)
        if (kTimePattern[i] == 'd' ? !std::isdigit(static_cast<unsigned char>(name[i]))
                                   : name[i] != kTimePattern[i])
            return false;
    const auto number = [&](size_t at) { return std::stoi(name.substr(at, 2)); };
    const int month = number(5), day = number(8);
    if (month < 1 || month > 12 || day < 1 || day > 31 || number(11) > 23 || number(14) > 59 ||
        number(17) > 60)
        return false;
    time = name.substr(0, 10) + " " + name.substr(11, 2) + ":" + name.substr(14, 2) + ":" +
           name.substr(17, 2);
    return true;
}

// Takes word at pos; false when it is not there.
bool Take(const std::string& name, size_t& pos, const std::string& word) {
    if (name.compare(pos, word.size(), word) != 0)
        return false;
    pos += word.size();
    return true;
}

std::string LocalTime(std::time_t when) {
    std::tm local{};
    if (!CBackups::LocalTm(when, local))
        return {};
    char text[32];
    return std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local) ? text : "";
}

// A backup's path: the folder and the name joined by "/", or on Windows by "\\" for a
// folder written with backslashes only.
std::string Join(const std::string& folder, const std::string& name) {
    const bool windows = fs::path::preferred_separator == '\\';
    if (!folder.empty() && (folder.back() == '/' || (windows && folder.back() == '\\')))
        return folder + name;
    const bool backslashes = windows && folder.find('/') == std::string::npos &&
                             folder.find('\\') != std::string::npos;
    return folder + (backslashes ? "\\" : "/") + name;
}

} // namespace

std::string CBackups::NameComment(const std::string& comment) {
    std::string text;
    for (char c : comment) {
        if (std::isspace(static_cast<unsigned char>(c)) || c == '_')
            c = ' ';
        else if (!NameCharacter(c))
            continue;
        if (c == ' ' && (text.empty() || text.back() == ' '))
            continue;
        text += c;
    }
    text = text.substr(0, kCommentLength);
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    std::replace(text.begin(), text.end(), ' ', '_');
    return text;
}

std::string CBackups::FileName(const SBackup& backup) {
    std::string name = TimeInName(backup.time);
    if (backup.counter > 1)
        name += kCounterMark + std::to_string(backup.counter);
    name += std::string("_") + OperationName(backup.operation) + "_" + ModelName(backup.model);
    if (!backup.comment.empty())
        name += "_" + backup.comment;
    return name + kExtension;
}

bool CBackups::ParseName(const std::string& name, SBackup& backup) {
    SBackup parsed;
    if (!ParseTime(name, parsed.time))
        return false;
    size_t pos = kTimeLength;
    if (pos < name.size() && name[pos] == kCounterMark) {
        const size_t first = ++pos;
        while (pos < name.size() && pos - first < 6 &&
               std::isdigit(static_cast<unsigned char>(name[pos])))
            ++pos;
        if (pos == first || name[first] == '0')
            return false;
        parsed.counter = std::stoi(name.substr(first, pos - first));
        if (parsed.counter < 2)
            return false;
    }
    if (Take(name, pos, "_read_"))
        parsed.operation = EBackupOperation::Read;
    else if (Take(name, pos, "_write_"))
        parsed.operation = EBackupOperation::Write;
    else
        return false;
    if (Take(name, pos, "PMR"))
        parsed.model = 1;
    else if (!Take(name, pos, "LMR"))
        return false;
    const size_t extension = name.size() - std::strlen(kExtension);
    if (name.size() < pos + std::strlen(kExtension) ||
        name.compare(extension, std::string::npos, kExtension) != 0)
        return false;
    if (pos < extension) {
        if (name[pos] != '_')
            return false;
        parsed.comment = name.substr(pos + 1, extension - pos - 1);
        if (parsed.comment.empty() || parsed.comment.size() > kCommentLength ||
            !std::all_of(parsed.comment.begin(), parsed.comment.end(), NameCharacter))
            return false;
    }
    backup = parsed;
    return true;
}

std::vector<SBackup> CBackups::List() const {
    std::vector<SBackup> backups;
    std::error_code error;
    for (fs::directory_iterator it(FilePath(m_folder), error), end; !error && it != end;
         it.increment(error)) {
        SBackup backup;
        std::error_code statError;
        if (!ParseName(PathText(it->path().filename()), backup) || !it->is_regular_file(statError))
            continue;
        backup.path = Join(m_folder, PathText(it->path().filename()));
        backups.push_back(backup);
    }
    std::sort(backups.begin(), backups.end(), [](const SBackup& x, const SBackup& y) {
        if (x.time != y.time)
            return x.time > y.time;
        return x.counter != y.counter ? x.counter > y.counter : x.path > y.path;
    });
    return backups;
}

SBackupResult CBackups::Keep(CTolvarDocumentData& document, EBackupOperation operation,
                             std::time_t when) const {
    SBackupResult result;
    const auto fail = [&](const std::string& reason) {
        result.warning = "no backup was kept in " + m_folder + ": " + reason;
        return result;
    };
    if (m_folder.empty()) {
        result.warning = "no backup was kept: there is no folder for backups (HOME is not set)";
        return result;
    }
    std::error_code error;
    fs::create_directories(FilePath(m_folder), error);
    if (error)
        return fail(error.message());

    SBackup backup;
    backup.time = LocalTime(when);
    backup.operation = operation;
    backup.model = document.GetModel();
    // The comment the image holds: the repeater's after a read, the one it got by a write.
    std::string comment;
    for (const char* field : {"CommonSet.Common.Comment1", "CommonSet.Common.Comment2"})
        if (const CNode* node = document.Registry().Model()->GetNodeByPath(field))
            comment += LeafText(*node) + " ";
    backup.comment = NameComment(comment);
    for (const SBackup& other : List())
        if (other.time == backup.time)
            backup.counter = std::max(backup.counter, other.counter + 1);
    std::string path = Join(m_folder, FileName(backup));
    while (fs::exists(fs::symlink_status(FilePath(path), error))) {
        ++backup.counter;
        path = Join(m_folder, FileName(backup));
    }

    errno = 0;
    const EFileResult saved = document.FileIo().Save(path, CTolvarCloneFileIoManager::FullRange(),
                                                     document.Registry().Image());
    if (saved != EFileResult::Ok)
        return fail(errno ? std::strerror(errno) : FileResultText(saved));
    result.path = path;

    const std::vector<SBackup> backups = List();
    for (size_t i = kLimit; i < backups.size(); ++i) {
        if (backups[i].path == path || fs::remove(FilePath(backups[i].path), error) || !error)
            continue;
        result.warning =
            "the old backup " + backups[i].path + " could not be removed: " + error.message();
    }
    return result;
}
