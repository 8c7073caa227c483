#include "TempFile.h"

#include <filesystem>
#include <stdlib.h>
#include <unistd.h>

std::string CreateTempFile(const std::string& prefix) {
    std::error_code ec;
    auto folder = std::filesystem::temp_directory_path(ec);
    if (ec)
        folder = "/tmp";
    std::string name = (folder / (prefix + "XXXXXX")).string();
    const int fd = ::mkstemp(name.data());
    if (fd < 0)
        return {};
    ::close(fd);
    return name;
}
