// Temporary files of the clone transfers.
#pragma once

#include <string>

// Creates an empty file with a unique name that starts with prefix in the system's
// temporary folder (/tmp when none is set) and returns its path; empty on failure.
std::string CreateTempFile(const std::string& prefix);
