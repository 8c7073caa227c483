// The value part shared by numeric, bit and frequency nodes.
#pragma once

#include <set>
#include <string>
#include <utility>
#include <vector>

class CNodeValue {
public:
    CNodeValue() = default;
    virtual ~CNodeValue() = default;

    virtual bool IsValid(int n) const;
    virtual int Correct(int n) const;
    virtual void Reset() { m_value = m_default; }
    // Option text of the current value, or empty.
    virtual std::string ValueText() const { return OptionText(m_value); }

    void SetRange(int value, int def, int minimum, int maximum);
    void AddOption(int value, const std::string& text);
    void AddExcluded(int n) { m_excluded.insert(n); }

    int Value() const { return m_value; }
    void StoreValue(int n) { m_value = Clamp(n); }
    int Default() const { return m_default; }
    int Minimum() const { return m_min; }
    int Maximum() const { return m_max; }
    int Clamp(int n) const { return n < m_min ? m_min : (n > m_max ? m_max : n); }

    // Options keep the order in which they were added.
    const std::vector<std::pair<std::string, int>>& Options() const { return m_options; }
    const std::set<int>& Excluded() const { return m_excluded; }
    std::string OptionText(int value) const;
    // Looks up an option text; false when there is none.
    bool FindOption(const std::string& text, int& value) const;
    void MergeOptions(const CNodeValue& other);

protected:
    int m_value = 0;
    int m_min = 0;
    int m_max = 1;
    int m_default = 0;
    std::vector<std::pair<std::string, int>> m_options;
    std::set<int> m_excluded;
};
