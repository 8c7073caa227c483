#include "RepeaterInfo.h"

#include <algorithm>
#include <cstdio>

int SRepeaterInfo::Variant() const { return (Byte(34) >> 1) & 1; }

std::string SRepeaterInfo::ModelText() const { return Variant() ? "PMR" : "LMR"; }

int SRepeaterInfo::SubRevision() const { return std::min<int>(Byte(37), 9); }

std::string SRepeaterInfo::RevisionText() const {
    char text[16];
    std::snprintf(text, sizeof text, "%d.%d", revision >> 8, SubRevision());
    return text;
}

std::string SRepeaterInfo::CommentText() const {
    // Each half is shown as a text of its own: it ends at a zero byte.
    auto half = [this](size_t from) {
        std::string text;
        for (size_t i = from; i < from + 16; ++i) {
            const uint8_t c = Byte(i);
            if (c == 0)
                break;
            text += static_cast<char>(c);
        }
        return text;
    };
    return half(0) + "\n" + half(16);
}

std::string SRepeaterInfo::OptionText() const {
    const uint8_t b = Byte(33);
    const bool bit1 = b & 0x02, bit4 = b & 0x10, bit5 = b & 0x20;
    std::string text;
    if (bit1)
        text += "XU-1\n";
    if (bit5 && !bit4)
        text += "XU-2 (Scrambler)\n";
    if (bit5 && bit4)
        text += "XU-3 (Scrambler)\n";
    return text;
}

bool SRepeaterInfo::TakeInformation(const std::vector<uint8_t>& block) {
    if (block.size() > kInformationSize)
        return false;
    // A shorter block leaves nothing of an earlier repeater behind.
    information.assign(kInformationSize, 0);
    std::copy(block.begin(), block.end(), information.begin());
    return true;
}
