#include "Backups.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

std::string CBackups::DefaultFolder() {
    std::string base;
    // A relative XDG_DATA_HOME does not count (the XDG base directory rules).
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && data[0] == '/') {
        base = data;
    } else {
        const char* home = std::getenv("HOME");
        if (!home || !*home)
            if (const passwd* user = getpwuid(getuid()))
                home = user->pw_dir;
        if (home && *home)
            base = std::string(home) + "/.local/share";
    }
    return base.empty() ? std::string() : base + "/CS-Tolvar/backups";
}

bool CBackups::LocalTm(std::time_t when, std::tm& local) {
    return localtime_r(&when, &local) != nullptr;
}
