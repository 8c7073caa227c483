// Leaf node classes: numeric, bit, string and frequency values.
//
// Each class holds the rules of its texts: the lenient SetText of the codecs and
// dialogs, and CheckText / TrySetText, which refuse a text with the reason and
// leave the node unchanged.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "Node.h"
#include "NodeValue.h"

// Texts a numeric value takes beyond its options, such as tone codes ("023N").
class INumberCodes {
public:
    virtual ~INumberCodes() = default;
    // The value a text names, or nothing.
    virtual std::optional<int> Parse(const std::string& text) const = 0;
    // The text a sheet shows for a value.
    virtual std::string Text(int value) const = 0;
    // What else the field takes, for messages ("a DTCS code such as 023N or 023i").
    virtual std::string Hint() const = 0;
};

// Texts a sheet shows in place of option texts: the option's own text, then the shown one.
using ShownTexts = std::vector<std::pair<std::string, std::string>>;

// The characters a text field keeps: those its codec stores and reads back as they are.
struct SCharset {
    const char* description; // what messages say the field takes ("0-9 A-D * #")
    std::string_view chars;  // every character taken
    bool Takes(char c) const { return c != '\0' && chars.find(c) != std::string_view::npos; }
};

class CNumNode : public CNodeValue, public CNode {
public:
    explicit CNumNode(const char* name = nullptr);
    // A text that is not an option leaves the value unchanged.
    CNode* SetText(const std::string& text) override;
    CNode* SetValue(int n) override;
    std::string GetText() const override { return ValueText(); }
    int GetValue() const override { return m_value; }

    // An option text, a code text, or a whole number within the range that is
    // valid and, when the node has options, one of them; surrounding blanks are
    // ignored. Gives the value the text sets, or why it is refused.
    bool CheckText(const std::string& text, int& value, std::string& reason) const;
    bool TrySetText(const std::string& text, std::string& reason) override;
    std::string Accepts() const override { return AcceptsShowing({}); }
    // Accepts, with "TEXT (shown as SHOWN)" for the options a sheet shows otherwise.
    std::string AcceptsShowing(const ShownTexts& shown) const;

    // Codes shared by many nodes; the node does not own them.
    void SetCodes(const INumberCodes* codes) { m_codes = codes; }
    const INumberCodes* Codes() const { return m_codes; }

protected:
    void ValueChanged() override { NotifyChanged(); }

private:
    const INumberCodes* m_codes = nullptr;
};

class CBitNode : public CNumNode {
public:
    explicit CBitNode(const char* name = nullptr);
};

class CStringNode : public CNode {
public:
    explicit CStringNode(const char* name = nullptr) : CNode(name) {}
    CNode* SetText(const std::string& text) override;
    std::string GetText() const override { return m_text; }
    // Stores the text without trailing white space, whatever its length.
    void SetString(const std::string& text);
    const std::string& GetString() const { return m_text; }

    // Trailing white space is dropped and leading kept. A text is refused when a
    // character is not in the field's character set (the first such is named), when
    // it is longer than the maximum length, or, for a field of fixed length, shorter.
    bool CheckText(const std::string& text, std::string& reason) const;
    bool TrySetText(const std::string& text, std::string& reason) override;
    // The length and the characters: "up to 10 characters of 0-9 A-D * #".
    std::string Accepts() const override;

    // What the field's image keeps: at most maxLength characters (0: any number;
    // fixed: exactly maxLength), each one of the set (null: any character). The
    // set is shared; the node does not own it.
    void SetRule(size_t maxLength, const SCharset* charset, bool fixed = false) {
        m_maxLength = maxLength;
        m_charset = charset;
        m_fixed = fixed && maxLength > 0;
    }
    void SetMaxLength(size_t length) { m_maxLength = length; }
    size_t MaxLength() const { return m_maxLength; }
    bool FixedLength() const { return m_fixed; }
    const SCharset* Charset() const { return m_charset; }

private:
    std::string m_text;
    size_t m_maxLength = 0;
    const SCharset* m_charset = nullptr;
    bool m_fixed = false;
};

class CFreqNode : public CNodeValue, public CNode {
public:
    explicit CFreqNode(const char* name = nullptr);
    // Returns the node; use SetFreqText for the validity of the parsed number.
    CNode* SetText(const std::string& text) override;
    bool SetFreqText(const std::string& text);
    CNode* SetValue(int n) override;
    std::string GetText() const override { return ValueText(); }
    int GetValue() const override { return m_value; }

    bool IsValid(int n) const override { return n >= m_min && n <= m_max; }
    // The value in the base unit with five decimals ("145.12500").
    std::string TextOf(int value) const override;
    // Text to a number in the node's base unit; false when the text is off the
    // node's raster. Subclasses apply their raster.
    virtual bool TryParse(const std::string& text, int& value) const;
    // As TryParse; a refused text gives the current value.
    int ParseText(const std::string& text) const;

    // A decimal number within the entry range that the raster keeps to the field's
    // resolution (half a unit of the value); surrounding blanks are ignored. A field
    // shown in MHz also takes a whole number of Hz (seven digits or more). Gives the
    // value the text sets, or why it is refused, with the nearest accepted values.
    // stored: the text is one the node showed (an export), so a value off the
    // raster that the node shows exactly as this text is taken back as it is.
    bool CheckText(const std::string& text, int& value, std::string& reason,
                   bool stored = false) const;
    bool TrySetText(const std::string& text, std::string& reason) override;
    // TrySetText for a text written out by this program (see CheckText).
    bool TrySetStoredText(const std::string& text, std::string& reason);
    // The entry range with its unit, and the raster.
    std::string Accepts() const override;
    // The unit the value is shown in: "MHz" when the scale is a million, else "Hz".
    std::string Unit() const;
    // The values between the limits the field holds, as Accepts says them ("in 12.5
    // kHz steps"); by default steps of the value's own unit. Subclasses with a raster
    // say theirs.
    virtual std::string Raster() const;

    // The values a typed text may give: the range, or narrower where the node's
    // entry limits are.
    virtual void EntryRange(int& low, int& high) const {
        low = m_min;
        high = m_max;
    }
    // Whether an exported text of a value off the raster is taken back as it is.
    virtual bool TakesStoredOffRaster() const { return true; }

    int GetScale() const { return m_scale; }
    void SetScale(int scale) { m_scale = scale; }
    // The plain text of a value, "%1.5Lf" of value / scale.
    std::string ScaledText(long long value) const;

protected:
    void ValueChanged() override { NotifyChanged(); }
    // The plain parse: "%lf" of the first 15 characters, negative gives 0.
    int ParseScaledText(const std::string& text, double scale) const;
    int m_scale = 1000000;

private:
    bool TakeText(const std::string& text, std::string& reason, bool stored);
    // "; nearest accepted: ..." for a number the raster refuses (in the value's
    // unit), searched at the display resolution; empty when none is near.
    std::string NearestAccepted(long double raw, int low, int high) const;
    // A decimal text as a number in the value's unit, and as a plain text in the
    // shown unit without leading zeros; false when it is no number.
    bool ReadNumber(const std::string& text, long double& raw, std::string& plain) const;
};
