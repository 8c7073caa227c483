// A user stand-in for tests and scripts: answers from a queue and records every
// text shown, so callers can check the exact messages.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "datamodel/UserInteraction.h"

class CScriptedInteraction : public IUserInteraction {
public:
    struct Box {
        std::string text, caption;
        EButtons buttons;
        EIcon icon;
        EAnswer answer;
    };

    // Answers given in order; when the queue is empty, the affirmative button is chosen.
    std::deque<EAnswer> answers;
    // Percent at which ProgressCancelled starts answering true; -1 never.
    int cancelAtPercent = -1;

    std::vector<Box> boxes;
    std::vector<std::string> statusTexts;
    std::vector<int> progress;
    std::vector<std::pair<int, int>> beeps;
    int progressBegun = 0, progressEnded = 0, informationShown = 0;
    bool waitCursor = false;

    EAnswer MessageBox(const std::string& text, const std::string& caption, EButtons buttons,
                       EIcon icon) override;
    void SetStatusText(const std::string& text) override { statusTexts.push_back(text); }
    void ProgressBegin(const std::string&) override { ++progressBegun; }
    void ProgressSet(int percent) override { progress.push_back(percent); }
    bool ProgressCancelled() override {
        return cancelAtPercent >= 0 && !progress.empty() && progress.back() >= cancelAtPercent;
    }
    void ProgressEnd() override { ++progressEnded; }
    void PlayBeeps(const std::vector<SBeep>& sequence) override {
        for (const SBeep& beep : sequence)
            beeps.emplace_back(beep.frequency, beep.milliseconds);
    }
    void WaitCursor(bool on) override { waitCursor = on; }
    void ShowInformation(const SRepeaterInfo&) override { ++informationShown; }
};
