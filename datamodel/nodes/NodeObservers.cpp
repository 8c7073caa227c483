#include "NodeObservers.h"

#include <algorithm>

CNodeObservers::~CNodeObservers() {
    for (const auto& entry : m_entries)
        if (entry->active)
            s_live.fetch_sub(1, std::memory_order_relaxed);
}

uint64_t CNodeObservers::Add(NodeChanged onChange) {
    const uint64_t id = m_nextId++;
    m_entries.push_back(std::make_shared<SEntry>(SEntry{id, std::move(onChange)}));
    s_live.fetch_add(1, std::memory_order_relaxed);
    return id;
}

void CNodeObservers::Remove(uint64_t id) {
    const auto it = std::find_if(m_entries.begin(), m_entries.end(),
                                 [id](const auto& entry) { return entry->id == id; });
    if (it == m_entries.end() || !(*it)->active)
        return;
    (*it)->active = false;
    s_live.fetch_sub(1, std::memory_order_relaxed);
    if (m_telling > 0)
        m_removed = true;
    else
        m_entries.erase(it);
}

bool CNodeObservers::Has(uint64_t id) const {
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [id](const auto& entry) { return entry->id == id && entry->active; });
}

void CNodeObservers::Tell(CNode& changed) noexcept {
    ++m_telling;
    // Entries are only appended while telling; those added now wait for the next change.
    const size_t count = m_entries.size();
    for (size_t i = 0; i < count; ++i) {
        const std::shared_ptr<SEntry> entry = m_entries[i];
        if (entry->active)
            entry->onChange(changed);
    }
    if (--m_telling == 0 && m_removed) {
        std::erase_if(m_entries, [](const auto& entry) { return !entry->active; });
        m_removed = false;
    }
}

CNodeSubscription::CNodeSubscription(CNodeSubscription&& other) noexcept
    : m_observers(std::move(other.m_observers)), m_id(other.m_id) {
    other.m_observers.reset();
    other.m_id = 0;
}

CNodeSubscription& CNodeSubscription::operator=(CNodeSubscription&& other) noexcept {
    if (this != &other) {
        Reset();
        m_observers = std::move(other.m_observers);
        m_id = other.m_id;
        other.m_observers.reset();
        other.m_id = 0;
    }
    return *this;
}

void CNodeSubscription::Reset() {
    if (const auto observers = m_observers.lock())
        observers->Remove(m_id);
    m_observers.reset();
    m_id = 0;
}

bool CNodeSubscription::IsActive() const {
    const auto observers = m_observers.lock();
    return observers && observers->Has(m_id);
}
