#include "ChannelEditing.h"

#include <algorithm>
#include <cstring>

#include "datamodel/CloneManager.h"
#include "datamodel/DataManagers.h"
#include "datamodel/EditHistory.h"
#include "datamodel/nodes/GroupNodes.h"
#include "datamodel/nodes/ValueNodes.h"

namespace {

constexpr int kChannels = 32;

enum class EKindOf { Int, Freq, Text };

struct SRecordField {
    const char* name;
    size_t offset;
    size_t size;
    EKindOf kind;
};

// The record layout, in the order fields are written back.
const std::array<SRecordField, 46>& RecordFields() {
    static const std::array<SRecordField, 46> fields = [] {
        std::array<SRecordField, 46> f{};
        size_t i = 0;
        f[i++] = {"ChOn", 0, 4, EKindOf::Int};
        f[i++] = {"FreqRx", 4, 50, EKindOf::Freq};
        f[i++] = {"FreqTx", 54, 50, EKindOf::Freq};
        f[i++] = {"InhTx", 104, 4, EKindOf::Int};
        f[i++] = {"InhCh", 108, 4, EKindOf::Int};
        f[i++] = {"Text", 112, 52, EKindOf::Text};
        static const char* const ints[] = {
            "CTonRx",     "CTonTx",      "BasTot",      "RptTot",     "HangOn",    "WidNar",
            "RptBas",     "RfPwr",       "LockoutP",    "LockoutL",   "AutoResetP", "AutoResetL",
            "BasLogInOfP", "BasLogInOfL", "RptLogInOf", "RptLogIdP",  "ScrmCode",  "ScrmOn",
            "2Ton",       "Moni",        "Sel",         "Call",       "PTT",       "Mute",
            "Form",       "RPT",         "RPTLng",      "STN",        "STNLng",    "Id",
            "IdLng",      "IdPos",       "RxCNo1",      "RxCNo2",     "RxCNo3",    "RxCNo4",
            "RxCNo5",     "RxCNo6",      "RxCNo7",      "RxCNo8"};
        size_t offset = 164;
        for (const char* name : ints) {
            f[i++] = {name, offset, 4, EKindOf::Int};
            offset += 4;
        }
        return f;
    }();
    return fields;
}

void PutInt(ChannelRecord& record, size_t at, int32_t value) {
    const auto u = static_cast<uint32_t>(value);
    for (size_t b = 0; b < 4; ++b)
        record[at + b] = static_cast<uint8_t>(u >> (8 * b));
}

int32_t GetInt(const uint8_t* data, size_t at) {
    uint32_t u = 0;
    for (size_t b = 0; b < 4; ++b)
        u |= static_cast<uint32_t>(data[at + b]) << (8 * b);
    return static_cast<int32_t>(u);
}

void PutText(ChannelRecord& record, size_t at, size_t size, const std::string& text) {
    const size_t n = std::min(text.size(), size - 1);
    std::memcpy(record.data() + at, text.data(), n);
    record[at + n] = 0;
}

// A text field of a foreign record: up to its terminator or its size.
std::string GetText(const uint8_t* data, size_t at, size_t size) {
    const auto* begin = reinterpret_cast<const char*>(data + at);
    return std::string(begin, strnlen(begin, size));
}

} // namespace

ChannelRecord CopyChannelRecord(const CNode& holder) {
    ChannelRecord record{};
    for (const SRecordField& field : RecordFields()) {
        const CNode* node = holder.FindChild(field.name);
        if (!node) continue;
        switch (field.kind) {
        case EKindOf::Int: PutInt(record, field.offset, node->GetValue()); break;
        case EKindOf::Freq:
        case EKindOf::Text: PutText(record, field.offset, field.size, node->GetText()); break;
        }
    }
    return record;
}

bool PasteChannelRecord(CNode& holder, const uint8_t* data, size_t size) {
    if (!data || size != kChannelRecordBytes) return false;
    const SRecordField* on = nullptr;
    for (const SRecordField& field : RecordFields()) {
        if (std::strcmp(field.name, "ChOn") == 0) {
            on = &field;
            continue;
        }
        CNode* node = holder.FindChild(field.name);
        if (!node) continue;
        switch (field.kind) {
        case EKindOf::Int: node->SetValue(GetInt(data, field.offset)); break;
        case EKindOf::Freq:
        case EKindOf::Text: node->SetText(GetText(data, field.offset, field.size)); break;
        }
    }
    if (CNode* node = on ? holder.FindChild(on->name) : nullptr)
        node->SetValue(GetInt(data, on->offset));
    return true;
}

