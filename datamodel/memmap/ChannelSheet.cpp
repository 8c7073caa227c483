#include "ChannelSheet.h"

#include "datamodel/DataManagers.h"
#include "datamodel/memmap/ToneCodes.h"
#include "datamodel/nodes/GroupNodes.h"
#include "datamodel/nodes/Node.h"
#include "datamodel/nodes/NodeValue.h"

namespace {

using K = ESheetColumn;

// clang-format off
// Title, kind, field, extra, width in pixels, print width in characters.
const std::vector<SSheetColumn> kLmrColumns = {
    {"CH", K::Number, nullptr, nullptr, 40, 3},
    {"CH Atr", K::Attr, "PrioA", "Emr", 50, 5},
    {"CH Inhibit", K::Field, "InhCh", nullptr, 65, 7},
    {"Rx Frequency", K::Field, "FreqRx", nullptr, 85, 9},
    {"Tx Frequency", K::FreqTx, "FreqTx", nullptr, 85, 9},
    {"Tx Inhibit", K::Field, "InhTx", nullptr, 65, 7},
    {"RX C.Tone", K::ToneRx, "CTonRx", nullptr, 70, 7},
    {"TX C.Tone", K::ToneTx, "CTonTx", nullptr, 70, 7},
    {"Text", K::Field, "Text", nullptr, 80, 15},
    {"Wide/Narrow", K::Field, "WidNar", nullptr, 80, 8},
    {"RPT/BASE", K::Field, "RptBas", nullptr, 40, 8},
    {"BASE TOT", K::Field, "BasTot", nullptr, 85, 8},
    {"RPT TOT", K::Field, "RptTot", nullptr, 65, 6},
    {"Hang ON", K::Field, "HangOn", nullptr, 60, 6},
    {"RF PWR", K::Field, "RfPwr", nullptr, 60, 6},
    {"Lockout", K::Field, "LockoutL", nullptr, 55, 6},
    {"Auto Reset", K::Field, "AutoResetL", nullptr, 80, 7},
    {"2 Tone", K::Field, "2Ton", nullptr, 50, 5},
    {"BASE Log", K::Field, "BasLogInOfL", nullptr, 80, 7},
    {"RPT Log", K::Field, "RptLogInOf", nullptr, 80, 6},
    {"RPT Log ID", K::Field, "RptLogIdP", nullptr, 80, 7},
    {"Scrambler", K::Field, "ScrmOn", nullptr, 65, 6},
    {"Scrambler Code", K::Field, "ScrmCode", nullptr, 100, 9},
};

const std::vector<SSheetColumn> kPmrColumns = {
    {"CH", K::Number, nullptr, nullptr, 40, 3},
    {"CH Atr", K::Attr, "PrioA", "Emr", 50, 5},
    {"CH Inhibit", K::Field, "InhCh", nullptr, 65, 7},
    {"RX Frequency", K::Field, "FreqRx", nullptr, 85, 9},
    {"Tx Frequency", K::FreqTx, "FreqTx", nullptr, 85, 9},
    {"Tx Inhibit", K::Field, "InhTx", nullptr, 65, 7},
    {"RX C.Tone", K::ToneRx, "CTonRx", nullptr, 70, 7},
    {"TX C.Tone", K::ToneTx, "CTonTx", nullptr, 70, 7},
    {"Text", K::Field, "Text", nullptr, 80, 15},
    {"Wide/Narrow", K::Field, "WidNar", nullptr, 80, 8},
    {"RPT/BASE", K::Field, "RptBas", nullptr, 90, 8},
    {"BASE TOT", K::Field, "BasTot", nullptr, 70, 8},
    {"RPT TOT", K::Field, "RptTot", nullptr, 60, 6},
    {"Hang ON", K::Field, "HangOn", nullptr, 60, 6},
    {"RF PWR", K::Field, "RfPwr", nullptr, 60, 6},
    {"Lockout", K::Field, "LockoutP", nullptr, 55, 6},
    {"Moni(Sw Action)", K::Field, "Moni", nullptr, 80, 9},
    {"Sel (Sw Action)", K::Field, "Sel", nullptr, 80, 9},
    {"Call(Sw Action)", K::Field, "Call", nullptr, 80, 9},
    {"PTT(Sw Action)", K::Field, "PTT", nullptr, 80, 9},
    {"BASE Log", K::Field, "BasLogInOfP", nullptr, 80, 7},
    {"RPT Log", K::Field, "RptLogInOf", nullptr, 80, 6},
    {"RPT Log ID", K::Field, "RptLogIdP", nullptr, 80, 7},
    {"Auto Reset", K::Field, "AutoResetP", nullptr, 80, 7},
    {"CH Mute", K::Field, "Mute", nullptr, 70, 6},
    {"Form", K::Field, "Form", nullptr, 50, 5},
    {"RPT", K::WithLong, "RPT", "RPTLng", 45, 4},
    {"STN", K::WithLong, "STN", "STNLng", 45, 4},
    {"ID", K::WithLong, "Id", "IdLng", 40, 4},
    {"ID Pos", K::Field, "IdPos", nullptr, 55, 5},
    {"RX C-No(List No.)", K::RxCNo, "RxCNo", nullptr, 80, 10},
    {"Scrambler", K::Field, "ScrmOn", nullptr, 65, 6},
    {"Scrambler Code", K::Field, "ScrmCode", nullptr, 100, 9},
};
// clang-format on

bool Holds(const SSheetColumn& column, const std::string& field) {
    if (column.kind == K::RxCNo) {
        const std::string stem = column.field;
        return field.size() == stem.size() + 1 && field.compare(0, stem.size(), stem) == 0 &&
               field.back() >= '1' && field.back() < '1' + kRxCNoCount;
    }
    return (column.field && field == column.field) || (column.extra && field == column.extra);
}

std::string ChannelBase(int channel) {
    return "Mch.CH" + std::to_string(channel) + ".";
}

// A channel's fields, looked up in its field holder: what the sheet of the variant
// shows of them.
class CChannelFields {
public:
    CChannelFields(const CNode& mch, int model, int channel) : m_mch(mch), m_model(model) {
        const auto* node = dynamic_cast<const CFieldHolderNode*>(
            mch.FindChild("CH" + std::to_string(channel)));
        m_holder = node ? node->GetFieldHolder() : nullptr;
        m_base = ChannelBase(channel);
    }
    // As the sheet shows it, also in the CSV.
    std::string Text(const std::string& field) const {
        CNode* node = m_holder ? m_holder->FindChild(field) : nullptr;
        if (!node) return {};
        return SheetText(STreeLeaf{m_base + field, node, m_holder, m_model});
    }
    int Value(const std::string& field) const {
        const CNode* node = m_holder ? m_holder->FindChild(field) : nullptr;
        return node ? node->GetValue() : -1;
    }
    int Global(const char* field) const {
        const CNode* node = m_mch.FindChild(field);
        return node ? node->GetValue() : -1;
    }

private:
    const CNode& m_mch;
    int m_model;
    CNode* m_holder = nullptr;
    std::string m_base;
};

} // namespace

