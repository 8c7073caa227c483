// Base node classes of the memory-map tree.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "datamodel/nodes/NodeObservers.h"

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

protected:
    std::string m_name;
    bool m_hasName = false;
};

// A named node with an ordered list of children it does not own.
//
// Parent and row: AddChild makes the node the child's parent and gives the child
// its row, its index among the children. Fields of a channel show under the
// channel whose field holder holds them (see CFieldHolderNode). Nodes a node keeps
// outside its children (a 2Tone channel's decode limits) have it as parent and
// row -1. Changes are told to the observers of the node and its ancestors (see
// NodeObservers.h).
class CNode : public CNodeBase {
public:
    using CNodeBase::CNodeBase;
    ~CNode() override = default;

    // Lenient setters of the codecs and dialogs: a text or value the node cannot
    // take is ignored or clamped.
    virtual CNode* SetText(const std::string& text);
    virtual CNode* SetValue(int n);
    virtual std::string GetText() const;
    virtual int GetValue() const { return 0; }

    // Sets the value from a typed text. On refusal returns false, leaves the node
    // as it was and says why in reason. Value nodes ignore surrounding blanks; text
    // nodes drop trailing ones.
    virtual bool TrySetText(const std::string& text, std::string& reason);
    // What TrySetText takes, for messages ("one of OFF, ON").
    virtual std::string Accepts() const { return "nothing"; }

    CNode* AddChild(CNode* child);
    CNode* FindChild(std::string_view name) const;
    const std::vector<CNode*>& Children() const { return m_children; }
    CNode* GetParent() const { return m_parent; }
    int GetRow() const { return m_row; }

    // Calls onChange with each node at or below this one whose value changes, until
    // the subscription ends.
    [[nodiscard]] CNodeSubscription Subscribe(NodeChanged onChange);

protected:
    // Tells the observers of this node and its ancestors; call after a change.
    void NotifyChanged() {
        if (CNodeObservers::AnyLive())
            TellObservers();
    }
    // Makes owner the parent of a node it keeps outside its children, or moves a
    // field under the channel that shows it.
    static void SetParentOf(CNode& node, CNode* owner) { node.m_parent = owner; }

    std::vector<CNode*> m_children;

private:
    void TellObservers();

    CNode* m_parent = nullptr;
    int m_row = -1;
    std::shared_ptr<CNodeObservers> m_observers;
};
