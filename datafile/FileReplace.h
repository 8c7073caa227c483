// Writing a whole file so that a failure never leaves it half written.
#pragma once

#include <string>

// Writes text beside path and renames it over path. An existing file keeps its
// permissions; a new one gets those a plain create gives; a file that may not be
// written is refused. False with errno set when anything fails; the old file is then
// untouched and nothing is left behind.
bool ReplaceFile(const std::string& path, const std::string& text);
