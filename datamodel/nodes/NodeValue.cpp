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
    m_default = def;
    m_min = minimum;
    m_max = maximum;
    Store(value);
}

void CNodeValue::AddOption(int value, const std::string& text) {
    if (!m_ownOptions) {
        m_ownOptions = std::make_shared<OptionList>(Options());
        m_options = m_ownOptions;
    }
    for (auto& option : *m_ownOptions)
        if (option.first == text) {
            option.second = value;
            return;
        }
    m_ownOptions->emplace_back(text, value);
}

void CNodeValue::SetOptions(std::shared_ptr<const OptionList> options) {
    m_ownOptions.reset();
    m_options = std::move(options);
}

const OptionList& CNodeValue::Options() const {
    static const OptionList none;
    return m_options ? *m_options : none;
}

std::string CNodeValue::OptionText(int value) const {
    for (const auto& option : Options())
        if (option.second == value)
            return option.first;
    return {};
}

bool CNodeValue::FindOption(const std::string& text, int& value) const {
    for (const auto& option : Options())
        if (option.first == text) {
            value = option.second;
            return true;
        }
    return false;
}
