#include "ChannelSheet.h"

#include "datamodel/DataManagers.h"

namespace {

using K = ESheetColumn;

// clang-format off
const std::vector<SSheetColumn> kLmrColumns = {
    {"CH", K::Number},
    {"CH Atr", K::Attr, "PrioA", "Emr"},
    {"CH Inhibit", K::Field, "InhCh"},
    {"Rx Frequency", K::Field, "FreqRx"},
    {"Tx Frequency", K::FreqTx, "FreqTx"},
    {"Tx Inhibit", K::Field, "InhTx"},
    {"RX C.Tone", K::ToneRx, "CTonRx"},
    {"TX C.Tone", K::ToneTx, "CTonTx"},
    {"Text", K::Field, "Text"},
    {"Wide/Narrow", K::Field, "WidNar"},
    {"RPT/BASE", K::Field, "RptBas"},
    {"BASE TOT", K::Field, "BasTot"},
    {"RPT TOT", K::Field, "RptTot"},
    {"Hang ON", K::Field, "HangOn"},
    {"RF PWR", K::Field, "RfPwr"},
    {"Lockout", K::Field, "LockoutL"},
    {"Auto Reset", K::Field, "AutoResetL"},
    {"2 Tone", K::Field, "2Ton"},
    {"BASE Log", K::Field, "BasLogInOfL"},
    {"RPT Log", K::Field, "RptLogInOf"},
    {"RPT Log ID", K::Field, "RptLogIdP"},
    {"Scrambler", K::Field, "ScrmOn"},
    {"Scrambler Code", K::Field, "ScrmCode"},
};

const std::vector<SSheetColumn> kPmrColumns = {
    {"CH", K::Number},
    {"CH Atr", K::Attr, "PrioA", "Emr"},
    {"CH Inhibit", K::Field, "InhCh"},
    {"RX Frequency", K::Field, "FreqRx"},
    {"Tx Frequency", K::FreqTx, "FreqTx"},
    {"Tx Inhibit", K::Field, "InhTx"},
    {"RX C.Tone", K::ToneRx, "CTonRx"},
    {"TX C.Tone", K::ToneTx, "CTonTx"},
    {"Text", K::Field, "Text"},
    {"Wide/Narrow", K::Field, "WidNar"},
    {"RPT/BASE", K::Field, "RptBas"},
    {"BASE TOT", K::Field, "BasTot"},
    {"RPT TOT", K::Field, "RptTot"},
    {"Hang ON", K::Field, "HangOn"},
    {"RF PWR", K::Field, "RfPwr"},
    {"Lockout", K::Field, "LockoutP"},
    {"Moni(Sw Action)", K::Field, "Moni"},
    {"Sel (Sw Action)", K::Field, "Sel"},
    {"Call(Sw Action)", K::Field, "Call"},
    {"PTT(Sw Action)", K::Field, "PTT"},
    {"BASE Log", K::Field, "BasLogInOfP"},
    {"RPT Log", K::Field, "RptLogInOf"},
    {"RPT Log ID", K::Field, "RptLogIdP"},
    {"Auto Reset", K::Field, "AutoResetP"},
    {"CH Mute", K::Field, "Mute"},
    {"Form", K::Field, "Form"},
    {"RPT", K::WithLong, "RPT", "RPTLng"},
    {"STN", K::WithLong, "STN", "STNLng"},
    {"ID", K::WithLong, "Id", "IdLng"},
    {"ID Pos", K::Field, "IdPos"},
    {"RX C-No(List No.)", K::RxCNo, "RxCNo"},
    {"Scrambler", K::Field, "ScrmOn"},
    {"Scrambler Code", K::Field, "ScrmCode"},
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
