// Keeps a second command from starting while one runs (a clone transfer, an edit
// dialog). One guard belongs to each document's registry; any thread may use it.
#pragma once

#include <atomic>

class CEditGuard {
public:
    // Takes the guard; false when it is already taken (the caller must not proceed).
    bool TryEnter() { return !m_busy.exchange(true); }
    void Leave() { m_busy.store(false); }
    bool IsBusy() const { return m_busy.load(); }

private:
    std::atomic<bool> m_busy{false};
};

// Takes a guard for a scope; Entered() says whether the caller may proceed.
class CEditScope {
public:
    explicit CEditScope(CEditGuard& guard) : m_guard(guard), m_entered(guard.TryEnter()) {}
    ~CEditScope() {
        if (m_entered)
            m_guard.Leave();
    }
    CEditScope(const CEditScope&) = delete;
    CEditScope& operator=(const CEditScope&) = delete;
    bool Entered() const { return m_entered; }

private:
    CEditGuard& m_guard;
    bool m_entered;
};
