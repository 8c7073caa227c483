// The controls of the memory channel edit dialog of each variant, in groups: the
// field each control shows, its label and how it takes what is typed.
#pragma once

#include <vector>

#include "datamodel/memmap/EditorFields.h"

enum class EChannelGroup {
    Frequency, // receive and transmit frequency, with "Simplex"
    Tone,      // receive and transmit tone, with "Simplex"
    Line,      // controls side by side (the text, the scrambler)
    Flags,     // a row of check boxes
    Lists,     // drop lists (a check box joins the list before it)
};

struct SChannelEditorGroup {
    EChannelGroup kind;
    const char* title;   // the group's box or label ("" for none)
    const char* section; // the box that holds several groups ("5Tone"; "" for none)
    std::vector<SEditorField> fields;
};

// The groups of the variant's dialog (0 LMR, 1 PMR), in order. Every field is
// under the channel's field holder.
const std::vector<SChannelEditorGroup>& ChannelEditorGroups(int model);
