#include "Node.h"

void CNodeBase::SetName(const char* name) {
    m_hasName = name != nullptr;
    m_name = name ? name : "";
}

void CNodeBase::SetData(int n) {
    m_data = n;
    SetModify(1);
}

bool CNodeBase::IsSameName(const CNodeBase& other) const {
    return GetName() == other.GetName();
}

void CNodeBase::SetModify(int) { m_modified = true; }

CNode* CNode::SetText(const std::string&) { return this; }

CNode* CNode::SetValue(int) { return this; }

CNode* CNode::Assign(const CNode& other) {
    Copy(other);
    return this;
}

void CNode::Copy(const CNode& other) {
    m_generation = other.GetGeneration() + 1;
    if (other.HasName())
        SetName(other.GetName().c_str());
    else
        SetName(nullptr);
    SetIndex(other.GetIndex());
    SetData(other.GetData());
    for (CNode* child : other.m_children)
        m_children.push_back(child);
}

std::string CNode::GetText() const { return GetName(); }

void CNode::SetModifyTree(int flag) {
    SetModify(flag);
    for (CNode* child : m_children)
        child->SetModifyTree(flag);
}

bool CNode::IsModifyTree() const {
    if (IsModify())
        return true;
    for (const CNode* child : m_children)
        if (child->IsModifyTree())
            return true;
    return false;
}

CNode* CNode::AddChild(CNode* child) {
    m_children.push_back(child);
    return child;
}

CNode* CNode::FindChild(std::string_view name) const {
    for (CNode* child : m_children)
        if (child->GetName() == name)
            return child;
    return nullptr;
}
