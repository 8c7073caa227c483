#include "CodeSheets.h"

#include <algorithm>
#include <cstdio>

#include "datamodel/CloneManager.h"
#include "datamodel/DataManagers.h"
#include "datamodel/memmap/RadioDataManager.h"
#include "datamodel/memmap/TimeForm.h"
#include "datamodel/memmap/ToneCodes.h"
#include "datamodel/memmap/TreeAccess.h"
#include "datamodel/nodes/Node.h"
#include "datamodel/nodes/ValueNodes.h"

namespace {

using K = ECodeCell;

constexpr int kViewMultiTone = 3, kMultiToneSets = 32;
constexpr const char* kGroupTonePath = "5ToneCodeCH.TxCodeCom.SpcTonGrp";
constexpr const char* kIdDecShown = "(ID-Dec)";

// Forms of the editor boxes that show a field as its cell does.
class CCodeForm : public IFieldForm {
public:
    explicit CCodeForm(ECodeCell kind) : m_kind(kind) {}
    std::string Shown(const CNode& node) const override { return CodeFieldText(node, m_kind); }
    bool Typed(const CNode& node, const std::string& typed, std::string& text,
               std::string& reason) const override {
        return CodeFieldTyped(node, m_kind, typed, text, reason);
    }

private:
    ECodeCell m_kind;
};

using F = EFieldControl;

// Ten characters of plain text.
SEditorField TextEntry() {
    return {"Text", "Text", F::Edit, kKeepPrintable, false, 10};
}

SEditorField DtmfCodeEntry(int maxLength) {
    const char* keep = maxLength > 4 ? kKeepDtmfCode : kKeepDtmfFixed;
    return {"Code", "Code", F::Edit, keep, true, maxLength, true};
}

SEditorField ListEntry(const char* field, const char* label) {
    return {field, label, F::List};
}

SEditorField FormEntry(const char* field, const char* label, ECodeCell kind,
                       const char* keep = nullptr, bool upper = false, int maxLength = 0) {
    SEditorField editorField{field, label, F::Edit, keep, upper, maxLength};
    editorField.form = CodeFieldForm(kind);
    return editorField;
}

std::vector<SEditorField> FiveToneTxEditor() {
    std::vector<SEditorField> fields = {
        FormEntry("TxCode", "TX Code", K::FiveToneCode, kKeepFiveToneTx, true, 7), TextEntry()};
    static const char* const kFlags[] = {"InpDigit1", "InpDigit2", "InpDigit3", "InpDigit4",
                                         "InpDigit5", "InpDigit6", "InpDigit7"};
    static const char* const kLabels[] = {"Input Digit 1", "Input Digit 2", "Input Digit 3",
                                          "Input Digit 4", "Input Digit 5", "Input Digit 6",
                                          "Input Digit 7"};
    for (int d = 0; d < 7; ++d)
        fields.push_back({kFlags[d], kLabels[d], F::Check});
    for (const SEditorField& editorField :
         {ListEntry("UpDate", "Update"), ListEntry("ABCDec", "ABC-dec"),
          ListEntry("ABCAud", "ABC-Aud"), ListEntry("Sel", "Sel")})
        fields.push_back(editorField);
    return fields;
}

// clang-format off
// Columns: title, format, width, minimum, maximum, printed width, kind, field, text
// where the field does not apply.
const std::vector<SCodeSheet> kSheets = {
    {kViewMultiTone, "Multiple Tone", "Column_MultiToneSheet", 16, ECodeRows::MultiTone,
     "MultiTon.Ton", {
        {"No.", 1, 40, 40, 100, 3},
        {"RX", 0, 55, 30, 200, 6, K::ToneRx, "CTonRx"},
        {"TX", 0, 55, 30, 200, 6, K::ToneTx, "CTonTx"}},
     {}, {}, {}, "Edit Multiple Tone", {{"CTonRx", "RX", F::Tone}, {"CTonTx", "TX", F::Tone}}},
    {35, "DTMF TX Code CH (Autodial)", "Column_DtmfTxSheet", 20, ECodeRows::Numbered,
     "DtmfCodeCH.TxCodeCH.CH", {
        {"CH", 0, 65, 40, 200, 8},
        {"Code", 0, 210, 40, 400, 20, K::DtmfCode, "Code"}},
     {}, {{17, kModelsLMR, "Emergency"}, {18, kModelsLMR, "Log / ID"}, {19, kModelsBoth, "Alert"}},
     {}, "Edit DTMF TX Code CH", {DtmfCodeEntry(24)}},
    {36, "DTMF RX Code CH", "Column_DtmfRxSheet", 20, ECodeRows::Numbered,
     "DtmfCodeCH.RxCodeCH.CH", {
        {"CH", 0, 65, 40, 200, 8},
        {"Code", 0, 210, 40, 400, 20, K::DtmfCode, "Code"},
        {"Text", 0, 80, 40, 200, 15, K::Text, "Text"},
        {"LCD Blink", 0, 60, 40, 200, 8, K::Text, "Lcd"},
        {"Beep", 0, 75, 40, 200, 8, K::Text, "Beep"},
        {"SP Mute", 0, 60, 40, 200, 8, K::Text, "SpMute"},
        {"Code MR", 0, 60, 40, 200, 8, K::Text, "CodeMr"}},
     {}, {}, {}, "Edit DTMF RX Code CH", {
        DtmfCodeEntry(24), TextEntry(), ListEntry("Lcd", "LCD Blink"), ListEntry("Beep", "Beep"),
        ListEntry("SpMute", "SP Mute"), ListEntry("CodeMr", "Code MR")}},
    {37, "DTMF TX System Code", "Column_DtmfTxSysSheet", 4, ECodeRows::Titled,
     "DtmfCodeCH.TxSysCodeCH.CH", {
        {"", 0, 150, 40, 200, 20},
        {"Code", 0, 40, 40, 250, 10, K::DtmfCode, "Code"}},
     {"System Password OK ACK", "System Control Exit ACK", "OK ACK", "NG ACK"}, {},
     {}, "Edit DTMF TX System Code", {DtmfCodeEntry(4)}},
    {38, "DTMF RX System Code", "Column_DtmfRxSysSheet", 18, ECodeRows::Titled,
     "DtmfCodeCH.RxSysCodeCH.CH", {
        {"", 0, 150, 40, 200, 20},
        {"Code", 0, 45, 40, 250, 10, K::DtmfCode, "Code"}},
     {"System Password", "System Control Exit", "Repeat Start", "Repeat Stop", "TX Start",
      "TX Stop", "RF Power (Low)", "RF Power (High)", "RX Unit OFF", "RX Unit ON",
      "RX/TX Unit OFF", "RX/TX Unit ON", "Master Enable", "Slave Enable", "TEL Dial",
      "TEL Autodial", "Mch Select", "CPU All Reset"}, {},
     {16, 17}, "Edit DTMF RX System Code", {DtmfCodeEntry(4)}},
    {40, "2Tone Rx Code CH", "Column_2ToneRxSheet", 4, ECodeRows::NumberedGroup,
     "2ToneCodeCH.RXCodeCH.CH", {
        {"CH", 0, 40, 40, 100, 3},
        {"1st", 0, 55, 30, 200, 6, K::Frequency, "1stFreq"},
        {"2nd", 0, 55, 30, 200, 6, K::Frequency, "2ndFreq"},
        // The group channel's byte belongs to the transmit code, which rewrites it.
        {"Group Call", 0, 70, 30, 200, 10, K::Text, "Group", "---", false},
        {"Text", 0, 80, 30, 200, 15, K::Text, "Text"},
        {"ANS", 0, 45, 30, 200, 3, K::Text, "ANS", "---"},
        {"Beep", 0, 80, 30, 200, 12, K::Text, "Beep", "---"},
        {"Auto TX", 0, 55, 30, 200, 7, K::Text, "AutTx", "---"},
        {"Stun", 0, 45, 30, 200, 4, K::Text, "Stun", "---"}},
     {}, {}, {}, "Edit 2Tone RX Code CH", {
        FormEntry("1stFreq", "1st", K::Frequency), FormEntry("2ndFreq", "2nd", K::Frequency), ListEntry("Group", "Group Call"),
        TextEntry(), ListEntry("ANS", "ANS"), ListEntry("Beep", "Beep"), ListEntry("AutTx", "Auto TX"),
        ListEntry("Stun", "Stun")}},
    {43, "5Tone RX Code CH", "Column_5ToneRxSheet", 9, ECodeRows::NumberedGroup,
     "5ToneCodeCH.RXCodeCH.CH", {
        {"CH", 0, 40, 40, 100, 3},
        {"RX Code", 0, 80, 30, 200, 7, K::FiveToneCode, "RxCode"},
        {"Text or ID-Dec", 0, 95, 30, 200, 15, K::TextOrIdDec, "Text"},
        {"Emer Cancel", 0, 80, 30, 200, 8, K::Text, "EmrCanc", "---"},
        {"ABC", 0, 40, 30, 200, 4, K::Text, "ABC", "---"},
        {"Beep", 0, 80, 30, 200, 7, K::Text, "Beep", "---"},
        {"Auto TX", 0, 55, 30, 200, 5, K::Text, "AutTx", "---"},
        {"Aud Mode", 0, 70, 30, 200, 6, K::Text, "AudMode", "---"},
        {"Stun", 0, 50, 30, 200, 4, K::Text, "Stun", "---"},
        {"RPT", 0, 50, 30, 200, 4, K::Text, "Rpt", "---"}},
     {}, {}, {}, "Edit 5Tone RX Code CH", {
        FormEntry("RxCode", "RX Code", K::FiveToneCode, kKeepFiveToneRx, true, 7), TextEntry(),
        {"IdDec", "ID-Dec", F::Check}, ListEntry("EmrCanc", "Emer Cancel"), ListEntry("Beep", "Beep"),
        ListEntry("AudMode", "Aud Mode"), ListEntry("Stun", "Stun"), ListEntry("AutTx", "Auto TX"),
        ListEntry("Rpt", "RPT")}},
    {45, "5Tone TX Code CH", "Column_5ToneTxSheet", 32, ECodeRows::Numbered,
     "5ToneCodeCH.TXCodeCH.CH", {
        {"CH", 0, 40, 40, 100, 3},
        {"TX Code", 0, 65, 30, 200, 7, K::FiveToneCode, "TxCode"},
        {"Input Digit", 0, 70, 30, 200, 7, K::Digits, "InpDigit"},
        {"Text", 0, 80, 30, 200, 22, K::Text, "Text"},
        {"Update", 0, 80, 30, 200, 5, K::Text, "UpDate", "---"},
        {"ABC-dec", 0, 70, 30, 200, 6, K::Text, "ABCDec", "---"},
        {"ABC-Aud", 0, 70, 30, 200, 6, K::Text, "ABCAud", "---"},
        {"Sel", 0, 40, 30, 200, 3, K::Text, "Sel", "---"}},
     {}, {}, {}, "Edit 5Tone TX Code CH", FiveToneTxEditor()},
    {47, "5Tone Format", "Column_5ToneFormatSheet", 10, ECodeRows::Named,
     "5ToneCodeCH.Format.", {
        {"Format", 0, 55, 40, 100, 6},
        {"Tone Period", 0, 85, 30, 200, 11, K::Timer3, "TonPeriod"},
        {"Notone Timer", 0, 85, 30, 200, 12, K::Timer3, "NoTonTim"},
        {"Tone Length", 0, 85, 30, 200, 11, K::Timer3, "TonLen"}},
     {"USER", "CCIR", "ZVEI1", "ZVEI2", "DZVEI", "EEA", "EEA2", "DAPL", "EIA", "DTMF"}, {},
     {}, "Edit Format", {
        FormEntry("TonPeriod", "Tone Period", K::Timer3), FormEntry("NoTonTim", "Notone Timer", K::Timer3),
        FormEntry("TonLen", "Tone Length", K::Timer3)}},
    {48, "5Tone User Tone", "Column_5ToneUserToneSheet", 15, ECodeRows::Hex,
     "5ToneCodeCH.UsrTon.", {
        {"No.", 0, 40, 40, 100, 3},
        {"Encode", 0, 55, 30, 200, 6, K::Frequency, "Enc"},
        {"Decode Low", 0, 80, 30, 200, 10, K::Frequency, "DecL"},
        {"Decode High", 0, 80, 30, 200, 11, K::Frequency, "DecH"}},
     {}, {}, {}, "Edit User Tone", {
        FormEntry("Enc", "Encode", K::Frequency), FormEntry("DecL", "Decode Low", K::Frequency),
        FormEntry("DecH", "Decode High", K::Frequency)}},
};
// clang-format on

const char* RenamedTitle(const SCodeSheet& sheet, int model, int row) {
    for (const SCodeRowName& name : sheet.renamed)
        if (name.row == row && (name.models & ModelMaskOf(model)))
            return name.title;
    return nullptr;
}

bool IsGroupRow(const SCodeSheet& sheet, int row) {
    return sheet.rowKind == ECodeRows::NumberedGroup && row == sheet.rows - 1;
}

CNode* NodeAt(const CCloneManager& registry, const std::string& path) {
    return registry.Model() ? registry.Model()->GetNodeByPath(path) : nullptr;
}

// The group tone's digit, found from any node of the tree; 0 when there is none.
char GroupToneDigit(const CNode& any) {
    const CNode* node = &any;
    while (node->GetParent())
        node = node->GetParent();
    std::string path = kGroupTonePath;
    for (size_t start = 0; node && start <= path.size();) {
        const size_t dot = std::min(path.find('.', start), path.size());
        node = node->FindChild(path.substr(start, dot - start));
        start = dot + 1;
    }
    const std::string text = node ? node->GetText() : std::string();
    return text.size() == 1 ? text[0] : '\0';
}

std::string Replaced(std::string text, char from, char to) {
    std::replace(text.begin(), text.end(), from, to);
    return text;
}

std::string CellOf(const CCloneManager& registry, const SCodeSheet& sheet, int row,
                   const CNode& group, const SCodeColumn& column) {
    if (column.kind == K::Digits) {
        std::string digits;
        for (int d = 1; d <= 7; ++d) {
            const CNode* flag = group.FindChild(column.field + std::to_string(d));
            digits += flag ? LeafText(*flag) : std::string();
        }
        return digits;
    }
    const CNode* node = group.FindChild(column.field);
    if (!node)
        return {};
    if (!CodeFieldApplies(registry, sheet, row, *node))
        return column.absent;
    if (column.kind == K::TextOrIdDec) {
        const CNode* idDec = group.FindChild("IdDec");
        if (idDec && idDec->GetValue() != 0)
            return kIdDecShown;
        return node->GetText();
    }
    if (column.kind == K::ToneTx) {
        const CNode* rx = group.FindChild("CTonRx");
        if (rx && rx->GetValue() == node->GetValue())
            return "<-----";
    }
    return CodeFieldText(*node, column.kind);
}

} // namespace

