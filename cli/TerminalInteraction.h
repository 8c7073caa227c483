// The user as met on a terminal: messages on standard error, questions at a
// prompt (or answered by --yes), a progress bar when standard error is a terminal.
#pragma once

#include <atomic>
#include <string>

#include "datamodel/UserInteraction.h"

class CTerminalInteraction : public IUserInteraction {
public:
    bool assumeYes = false;
    bool quiet = false;

    EAnswer MessageBox(const std::string& text, const std::string& caption, EButtons buttons,
                       EIcon icon) override;
    void SetStatusText(const std::string& text) override;
    void ProgressBegin(const std::string& title) override;
    void ProgressSet(int percent) override;
    bool ProgressCancelled() override { return cancelRequested.load(); }
    void ProgressEnd() override;
    // No sound on a terminal; the pauses are kept.
    void PlayBeeps(const std::vector<SBeep>& beeps) override;
    void WaitCursor(bool) override {}
    void ShowInformation(const SRepeaterInfo& info) override;

    // Set from the interrupt handler while a transfer runs.
    std::atomic<bool> cancelRequested{false};

    // Trims surrounding blanks and line breaks of a message text.
    static std::string Trim(const std::string& text);

private:
    bool m_progressShown = false;
    std::string m_progressTitle;
};
