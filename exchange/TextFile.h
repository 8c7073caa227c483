// Whole text files for export and import.
#pragma once

#include <string>

// False (with the reason in error, "no such file" for a missing one) when the file
// cannot be read.
bool ReadTextFile(const std::string& path, std::string& text, std::string& error);
// Writes through a temporary file in the same folder, renamed over the target.
bool WriteTextFile(const std::string& path, const std::string& text, std::string& error);
