#include "TimeForm.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "datamodel/nodes/Node.h"

namespace {

using T = ETimeFormat;

// The time fields of a group; "*" stands for any one name.
struct STimeGroup {
    const char* group;
    ETimeFormat format;
    std::vector<const char*> fields;
};

// clang-format off
const std::vector<STimeGroup> kTimeGroups = {
    {"DtmfCodeCH.DtmfSet", T::Whole, {"DtmfTim", "1stTim", "MarkTim", "NoTonTim", "ABCDelayTim",
        "TelTotTim", "TelHangOnTim", "RingOffTim", "RingOnTim", "OnHookOffTim", "OnHookOnTim"}},
    {"2ToneCodeCH.RxCodeCom", T::Whole, {"NoTonTim", "GroupTim", "AutTxTim"}},
    {"2ToneCodeCH.TXCode", T::Whole, {"1stTonPeriod", "2ndTonPeriod"}},
    {"5ToneCodeCH.RxCodeCom", T::Whole, {"LnkATim", "IdDecTim", "AutTxTim"}},
    {"5ToneCodeCH.TxCodeCom", T::Whole, {"LngTonTim", "LnkRTim", "Lnk1Tim", "Lnk2Tim",
        "LeadOutDlyTim", "ABCDecTim"}},
    {"5ToneCodeCH.Format.*", T::Fixed3, {"TonPeriod", "NoTonTim", "TonLen"}},
    {"CommonSet.Common", T::Whole, {"AutoResTimA", "AutoResTimB", "InATim", "BaseTotTim",
        "BasePenaltyTim", "LckOutPenTim", "RptTotTim", "RptPenaltyTim", "HangOnTim",
        "RptLogInTim", "RptLogOfTim", "RptLogIntTim"}},
    {"CommonSet.Expert", T::Whole, {"BeepRepTim", "EmrSwOnTim", "EmrSwOfTim", "EmrStrRepTim",
        "CwIdDotPeriod"}},
    {"MakerR", T::Whole, {"SqlDelayTim", "SigDetTim", "NoisDetTim", "UnlockIgnoreTimTx",
        "UnlockIgnoreTimRx", "LockCheckTimTx", "LockCheckTimRx", "OnPSetTim", "OnMutTim",
        "OffWaitTim", "OffMuteDelayTim"}},
};
// clang-format on

// Whether a group path matches a pattern piece by piece.
bool GroupMatches(const std::string& pattern, const std::string& group) {
    size_t p = 0, g = 0;
    while (p <= pattern.size() && g <= group.size()) {
        const size_t pEnd = std::min(pattern.find('.', p), pattern.size());
        const size_t gEnd = std::min(group.find('.', g), group.size());
        const std::string piece = pattern.substr(p, pEnd - p);
        if (piece != "*" && piece != group.substr(g, gEnd - g))
            return false;
        if (pEnd == pattern.size() || gEnd == group.size())
            return pEnd == pattern.size() && gEnd == group.size();
        p = pEnd + 1;
        g = gEnd + 1;
    }
    return false;
}

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

} // namespace

std::string CTimeForm::Shown(const CNode& node) const {
    char buf[48];
    if (m_format == T::Fixed3)
        std::snprintf(buf, sizeof buf, "%1.3Lf", static_cast<long double>(node.GetValue()));
    else
        std::snprintf(buf, sizeof buf, "%d.000", node.GetValue());
    return buf;
}

bool CTimeForm::Typed(const CNode& node, const std::string& typed, std::string& text,
                      std::string& reason) const {
    const std::string number = Trimmed(typed);
    const size_t dot = number.find('.');
    if (dot == std::string::npos || dot == 0) {
        text = number; // the field checks the number itself
        return true;
    }
    const std::string whole = number.substr(0, dot);
    if (number.find_first_not_of('0', dot + 1) != std::string::npos) {
        reason = "\"" + number + "\" is not a whole number; the field takes " + node.Accepts() +
                 ", written without decimals or with zero decimals (" + whole + " or " + whole +
                 ".000)";
        return false;
    }
    text = whole;
    return true;
}

const CTimeForm* TimeForm(ETimeFormat format) {
    static const CTimeForm whole(T::Whole), fixed3(T::Fixed3);
    switch (format) {
    case T::Whole:
        return &whole;
    case T::Fixed3:
        return &fixed3;
    default:
        return nullptr;
    }
}

ETimeFormat TimeFormatAt(const std::string& path) {
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos)
        return T::None;
    const std::string group = path.substr(0, dot), field = path.substr(dot + 1);
    for (const STimeGroup& entry : kTimeGroups)
        if (GroupMatches(entry.group, group))
            for (const char* name : entry.fields)
                if (field == name)
                    return entry.format;
    return T::None;
}

const CTimeForm* TimeFormOf(const CNode& node) {
    // The path from below the root.
    std::string path;
    for (const CNode* n = &node; n && n->GetParent(); n = n->GetParent())
        path = path.empty() ? n->GetName() : n->GetName() + "." + path;
    return TimeForm(TimeFormatAt(path));
}
