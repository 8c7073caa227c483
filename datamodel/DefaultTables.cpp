// The factory state of the repeater's memory, one table per variant.
// Every table is built from the rows below, each row naming its address; a row
// with a PMR column differs between the variants. Bytes no row names are 0.
#include <cstdint>
#include <vector>

#include "datamodel/DataManagers.h"
#include "datamodel/FactoryRows.h"

namespace {

using Bytes = std::vector<uint8_t>;

using SRow = SFactoryRow;

// A record repeated count times, stride bytes apart.
struct SRepeat {
    uint32_t first;
    uint32_t stride;
    uint32_t count;
    Bytes lmr;
    Bytes pmr = {};
};

// clang-format off
const std::vector<SRow> kRows = {
    // Model code 0x2368, revision 0x0100.
    {0x0000, {0x23, 0x68, 0x01, 0x00}},
    // User password "0000".
    {0x00A0, {0x00, 0x00}},
    {0x00A2, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x0F, 0x02, 0x01, 0x05, 0x00, 0x06, 0x04, 0x03}},
    {0x00B0, {0xBF, 0x5F, 0x1F, 0xBF, 0x5F, 0x1F, 0x9F, 0x00, 0x00, 0x00, 0x00, 0xF8, 0xF8, 0x0A, 0x0E, 0x0F}},
    {0x00D0, {0x00, 0x00, 0x00, 0x04, 0x84, 0x00, 0x50, 0x20, 0x00, 0x20, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},
             {0x00, 0x10, 0x00, 0x04, 0x84, 0x00, 0x50, 0x20, 0x00, 0x20, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},

    // The signalling and settings areas: DefaultTablesSignalling.cpp, DefaultTablesSettings.cpp.

    // End marker and signature.
    {0x19F7, {0x01, 'V', 'E', 'L', 'K', ' ', 'I', 'n', 'c'}},
};

const std::vector<SRepeat> kRepeats = {
    // Memory channel records (32 bytes each): all blank.
    {0x0200, 32, 32,
     {0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0x08, 0x00, 0x01, 0x00, 0x30, 0x00, 0x00,
      0x01, 0x00, 0x00, 0x81, 0x00, 0x00, 0x60, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},
     {0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0x08, 0x00, 0x01, 0x00, 0x30, 0x00, 0x00,
      0x01, 0x01, 0x00, 0x00, 0x00, 0xFF, 0x60, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
    // Memory channel names: ten spaces.
    {0x1480, 10, 32, Bytes(10, ' ')},
    // Multiple-tone entries: receive and transmit tone "OFF".
    {0x0D00, 3, 512, {0x80, 0x08, 0x00}},
};
// clang-format on

std::vector<uint8_t> BuildTable(int model) {
    std::vector<uint8_t> table(kTableSize, 0x00);
    auto put = [&](uint32_t addr, const Bytes& lmr, const Bytes& pmr) {
        const Bytes& bytes = model == ModelPMR && !pmr.empty() ? pmr : lmr;
        for (size_t i = 0; i < bytes.size() && addr + i < table.size(); ++i)
            table[addr + i] = bytes[i];
    };
    for (const SRepeat& repeat : kRepeats)
        for (uint32_t k = 0; k < repeat.count; ++k)
            put(repeat.first + k * repeat.stride, repeat.lmr, repeat.pmr);
    for (const auto* rows : {&SignallingFactoryRows(), &SettingsFactoryRows(), &kRows})
        for (const SRow& row : *rows)
            put(row.addr, row.lmr, row.pmr);
    return table;
}

} // namespace

const std::vector<uint8_t>& FactoryTable(int model) {
    static const std::vector<uint8_t> lmr = BuildTable(ModelLMR);
    static const std::vector<uint8_t> pmr = BuildTable(ModelPMR);
    return model == ModelPMR ? pmr : lmr;
}
