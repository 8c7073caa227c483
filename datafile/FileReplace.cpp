#include "FileReplace.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

bool ReplaceFile(const std::string& path, const std::string& text) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path target(path);
    if (fs::exists(target, ec) && ::access(path.c_str(), W_OK) != 0)
        return false;
    fs::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";
    std::string name = ".";
    name += target.filename().string();
    name += ".XXXXXX";
    std::string temp = (folder / name).string();
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return false;
    std::FILE* file = ::fdopen(fd, "wb");
    if (!file) {
        const int error = errno;
        ::close(fd);
        ::unlink(temp.c_str());
        errno = error;
        return false;
    }
    int error = 0;
    auto check = [&error](bool ok) {
        if (!ok && error == 0)
            error = errno ? errno : EIO;
    };
    errno = 0;
    check(std::fwrite(text.data(), 1, text.size(), file) == text.size());
    check(std::fflush(file) == 0);
    check(::fsync(::fileno(file)) == 0);
    struct stat old {};
    mode_t mode;
    if (::stat(path.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    check(::fchmod(::fileno(file), mode) == 0);
    check(std::fclose(file) == 0);
    if (error == 0)
        check(std::rename(temp.c_str(), path.c_str()) == 0);
    if (error != 0) {
        ::unlink(temp.c_str());
        errno = error;
        return false;
    }
    return true;
}
