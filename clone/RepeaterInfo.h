// What the connected repeater says about itself in its identification answer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct SRepeaterInfo {
    static constexpr size_t kInformationSize = 38;

    uint16_t modelCode = 0;
    uint16_t revision = 0;
    // Comment (32 characters), option flags (5 bytes), sub-revision.
    std::vector<uint8_t> information = std::vector<uint8_t>(kInformationSize, 0);

    // Market variant: 0 LMR, 1 PMR.
    int Variant() const;
    // "LMR" or "PMR".
    std::string ModelText() const;
    // 0..9; larger values count as 9.
    int SubRevision() const;
    // "%d.%d" of the revision's high byte and the sub-revision.
    std::string RevisionText() const;
    // The two 16-character comments, one per line.
    std::string CommentText() const;
    // One line per option unit found, each ended by a line break.
    std::string OptionText() const;
    // Takes a received block; a block longer than the capacity is not taken.
    bool TakeInformation(const std::vector<uint8_t>& block);

private:
    uint8_t Byte(size_t at) const { return at < information.size() ? information[at] : 0; }
};
