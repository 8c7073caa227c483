#include "ChannelEditorFields.h"

#include "datamodel/DataManagers.h"

namespace {

using F = EFieldControl;
using G = EChannelGroup;

SEditorField Named(const char* field, const char* label, F kind, const char* name) {
    SEditorField editorField{field, label, kind};
    editorField.name = name;
    return editorField;
}

SEditorField Typed(const char* field, const char* label, const char* keep, int maxLength,
                   const char* name = nullptr) {
    SEditorField editorField{field, label, F::Edit, keep, false, maxLength};
    editorField.name = name;
    return editorField;
}

// The groups both variants open with: frequencies, tones, text and flags.
std::vector<SChannelEditorGroup> Common() {
    return {
        {G::Frequency,
         "Frequency",
         "",
         {Named("FreqRx", "RX", F::Edit, "RX frequency"),
          Named("FreqTx", "TX", F::Edit, "TX frequency")}},
        {G::Tone,
         "C.Tone",
         "",
         {Named("CTonRx", "RX", F::Tone, "RX C.Tone"),
          Named("CTonTx", "TX", F::Tone, "TX C.Tone")}},
        {G::Line, "", "", {Typed("Text", "Text", kKeepPrintable, 0)}},
        {G::Flags,
         "",
         "",
         {{"InhCh", "CH Inhibit", F::Check},
          {"InhTx", "TX Inhibit", F::Check},
          {"BasTot", "BASE TOT", F::Check},
          {"RptTot", "RPT TOT", F::Check},
          {"HangOn", "Hang ON", F::Check}}},
    };
}

SChannelEditorGroup Scrambler() {
    SEditorField state{"ScrmOn", "Scrambler", F::Radio};
    state.buttons = "OFF|ON|Inhibit";
    return {G::Line,
            "Scrambler",
            "",
            {state, Typed("ScrmCode", "Code", kKeepDigits, 3, "Scrambler code")}};
}

// The drop lists of a variant: the same nine places, four of them holding the
// variant's own field.
SChannelEditorGroup Lists(const char* lockout, const char* autoReset, SEditorField fifth,
                          const char* baseLog, SEditorField logId) {
    return {G::Lists,
            "",
            "",
            {{"WidNar", "Wide/Narrow", F::List},
             {"RptBas", "RPT/BASE", F::List},
             {"RfPwr", "RF PWR", F::List},
             {lockout, "Lockout", F::List},
             {autoReset, "Auto Reset", F::List},
             fifth,
             {baseLog, "BASE Log", F::List},
             {"RptLogInOf", "RPT Log", F::List},
             logId}};
}

std::vector<SChannelEditorGroup> Lmr() {
    std::vector<SChannelEditorGroup> groups = Common();
    SEditorField logId{"RptLogIdP", "RPT Log ID", F::List};
    // The LMR repeater logs its ID by DTMF where the PMR one uses 5Tone.
    logId.optionsOf = "RptLogIdL";
    logId.optionsByValue = true;
    groups.push_back(
        Lists("LockoutL", "AutoResetL", {"2Ton", "2Tone", F::List}, "BasLogInOfL", logId));
    groups.push_back(Scrambler());
    return groups;
}

std::vector<SChannelEditorGroup> Pmr() {
    std::vector<SChannelEditorGroup> groups = Common();
    groups.push_back(Lists("LockoutP", "AutoResetP", {"Mute", "CH Mute", F::List}, "BasLogInOfP",
                           {"RptLogIdP", "RPT Log ID", F::List}));
    groups.push_back({G::Lists,
                      "SW Action",
                      "5Tone",
                      {{"Moni", "Moni", F::List},
                       {"Sel", "Sel", F::List},
                       {"Call", "Call", F::List},
                       {"PTT", "PTT", F::List}}});
    groups.push_back({G::Lists,
                      "5Tone Signaling",
                      "5Tone",
                      {{"Form", "Form", F::List},
                       {"RPT", "RPT", F::List},
                       Named("RPTLng", "Long", F::Check, "RPT Long"),
                       {"STN", "STN", F::List},
                       Named("STNLng", "Long", F::Check, "STN Long"),
                       {"Id", "ID", F::List},
                       Named("IdLng", "Long", F::Check, "ID Long"),
                       {"IdPos", "Pos", F::List}}});
    SChannelEditorGroup numbers{G::Flags, "RX C-No", "5Tone", {}};
    static const char* const kFields[] = {"RxCNo1", "RxCNo2", "RxCNo3", "RxCNo4",
                                          "RxCNo5", "RxCNo6", "RxCNo7", "RxCNo8"};
    static const char* const kNames[] = {"RX C-No 1", "RX C-No 2", "RX C-No 3", "RX C-No 4",
                                         "RX C-No 5", "RX C-No 6", "RX C-No 7", "RX C-No 8"};
    static const char* const kLabels[] = {"1", "2", "3", "4", "5", "6", "7", "8"};
    for (size_t i = 0; i < 8; ++i)
        numbers.fields.push_back(Named(kFields[i], kLabels[i], F::Check, kNames[i]));
    groups.push_back(numbers);
    groups.push_back(Scrambler());
    return groups;
}

} // namespace

const std::vector<SChannelEditorGroup>& ChannelEditorGroups(int model) {
    static const std::vector<SChannelEditorGroup> lmr = Lmr();
    static const std::vector<SChannelEditorGroup> pmr = Pmr();
    return model == ModelPMR ? pmr : lmr;
}
