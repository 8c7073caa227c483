// Base node classes of the memory-map tree.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class CNodeBase {
public:
    CNodeBase() = default;
    explicit CNodeBase(const char* name) { SetName(name); }
    virtual ~CNodeBase() = default;
    CNodeBase(const CNodeBase&) = delete;
    CNodeBase& operator=(const CNodeBase&) = delete;

    // The empty text for an unnamed node.
    const std::string& GetName() const { return m_name; }
    bool HasName() const { return m_hasName; }
    void SetName(const char* name);
    int GetIndex() const { return m_index; }
    void SetIndex(int n) { m_index = n; }
    int GetData() const { return m_data; }
    void SetData(int n);
    int GetGeneration() const { return m_generation; }
    bool IsSameName(const CNodeBase& other) const;
    // The flag argument is kept for callers; the flag only ever goes to 1.
    void SetModify(int flag = 1);
    bool IsModify() const { return m_modified; }

protected:
    std::string m_name;
    bool m_hasName = false;
    int m_index = -1;
    int m_data = 0;
    int m_generation = 0;
    bool m_modified = false;
};

// A named node with an ordered list of children it does not own.
class CNode : public CNodeBase {
public:
    using CNodeBase::CNodeBase;
    ~CNode() override = default;

    virtual CNode* SetText(const std::string& text);
    virtual CNode* SetValue(int n);
    CNode* Assign(const CNode& other);
    virtual void Copy(const CNode& other);
    virtual std::string GetText() const;
    virtual int GetValue() const { return m_data; }
    void SetModifyTree(int flag = 1);
    bool IsModifyTree() const;

    CNode* AddChild(CNode* child);
    CNode* FindChild(std::string_view name) const;
    const std::vector<CNode*>& Children() const { return m_children; }

protected:
    std::vector<CNode*> m_children;
};
