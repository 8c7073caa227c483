// Audio tone nodes of the signalling codes and the group nodes that carry them:
// the encoder tones (a 16-bit code at 6.4 codes per Hz), the decode limits, the
// 2Tone receive channels with their decode windows and the 5Tone user tones.
#pragma once

#include <cstdint>
#include <memory>

#include "datamodel/nodes/ValueNodes.h"

// An encoder tone in Hz. The repeater makes it from a 16-bit code, so a typed
// frequency is clamped to the entry limits and moved to the tone its code gives.
class CQUsrTonEncNode : public CFreqNode {
public:
    explicit CQUsrTonEncNode(const char* name = nullptr, int minimum = 400, int maximum = 3000);
    bool TryParse(const std::string& text, int& value) const override;
    void EntryRange(int& low, int& high) const override {
        low = std::max(m_min, m_entryMin);
        high = std::min(m_max, m_entryMax);
    }
    void SetEntryLimits(int minimum, int maximum);
    int EntryMinimum() const { return m_entryMin; }
    int EntryMaximum() const { return m_entryMax; }

    // round(hz * 6.4) as a 16-bit code, and round(code * 0.15625) Hz.
    static int HzToCode(int hz);
    static int CodeToHz(int code);

private:
    int m_entryMin;
    int m_entryMax;
};

// A decode limit in Hz, stored in the image as a 16-bit word, high byte first.
class CQUsrTonDecNode : public CFreqNode {
public:
    explicit CQUsrTonDecNode(const char* name = nullptr, int minimum = 400, int maximum = 3000);
    // Clamped to the entry limits, not quantised.
    bool TryParse(const std::string& text, int& value) const override;
    void EntryRange(int& low, int& high) const override {
        low = std::max(m_min, m_entryMin);
        high = std::min(m_max, m_entryMax);
    }
    void SetEntryLimits(int minimum, int maximum);
    int EntryMinimum() const { return m_entryMin; }
    int EntryMaximum() const { return m_entryMax; }

    // The image word: set clamped to the range, read back as the value.
    void SetWord(uint16_t word) { SetValue(word); }
    uint16_t GetWord() const { return static_cast<uint16_t>(m_value); }

private:
    int m_entryMin;
    int m_entryMax;
};

// A tone of a 2Tone receive channel in tenths of Hz. The image holds only its
// decode window, so the tone is the middle of the window made for it: a tone
// whose window centres elsewhere (250.0, 2600.5) is off this node's raster.
class CQ2ToneRxToneNode : public CFreqNode {
public:
    explicit CQ2ToneRxToneNode(const char* name = nullptr);
    bool TryParse(const std::string& text, int& value) const override;
    // An exported tone the windows cannot give back is refused, not moved.
    bool TakesStoredOffRaster() const override { return false; }
    // The middles of the decode windows: half hertz, not every one.
    std::string Raster() const override;
};

// A 2Tone receive channel. The image holds no tones, only a decode window per
// tone; the channel owns the four window limits and follows the tone nodes
// attached to it (its own placeholders until then).
class CQ2ToneRxChNode : public CNode {
public:
    static constexpr int kToneMin = 2500; // tenths of Hz
    static constexpr int kToneMax = 33000;
    static constexpr int kLimitMin = 239; // Hz
    static constexpr int kLimitMax = 3402;

    explicit CQ2ToneRxChNode(const char* name = nullptr);
    ~CQ2ToneRxChNode() override;

    virtual void AttachFirstTone(CFreqNode* tone);
    virtual void AttachSecondTone(CFreqNode* tone);
    virtual CQUsrTonDecNode* FirstLow() const { return m_firstLo.get(); }
    virtual CQUsrTonDecNode* FirstHigh() const { return m_firstHi.get(); }
    virtual CQUsrTonDecNode* SecondLow() const { return m_secondLo.get(); }
    virtual CQUsrTonDecNode* SecondHigh() const { return m_secondHi.get(); }
    // Moves both decode windows onto the tones and the tones onto the windows' middles.
    virtual void RecalcLimits();

    CFreqNode* FirstTone() const { return m_first; }
    CFreqNode* SecondTone() const { return m_second; }

    // The window for a tone in tenths of Hz: +-3 %, shifted in 0.2 Hz steps from
    // -3 Hz on while its middle comes no farther from the tone.
    static void ToneWindow(int tenths, int& low, int& high);
    // The middle of a window in tenths of Hz.
    static int WindowMiddle(int low, int high) { return 5 * (low + high); }

private:
    static void Recalc(CFreqNode& tone, CQUsrTonDecNode& low, CQUsrTonDecNode& high);

    CFreqNode* m_first;
    std::unique_ptr<CQUsrTonDecNode> m_firstLo, m_firstHi;
    CFreqNode* m_second;
    std::unique_ptr<CQUsrTonDecNode> m_secondLo, m_secondHi;
    std::unique_ptr<CQ2ToneRxToneNode> m_placeholderFirst, m_placeholderSecond;
};

// A 5Tone user tone: encoder tone and decode window, each a node attached by
// the builder (own placeholders until then).
class CQ5TonUsrTonNode : public CNode {
public:
    explicit CQ5TonUsrTonNode(const char* name = nullptr);
    ~CQ5TonUsrTonNode() override;

    void AttachEnc(CQUsrTonEncNode* node) { m_enc = node ? node : m_ownEnc.get(); }
    void AttachDecL(CQUsrTonDecNode* node) { m_decL = node ? node : m_ownDecL.get(); }
    void AttachDecH(CQUsrTonDecNode* node) { m_decH = node ? node : m_ownDecH.get(); }
    CQUsrTonEncNode* Enc() const { return m_enc; }
    CQUsrTonDecNode* DecL() const { return m_decL; }
    CQUsrTonDecNode* DecH() const { return m_decH; }

private:
    std::unique_ptr<CQUsrTonEncNode> m_ownEnc;
    std::unique_ptr<CQUsrTonDecNode> m_ownDecL, m_ownDecH;
    CQUsrTonEncNode* m_enc;
    CQUsrTonDecNode* m_decL;
    CQUsrTonDecNode* m_decH;
};
