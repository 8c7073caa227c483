// What a field is and what it takes, told by its node and the variant's tables:
// one description for listings of the fields and for entry boxes.
#pragma once

#include <string>
#include <vector>

#include "datamodel/memmap/TreeAccess.h"
#include "datamodel/nodes/ValueNodes.h"

class CTolvarRadioDataManager;

struct SFieldFacts {
    // "option list", "number", "frequency", "tone" (CTCSS and DTCS) or "text".
    std::string kind;
    // What a typed text may be, as the field's refusals say it; options the sheet
    // of the variant shows otherwise are named with their shown text too.
    std::string accepts;
    std::vector<std::string> options; // the option texts, in order
    ShownTexts shownAs;               // options the variant's sheet shows otherwise
    // Numbers and frequencies: the entry range, frequencies in their unit.
    bool ranged = false;
    double min = 0, max = 0;
    std::string unit;   // frequencies: "MHz" or "Hz"
    std::string raster; // frequencies: the values between the limits
    // Texts: at most length characters (exactly, when fixedLength) of the charset.
    size_t length = 0;
    bool fixedLength = false;
    std::string charset;
    unsigned models = 0; // the variants the field means something for (kModels*)
    // Memory channel fields (and Mch.PrioA, Mch.Emr): the column of the variant's
    // channel sheet that shows the field; empty for others.
    std::string title;
};

SFieldFacts DescribeField(const CTolvarRadioDataManager& manager, const STreeLeaf& leaf);
