// Group nodes whose record fields may live in another node (the field holder):
// moving channels exchanges the holders, and encoding writes each record from
// its holder's fields.
#pragma once

#include "datamodel/nodes/Node.h"

class CFieldHolderNode : public CNode {
public:
    using CNode::CNode;
    // The node itself until another holder is set.
    CNode* GetFieldHolder() const {
        return m_holder ? m_holder : const_cast<CFieldHolderNode*>(this);
    }
    // A null holder makes the node its own holder again.
    void SetFieldHolder(CNode* holder) { m_holder = holder; }

private:
    CNode* m_holder = nullptr;
};

class CQMchNode : public CFieldHolderNode {
public:
    using CFieldHolderNode::CFieldHolderNode;
};

class CTolvarMultiToneNode : public CFieldHolderNode {
public:
    using CFieldHolderNode::CFieldHolderNode;
};
