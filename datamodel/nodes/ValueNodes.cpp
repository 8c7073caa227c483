#include "ValueNodes.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string_view>
#include <vector>

#include "TextHelpers.h"

namespace {

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

std::string TrimEnd(const std::string& text) {
    const auto end = text.find_last_not_of(" \t\r\n");
    return text.substr(0, end == std::string::npos ? 0 : end + 1);
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// A whole decimal number with an optional sign, nothing else.
bool ParseWhole(const std::string& text, long long& value) {
    if (text.empty() || text.size() > 12)
        return false;
    size_t i = (text[0] == '-' || text[0] == '+') ? 1 : 0;
    if (i == text.size())
        return false;
    for (size_t k = i; k < text.size(); ++k)
        if (text[k] < '0' || text[k] > '9')
            return false;
    value = std::strtoll(text.c_str(), nullptr, 10);
    return true;
}

// A decimal number such as "145.125", "-21.4" or ".5".
bool IsDecimal(const std::string& text, bool signAllowed) {
    size_t i = 0;
    if (!text.empty() && (text[0] == '+' || (signAllowed && text[0] == '-')))
        i = 1;
    bool digits = false, point = false;
    for (; i < text.size(); ++i) {
        if (text[i] >= '0' && text[i] <= '9')
            digits = true;
        else if (text[i] == '.' && !point)
            point = true;
        else
            return false;
    }
    return digits;
}

// The one option whose text matches without regard to case; false when none or
// several do.
bool FindOptionNoCase(const OptionList& options, const std::string& text, int& value) {
    const auto lower = [](std::string t) {
        for (char& c : t)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return t;
    };
    const std::string key = lower(text);
    int found = 0;
    for (const auto& option : options)
        if (lower(option.first) == key) {
            value = option.second;
            ++found;
        }
    return found == 1;
}

} // namespace

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

bool CNumNode::CheckText(const std::string& typed, int& value, std::string& reason) const {
    const std::string text = Trim(typed);
    if (FindOption(text, value) || FindOptionNoCase(Options(), text, value))
        return true;
    // A field with code texts takes numbers only as its codes read them.
    if (m_codes) {
        if (const auto code = m_codes->Parse(text)) {
            value = *code;
            return true;
        }
        reason = Quoted(text) + " is not accepted; the field takes " + Accepts();
        return false;
    }
    long long number = 0;
    if (ParseWhole(text, number) && number >= m_min && number <= m_max &&
        IsValid(static_cast<int>(number))) {
        const int n = static_cast<int>(number);
        if (Options().empty() || !OptionText(n).empty()) {
            value = n;
            return true;
        }
    }
    reason = Quoted(text) + " is not accepted; the field takes " + Accepts();
    return false;
}

bool CNumNode::TrySetText(const std::string& text, std::string& reason) {
    int value = 0;
    if (!CheckText(text, value, reason))
        return false;
    SetValue(value);
    return true;
}

std::string CNumNode::AcceptsShowing(const ShownTexts& shown) const {
    const auto& options = Options();
    const auto label = [&](const std::string& own) {
        for (const auto& [from, to] : shown)
            if (from == own) return own + " (shown as " + to + ")";
        return own;
    };
    std::string text;
    if (options.empty()) {
        text = "a whole number from " + std::to_string(m_min) + " to " + std::to_string(m_max);
        if (!m_excluded.empty())
            text += " except " + std::to_string(*m_excluded.begin()) +
                    (m_excluded.size() > 1 ? " and others" : "");
        return text;
    }
    text = "one of ";
    for (size_t i = 0; i < options.size(); ++i) {
        if (options.size() > 16 && i == 8) {
            text += ", ...";
            i = options.size() - 4;
        }
        text += (i ? ", " : "") + label(options[i].first);
    }
    if (m_codes)
        text += ", or " + m_codes->Hint();
    return text;
}

CBitNode::CBitNode(const char* name) : CNumNode(name) { m_max = 1; }

CNode* CStringNode::SetText(const std::string& text) {
    SetString(text);
    return this;
}

void CStringNode::SetString(const std::string& text) {
    const auto end = text.find_last_not_of(" \t\r\n");
    const std::string_view stored(text.data(), end == std::string::npos ? 0 : end + 1);
    if (stored == m_text)
        return;
    m_text.assign(stored);
    NotifyChanged();
}

namespace {

std::string Characters(size_t count) {
    return std::to_string(count) + (count == 1 ? " character" : " characters");
}

} // namespace

bool CStringNode::CheckText(const std::string& text, std::string& reason) const {
    const std::string kept = TrimEnd(text);
    if (m_charset)
        for (size_t i = 0; i < kept.size(); ++i)
            if (!m_charset->Takes(kept[i])) {
                reason = Quoted(text) + " is refused: " + CharacterAt(kept, i) +
                         " is not in the character set; the field takes " + Accepts();
                return false;
            }
    const std::string length = Characters(m_maxLength);
    if (m_maxLength > 0 && kept.size() > m_maxLength) {
        reason = Quoted(text) + " is too long: the field holds " +
                 (m_fixed ? "exactly " : "at most ") + length;
        return false;
    }
    if (m_fixed && kept.size() < m_maxLength) {
        reason = Quoted(text) + " is too short: the field holds exactly " + length;
        return false;
    }
    return true;
}

bool CStringNode::TrySetText(const std::string& text, std::string& reason) {
    if (!CheckText(text, reason))
        return false;
    SetString(text);
    return true;
}

std::string CStringNode::Accepts() const {
    const std::string length = Characters(m_maxLength);
    if (!m_charset)
        return m_maxLength > 0 ? "a text of at most " + length : "a text";
    const std::string of = std::string(" of ") + m_charset->description;
    if (m_maxLength == 0)
        return "a text" + of;
    return (m_fixed ? "exactly " : "up to ") + length + of;
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

std::string CFreqNode::ScaledText(long long value) const {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%1.5Lf",
                  static_cast<long double>(value) / static_cast<long double>(m_scale));
    return buf;
}

std::string CFreqNode::TextOf(int value) const {
    return ScaledText(value);
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

bool CFreqNode::TryParse(const std::string& text, int& value) const {
    value = ParseScaledText(text, static_cast<double>(m_scale));
    return true;
}

int CFreqNode::ParseText(const std::string& text) const {
    int value = 0;
    return TryParse(text, value) ? value : m_value;
}

std::string CFreqNode::NearestAccepted(long double raw, int low, int high) const {
    const long long scale = m_scale;
    const long long step = std::max(1LL, scale / 100000);
    const long long start = std::llround(raw / static_cast<long double>(step)) * step;
    std::vector<std::string> found;
    for (int direction : {-1, 1})
        for (long long k = 0; k <= 2000; ++k) {
            const long long candidate = start + direction * k * step;
            if (candidate < low || candidate > high)
                break;
            const std::string candidateText = ScaledText(candidate);
            int parsed = 0;
            if (TryParse(candidateText, parsed) && parsed == candidate) {
                found.push_back(candidateText);
                break;
            }
        }
    if (found.empty())
        return {};
    std::string result = "; nearest accepted: " + found[0];
    if (found.size() > 1 && found[1] != found[0])
        result += ", " + found[1];
    return result;
}

bool CFreqNode::ReadNumber(const std::string& text, long double& raw,
                           std::string& plain) const {
    if (!IsDecimal(text, true))
        return false;
    // Without sign and leading zeros, so the plain parse sees every digit that counts.
    const bool negative = text[0] == '-';
    plain = text.substr(text[0] == '-' || text[0] == '+' ? 1 : 0);
    const size_t nonZero = plain.find_first_not_of('0');
    plain.erase(0, nonZero == std::string::npos ? plain.size() - 1 : nonZero);
    if (plain.empty() || plain[0] == '.')
        plain = "0" + plain;
    // A whole number of Hz where the field shows MHz: no MHz value has seven digits.
    const bool hertz = m_scale == 1000000 && plain.find('.') == std::string::npos &&
                       plain.size() >= 7;
    if (hertz) {
        raw = std::strtold(plain.c_str(), nullptr);
        plain = plain.substr(0, plain.size() - 6) + "." + plain.substr(plain.size() - 6);
    } else {
        raw = std::strtold(plain.c_str(), nullptr) * static_cast<long double>(m_scale);
    }
    if (negative) {
        raw = -raw;
        plain = "-" + plain;
    }
    return true;
}

bool CFreqNode::CheckText(const std::string& typed, int& value, std::string& reason,
                          bool stored) const {
    const std::string text = Trim(typed);
    int low = m_min, high = m_max;
    EntryRange(low, high);
    const std::string range = "from " + ScaledText(low) + " to " + ScaledText(high);
    long double raw = 0;
    std::string plain;
    if (!ReadNumber(text, raw, plain)) {
        reason = Quoted(text) + " is not a frequency; the field takes a number " + range;
        return false;
    }
    if (raw < low - 0.5L || raw > high + 0.5L) {
        reason = Quoted(text) + " is outside the range " + range;
        return false;
    }
    // Taken when the raster keeps the number to the field's resolution.
    int parsed = 0;
    const bool kept = TryParse(plain, parsed) && parsed >= low && parsed <= high &&
                      std::fabs(static_cast<long double>(parsed) - raw) <=
                          0.5L + 1e-12L * std::fabs(raw);
    if (kept) {
        value = parsed;
        return true;
    }
    if (stored && TakesStoredOffRaster()) {
        // A value off the raster that the node shows exactly as this text.
        const long long shown = std::llround(raw);
        if (shown >= low && shown <= high && TextOf(static_cast<int>(shown)) == text) {
            value = static_cast<int>(shown);
            return true;
        }
    }
    reason = Quoted(text) + " is refused by the field's raster" + NearestAccepted(raw, low, high) +
             " (range " + range + ")";
    return false;
}

bool CFreqNode::TakeText(const std::string& text, std::string& reason, bool stored) {
    int value = 0;
    if (!CheckText(text, value, reason, stored))
        return false;
    SetValue(value);
    return true;
}

bool CFreqNode::TrySetText(const std::string& text, std::string& reason) {
    return TakeText(text, reason, false);
}

bool CFreqNode::TrySetStoredText(const std::string& text, std::string& reason) {
    return TakeText(text, reason, true);
}

std::string CFreqNode::Unit() const {
    return m_scale == 1000000 ? "MHz" : "Hz";
}

std::string CFreqNode::Raster() const {
    // One unit of the value: a hertz for fields shown in MHz.
    const double hertz = (m_scale == 1000000 ? 1e6 : 1.0) / m_scale;
    char step[32];
    std::snprintf(step, sizeof step, "%g", hertz);
    return std::string("in ") + step + " Hz steps";
}

std::string CFreqNode::Accepts() const {
    int low = m_min, high = m_max;
    EntryRange(low, high);
    return "a frequency from " + ScaledText(low) + " to " + ScaledText(high) + " " + Unit() +
           (m_scale == 1000000 ? " (or a whole number of Hz)" : "") + " " + Raster();
}
