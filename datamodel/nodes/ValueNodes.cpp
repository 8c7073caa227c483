#include "ValueNodes.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

CNumNode::CNumNode(const char* name) : CNode(name) { m_max = 255; }

CNode* CNumNode::SetText(const std::string& text) {
    int value = 0;
    if (FindOption(text, value))
        StoreValue(value);
    return this;
}

CNode* CNumNode::SetValue(int n) {
    StoreValue(n);
    return this;
}

CBitNode::CBitNode(const char* name) : CNumNode(name) { m_max = 1; }

CNode* CStringNode::SetText(const std::string& text) {
    SetString(text);
    return this;
}

int CStringNode::SetString(const std::string& text) {
    const int result = CheckText(text);
    m_text = text;
    const auto end = m_text.find_last_not_of(" \t\r\n");
    m_text.erase(end == std::string::npos ? 0 : end + 1);
    return result;
}

CFreqNode::CFreqNode(const char* name) : CNode(name) {
    m_min = 100000000;
    m_max = 999000000;
}

bool CFreqNode::SetFreqText(const std::string& text) {
    const int parsed = ParseText(text);
    StoreValue(parsed);
    return IsValid(parsed);
}

CNode* CFreqNode::SetText(const std::string& text) {
    SetFreqText(text);
    return this;
}

CNode* CFreqNode::SetValue(int n) {
    StoreValue(n);
    return this;
}

std::string CFreqNode::ValueText() const {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%1.5Lf",
                  static_cast<long double>(m_value) / static_cast<long double>(m_scale));
    return buf;
}

int CFreqNode::ParseScaledText(const std::string& text, double scale) const {
    std::string head = text.substr(0, 15);
    const auto start = head.find_first_not_of(" \t");
    head.erase(0, start == std::string::npos ? head.size() : start);
    double number = 0;
    if (std::sscanf(head.c_str(), "%lf", &number) != 1 || !std::isfinite(number))
        number = 0;
    if (number < 0)
        number = 0;
    const double scaled = std::floor(number * scale + 0.5);
    if (scaled >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    return static_cast<int>(scaled);
}

int CFreqNode::ParseText(const std::string& text) const {
    return ParseScaledText(text, static_cast<double>(m_scale));
}