const std::vector<SCodeSheet>& CodeSheets() {
    return kSheets;
}

const SCodeSheet* CodeSheetOf(int view) {
    if (view >= kViewMultiTone && view < kViewMultiTone + kMultiToneSets)
        view = kViewMultiTone;
    for (const SCodeSheet& sheet : kSheets)
        if (sheet.view == view)
            return &sheet;
    return nullptr;
}

int MultiToneSetSize(const CCloneManager& registry, int set) {
    const CNode* size = NodeAt(registry, "MultiTon.Set" + std::to_string(set));
    return size ? std::max(size->GetValue(), 0) : 0;
}

int MultiToneOffset(const CCloneManager& registry, int set) {
    int offset = 0;
    for (int s = 1; s < set; ++s)
        offset += MultiToneSetSize(registry, s);
    return offset;
}

int CodeRowCount(const CCloneManager& registry, const SCodeSheet& sheet, int set) {
    return sheet.rowKind == ECodeRows::MultiTone ? MultiToneSetSize(registry, set) : sheet.rows;
}

std::string CodeRowTitle(const SCodeSheet& sheet, int model, int row) {
    switch (sheet.rowKind) {
    case ECodeRows::Titled:
    case ECodeRows::Named:
        return row >= 0 && row < static_cast<int>(sheet.titles.size()) ? sheet.titles[row] : "";
    case ECodeRows::Hex:
        return std::string(1, "0123456789ABCDEF"[row & 15]);
    case ECodeRows::NumberedGroup:
        if (IsGroupRow(sheet, row))
            return "G";
        break;
    case ECodeRows::Numbered:
        if (const char* title = RenamedTitle(sheet, model, row))
            return title;
        break;
    case ECodeRows::MultiTone:
        break;
    }
    return std::to_string(row + 1);
}

