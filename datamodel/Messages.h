// Message texts shown to the user, by their string-table number.
#pragma once

#include <string>

// The string-table entries by their numbers.
enum class EMsg : int {
    Blank = 5000,
    MakerReserveCaution = 5010,
    CannotLoadFile = 5022,
    IllegalData = 5023,
    DataOverflow = 5024,
    NotEnoughData = 5025,
    CloningCompleted = 5026,
    CannotReadCloning = 5027,
    CannotWriteCloning = 5028,
    IllegalInformation = 5029,
    CannotBeProgrammed = 5030,
    TerminatedCloning = 5031,
    CannotAccessPort = 5032,
    WriteSucceeded = 5034,
    CheckPortAndPower = 5035,
    NowReading = 5040,
    NowWriting = 5041,
    ReadFromRepeater = 5054,
    DataEdited = 5055,
    WriteToRepeater = 5056,
    VersionMismatch = 5058,
    CheckPortAndSoftware = 5061,
};

// The text of a string-table entry; empty for one the table does not hold.
const std::string& LoadMessage(EMsg id);

inline constexpr const char* kChangeModelText = "Change model \n\nAll data will be lost.\n\n      OK? \n";