// ---------------------------------------------------------------------------------------

CNode* CChannelEditor::Mch() const {
    return m_registry.Model()->GetNodeByPath("Mch");
}

int CChannelEditor::RowCount() const {
    const CNode* mch = Mch();
    const CNode* bank = mch ? mch->FindChild("BnkSet1") : nullptr;
    return bank ? std::clamp(bank->GetValue(), 0, kChannels) : 0;
}

CNode* CChannelEditor::Holder(int channel) const {
    if (channel < 0 || channel > kChannels) return nullptr;
    CNode* mch = Mch();
    auto* node = mch ? dynamic_cast<CFieldHolderNode*>(mch->FindChild("CH" + std::to_string(channel)))
                     : nullptr;
    return node ? node->GetFieldHolder() : nullptr;
}

bool CChannelEditor::InUse(int channel) const {
    const CNode* holder = Holder(channel);
    const CNode* on = holder ? holder->FindChild("ChOn") : nullptr;
    return on && on->GetValue() == 1;
}

std::vector<int> CChannelEditor::Valid(const std::vector<int>& channels) const {
    std::vector<int> valid;
    for (int n : channels)
        if (n >= 1 && n <= RowCount() && std::find(valid.begin(), valid.end(), n) == valid.end())
            valid.push_back(n);
    std::sort(valid.begin(), valid.end());
    return valid;
}

std::vector<int> CChannelEditor::Used(const std::vector<int>& channels) const {
    std::vector<int> used;
    for (int n : channels)
        if (InUse(n))
            used.push_back(n);
    return used;
}

bool CChannelEditor::Confirm(const std::string& text) const {
    return m_registry.UI().MessageBox(text, "", EButtons::YesNo, EIcon::Exclamation) == EAnswer::Yes;
}

void CChannelEditor::Blank(int n) {
    const CNode* blank = Holder(0);
    CNode* target = Holder(n);
    if (!blank || !target) return;
    const ChannelRecord record = CopyChannelRecord(*blank);
    PasteChannelRecord(*target, record.data(), record.size());
}

bool CChannelEditor::ClearChannel(int n) {
    if (n < 1 || n > RowCount() || !Holder(0) || !Holder(n)) return false;
    CEditStep step(m_registry, "Clear " + ChannelListText({n}));
    Blank(n);
    return true;
}

bool CChannelEditor::ClearChannels(const std::vector<int>& channels) {
    const std::vector<int> valid = Valid(channels);
    if (valid.size() == 1) return ClearChannel(valid.front());
    const std::string names = ChannelListText(valid);
    if (valid.empty() || (!Used(valid).empty() && !Confirm("Clear " + names + " ?"))) return false;
    CEditStep step(m_registry, "Clear " + names);
    for (int n : valid)
        Blank(n);
    return true;
}

bool CChannelEditor::PasteChannel(int n, const uint8_t* data, size_t size) {
    CNode* target = n >= 1 && n <= RowCount() ? Holder(n) : nullptr;
    if (!target || size != kChannelRecordBytes) return false;
    CEditStep step(m_registry, "Paste " + ChannelListText({n}));
    return PasteChannelRecord(*target, data, size);
}

bool CChannelEditor::PasteChannels(int first, const uint8_t* data, size_t size, std::string& refusal) {
    refusal.clear();
    const size_t count = size / kChannelRecordBytes;
    if (count == 0 || size % kChannelRecordBytes != 0 || first < 1 || first > RowCount()) {
        refusal = "The clipboard does not hold whole channels; nothing was pasted.";
        return false;
    }
    if (count == 1) return PasteChannel(first, data, size);
    const int last = first + static_cast<int>(count) - 1;
    if (last > RowCount()) {
        refusal = std::to_string(count) + " channels pasted at CH " + std::to_string(first) +
                  " would run past CH " + std::to_string(RowCount()) +
                  ": select CH " + std::to_string(RowCount() - static_cast<int>(count) + 1) +
                  " or a channel above it.";
        return false;
    }
    std::vector<int> targets;
    for (int n = first; n <= last; ++n)
        targets.push_back(n);
    const std::string names = ChannelListText(targets);
    const std::vector<int> used = Used(targets);
    if (!used.empty() && !Confirm("Paste " + std::to_string(count) + " channels into " + names +
                                  "?\n" + ChannelListText(used) +
                                  (used.size() == 1 ? " is" : " are") + " in use and will be replaced."))
        return false;
    CEditStep step(m_registry, "Paste " + names);
    for (size_t i = 0; i < count; ++i)
        PasteChannelRecord(*Holder(first + static_cast<int>(i)), data + i * kChannelRecordBytes,
                           kChannelRecordBytes);
    return true;
}