std::string CodeRowPath(const SCodeSheet& sheet, int row, int offset) {
    switch (sheet.rowKind) {
    case ECodeRows::Named:
        return sheet.path + CodeRowTitle(sheet, 0, row);
    case ECodeRows::Hex:
        return sheet.path + std::to_string(row);
    case ECodeRows::NumberedGroup:
        if (IsGroupRow(sheet, row))
            return std::string(sheet.path) + "G";
        break;
    case ECodeRows::MultiTone:
        return sheet.path + std::to_string(offset + row + 1);
    default:
        break;
    }
    return sheet.path + std::to_string(row + 1);
}

std::string CodeRowStatus(const SCodeSheet& sheet, int model, int row) {
    if (row < 0)
        return "     ";
    char buf[64];
    switch (sheet.rowKind) {
    case ECodeRows::Titled:
    case ECodeRows::Named:
        return " - " + CodeRowTitle(sheet, model, row);
    case ECodeRows::Hex:
        std::snprintf(buf, sizeof buf, " - %X", row);
        return buf;
    case ECodeRows::MultiTone:
        return " - No. " + std::to_string(row + 1);
    case ECodeRows::NumberedGroup:
        if (IsGroupRow(sheet, row))
            return " - Group";
        break;
    case ECodeRows::Numbered:
        if (const char* title = RenamedTitle(sheet, model, row))
            return std::string(" - ") + title;
        break;
    }
    return " - CH " + std::to_string(row + 1);
}

