// Leaf node classes: numeric, bit, string and frequency values.
#pragma once

#include "Node.h"
#include "NodeValue.h"

class CNumNode : public CNodeValue, public CNode {
public:
    explicit CNumNode(const char* name = nullptr);
    // A text that is not an option leaves the value unchanged.
    CNode* SetText(const std::string& text) override;
    CNode* SetValue(int n) override;
    std::string GetText() const override { return ValueText(); }
    int GetValue() const override { return m_value; }
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
    // Stores the text without trailing white space; returns CheckText's result.
    virtual int SetString(const std::string& text);
    virtual std::string GetString() const { return m_text; }
    virtual int CheckText(const std::string&) { return 0; }

protected:
    std::string m_text;
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
    std::string ValueText() const override;
    // Text to a number in the node's base unit; subclasses apply their raster.
    virtual int ParseText(const std::string& text) const;

    int GetScale() const { return m_scale; }
    void SetScale(int scale) { m_scale = scale; }

protected:
    // The plain parse: "%lf" of the first 15 characters, negative gives 0.
    int ParseScaledText(const std::string& text, double scale) const;
    int m_scale = 1000000;
};
