#include "FileReplace.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kMaxLinks = 40;

// What a save writes: path with the links of its last part followed.
struct STarget {
    std::string path;
    bool direct = false; // a link the kernel resolves (under /proc): write through it
};

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool UnderProc(const std::string& folder) {
    char* real = ::realpath(folder.c_str(), nullptr);
    if (!real)
        return false;
    const bool proc = std::strncmp(real, "/proc/", 6) == 0;
    std::free(real);
    return proc;
}

// False with errno on a loop of links or a link that cannot be read.
bool FollowLinks(const std::string& path, STarget& target) {
    std::string current = path;
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        // Links under /proc name open files, not places in a folder.
        if (UnderProc(FolderOf(current))) {
            target = {path, true};
            return true;
        }
        struct stat status {};
        if (::lstat(current.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            target = {current, false};
            return true;
        }
        std::string link(PATH_MAX, '\0');
        const ssize_t n = ::readlink(current.c_str(), link.data(), link.size());
        if (n < 0)
            return false;
        if (static_cast<size_t>(n) >= link.size()) {
            errno = ENAMETOOLONG;
            return false;
        }
        link.resize(static_cast<size_t>(n));
        current = link[0] == '/' ? link : FolderOf(current) + "/" + link;
    }
    errno = ELOOP;
    return false;
}

bool WriteAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// Closes fd; ok stays true only when the close succeeds too. errno is the first error.
bool Close(int fd, bool ok) {
    const int error = errno;
    if (::close(fd) != 0 && ok)
        return false;
    errno = error;
    return ok;
}

bool WriteInto(const std::string& path, const std::string& text) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0)
        return false;
    return Close(fd, WriteAll(fd, text));
}

// A new file beside target holding text, flushed to the disk; its name in temp.
bool WriteTemporary(const std::string& target, const std::string& text, mode_t mode,
                    std::string& temp) {
    const size_t slash = target.rfind('/');
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    temp = FolderOf(target) + "/." + name + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return false;
    const bool ok = Close(fd, WriteAll(fd, text) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0);
    if (!ok) {
        const int error = errno;
        ::unlink(temp.c_str());
        errno = error;
    }
    return ok;
}

bool ReadAll(int fd, std::string& text) {
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        text.append(buffer, static_cast<size_t>(n));
    }
}

bool Overwrite(int fd, const std::string& text) {
    return ::lseek(fd, 0, SEEK_SET) == 0 && WriteAll(fd, text) &&
           ::ftruncate(fd, static_cast<off_t>(text.size())) == 0 && ::fsync(fd) == 0;
}

// The file keeps its inode and so its other names; the old text is put back when
// the new one cannot be written.
bool WriteInPlace(const std::string& target, const std::string& text) {
    const int fd = ::open(target.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return false;
    std::string old;
    if (!ReadAll(fd, old))
        return Close(fd, false);
    if (Overwrite(fd, text))
        return Close(fd, true);
    const int error = errno;
    Overwrite(fd, old);
    errno = error;
    return Close(fd, false);
}

mode_t CreateMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

bool ReplaceFile(const std::string& path, const std::string& text) {
    STarget target;
    if (path.empty()) {
        errno = ENOENT;
        return false;
    }
    if (!FollowLinks(path, target))
        return false;
    struct stat old {};
    const bool exists = ::stat(target.path.c_str(), &old) == 0;
    if (!exists && errno != ENOENT)
        return false;
    if (exists && S_ISDIR(old.st_mode)) {
        errno = EISDIR;
        return false;
    }
    if (exists && (target.direct || !S_ISREG(old.st_mode)))
        return WriteInto(path, text);
    if (exists && ::access(target.path.c_str(), W_OK) != 0)
        return false;
    const bool linked = exists && old.st_nlink > 1;
    std::string temp;
    if (!WriteTemporary(target.path, text, exists ? old.st_mode & 07777 : CreateMode(), temp))
        return false;
    const bool ok = linked ? WriteInPlace(target.path, text)
                           : std::rename(temp.c_str(), target.path.c_str()) == 0;
    if (linked || !ok) {
        const int error = errno;
        ::unlink(temp.c_str());
        errno = error;
    }
    return ok;
}

int ReplaceProblem(const std::string& path, std::string& where) {
    where = path;
    if (path.empty())
        return ENOENT;
    STarget target;
    if (!FollowLinks(path, target))
        return errno;
    struct stat status {};
    if (::stat(target.path.c_str(), &status) == 0) {
        if (S_ISDIR(status.st_mode))
            return EISDIR;
        if (::access(target.path.c_str(), W_OK) != 0)
            return errno;
        if (target.direct || !S_ISREG(status.st_mode))
            return 0;
    } else if (errno != ENOENT) {
        return errno;
    }
    // A regular file is written beside itself first.
    const std::string folder = FolderOf(target.path);
    where = folder;
    if (::stat(folder.c_str(), &status) != 0)
        return errno;
    if (!S_ISDIR(status.st_mode))
        return ENOTDIR;
    if (::access(folder.c_str(), W_OK | X_OK) != 0)
        return errno;
    return 0;
}

std::FILE* OpenFile(const std::string& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}

std::filesystem::path FilePath(const std::string& path) { return path; }

std::string PathText(const std::filesystem::path& path) { return path.string(); }
