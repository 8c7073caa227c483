#include "ToneNodes.h"

#include <algorithm>
#include <cstdlib>

CQUsrTonEncNode::CQUsrTonEncNode(const char* name, int minimum, int maximum)
    : CFreqNode(name), m_entryMin(minimum), m_entryMax(maximum) {
    m_scale = 1;
    SetRange(minimum, minimum, minimum, maximum);
}

void CQUsrTonEncNode::SetEntryLimits(int minimum, int maximum) {
    m_entryMin = minimum;
    m_entryMax = maximum;
}

int CQUsrTonEncNode::HzToCode(int hz) {
    // round(hz * 6.4) = round(32 * hz / 5), half away from zero
    const long long scaled = 64LL * std::max(hz, 0);
    return static_cast<int>(((scaled + 5) / 10) & 0xFFFF);
}

int CQUsrTonEncNode::CodeToHz(int code) {
    // round(code * 0.15625) = round(5 * code / 32)
    return static_cast<int>((10LL * (code & 0xFFFF) + 32) / 64);
}

bool CQUsrTonEncNode::TryParse(const std::string& text, int& value) const {
    const int hz = std::clamp(ParseScaledText(text, 1.0), m_entryMin, m_entryMax);
    value = CodeToHz(HzToCode(hz));
    return true;
}

CQUsrTonDecNode::CQUsrTonDecNode(const char* name, int minimum, int maximum)
    : CFreqNode(name), m_entryMin(minimum), m_entryMax(maximum) {
    m_scale = 1;
    SetRange(minimum, minimum, minimum, maximum);
}

void CQUsrTonDecNode::SetEntryLimits(int minimum, int maximum) {
    m_entryMin = minimum;
    m_entryMax = maximum;
}

bool CQUsrTonDecNode::TryParse(const std::string& text, int& value) const {
    value = std::clamp(ParseScaledText(text, 1.0), m_entryMin, m_entryMax);
    return true;
}

namespace {

std::unique_ptr<CQ2ToneRxToneNode> MakePlaceholder(const char* name) {
    return std::make_unique<CQ2ToneRxToneNode>(name);
}

std::unique_ptr<CQUsrTonDecNode> MakeLimit(const char* name) {
    auto limit = std::make_unique<CQUsrTonDecNode>(name, CQ2ToneRxChNode::kLimitMin,
                                                   CQ2ToneRxChNode::kLimitMax);
    limit->SetRange(250, 250, CQ2ToneRxChNode::kLimitMin, CQ2ToneRxChNode::kLimitMax);
    return limit;
}

} // namespace

CQ2ToneRxToneNode::CQ2ToneRxToneNode(const char* name) : CFreqNode(name) {
    m_scale = 10;
    SetRange(CQ2ToneRxChNode::kToneMin, CQ2ToneRxChNode::kToneMin, CQ2ToneRxChNode::kToneMin,
             CQ2ToneRxChNode::kToneMax);
}

bool CQ2ToneRxToneNode::TryParse(const std::string& text, int& value) const {
    int low = 0, high = 0;
    CQ2ToneRxChNode::ToneWindow(ParseScaledText(text, m_scale), low, high);
    value = CQ2ToneRxChNode::WindowMiddle(low, high);
    return true;
}

std::string CQ2ToneRxToneNode::Raster() const {
    return "where a decode window centres (in 0.5 Hz steps, with gaps)";
}

CQ2ToneRxChNode::CQ2ToneRxChNode(const char* name)
    : CNode(name), m_firstLo(MakeLimit("1stFreqLo")), m_firstHi(MakeLimit("1stFreqHi")),
      m_secondLo(MakeLimit("2ndFreqLo")), m_secondHi(MakeLimit("2ndFreqHi")),
      m_placeholderFirst(MakePlaceholder("1stFreq")),
      m_placeholderSecond(MakePlaceholder("2ndFreq")) {
    m_first = m_placeholderFirst.get();
    m_second = m_placeholderSecond.get();
    for (CNode* limit : {m_firstLo.get(), m_firstHi.get(), m_secondLo.get(), m_secondHi.get()})
        SetParentOf(*limit, this);
    SetParentOf(*m_placeholderFirst, this);
    SetParentOf(*m_placeholderSecond, this);
}

CQ2ToneRxChNode::~CQ2ToneRxChNode() = default;

void CQ2ToneRxChNode::AttachFirstTone(CFreqNode* tone) {
    m_first = tone ? tone : m_placeholderFirst.get();
}

void CQ2ToneRxChNode::AttachSecondTone(CFreqNode* tone) {
    m_second = tone ? tone : m_placeholderSecond.get();
}

void CQ2ToneRxChNode::ToneWindow(int tenths, int& low, int& high) {
    // Worked in thousandths of Hz so that no shift lands beside an integer:
    // 0.97 * t / 10 Hz = 97 t / 1000, a shift of 0.2 k Hz = 200 k / 1000.
    const long long t = std::clamp(tenths, kToneMin, kToneMax);
    long long best = -1;
    for (int k = -15; k <= 15; ++k) {
        const int lo =
            std::clamp(static_cast<int>((97 * t + 200 * k) / 1000), kLimitMin, kLimitMax);
        const int hi =
            std::clamp(static_cast<int>((103 * t + 200 * k) / 1000), kLimitMin, kLimitMax);
        const long long distance = std::llabs(WindowMiddle(lo, hi) - t); // 10 x |middle - tone|
        if (best >= 0 && distance > best) break;
        best = distance;
        low = lo;
        high = hi;
    }
}

void CQ2ToneRxChNode::Recalc(CFreqNode& tone, CQUsrTonDecNode& low, CQUsrTonDecNode& high) {
    int lo = 0, hi = 0;
    ToneWindow(tone.GetValue(), lo, hi);
    low.SetValue(lo);
    high.SetValue(hi);
    tone.SetValue(WindowMiddle(lo, hi));
}

void CQ2ToneRxChNode::RecalcLimits() {
    Recalc(*m_first, *m_firstLo, *m_firstHi);
    Recalc(*m_second, *m_secondLo, *m_secondHi);
}

CQ5TonUsrTonNode::CQ5TonUsrTonNode(const char* name)
    : CNode(name), m_ownEnc(std::make_unique<CQUsrTonEncNode>("Enc")),
      m_ownDecL(std::make_unique<CQUsrTonDecNode>("DecL")),
      m_ownDecH(std::make_unique<CQUsrTonDecNode>("DecH")), m_enc(m_ownEnc.get()),
      m_decL(m_ownDecL.get()), m_decH(m_ownDecH.get()) {
    SetParentOf(*m_ownEnc, this);
    SetParentOf(*m_ownDecL, this);
    SetParentOf(*m_ownDecH, this);
}

CQ5TonUsrTonNode::~CQ5TonUsrTonNode() = default;
