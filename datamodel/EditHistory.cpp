#include "EditHistory.h"

#include <algorithm>

#include "datamodel/CloneManager.h"
#include "datamodel/DataManagers.h"
#include "datamodel/memmap/RadioDataManager.h"
#include "datamodel/nodes/GroupNodes.h"
#include "datamodel/nodes/ValueNodes.h"

// Everything a step may change, as it stands at one moment.
struct CEditHistory::SState {
    std::vector<uint8_t> image;
    int model = 0;
    std::vector<int> values;
    std::vector<std::string> texts;
    std::vector<CNode*> holders;
};

// What one step changed: each piece with its value before and after.
struct CEditHistory::SStep {
    template <class T> struct SChange {
        uint32_t index;
        T before, after;
    };
    struct SRun {
        uint32_t address;
        std::vector<uint8_t> before, after;
    };
    std::string name;
    std::vector<SRun> image;
    int modelBefore = 0, modelAfter = 0;
    std::vector<SChange<int>> values;
    std::vector<SChange<std::string>> texts;
    std::vector<SChange<CNode*>> holders;
    size_t bytes = 0;

    size_t Measure() const {
        size_t n = sizeof(SStep) + name.capacity() + image.capacity() * sizeof(SRun) +
                   values.capacity() * sizeof(values[0]) + texts.capacity() * sizeof(texts[0]) +
                   holders.capacity() * sizeof(holders[0]);
        for (const SRun& run : image)
            n += run.before.capacity() + run.after.capacity();
        for (const auto& text : texts)
            n += text.before.capacity() + text.after.capacity();
        return n;
    }
};

CEditHistory::CEditHistory(CCloneManager& registry) : m_registry(registry) {}

CEditHistory::~CEditHistory() = default;

void CEditHistory::FindNodes() {
    if (m_nodesFound)
        return;
    m_nodesFound = true;
    m_registry.RadioData()->ForEachNode([this](CNode& node) {
        if (auto* value = dynamic_cast<CNodeValue*>(&node))
            m_valueNodes.push_back(value);
        else if (auto* text = dynamic_cast<CStringNode*>(&node))
            m_textNodes.push_back(text);
        if (auto* holder = dynamic_cast<CFieldHolderNode*>(&node))
            m_holderNodes.push_back(holder);
    });
}

void CEditHistory::Capture(SState& state) {
    FindNodes();
    state.image = m_registry.Image().Bytes();
    state.model = m_registry.Model()->GetModel();
    state.values.resize(m_valueNodes.size());
    for (size_t i = 0; i < m_valueNodes.size(); ++i)
        state.values[i] = m_valueNodes[i]->Value();
    state.texts.resize(m_textNodes.size());
    for (size_t i = 0; i < m_textNodes.size(); ++i)
        state.texts[i] = m_textNodes[i]->GetString();
    state.holders.resize(m_holderNodes.size());
    for (size_t i = 0; i < m_holderNodes.size(); ++i)
        state.holders[i] = m_holderNodes[i]->GetFieldHolder();
}

void CEditHistory::Begin() {
    if (m_depth++ > 0)
        return;
    m_before = std::make_unique<SState>();
    Capture(*m_before);
}

namespace {

template <class T, class Change>
void Compare(const std::vector<T>& before, const std::vector<T>& after, std::vector<Change>& out) {
    for (size_t i = 0; i < before.size() && i < after.size(); ++i)
        if (before[i] != after[i])
            out.push_back({static_cast<uint32_t>(i), before[i], after[i]});
}

} // namespace

bool CEditHistory::End(const std::string& name, bool always) {
    if (m_depth == 0 || --m_depth > 0)
        return false;
    const std::unique_ptr<SState> before = std::move(m_before);
    SState after;
    Capture(after);
    SStep step;
    step.name = name;
    step.modelBefore = before->model;
    step.modelAfter = after.model;
    // The image as runs of changed bytes; runs closer than a few bytes join.
    const std::vector<uint8_t>& a = before->image;
    const std::vector<uint8_t>& b = after.image;
    const size_t size = std::min(a.size(), b.size());
    for (size_t i = 0; i < size;) {
        if (a[i] == b[i]) {
            ++i;
            continue;
        }
        size_t end = i + 1, same = 0;
        for (size_t k = end; k < size && same < 8; ++k) {
            if (a[k] == b[k]) {
                ++same;
            } else {
                same = 0;
                end = k + 1;
            }
        }
        step.image.push_back({static_cast<uint32_t>(i), {a.begin() + long(i), a.begin() + long(end)},
                              {b.begin() + long(i), b.begin() + long(end)}});
        i = end;
    }
    Compare(before->values, after.values, step.values);
    Compare(before->texts, after.texts, step.texts);
    Compare(before->holders, after.holders, step.holders);
    if (step.image.empty() && step.values.empty() && step.texts.empty() && step.holders.empty() &&
        step.modelBefore == step.modelAfter && !always)
        return false;
    step.bytes = step.Measure();
    // A new step ends the steps that could have been redone.
    while (m_steps.size() > m_position) {
        m_bytes -= m_steps.back().bytes;
        m_steps.pop_back();
    }
    if (m_clean > static_cast<long>(m_position))
        m_clean = -1;
    m_bytes += step.bytes;
    m_steps.push_back(std::move(step));
    ++m_position;
    Trim();
    m_count = m_steps.size();
    Changed();
    return true;
}

