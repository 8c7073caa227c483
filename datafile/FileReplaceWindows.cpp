#include "FileReplace.h"

#include <cerrno>
#include <random>
#include <windows.h>

#include "datafile/Utf16.h"

// The system's ReplaceFile is called by its wide name; the name is this file's.
#undef ReplaceFile

namespace {

int ErrnoOf(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_INVALID_NAME: return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT: return EACCES;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return ENOSPC;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return EEXIST;
    case ERROR_DIRECTORY: return ENOTDIR;
    case ERROR_FILENAME_EXCED_RANGE: return ENAMETOOLONG;
    case ERROR_CANT_RESOLVE_FILENAME: return ELOOP;
    default: return EIO;
    }
}

bool Failed(DWORD error = GetLastError()) {
    errno = ErrnoOf(error);
    return false;
}

class CHandle {
public:
    explicit CHandle(HANDLE handle) : m_handle(handle) {}
    ~CHandle() {
        if (Valid())
            CloseHandle(m_handle);
    }
    CHandle(const CHandle&) = delete;
    CHandle& operator=(const CHandle&) = delete;
    bool Valid() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle;
};

// What a save meets at a name: nothing, a device, or a file (links followed).
struct STarget {
    bool exists = false;
    bool device = false;
    bool folder = false;
    bool readOnly = false;
    DWORD links = 0;
    std::wstring path; // the file itself: the final target of a link
    DWORD error = 0;   // the name cannot be looked at
};

size_t FolderEnd(const std::wstring& path) { return path.find_last_of(L"/\\"); }

std::wstring FolderOf(const std::wstring& path) {
    const size_t slash = FolderEnd(path);
    if (slash == std::wstring::npos)
        return L".";
    return slash == 0 || (slash == 2 && path[1] == L':') ? path.substr(0, slash + 1)
                                                         : path.substr(0, slash);
}

STarget Look(const std::wstring& path) {
    STarget target;
    target.path = path;
    const CHandle handle(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!handle.Valid()) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND)
            target.error = error;
        return target;
    }
    target.exists = true;
    if (GetFileType(handle.Get()) != FILE_TYPE_DISK) {
        target.device = true;
        return target;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileInformationByHandle(handle.Get(), &info)) {
        target.folder = info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
        target.readOnly = info.dwFileAttributes & FILE_ATTRIBUTE_READONLY;
        target.links = info.nNumberOfLinks;
    }
    // A symbolic link: its final target is the file to save.
    if (GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT) {
        std::wstring final(MAX_PATH, L'\0');
        DWORD n = GetFinalPathNameByHandleW(handle.Get(), final.data(),
                                            static_cast<DWORD>(final.size()), FILE_NAME_NORMALIZED);
        if (n >= final.size()) {
            final.resize(n);
            n = GetFinalPathNameByHandleW(handle.Get(), final.data(),
                                          static_cast<DWORD>(final.size()), FILE_NAME_NORMALIZED);
        }
        if (n > 0 && n < final.size())
            target.path = final.substr(0, n);
    }
    return target;
}

bool WriteAll(HANDLE handle, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(text.size() - done, 1u << 30));
        if (!WriteFile(handle, text.data() + done, chunk, &written, nullptr))
            return Failed();
        if (written == 0)
            return Failed(ERROR_WRITE_FAULT);
        done += written;
    }
    return true;
}

bool WriteInto(const std::wstring& path, const std::string& text) {
    const CHandle handle(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle.Valid())
        return Failed();
    return WriteAll(handle.Get(), text);
}