std::vector<std::string> CodeRowCells(const CCloneManager& registry, const SCodeSheet& sheet,
                                      int row, int offset) {
    std::vector<std::string> cells(sheet.columns.size());
    const int model = registry.Model() ? registry.Model()->GetModel() : 0;
    const CNode* group = NodeAt(registry, CodeRowPath(sheet, row, offset));
    if (!group)
        return cells; // past the last row
    cells[0] = CodeRowTitle(sheet, model, row);
    for (size_t c = 1; c < sheet.columns.size(); ++c)
        cells[c] = CellOf(registry, sheet, row, *group, sheet.columns[c]);
    return cells;
}

const SCodeColumn* CodeColumnOf(const SCodeSheet& sheet, const std::string& field) {
    for (const SCodeColumn& column : sheet.columns)
        if (column.field && field == column.field)
            return &column;
    return nullptr;
}

bool CodeRowFixed(const SCodeSheet& sheet, int row) {
    return std::find(sheet.fixedRows.begin(), sheet.fixedRows.end(), row) != sheet.fixedRows.end();
}

bool CodeFieldApplies(const CCloneManager& registry, const SCodeSheet& sheet, int row,
                      const CNode& node) {
    if (IsGroupRow(sheet, row))
        if (const SCodeColumn* column = CodeColumnOf(sheet, node.GetName());
            column && !column->onGroupRow)
            return false;
    const CTolvarRadioDataManager* manager = registry.RadioData();
    return !manager || manager->GetNodeInfo(&node).bound;
}

