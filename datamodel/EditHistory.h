// The document's edit history: every change is one step with a name that says what it
// did ("Paste CH 10-12"); Undo puts the image, the variant and every node (values,
// texts, the channels' field holders, the 2Tone decode windows) back as they were
// before the step, Redo as they were after it. A step keeps only what changed.
//
// A command marks its change with a CEditStep; steps inside a step join it, so a core
// operation that records its own step becomes part of the command that calls it.
// The document is unmodified exactly when the history stands at its clean point.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CCloneManager;
class CNode;
class CNodeValue;
class CStringNode;
class CFieldHolderNode;

class CEditHistory {
public:
    static constexpr size_t kMaxSteps = 1000;
    static constexpr size_t kMaxBytes = size_t(16) << 20;

    explicit CEditHistory(CCloneManager& registry);
    ~CEditHistory();
    CEditHistory(const CEditHistory&) = delete;
    CEditHistory& operator=(const CEditHistory&) = delete;

    bool CanUndo() const { return m_position > 0; }
    bool CanRedo() const { return m_position < m_count; }
    // The names of the steps Undo and Redo would take back or make again ("" for none).
    std::string UndoName() const;
    std::string RedoName() const;
    // False when there is nothing to undo (or redo) or a step is being recorded.
    bool Undo();
    bool Redo();

    // A new history: no steps, the clean point at the current state (New, Open).
    void Clear();
    // The current state is the saved one (Save, and a variant change).
    void MarkClean();
    bool AtCleanPoint() const { return m_clean == static_cast<long>(m_position); }

    size_t StepCount() const { return m_count; }
    // What the steps keep, in bytes (an estimate of their heap use).
    size_t MemoryBytes() const { return m_bytes; }
    // Oldest steps are dropped beyond either bound; the newest step is always kept.
    void SetLimits(size_t maxSteps, size_t maxBytes);

private:
    friend class CEditStep;
    struct SState;
    struct SStep;
    void Begin();
    // Records the change since Begin as a step named name; true when a step was
    // recorded (something changed, or always).
    bool End(const std::string& name, bool always = false);
    void Capture(SState& state);
    void Apply(const SStep& step, bool undo);
    void Trim();
    void Changed();
    void FindNodes();

    CCloneManager& m_registry;
    std::vector<CNodeValue*> m_valueNodes;
    std::vector<CStringNode*> m_textNodes;
    std::vector<CFieldHolderNode*> m_holderNodes;
    bool m_nodesFound = false;
    int m_depth = 0;
    std::unique_ptr<SState> m_before;
    std::vector<SStep> m_steps;
    size_t m_position = 0, m_count = 0; // m_count: m_steps.size()
    long m_clean = 0; // -1: the saved state is no longer in the history
    size_t m_bytes = 0;
    size_t m_maxSteps = kMaxSteps, m_maxBytes = kMaxBytes;
};

// One step for the scope it lives in: what changed between construction and
// destruction is recorded under its name, unless an outer step is open (it joins
// that one).
class CEditStep {
public:
    CEditStep(CCloneManager& registry, std::string name);
    ~CEditStep();
    CEditStep(const CEditStep&) = delete;
    CEditStep& operator=(const CEditStep&) = delete;
    // The name can follow from what the command turned out to do.
    void SetName(std::string name) { m_name = std::move(name); }
    // Recorded even when nothing changed (a repeater read is a change of the document
    // whatever it brought).
    void Always() { m_always = true; }

private:
    CEditHistory& m_history;
    std::string m_name;
    bool m_always = false;
};

// "CH 7", "CH 10-12", "CH 3, 5, 7-9" for channel numbers in any order.
std::string ChannelListText(std::vector<int> channels);