const std::vector<SSheetColumn>& ChannelSheetColumns(int model) {
    return model == ModelPMR ? kPmrColumns : kLmrColumns;
}

const SSheetColumn* ChannelSheetColumnOf(int model, const std::string& field) {
    for (const SSheetColumn& column : ChannelSheetColumns(model))
        if (Holds(column, field))
            return &column;
    return nullptr;
}

std::vector<std::string> ChannelSheetTitles(int model) {
    std::vector<std::string> titles;
    for (const SSheetColumn& column : ChannelSheetColumns(model))
        titles.emplace_back(column.title);
    return titles;
}

std::vector<std::string> ChannelSheetRow(const CTreeIndex& index, int channel, bool sheet) {
    const CNode* mch = index.Resolve("Mch");
    if (!mch) return {};
    return ChannelSheetRow(*mch, index.Model(), channel, sheet);
}

std::vector<std::string> ChannelSheetRow(const CNode& mch, int model, int channel, bool sheet) {
    const auto& columns = ChannelSheetColumns(model);
    const CChannelFields fields(mch, model, channel);
    const bool inUse = fields.Value("ChOn") != 0;
    std::vector<std::string> cells(columns.size());
    for (size_t c = 0; c < columns.size(); ++c) {
        const SSheetColumn& column = columns[c];
        std::string& cell = cells[c];
        if (column.kind == K::Number) {
            cell = std::to_string(channel);
            continue;
        }
        if (column.kind == K::Attr) {
            if (fields.Global(column.field) == channel) cell += "A";
            if (fields.Global(column.extra) == channel) cell += "E";
            continue;
        }
        if (!inUse) continue;
        switch (column.kind) {
        case K::Field:
        case K::ToneRx:
            cell = fields.Text(column.field);
            break;
        case K::FreqTx:
            cell = fields.Text(column.field);
            if (sheet && cell == fields.Text("FreqRx")) cell = "<-----";
            break;
        case K::ToneTx:
            cell = fields.Text(column.field);
            if (sheet && fields.Value("CTonTx") == fields.Value("CTonRx")) cell = "<-----";
            if (sheet && fields.Value("CTonRx") == kToneMulti) cell = "------";
            break;
        case K::WithLong:
            cell = fields.Text(column.field);
            if (fields.Value(column.field) > 0 && fields.Value(column.extra) == 1) cell += "L";
            break;
        case K::RxCNo:
            for (int k = 1; k <= kRxCNoCount; ++k)
                cell += fields.Text(column.field + std::to_string(k));
            break;
        default:
            break;
        }
    }
    return cells;
}

