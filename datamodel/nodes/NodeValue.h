// The value part shared by numeric, bit and frequency nodes.
#pragma once

#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

// Option texts in the order they were added; many nodes share one list.
using OptionList = std::vector<std::pair<std::string, int>>;

class CNodeValue {
public:
    CNodeValue() = default;
    virtual ~CNodeValue() = default;

    virtual bool IsValid(int n) const;
    virtual int Correct(int n) const;
    virtual void Reset() { Store(m_default); }
    // The text of a value, without changing the node: its option text, or empty.
    virtual std::string TextOf(int value) const { return OptionText(value); }
    std::string ValueText() const { return TextOf(m_value); }

    // Stores value as given, without clamping.
    void SetRange(int value, int def, int minimum, int maximum);
    void AddOption(int value, const std::string& text);
    // Uses a list shared with other nodes; a later AddOption makes a private copy.
    void SetOptions(std::shared_ptr<const OptionList> options);
    void AddExcluded(int n) { m_excluded.insert(n); }

    int Value() const { return m_value; }
    void StoreValue(int n) { Store(Clamp(n)); }
    // Puts back a value the node held before, unchecked.
    void RestoreValue(int n) { Store(n); }
    int Default() const { return m_default; }
    int Minimum() const { return m_min; }
    int Maximum() const { return m_max; }
    int Clamp(int n) const { return n < m_min ? m_min : (n > m_max ? m_max : n); }

    // Options keep the order in which they were added.
    const OptionList& Options() const;
    const std::set<int>& Excluded() const { return m_excluded; }
    std::string OptionText(int value) const;
    // Looks up an option text; false when there is none.
    bool FindOption(const std::string& text, int& value) const;

protected:
    // Called after the value changed; nodes tell their observers.
    virtual void ValueChanged() {}
    void Store(int n) {
        if (n != m_value) {
            m_value = n;
            ValueChanged();
        }
    }

    int m_value = 0;
    int m_min = 0;
    int m_max = 1;
    int m_default = 0;
    std::shared_ptr<const OptionList> m_options;
    std::shared_ptr<OptionList> m_ownOptions;  // the same list while this node owns it
    std::set<int> m_excluded;
};
