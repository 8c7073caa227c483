// The memory channels ("Mch") and the multiple-tone table ("MultiTon"): where
// they sit in the image and the field tables that describe them.
//
// Area indices: EArea::Channels has 33 indices, 0 for "PrioA" and "Emr" and n for
// channel n ("Mch.CH%d", 1..32); EArea::PrioEmr has the one index 0;
// EArea::MultiTone has 512 indices, k - 1 for entry "MultiTon.Ton%d" k.
#pragma once

#include <cstdint>

#include "datamodel/memmap/FieldTable.h"

inline constexpr int kChannelCount = 32;
inline constexpr uint32_t kChannelRecordBase = 0x0200;
inline constexpr uint32_t kChannelRecordSize = 32;
inline constexpr uint32_t kChannelNameBase = 0x1480;
inline constexpr uint32_t kChannelNameSize = 10;
inline constexpr int kMultiToneCount = 512;
inline constexpr uint32_t kMultiToneBase = 0x0D00;
inline constexpr uint32_t kMultiToneSize = 3;

// Channel n = 1..32.
inline uint32_t ChannelRecordAddr(int n) {
    return kChannelRecordBase + kChannelRecordSize * static_cast<uint32_t>(n - 1);
}
inline uint32_t ChannelNameAddr(int n) {
    return kChannelNameBase + kChannelNameSize * static_cast<uint32_t>(n - 1);
}
// Entry k = 1..512.
inline uint32_t MultiToneAddr(int k) {
    return kMultiToneBase + kMultiToneSize * static_cast<uint32_t>(k - 1);
}

// The fields of "Mch" bound to the image ("PrioA", "Emr"; absolute addresses).
const FieldTable& MchFields();
// The children of every channel node, addresses relative to the channel record.
const FieldTable& ChannelFields();
// The children of every multiple-tone entry, addresses relative to the entry.
const FieldTable& MultiToneFields();

// Sets the blank-channel template "CH0" of the "Mch" node to its fixed values.
void ResetChannelTemplate(CNode& mch);
