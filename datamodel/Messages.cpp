#include "Messages.h"

#include <map>

const std::string& LoadMessage(EMsg id) {
    static const std::map<int, std::string> table = {
        {5000, "      "},
        {5010, "\n        CAUTION ! 'Maker reserve' is activated now.        \n\n\n        Use the "
               "original cloning data whitch you read out,        \n\n        otherwise the "
               "repeater will not work properly        \n\n        and all items must be "
               "readjusted.        "},
        {5022, " Err: Cannot load file."},
        {5023, " Err: Illegal data."},
        {5024, " Err: Data overflow."},
        {5025, " Err: There is not enough data."},
        {5026, " Cloning completed."},
        {5027, " Err: Cannot read cloning data."},
        {5028, " Err: Cannot write cloning data."},
        {5029, " Err: Illegal information."},
        {5030, " The repeater cannot be programmed. The cause may be:\n\n 1) The repeater has not "
               "been cloned.\n 2) The repeater's EEPROM is damaged.\n 3) The repeater's revision "
               "number is not compatible\n    with the programming software.\n\n In cases 1 or "
               "2, the repeater requires factory\n maintenance. In case 3, the repeater cannot "
               "be\n programmed using this program.\n\n"},
        {5031, " Terminated cloning.  "},
        {5032, " Err: Cannot access RS-232C port."},
        {5034, " Clone writing succeeded. \n\n Turn the repeater power off and on to use \n the "
               "repeater under its new conditions.\n"},
        {5035, " Check the following:\n\n - The RS-232C port settings.\n - Cloning cable "
               "connections.\n - Repeater power is ON."},
        {5040, " Now reading <- TR"},
        {5041, " Now writing -> TR"},
        {5054, " Read from repeater"},
        {5055, " Data has been edited."},
        {5056, "   Write to repeater     "},
        {5058, " Err: Version number does not match."},
        {5061, " Check the following:\r\n\r\n - The RS-232C port settings.\r\n - Cloning cable "
               "connections.\r\n - Appropriate cloning software for the repeater is being "
               "used.\r\n - The revision number of the repeater.\n"},
    };
    static const std::string empty;
    const auto it = table.find(static_cast<int>(id));
    return it == table.end() ? empty : it->second;
}
