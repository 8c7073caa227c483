// What the harnesses share: a user who is never asked anything, the check that ends a
// run on a broken rule, and input helpers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "datamodel/UserInteraction.h"
#include "datamodel/memmap/TreeAccess.h"
#include "document/DocumentData.h"
#include "exchange/JsonTree.h"

// Every question answered OK, everything else ignored; nothing is kept between inputs.
class CSilentInteraction : public IUserInteraction {
public:
    EAnswer MessageBox(const std::string&, const std::string&, EButtons, EIcon) override {
        return EAnswer::Ok;
    }
    void SetStatusText(const std::string&) override {}
    void ProgressBegin(const std::string&) override {}
    void ProgressSet(int) override {}
    bool ProgressCancelled() override { return false; }
    void ProgressEnd() override {}
    void PlayBeeps(const std::vector<SBeep>&) override {}
    void WaitCursor(bool) override {}
    void ShowInformation(const SRepeaterInfo&) override {}
};

// Prints what broke and aborts, so libFuzzer keeps the input as a crash.
[[noreturn]] void FuzzFail(const char* file, int line, const char* rule,
                           const std::string& detail);
#define FUZZ_CHECK(rule, detail)                                                           \
    do {                                                                                   \
        if (!(rule))                                                                       \
            FuzzFail(__FILE__, __LINE__, #rule, (detail));                                 \
    } while (0)

// For a harness's own checking code: its branches tell the fuzzer nothing about the
// code under test, and instrumenting them costs much of the time per input.
#define FUZZ_NO_COVERAGE __attribute__((no_sanitize("coverage")))

// The lines of a text as the file reader sees them: split at LF, the LF dropped; a
// last line without LF counts, an empty tail after the last LF does not.
std::vector<std::string> SplitLines(const uint8_t* data, size_t size);

// A text for messages: printable ASCII as it is, everything else as \xNN, cut at max.
std::string Printable(const std::string& text, size_t max = 200);

// A document of one variant holding the factory image, with its tree indexes (without
// and with the maker-reserved area), made once and put back after each input.
class CFuzzDocument {
public:
    explicit CFuzzDocument(int model);
    CQCloneManager& Registry() { return m_document.Registry(); }
    const CTreeIndex& Index(bool makerReserve = false) const {
        return makerReserve ? m_makerIndex : m_index;
    }
    // Back to the factory image and its tree.
    void Reset();
    // Texts(Index()) of the factory image.
    const std::vector<std::string>& FactoryTexts() const { return m_factoryTexts; }
    // The texts of every field of the index, in its order.
    static std::vector<std::string> Texts(const CTreeIndex& index);

private:
    CSilentInteraction m_ui;
    CTolvarDocumentData m_document;
    CTreeIndex m_index, m_makerIndex;
    CEepromImage m_factory;
    std::vector<std::string> m_factoryTexts;
};

// The two documents, LMR and PMR, made on first use.
CFuzzDocument& FuzzDocument(int model);

