// Message texts shown to the user, by their string-table number.
#pragma once

#include <string>

// The text of a string-table entry (5000 to 5066); empty for an unknown number.
const std::string& LoadMessage(int id);

inline constexpr const char* kChangeModelText = "Change model \n\nAll data will be lost.\n\n      OK? \n";