std::string CodeFieldText(const CNode& node, ECodeCell kind) {
    switch (kind) {
    case K::DtmfCode:
        return Replaced(Replaced(node.GetText(), 'E', '*'), 'F', '#');
    case K::FiveToneCode: {
        const char group = GroupToneDigit(node);
        return group ? Replaced(node.GetText(), group, 'G') : node.GetText();
    }
    case K::Timer3:
        return TimeForm(ETimeFormat::Fixed3)->Shown(node);
    case K::Frequency:
        if (const auto* freq = dynamic_cast<const CFreqNode*>(&node)) {
            int decimals = 0;
            for (int scale = freq->GetScale(); scale >= 10; scale /= 10)
                ++decimals;
            char buf[48];
            std::snprintf(buf, sizeof buf, "%.*Lf", decimals,
                          static_cast<long double>(freq->GetValue()) / freq->GetScale());
            return buf;
        }
        return LeafText(node);
    case K::ToneRx:
    case K::ToneTx:
        return ToneText(node.GetValue(), false);
    default:
        return LeafText(node);
    }
}

bool CodeFieldTyped(const CNode& node, ECodeCell kind, const std::string& typed, std::string& text,
                    std::string& reason) {
    switch (kind) {
    case K::FiveToneCode: {
        const char group = GroupToneDigit(node);
        if (typed.find('G') != std::string::npos && !group) {
            reason = "\"G\" stands for the group tone, and no group tone is set";
            return false;
        }
        text = group ? Replaced(typed, 'G', group) : typed;
        return true;
    }
    case K::Timer3:
        return TimeForm(ETimeFormat::Fixed3)->Typed(node, typed, text, reason);
    default:
        text = typed;
        return true;
    }
}

const IFieldForm* CodeFieldForm(ECodeCell kind) {
    static const CCodeForm fiveTone(K::FiveToneCode), frequency(K::Frequency);
    switch (kind) {
    case K::FiveToneCode:
        return &fiveTone;
    case K::Timer3:
        return TimeForm(ETimeFormat::Fixed3);
    case K::Frequency:
        return &frequency;
    default:
        return nullptr;
    }
}
