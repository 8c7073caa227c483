// Field access by parent node and field name, as every editor uses it.
#pragma once

#include <string>

class CNode;

// The list control an editor fills with a field's option texts.
class IComboBox {
public:
    virtual ~IComboBox() = default;
    virtual void Clear() = 0;
    virtual void AddItem(const std::string& text) = 0;
    virtual int Count() const = 0;
    virtual std::string ItemText(int index) const = 0;
    virtual int CurrentIndex() const = 0;  // -1 when nothing is selected
    virtual void SetCurrentIndex(int index) = 0;
};

void ChildSetValue(CNode* parent, const std::string& name, int n);
void ChildSetText(CNode* parent, const std::string& name, const std::string& text);
void ChildSetTextFromCombo(CNode* parent, const std::string& name, const IComboBox& combo);
int ChildGetValue(const CNode* parent, const std::string& name);
std::string ChildGetText(const CNode* parent, const std::string& name);
void ChildFillCombo(const CNode* parent, const std::string& name, IComboBox& combo);
void ChildFillComboRange(CNode* parent, const std::string& name, IComboBox& combo, int from,
                         int to, bool emptyFirst);
void ChildFillComboBit(CNode* parent, const std::string& name, IComboBox& combo);
void ChildSetString(CNode* parent, const std::string& name, const std::string& text);
void ChildSetStringFromCombo(CNode* parent, const std::string& name, const IComboBox& combo);
std::string ChildGetString(const CNode* parent, const std::string& name);
// Returns whether the parsed frequency was valid (false when there is no such field).
bool ChildSetFreqText(CNode* parent, const std::string& name, const std::string& text);
std::string ChildGetFreqText(const CNode* parent, const std::string& name);
