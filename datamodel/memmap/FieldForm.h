// A field an editor shows in another form than its own text: a 5Tone code with
// "G" for the group tone, a timer with three decimals. The form turns the field
// into the text shown and a typed text back into the field's own text.
#pragma once

#include <string>

class CNode;

class IFieldForm {
public:
    virtual ~IFieldForm() = default;
    virtual std::string Shown(const CNode& node) const = 0;
    // False with the reason when the typed text stands for no text of the field.
    virtual bool Typed(const CNode& node, const std::string& typed, std::string& text,
                       std::string& reason) const = 0;
};
