// A copy of every image read from or written to a repeater, kept as a data file in a
// backups folder. A backup's name tells when it was made (local time, to the second,
// sortable), what made it, the variant and the repeater's comment:
//     2024-05-03_14-22-07_read_LMR_NORTH_SITE.zcf
//     2024-05-03_14-22-07~2_write_PMR.zcf      (the second one of that second)
// Only files named so count as backups; anything else in the folder is left alone.
#pragma once

#include <cstddef>
#include <ctime>
#include <string>
#include <vector>

class CTolvarDocumentData;

enum class EBackupOperation { Read, Write };

// One backup, as its name tells.
struct SBackup {
    std::string path;
    std::string time; // local: "2024-05-03 14:22:07"
    int counter = 1;  // 2, 3, ... for the later backups of one second
    EBackupOperation operation = EBackupOperation::Read;
    int model = 0;       // 0 LMR, 1 PMR
    std::string comment; // as the name holds it ("NORTH_SITE"); may be empty
};

// What keeping a backup came to: its file, or a warning that says why there is none.
// A warning may come with a file too (an old backup could not be removed).
struct SBackupResult {
    std::string path;
    std::string warning;
    bool Kept() const { return !path.empty(); }
};

class CBackups {
public:
    // Backups kept; the oldest beyond these go when one is added.
    static constexpr size_t kLimit = 200;
    // $XDG_DATA_HOME/CS-Tolvar/backups, else ~/.local/share/CS-Tolvar/backups; on
    // Windows %LOCALAPPDATA%\CS-Tolvar\backups unless XDG_DATA_HOME is set. Each system
    // has its own implementation file.
    static std::string DefaultFolder();
    // The local time of when; false when there is none.
    static bool LocalTm(std::time_t when, std::tm& local);

    explicit CBackups(std::string folder = DefaultFolder()) : m_folder(std::move(folder)) {}
    const std::string& Folder() const { return m_folder; }

    // Saves the document's image as a data file named for when, operation, the
    // document's variant and the repeater's comment the image holds; creates the folder when missing; then removes the
    // oldest backups beyond kLimit. A folder that cannot be made or written, or a
    // full disk, gives a warning that names the folder and the system's reason.
    SBackupResult Keep(CTolvarDocumentData& document, EBackupOperation operation,
                       std::time_t when = std::time(nullptr)) const;
    // The backups in the folder, newest first.
    std::vector<SBackup> List() const;

    // A comment as a name holds it: blanks run together and become "_", letters,
    // digits, "-" and "_" stay, anything else goes; at most 32 characters.
    static std::string NameComment(const std::string& comment);
    // The file name of a backup (its path is not used).
    static std::string FileName(const SBackup& backup);
    // A file name read back; false for a name that is not a backup's.
    static bool ParseName(const std::string& name, SBackup& backup);

private:
    std::string m_folder;
};
