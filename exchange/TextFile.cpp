#include "TextFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "datafile/FileReplace.h"

bool ReadTextFile(const std::string& path, std::string& text, std::string& error) {
    std::error_code ec;
    if (std::filesystem::is_directory(FilePath(path), ec)) { // Windows opens none
        error = std::strerror(EISDIR);
        return false;
    }
    std::FILE* file = OpenFile(path, "rb");
    if (!file) {
        error = errno == ENOENT ? "no such file" : std::strerror(errno);
        return false;
    }
    // A folder opens like a file; only the read tells.
    std::string content;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        content.append(buffer, n);
    const bool failed = std::ferror(file) != 0;
    const int readErrno = errno;
    std::fclose(file);
    if (failed) {
        error = std::strerror(readErrno);
        return false;
    }
    text = std::move(content);
    return true;
}

bool WriteTextFile(const std::string& path, const std::string& text, std::string& error) {
    if (ReplaceFile(path, text))
        return true;
    error = std::strerror(errno);
    return false;
}