void CEditHistory::Trim() {
    while (m_steps.size() > 1 && (m_steps.size() > m_maxSteps || m_bytes > m_maxBytes)) {
        m_bytes -= m_steps.front().bytes;
        m_steps.erase(m_steps.begin());
        --m_position;
        m_clean = m_clean > 0 ? m_clean - 1 : -1;
    }
}

void CEditHistory::SetLimits(size_t maxSteps, size_t maxBytes) {
    m_maxSteps = std::max<size_t>(maxSteps, 1);
    m_maxBytes = maxBytes;
    Trim();
    m_count = m_steps.size();
}

void CEditHistory::Apply(const SStep& step, bool undo) {
    CEepromImage& image = m_registry.Image();
    for (const SStep::SRun& run : step.image) {
        const std::vector<uint8_t>& bytes = undo ? run.before : run.after;
        image.Write(run.address, bytes.data(), static_cast<uint32_t>(bytes.size()));
    }
    const int model = undo ? step.modelBefore : step.modelAfter;
    if (model != m_registry.Model()->GetModel())
        m_registry.Model()->SetModel(model, false);
    for (const auto& change : step.holders)
        m_holderNodes[change.index]->SetFieldHolder(undo ? change.before : change.after);
    for (const auto& change : step.values)
        m_valueNodes[change.index]->RestoreValue(undo ? change.before : change.after);
    for (const auto& change : step.texts)
        m_textNodes[change.index]->SetString(undo ? change.before : change.after);
    if (IDocumentHost* document = m_registry.Document()) {
        if (step.modelBefore != step.modelAfter)
            document->RebuildTree();
        if (step.modelBefore != step.modelAfter || !step.holders.empty())
            document->UpdateAllViews();
    }
}

bool CEditHistory::Undo() {
    if (!CanUndo() || m_depth > 0)
        return false;
    --m_position;
    Apply(m_steps[m_position], true);
    Changed();
    return true;
}

bool CEditHistory::Redo() {
    if (!CanRedo() || m_depth > 0)
        return false;
    Apply(m_steps[m_position], false);
    ++m_position;
    Changed();
    return true;
}

std::string CEditHistory::UndoName() const {
    return CanUndo() ? m_steps[m_position - 1].name : std::string();
}

std::string CEditHistory::RedoName() const {
    return CanRedo() ? m_steps[m_position].name : std::string();
}

void CEditHistory::Clear() {
    m_steps.clear();
    m_position = m_count = 0;
    m_clean = 0;
    m_bytes = 0;
    Changed();
}

void CEditHistory::MarkClean() {
    m_clean = static_cast<long>(m_position);
    Changed();
}

void CEditHistory::Changed() {
    if (IDocumentHost* document = m_registry.Document()) {
        document->SetModifiedFlag(!AtCleanPoint());
        document->HistoryChanged();
    }
}

CEditStep::CEditStep(CCloneManager& registry, std::string name)
    : m_history(registry.History()), m_name(std::move(name)) {
    m_history.Begin();
}

CEditStep::~CEditStep() { m_history.End(m_name, m_always); }

std::string ChannelListText(std::vector<int> channels) {
    std::sort(channels.begin(), channels.end());
    channels.erase(std::unique(channels.begin(), channels.end()), channels.end());
    std::string text = "CH ";
    for (size_t i = 0; i < channels.size();) {
        size_t j = i;
        while (j + 1 < channels.size() && channels[j + 1] == channels[j] + 1)
            ++j;
        if (i > 0)
            text += ", ";
        text += std::to_string(channels[i]);
        if (j > i)
            text += (j == i + 1 ? ", " : "-") + std::to_string(channels[j]);
        i = j + 1;
    }
    return text;
}