bool ChannelCellFields(const SSheetColumn& column, const std::string& cell, int channel,
                       const CNode& holder,
                       const std::function<std::string(const std::string&)>& rowCell,
                       std::vector<SCellField>& fields, std::string& reason) {
    const std::string field = column.field ? column.field : "";
    switch (column.kind) {
    case K::Number:
        break;
    case K::Attr:
        if (cell.find_first_not_of("AE") != std::string::npos) {
            reason =
                "\"" + cell + "\" is not an attribute; use A (Prio A), E (emergency) or nothing";
            return false;
        }
        if (cell.find('A') != std::string::npos)
            fields.push_back({column.field, std::to_string(channel)});
        if (cell.find('E') != std::string::npos)
            fields.push_back({column.extra, std::to_string(channel)});
        break;
    case K::Field:
    case K::ToneRx:
        fields.push_back({field, cell});
        break;
    case K::FreqTx:
        fields.push_back({field, cell == "<-----" ? rowCell("FreqRx") : cell});
        break;
    case K::ToneTx:
        fields.push_back(
            {field, cell == "<-----" ? rowCell("CTonRx") : (cell == "------" ? "OFF" : cell)});
        break;
    case K::WithLong: {
        const bool isLong = cell.size() > 1 && cell.back() == 'L';
        const std::string value = isLong ? cell.substr(0, cell.size() - 1) : cell;
        fields.push_back({field, value});
        const auto* options = dynamic_cast<const CNodeValue*>(holder.FindChild(field));
        const bool off = value == "0" || (options && value == options->OptionText(0));
        // "OFF" shows no flag; the flag keeps its value then.
        if (isLong || !off)
            fields.push_back({column.extra, isLong ? "1" : "0"});
        break;
    }
    case K::RxCNo: {
        bool valid = cell.size() == kRxCNoCount;
        for (size_t k = 0; valid && k < cell.size(); ++k)
            valid = cell[k] == '_' || cell[k] == static_cast<char>('1' + k);
        if (!valid) {
            reason = "\"" + cell +
                     "\" must be 8 characters, each \"_\" or the digit of its place (12345678)";
            return false;
        }
        for (int k = 0; k < kRxCNoCount; ++k)
            fields.push_back(
                {field + std::to_string(k + 1), std::string(1, cell[static_cast<size_t>(k)])});
        break;
    }
    }
    return true;
}