int CChannelEditor::PrioA() const {
    const CNode* mch = Mch();
    const CNode* field = mch ? mch->FindChild("PrioA") : nullptr;
    return field ? field->GetValue() : 0;
}

int CChannelEditor::Emergency() const {
    const CNode* mch = Mch();
    const CNode* field = mch ? mch->FindChild("Emr") : nullptr;
    return field ? field->GetValue() : 0;
}

void CChannelEditor::SetPrioA(int channel) {
    CEditStep step(m_registry, channel ? "Prio A " + ChannelListText({channel}) : "Prio A off");
    if (CNode* mch = Mch(); mch && mch->FindChild("PrioA")) mch->FindChild("PrioA")->SetValue(channel);
}

void CChannelEditor::SetEmergency(int channel) {
    CEditStep step(m_registry,
                   channel ? "Emergency " + ChannelListText({channel}) : "Emergency off");
    if (CNode* mch = Mch(); mch && mch->FindChild("Emr")) mch->FindChild("Emr")->SetValue(channel);
}

void CChannelEditor::Renumber(const char* name, bool deleted, int k) {
    CNode* field = Mch() ? Mch()->FindChild(name) : nullptr;
    if (!field) return;
    const int value = field->GetValue(), last = RowCount(), at = k;
    if (deleted && at < value && value <= last) field->SetValue(value - 1);
    if (!deleted && at <= value && value < last) field->SetValue(value + 1);
}

CFieldHolderNode* CChannelEditor::ChannelNode(int j) const {
    return dynamic_cast<CFieldHolderNode*>(Mch()->FindChild("CH" + std::to_string(j)));
}

void CChannelEditor::RemoveAt(int k) {
    Renumber("PrioA", true, k);
    Renumber("Emr", true, k);
    CNode* first = ChannelNode(k)->GetFieldHolder();
    for (int j = k; j < kChannels; ++j)
        ChannelNode(j)->SetFieldHolder(ChannelNode(j + 1)->GetFieldHolder());
    ChannelNode(kChannels)->SetFieldHolder(first);
    Blank(kChannels);
}

bool CChannelEditor::DeleteChannel(int k) {
    return DeleteChannels({k});
}

bool CChannelEditor::DeleteChannels(const std::vector<int>& channels) {
    const std::vector<int> valid = Valid(channels);
    if (valid.empty()) return false;
    const std::string names = ChannelListText(valid);
    if (!Used(valid).empty() && !Confirm(valid.size() == 1 ? "Delete CH ?" : "Delete " + names + " ?"))
        return false;
    m_registry.UI().WaitCursor(true);
    {
        CEditStep step(m_registry, "Delete " + names);
        // From the last, so that the numbers of those still to go stay as they were.
        for (auto it = valid.rbegin(); it != valid.rend(); ++it)
            RemoveAt(*it);
    }
    m_registry.UI().WaitCursor(false);
    if (IDocumentHost* document = m_registry.Document()) document->UpdateAllViews();
    return true;
}

bool CChannelEditor::InsertChannel(int k) {
    if (k < 1 || k > RowCount()) return false;
    if (InUse(RowCount()) &&
        m_registry.UI().MessageBox("CH overflow\nLast channel will be deleted.", "",
                                   EButtons::YesNo, EIcon::None) != EAnswer::Yes)
        return false;
    m_registry.UI().WaitCursor(true);
    {
        CEditStep step(m_registry, "Insert " + ChannelListText({k}));
        Renumber("PrioA", false, k);
        Renumber("Emr", false, k);
        CNode* last = ChannelNode(kChannels)->GetFieldHolder();
        for (int j = kChannels; j > k; --j)
            ChannelNode(j)->SetFieldHolder(ChannelNode(j - 1)->GetFieldHolder());
        ChannelNode(k)->SetFieldHolder(last);
        Blank(k);
    }
    m_registry.UI().WaitCursor(false);
    if (IDocumentHost* document = m_registry.Document()) document->UpdateAllViews();
    return true;
}
