// One process-wide flag that keeps a second command from starting while one runs.
#pragma once

// Returns the previous state and sets the flag; proceed only when it returned false.
bool TryEnterEdit();
void LeaveEdit(bool state = false);

// Enters the guard for a scope; Entered() says whether the caller may proceed.
class CEditScope {
public:
    CEditScope() : m_entered(!TryEnterEdit()) {}
    ~CEditScope() {
        if (m_entered)
            LeaveEdit(false);
    }
    CEditScope(const CEditScope&) = delete;
    CEditScope& operator=(const CEditScope&) = delete;
    bool Entered() const { return m_entered; }

private:
    bool m_entered;
};
