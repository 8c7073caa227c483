#include "ChannelEditing.h"

#include <algorithm>
#include <cstring>

#include "datamodel/CloneManager.h"
#include "datamodel/DataManagers.h"
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

std::string FieldText(const CNode& holder, const char* name) {
    const CNode* node = holder.FindChild(name);
    return node ? node->GetText() : std::string();
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

std::string ChannelRecordText(const CNode& holder, int channel) {
    std::string line = "CH " + std::to_string(channel);
    for (const char* name : {"FreqRx", "FreqTx", "CTonRx", "CTonTx", "Text", "WidNar"}) {
        line += '\t';
        line += FieldText(holder, name);
    }
    return line;
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

bool CChannelEditor::ClearChannel(int n) {
    if (n < 1 || n > RowCount()) return false;
    const CNode* blank = Holder(0);
    CNode* target = Holder(n);
    if (!blank || !target) return false;
    const ChannelRecord record = CopyChannelRecord(*blank);
    PasteChannelRecord(*target, record.data(), record.size());
    if (IDocumentHost* document = m_registry.Document()) document->SetModifiedFlag(true);
    return true;
}

bool CChannelEditor::PasteChannel(int n, const uint8_t* data, size_t size) {
    CNode* target = n >= 1 && n <= RowCount() ? Holder(n) : nullptr;
    if (!target || !PasteChannelRecord(*target, data, size)) return false;
    if (IDocumentHost* document = m_registry.Document()) document->SetModifiedFlag(true);
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
    if (CNode* mch = Mch(); mch && mch->FindChild("PrioA")) mch->FindChild("PrioA")->SetValue(channel);
    if (IDocumentHost* document = m_registry.Document()) document->SetModifiedFlag(true);
}

void CChannelEditor::SetEmergency(int channel) {
    if (CNode* mch = Mch(); mch && mch->FindChild("Emr")) mch->FindChild("Emr")->SetValue(channel);
    if (IDocumentHost* document = m_registry.Document()) document->SetModifiedFlag(true);
}

void CChannelEditor::Renumber(const char* name, bool deleted, int k) {
    CNode* field = Mch() ? Mch()->FindChild(name) : nullptr;
    if (!field) return;
    const int value = field->GetValue(), last = RowCount(), at = k;
    if (deleted && at < value && value <= last) field->SetValue(value - 1);
    if (!deleted && at <= value && value < last) field->SetValue(value + 1);
}

bool CChannelEditor::DeleteChannel(int k) {
    if (k < 1 || k > RowCount()) return false;
    const CNode* holder = Holder(k);
    const CNode* on = holder ? holder->FindChild("ChOn") : nullptr;
    if (on && on->GetValue() == 1 &&
        m_registry.UI().MessageBox("Delete CH ?", "", EButtons::YesNo, EIcon::Exclamation) !=
            EAnswer::Yes)
        return false;
    m_registry.UI().WaitCursor(true);
    Renumber("PrioA", true, k);
    Renumber("Emr", true, k);
    CNode* mch = Mch();
    const auto channel = [&](int j) {
        return dynamic_cast<CFieldHolderNode*>(mch->FindChild("CH" + std::to_string(j)));
    };
    CNode* first = channel(k)->GetFieldHolder();
    for (int j = k; j < kChannels; ++j)
        channel(j)->SetFieldHolder(channel(j + 1)->GetFieldHolder());
    channel(kChannels)->SetFieldHolder(first);
    ClearChannel(kChannels);
    m_registry.UI().WaitCursor(false);
    if (IDocumentHost* document = m_registry.Document()) {
        document->SetModifiedFlag(true);
        document->UpdateAllViews();
    }
    return true;
}

bool CChannelEditor::InsertChannel(int k) {
    if (k < 1 || k > RowCount()) return false;
    const CNode* lastHolder = Holder(RowCount());
    const CNode* on = lastHolder ? lastHolder->FindChild("ChOn") : nullptr;
    if (on && on->GetValue() == 1 &&
        m_registry.UI().MessageBox("CH overflow\nLast channel will be deleted.", "",
                                   EButtons::YesNo, EIcon::None) != EAnswer::Yes)
        return false;
    m_registry.UI().WaitCursor(true);
    Renumber("PrioA", false, k);
    Renumber("Emr", false, k);
    CNode* mch = Mch();
    const auto channel = [&](int j) {
        return dynamic_cast<CFieldHolderNode*>(mch->FindChild("CH" + std::to_string(j)));
    };
    CNode* last = channel(kChannels)->GetFieldHolder();
    for (int j = kChannels; j > k; --j)
        channel(j)->SetFieldHolder(channel(j - 1)->GetFieldHolder());
    channel(k)->SetFieldHolder(last);
    ClearChannel(k);
    m_registry.UI().WaitCursor(false);
    if (IDocumentHost* document = m_registry.Document()) {
        document->SetModifiedFlag(true);
        document->UpdateAllViews();
    }
    return true;
}
