// Faults the simulated repeater (or its cable) can be told to show.
#pragma once

#include <map>
#include <string>
#include <vector>

enum class EFault {
    Silent,        // never answers (the cable still echoes)
    NoEcho,        // the cable echoes nothing
    CorruptEcho,   // the echo comes back with its command byte changed
    BadChecksum,   // record N of a read carries a wrong checksum
    WrongModel,    // the identification answer names another model code
    WrongRevision, // ... another revision
    WriteRefused,  // a write is answered E6 01
    SilentAfter,   // a read stops after N records, without an end frame
    Noise,         // stray bytes after every frame the repeater sends
    EarlyEnd,      // a read sends its end frame after N records
    LongInfo,      // the information block has 39 bytes
    ChangedByte,   // a write is kept with the byte at address N changed
};

struct SFaultDef {
    EFault fault;
    const char* name;
    bool takesCount; // NAME=N
    int defaultCount;
    const char* help;
};

const std::vector<SFaultDef>& FaultTable();

// The active faults and their counts.
class CFaultSet {
public:
    void Set(EFault fault, int count = 0) { m_faults[fault] = count; }
    void Clear() { m_faults.clear(); }
    bool Has(EFault fault) const { return m_faults.count(fault) != 0; }
    int Count(EFault fault) const;
    // "NAME" or "NAME=N"; false with a reason when unknown or malformed.
    bool Add(const std::string& text, std::string& error);

private:
    std::map<EFault, int> m_faults;
};
