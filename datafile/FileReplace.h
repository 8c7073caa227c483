// Writing a whole file so that a failure never leaves it half written, and file names as
// the program keeps them: UTF-8 text on every system (the wide API on Windows). Each
// system has its own implementation file.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

// Saves text as the file path names.
// - A symbolic link is followed; its target is saved and the link stays a link.
// - A regular file is written in full beside itself and renamed over, so a failure
//   leaves it as it was; an existing file keeps its permissions, a new one gets those
//   a plain create gives.
// - A regular file with other hard links would lose them to a rename: the text is
//   written in full to a temporary beside it first, then into the file itself; when
//   that write fails the old text is put back. Only a crash in between can leave the
//   file mixed; the temporary then still holds the new text.
// - Anything else (a device, a FIFO, /dev/stdout) is written into directly, never
//   replaced or removed.
// On Windows the same holds with its own means: the text is written through to the disk
// beside the file and moved over it (ReplaceFile keeps the file's attributes and
// security), a file with several hard links is written in place, a symbolic link's final
// target is saved, and a device such as NUL or CON is written into.
// A file that may not be written is refused. False with errno set when anything
// fails; nothing is left behind.
bool ReplaceFile(const std::string& path, const std::string& text);

// Why ReplaceFile(path) would fail before anything is written: 0 when it can be
// tried, otherwise an errno (ENOENT, ENOTDIR, EACCES, EISDIR, ...). where is then path
// itself or the folder the file is to be written in, whichever is at fault.
int ReplaceProblem(const std::string& path, std::string& where);

// fopen of a UTF-8 file name.
std::FILE* OpenFile(const std::string& path, const char* mode);
// A UTF-8 file name as a path, and back.
std::filesystem::path FilePath(const std::string& path);
std::string PathText(const std::filesystem::path& path);
