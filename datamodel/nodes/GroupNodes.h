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
    // A null holder makes the node its own holder again. The holder's fields take
    // this node as parent, so a view finds them under the channel that shows
    // them; their rows stay. A move is whole once every moved node has its holder.
    void SetFieldHolder(CNode* holder) {
        m_holder = holder == this ? nullptr : holder;
        const auto& fields = GetFieldHolder()->Children();
        // The fields of a holder always move together.
        if (!fields.empty() && fields.front()->GetParent() != this)
            for (CNode* field : fields)
                SetParentOf(*field, this);
    }

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
