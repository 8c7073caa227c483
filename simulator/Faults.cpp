#include "Faults.h"

#include <cstdlib>

const std::vector<SFaultDef>& FaultTable() {
    static const std::vector<SFaultDef> table = {
        {EFault::Silent, "silent", false, 0, "never answer (the cable still echoes)"},
        {EFault::NoEcho, "no-echo", false, 0, "the cable echoes nothing"},
        {EFault::CorruptEcho, "corrupt-echo", false, 0, "echo with a changed command byte"},
        {EFault::BadChecksum, "bad-checksum", true, 1, "record N of a read has a bad checksum"},
        {EFault::WrongModel, "wrong-model", false, 0, "identify with another model code"},
        {EFault::WrongRevision, "wrong-revision", false, 0, "identify with another revision"},
        {EFault::WriteRefused, "write-refused", false, 0, "answer every write with E6 01"},
        {EFault::SilentAfter, "silent-after", true, 1, "stop a read after N records"},
        {EFault::Noise, "noise", false, 0, "stray bytes after every frame sent"},
        {EFault::EarlyEnd, "early-end", true, 1, "end a read after N records"},
        {EFault::LongInfo, "long-info", false, 0, "information block of 39 bytes"},
        // 336 (0150): the first letter of the repeater's comment.
        {EFault::ChangedByte, "changed-byte", true, 336,
         "keep a write with the byte at address N changed"},
    };
    return table;
}

int CFaultSet::Count(EFault fault) const {
    const auto it = m_faults.find(fault);
    return it == m_faults.end() ? 0 : it->second;
}

bool CFaultSet::Add(const std::string& text, std::string& error) {
    const size_t eq = text.find('=');
    const std::string name = text.substr(0, eq);
    for (const SFaultDef& def : FaultTable()) {
        if (name != def.name)
            continue;
        int count = def.defaultCount;
        if (eq != std::string::npos) {
            const std::string value = text.substr(eq + 1);
            char* end = nullptr;
            const long n = std::strtol(value.c_str(), &end, 10);
            if (!def.takesCount || value.empty() || *end != '\0' || n < 0 || n > 100000) {
                error = def.takesCount ? "fault '" + name + "' needs a count N >= 0"
                                       : "fault '" + name + "' takes no count";
                return false;
            }
            count = static_cast<int>(n);
        }
        Set(def.fault, count);
        return true;
    }
    error = "unknown fault '" + name + "'";
    return false;
}
