#include "NodeAccess.h"

#include "ValueNodes.h"

namespace {

CNode* Find(const CNode* parent, const std::string& name) {
    return parent ? parent->FindChild(name) : nullptr;
}

std::string ComboText(const IComboBox& combo) {
    const int index = combo.CurrentIndex();
    return index >= 0 ? combo.ItemText(index) : std::string();
}

void SelectText(IComboBox& combo, const std::string& text) {
    for (int i = 0; i < combo.Count(); ++i)
        if (combo.ItemText(i) == text) {
            combo.SetCurrentIndex(i);
            return;
        }
}

} // namespace

void ChildSetValue(CNode* parent, const std::string& name, int n) {
    if (CNode* child = Find(parent, name))
        child->SetValue(n);
}

void ChildSetText(CNode* parent, const std::string& name, const std::string& text) {
    if (CNode* child = Find(parent, name))
        child->SetText(text);
}

void ChildSetTextFromCombo(CNode* parent, const std::string& name, const IComboBox& combo) {
    ChildSetText(parent, name, ComboText(combo));
}

int ChildGetValue(const CNode* parent, const std::string& name) {
    const CNode* child = Find(parent, name);
    return child ? child->GetValue() : 0;
}

std::string ChildGetText(const CNode* parent, const std::string& name) {
    const CNode* child = Find(parent, name);
    return child ? child->GetText() : std::string();
}

void ChildFillCombo(const CNode* parent, const std::string& name, IComboBox& combo) {
    const auto* value = dynamic_cast<const CNodeValue*>(Find(parent, name));
    combo.Clear();
    if (!value)
        return;
    for (const auto& option : value->Options())
        combo.AddItem(option.first);
    SelectText(combo, ChildGetText(parent, name));
}

void ChildFillComboRange(CNode* parent, const std::string& name, IComboBox& combo, int from,
                         int to, bool emptyFirst) {
    if (emptyFirst)
        combo.Clear();
    const CNode* child = Find(parent, name);
    if (!child)
        return;
    // The texts the values would show once stored; the node stays as it is.
    const auto* value = dynamic_cast<const CNodeValue*>(child);
    for (long long n = from; n <= to; ++n) {
        const std::string text =
            value ? value->TextOf(value->Clamp(static_cast<int>(n))) : child->GetText();
        if (!text.empty())
            combo.AddItem(text);
    }
    SelectText(combo, child->GetText());
}

void ChildFillComboBit(CNode* parent, const std::string& name, IComboBox& combo) {
    ChildFillComboRange(parent, name, combo, 0, 1, true);
}

void ChildSetString(CNode* parent, const std::string& name, const std::string& text) {
    if (auto* child = dynamic_cast<CStringNode*>(Find(parent, name)))
        child->SetString(text);
}

void ChildSetStringFromCombo(CNode* parent, const std::string& name, const IComboBox& combo) {
    ChildSetString(parent, name, ComboText(combo));
}

std::string ChildGetString(const CNode* parent, const std::string& name) {
    const auto* child = dynamic_cast<const CStringNode*>(Find(parent, name));
    return child ? child->GetString() : std::string();
}

bool ChildSetFreqText(CNode* parent, const std::string& name, const std::string& text) {
    auto* child = dynamic_cast<CFreqNode*>(Find(parent, name));
    return child ? child->SetFreqText(text) : false;
}

std::string ChildGetFreqText(const CNode* parent, const std::string& name) {
    const auto* child = dynamic_cast<const CFreqNode*>(Find(parent, name));
    return child ? child->ValueText() : std::string();
}
