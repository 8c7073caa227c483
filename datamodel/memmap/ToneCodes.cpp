#include "ToneCodes.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

const char* const kCtcssTexts[kToneCtcssCount] = {
    "67.0",  "69.3",  "71.0",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",
    "88.5",  "91.5",  "94.8",  "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8",
    "118.8", "123.0", "127.3", "131.8", "136.5", "141.3", "146.2", "151.4", "156.7",
    "159.8", "162.2", "165.5", "167.9", "171.3", "173.8", "177.3", "179.9", "183.5",
    "186.2", "189.9", "192.8", "196.6", "199.5", "203.5", "206.5", "210.7", "218.1",
    "225.7", "229.1", "233.6", "241.8", "250.3", "254.1"};

std::vector<SOption> MakeOptions(bool withMulti) {
    std::vector<SOption> options;
    for (int i = 0; i < kToneCtcssCount; ++i)
        options.push_back({kCtcssTexts[i], i});
    options.push_back({"USER", kToneUser});
    options.push_back({"OFF", kToneOff});
    if (withMulti) options.push_back({"Multi", kToneMulti});
    return options;
}

bool IsDtcs(int value) {
    return value >= kToneDtcsNormal && value < kToneMulti;
}

// True when the three decimal digits of n are octal digits.
bool IsOctalCode(int n) {
    return n >= 0 && n <= 777 && n % 10 < 8 && n / 10 % 10 < 8;
}

bool EqualNoCase(const std::string& a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return i == a.size() && b[i] == '\0';
}

} // namespace

const std::vector<SOption>& ToneOptions(bool withMulti) {
    static const std::vector<SOption> rx = MakeOptions(true);
    static const std::vector<SOption> tx = MakeOptions(false);
    return withMulti ? rx : tx;
}

bool IsToneValue(int value, bool withMulti) {
    if (value >= 0 && value <= kToneUser) return true;
    if (value == kToneOff || (withMulti && value == kToneMulti)) return true;
    return IsDtcs(value) && IsOctalCode(value % 1000);
}

int DecodeToneCode(int code, bool multi) {
    code &= 0xFFF;
    const int mode = code >> 10;
    if (mode >= 2) return kToneOff;
    if (mode == 1) {
        const int digits = 100 * ((code >> 6) & 7) + 10 * ((code >> 3) & 7) + (code & 7);
        return ((code & 0x200) ? kToneDtcsInverted : kToneDtcsNormal) + digits;
    }
    if (multi && (code & 0x100)) return kToneMulti;
    const int index = code & 0xFF;
    return index > kToneUser ? kToneUser : index;
}

int EncodeToneCode(int value, bool multi) {
    if (value == kToneMulti) return multi ? 0x100 : 0x800;
    if (value >= 0 && value <= kToneUser) return value;
    if (IsDtcs(value)) {
        const bool inverted = value >= kToneDtcsInverted;
        const int n = value - (inverted ? kToneDtcsInverted : kToneDtcsNormal);
        return 0x400 | (inverted ? 0x200 : 0) | ((n / 100) & 7) << 6 | ((n / 10 % 10) & 7) << 3 |
               ((n % 10) & 7);
    }
    return 0x800;
}

std::string ToneText(int value, bool withMulti) {
    if (IsDtcs(value)) {
        const bool inverted = value >= kToneDtcsInverted;
        char text[16];
        std::snprintf(text, sizeof text, inverted ? "%03di" : "%03dN",
                      value - (inverted ? kToneDtcsInverted : kToneDtcsNormal));
        return text;
    }
    for (const SOption& option : ToneOptions(withMulti))
        if (option.value == value) return option.text;
    return {};
}

namespace {

// The CTCSS list index of a tone written as a number of Hz ("100", "67", "88.50"),
// or -1.
int CtcssIndexOf(const std::string& text) {
    size_t digits = 0, point = 0;
    for (char c : text) {
        if (std::isdigit(static_cast<unsigned char>(c)))
            ++digits;
        else if (c == '.' && ++point == 1)
            continue;
        else
            return -1;
    }
    if (digits == 0 || text.size() > 12) return -1;
    // In hundredths, so that a second decimal other than 0 names no tone.
    const double hundredths = std::strtod(text.c_str(), nullptr) * 100.0;
    const long long rounded = std::llround(hundredths);
    if (std::fabs(hundredths - static_cast<double>(rounded)) > 1e-6 || rounded % 10 != 0)
        return -1;
    for (int i = 0; i < kToneCtcssCount; ++i)
        if (std::llround(std::strtod(kCtcssTexts[i], nullptr) * 100.0) == rounded) return i;
    return -1;
}

} // namespace

std::optional<int> ParseToneText(const std::string& text, bool withMulti) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return std::nullopt;
    const std::string t = text.substr(first, text.find_last_not_of(" \t") - first + 1);

    for (const SOption& option : ToneOptions(withMulti))
        if (EqualNoCase(t, option.text)) return option.value;
    if (const int index = CtcssIndexOf(t); index >= 0) return index;

    auto digitsAt = [&](size_t from, size_t count) {
        int n = 0;
        for (size_t i = from; i < from + count; ++i) {
            if (!std::isdigit(static_cast<unsigned char>(t[i]))) return -1;
            n = 10 * n + (t[i] - '0');
        }
        return n;
    };
    if (t.size() != 4) return std::nullopt;
    // A DTCS value as the number the nodes hold (2023, 3754).
    if (const int n = digitsAt(0, 4); n >= 0)
        return IsDtcs(n) && IsToneValue(n, withMulti) ? std::optional<int>(n) : std::nullopt;
    // A code text: three octal digits, then "N" or "I" (either case).
    const int n = digitsAt(0, 3);
    if (n < 0 || !IsOctalCode(n)) return std::nullopt;
    const char polarity = static_cast<char>(std::toupper(static_cast<unsigned char>(t[3])));
    if (polarity == 'N') return kToneDtcsNormal + n;
    if (polarity == 'I') return kToneDtcsInverted + n;
    return std::nullopt;
}

namespace {

class CToneCodeTexts : public INumberCodes {
public:
    explicit CToneCodeTexts(bool withMulti) : m_withMulti(withMulti) {}
    std::optional<int> Parse(const std::string& text) const override {
        return ParseToneText(text, m_withMulti);
    }
    std::string Text(int value) const override { return ToneText(value, m_withMulti); }
    std::string Hint() const override {
        return "a DTCS code such as 023N or 754i (a tone may be written without its decimals: "
               "100)";
    }

private:
    bool m_withMulti;
};

} // namespace

const INumberCodes& ToneCodeTexts(bool withMulti) {
    static const CToneCodeTexts rx(true);
    static const CToneCodeTexts tx(false);
    return withMulti ? rx : tx;
}
