#include "PortNames.h"

int SystemComNumber(const std::string&) { return 0; }

std::string DefaultComPath(int number) { return "/dev/ttyS" + std::to_string(number - 1); }

std::string PortNameChoices() { return "COM1..COM4, SIM, or a device path such as /dev/ttyUSB0"; }
