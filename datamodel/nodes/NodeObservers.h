// Change notification of the node tree.
//
// A view subscribes on a node (usually the root) and is called with every node at
// or below it whose value or text changes: set by an editor, typed, or decoded from
// the image. Setting a value a node already holds tells nobody.
//
// Threads: calls come on the thread that changes the tree, and only there. The tree
// belongs to one thread (the UI thread); subscribing, unsubscribing and changing the
// tree happen on it. An observer must not throw and must not destroy the tree it
// observes; it may change the tree (the change is told at once) and may subscribe
// or unsubscribe, itself included. A subscription made during a call hears from the
// next change on.
//
// Cost: while no subscription exists in the process, a change costs one relaxed
// atomic load.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class CNode;

using NodeChanged = std::function<void(CNode& changed)>;

// The subscriptions made on one node; the node owns it.
class CNodeObservers {
public:
    CNodeObservers() = default;
    ~CNodeObservers();
    CNodeObservers(const CNodeObservers&) = delete;
    CNodeObservers& operator=(const CNodeObservers&) = delete;

    uint64_t Add(NodeChanged onChange);
    void Remove(uint64_t id);
    bool Has(uint64_t id) const;
    void Tell(CNode& changed) noexcept;

    // Whether any subscription lives anywhere in the process.
    static bool AnyLive() { return s_live.load(std::memory_order_relaxed) > 0; }

private:
    struct SEntry {
        uint64_t id;
        NodeChanged onChange;
        bool active = true;
    };
    // Shared so that a call in progress keeps its entry while it is removed.
    std::vector<std::shared_ptr<SEntry>> m_entries;
    uint64_t m_nextId = 1;
    int m_telling = 0;
    bool m_removed = false; // entries to drop once no call is in progress

    inline static std::atomic<int> s_live{0};
};

// Owns one subscription: destroying or resetting it ends the calls. It may outlive
// the node it was made on.
class CNodeSubscription {
public:
    CNodeSubscription() = default;
    CNodeSubscription(std::weak_ptr<CNodeObservers> observers, uint64_t id)
        : m_observers(std::move(observers)), m_id(id) {}
    ~CNodeSubscription() { Reset(); }
    CNodeSubscription(CNodeSubscription&& other) noexcept;
    CNodeSubscription& operator=(CNodeSubscription&& other) noexcept;
    CNodeSubscription(const CNodeSubscription&) = delete;
    CNodeSubscription& operator=(const CNodeSubscription&) = delete;

    void Reset();
    // False once reset, moved from, or its node is gone.
    bool IsActive() const;

private:
    std::weak_ptr<CNodeObservers> m_observers;
    uint64_t m_id = 0;
};
