// Rows of the factory tables: bytes at an address, per variant.
#pragma once

#include <cstdint>
#include <vector>

struct SFactoryRow {
    uint32_t addr;
    std::vector<uint8_t> lmr;
    std::vector<uint8_t> pmr = {};  // empty: same as LMR
};

// The factory state of the signalling areas (DTMF, 2Tone, 5Tone) and of the
// settings areas (common, expert, key and display, maker reserved).
const std::vector<SFactoryRow>& SignallingFactoryRows();
const std::vector<SFactoryRow>& SettingsFactoryRows();
