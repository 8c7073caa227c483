// Time values: the timers of the settings and of the 5Tone formats are whole numbers
// shown with three decimals. One form per format shows them in the sheets and the
// editors and takes that text back wherever the field is typed (editors, `tolvar
// set`, import). Which fields are time values, and in which format, is told here.
#pragma once

#include <cstdint>
#include <string>

#include "datamodel/memmap/FieldForm.h"

class CNode;

enum class ETimeFormat : uint8_t {
    None,   // not a time value
    Whole,  // "%d.000": the timers of the setting sheets
    Fixed3, // "%1.3Lf": the periods, notone times and tone lengths of the 5Tone formats
};

class CTimeForm : public IFieldForm {
public:
    explicit CTimeForm(ETimeFormat format) : m_format(format) {}
    ETimeFormat Format() const { return m_format; }
    std::string Shown(const CNode& node) const override;
    // A whole number, written bare or with decimals that are all zero ("70",
    // "70.000"); surrounding blanks are dropped. Any other decimals are refused.
    bool Typed(const CNode& node, const std::string& typed, std::string& text,
               std::string& reason) const override;

private:
    ETimeFormat m_format;
};

// The form of a format; null for None.
const CTimeForm* TimeForm(ETimeFormat format);
// The format of a field by its dotted path ("CommonSet.Common.HangOnTim").
ETimeFormat TimeFormatAt(const std::string& path);
// The form of a field node of the tree; null when it is no time value.
const CTimeForm* TimeFormOf(const CNode& node);
