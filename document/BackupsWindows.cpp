#include "Backups.h"

#include <cstdlib>
#include <windows.h>

#include "datafile/FileReplace.h"
#include "datafile/Utf16.h"

namespace {

std::string Variable(const wchar_t* name) {
    const wchar_t* value = _wgetenv(name);
    return value ? Utf8FromWide(value) : std::string();
}

} // namespace

std::string CBackups::DefaultFolder() {
    // XDG_DATA_HOME as on other systems when it is set (to an absolute folder).
    if (const std::string data = Variable(L"XDG_DATA_HOME");
        !data.empty() && FilePath(data).is_absolute())
        return data + "/CS-Tolvar/backups";
    const std::string local = Variable(L"LOCALAPPDATA");
    return local.empty() ? std::string() : local + "\\CS-Tolvar\\backups";
}

bool CBackups::LocalTm(std::time_t when, std::tm& local) {
    return localtime_s(&local, &when) == 0;
}
