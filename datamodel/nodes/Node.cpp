#include "Node.h"

void CNodeBase::SetName(const char* name) {
    m_hasName = name != nullptr;
    m_name = name ? name : "";
}

CNode* CNode::SetText(const std::string&) { return this; }

CNode* CNode::SetValue(int) { return this; }

std::string CNode::GetText() const { return GetName(); }

bool CNode::TrySetText(const std::string&, std::string& reason) {
    reason = "not a field";
    return false;
}

CNode* CNode::AddChild(CNode* child) {
    child->m_parent = this;
    child->m_row = static_cast<int>(m_children.size());
    m_children.push_back(child);
    return child;
}

CNode* CNode::FindChild(std::string_view name) const {
    for (CNode* child : m_children)
        if (child->GetName() == name)
            return child;
    return nullptr;
}

CNodeSubscription CNode::Subscribe(NodeChanged onChange) {
    if (!m_observers)
        m_observers = std::make_shared<CNodeObservers>();
    const uint64_t id = m_observers->Add(std::move(onChange));
    return CNodeSubscription(m_observers, id);
}

void CNode::TellObservers() {
    for (CNode* node = this; node; node = node->m_parent)
        if (node->m_observers)
            node->m_observers->Tell(*this);
}
