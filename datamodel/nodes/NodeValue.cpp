#include "NodeValue.h"

bool CNodeValue::IsValid(int n) const {
    return n >= m_min && n <= m_max && m_excluded.count(n) == 0;
}

int CNodeValue::Correct(int n) const {
    if (IsValid(n))
        return n;
    if (IsValid(m_default))
        return m_default;
    for (long long v = m_min; v <= m_max; ++v)
        if (IsValid(static_cast<int>(v)))
            return static_cast<int>(v);
    return m_min;
}

void CNodeValue::SetRange(int value, int def, int minimum, int maximum) {
    m_value = value;
    m_default = def;
    m_min = minimum;
    m_max = maximum;
}

void CNodeValue::AddOption(int value, const std::string& text) {
    for (auto& option : m_options)
        if (option.first == text) {
            option.second = value;
            return;
        }
    m_options.emplace_back(text, value);
}

std::string CNodeValue::OptionText(int value) const {
    for (const auto& option : m_options)
        if (option.second == value)
            return option.first;
    return {};
}

bool CNodeValue::FindOption(const std::string& text, int& value) const {
    for (const auto& option : m_options)
        if (option.first == text) {
            value = option.second;
            return true;
        }
    return false;
}

void CNodeValue::MergeOptions(const CNodeValue& other) {
    for (const auto& option : other.m_options)
        AddOption(option.second, option.first);
    m_excluded.insert(other.m_excluded.begin(), other.m_excluded.end());
}
