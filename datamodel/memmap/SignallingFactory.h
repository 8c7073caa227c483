// Factory values shared by the signalling field tables (node defaults) and the
// factory rows of the default images.
#pragma once

#include <array>

// 5Tone user tones "0" .. "14", the tones of the digits 0 .. E, in Hz.
inline constexpr std::array<int, 15> kUserToneFactoryHz = {
    1981, 1124, 1197, 1275, 1358, 1446, 1540, 1640, 1747, 1860, 2400, 930, 2247, 991, 2110};

// Their decode windows: +-3 % of the tone, whole Hz.
inline constexpr int UserToneFactoryLow(int hz) {
    return hz * 97 / 100;
}
inline constexpr int UserToneFactoryHigh(int hz) {
    return hz * 103 / 100;
}

// 2Tone tones: the lowest tone, as the receive tones start.
inline constexpr int kTwoToneFactoryHz = 250;