// A new file beside target holding text, written through to the disk; its name in temp.
bool WriteTemporary(const std::wstring& target, const std::string& text, std::wstring& temp) {
    const size_t slash = FolderEnd(target);
    const std::wstring folder = slash == std::wstring::npos ? L"" : target.substr(0, slash + 1);
    const std::wstring name = slash == std::wstring::npos ? target : target.substr(slash + 1);
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = folder + L"." + name + L"." + std::to_wstring(random() % 1000000);
        const CHandle handle(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                         FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr));
        if (!handle.Valid()) {
            if (GetLastError() == ERROR_FILE_EXISTS)
                continue;
            return Failed();
        }
        if (WriteAll(handle.Get(), text) && (FlushFileBuffers(handle.Get()) || Failed()))
            return true;
        const int error = errno;
        DeleteFileW(temp.c_str());
        errno = error;
        return false;
    }
    return Failed(ERROR_FILE_EXISTS);
}

bool Overwrite(HANDLE handle, const std::string& text) {
    return (SetFilePointer(handle, 0, nullptr, FILE_BEGIN) == 0 || Failed()) &&
           WriteAll(handle, text) && (SetEndOfFile(handle) || Failed()) &&
           (FlushFileBuffers(handle) || Failed());
}

// The file keeps its identity and so its other names; the old text is put back when
// the new one cannot be written.
bool WriteInPlace(const std::wstring& target, const std::string& text) {
    const CHandle handle(CreateFileW(target.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                     nullptr, OPEN_EXISTING, FILE_FLAG_WRITE_THROUGH, nullptr));
    if (!handle.Valid())
        return Failed();
    std::string old;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(handle.Get(), buffer, sizeof buffer, &got, nullptr) && got > 0)
        old.append(buffer, got);
    if (Overwrite(handle.Get(), text))
        return true;
    const int error = errno;
    Overwrite(handle.Get(), old);
    errno = error;
    return false;
}

} // namespace

bool ReplaceFile(const std::string& path, const std::string& text) {
    if (path.empty()) {
        errno = ENOENT;
        return false;
    }
    const std::wstring name = WideFromUtf8(path);
    const STarget target = Look(name);
    if (target.error)
        return Failed(target.error);
    if (target.folder) {
        errno = EISDIR;
        return false;
    }
    if (target.device)
        return WriteInto(name, text);
    if (target.readOnly) {
        errno = EACCES;
        return false;
    }
    std::wstring temp;
    if (!WriteTemporary(target.path, text, temp))
        return false;
    bool ok;
    if (target.links > 1) {
        ok = WriteInPlace(target.path, text);
    } else {
        // ReplaceFile keeps the old file's attributes and security; where the file system
        // cannot, a plain move over it does.
        ok = (target.exists && ReplaceFileW(target.path.c_str(), temp.c_str(), nullptr,
                                            REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) ||
             MoveFileExW(temp.c_str(), target.path.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ||
             Failed();
    }
    if (target.links > 1 || !ok) {
        const int error = errno;
        DeleteFileW(temp.c_str());
        errno = error;
    }
    return ok;
}

int ReplaceProblem(const std::string& path, std::string& where) {
    where = path;
    if (path.empty())
        return ENOENT;
    const std::wstring name = WideFromUtf8(path);
    const STarget target = Look(name);
    if (target.folder)
        return EISDIR;
    if (target.device)
        return 0;
    if (target.readOnly)
        return EACCES;
    // A regular file is written beside itself first.
    const std::wstring folder = FolderOf(target.path);
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return ENOTDIR; // a file where a folder of the path should be: the path is at fault
    if (target.error && target.error != ERROR_PATH_NOT_FOUND)
        return ErrnoOf(target.error);
    where = Utf8FromWide(folder);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return ErrnoOf(GetLastError());
    // Whether the folder takes a new file: one that goes when closed.
    const std::wstring probe = folder + L"\\.tolvar-probe-" + std::to_wstring(GetCurrentProcessId());
    const CHandle handle(CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    return handle.Valid() ? 0 : ErrnoOf(GetLastError());
}

std::FILE* OpenFile(const std::string& path, const char* mode) {
    return _wfopen(WideFromUtf8(path).c_str(), WideFromUtf8(mode).c_str());
}

std::filesystem::path FilePath(const std::string& path) { return WideFromUtf8(path); }

std::string PathText(const std::filesystem::path& path) { return Utf8FromWide(path.wstring()); }
